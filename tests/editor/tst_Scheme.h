#pragma once

#include <QObject>

// Initialisation schemes: the arithmetic and the dialog run over images of
// known sizes.
class SchemeTest : public QObject {
    Q_OBJECT
private slots:
    void anchors_data();
    void anchors();
    void dialogTextAndApplication();
    void outOfRangeChangesNothing();
    void missingImagesAreReportedInRowOrder();
    void emptyListShowsNoDialog();
};
