#pragma once

#include <QObject>

// The frame list: adding, deleting, moving, clearing and selecting frames.
class FrameListTest : public QObject {
    Q_OBJECT
private slots:
    void addFrameSetsAnchor();
    void doubleClickAddsFrame();
    void failedAddRemovesItsRow_data();
    void failedAddRemovesItsRow();
    void deleteSelectsNeighbour_data();
    void deleteSelectsNeighbour();
    void deleteRefusals();
    void movesSwapRowsAndRecords();
    void clearEmptiesEverything();
    void addAllCancelledLeavesListAsItWas();
    void addAllConfirmedRebuildsEveryRecord();
    void addAllOutsideDataFolderRemovesItsRows();
};
