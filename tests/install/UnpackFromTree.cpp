// Plays an author who opens an archive with an installed pakunpack: the
// pakunpack window, run from the installed bin folder (this program is copied
// there), is given the archive and its unpack button is pressed. Exits 0 when
// the kespak run it starts ends with success. A message box the window shows
// is closed, so that the run never waits for a person, and printed.
//
// usage: unpack_from_tree <archive>
#include "ModalDriver.h"
#include "pakunpack/Form1.h"
#include "pakunpack/UnpackRun.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    testing::ModalDriver modal;
    pakunpack::Form1 window(QString::fromLocal8Bit(argv[1]));
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    const auto* run = window.findChild<pakunpack::UnpackRun*>();
    const bool finished = run && QTest::qWaitFor([run] { return run->isFinished(); }, 20000);
    for (const QString& message : modal.messages)
        std::fprintf(stderr, "pakunpack says: %s\n", qPrintable(message));
    if (!finished || !run->exitedNormally() || run->exitCode() != 0) {
        std::fprintf(stderr, "kespak did not unpack: %s\n", run ? qPrintable(run->errorText()) : "not started");
        return 1;
    }
    return 0;
}
