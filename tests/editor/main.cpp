#include "EditorTests.h"

#include <QTest>

QTEST_MAIN(EditorTest)
