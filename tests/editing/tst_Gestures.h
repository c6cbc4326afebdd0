#pragma once

#include <QObject>

// Mouse and key gestures on the canvas of the real main window.
class GesturesTest : public QObject {
    Q_OBJECT
private slots:
    void releaseWritesBox_data();
    void releaseWritesBox();
    void clickAndUpLeftDragKeepBandSize_data();
    void clickAndUpLeftDragKeepBandSize();
    void ctrlDragMovesSpriteWithPointer();
    void readOut_data();
    void readOut();
    void altPickStoresColour();
    void keys_data();
    void keys();
    void valuesOutOfRangeAreRefused();
};
