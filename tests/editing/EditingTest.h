#pragma once

#include <QObject>

// Canvas gestures, the property panel, the global adjustment, the reference
// frame and playback, driven on the real main window.
class EditingTest : public QObject {
    Q_OBJECT
private slots:
    void releaseWritesBox_data();
    void releaseWritesBox();
    void modifierGestures();
    void pointerReadOut();
    void keys_data();
    void keys();
    void delayTypedPropagates_data();
    void delayTypedPropagates();
    void choiceBoxesStoreOnlyAChoice_data();
    void choiceBoxesStoreOnlyAChoice();
    void boxButtons_data();
    void boxButtons();
    void adjustment_data();
    void adjustment();
    void referenceToggle_data();
    void referenceToggle();
    void resizeKeepsWhatIsShown();
    void playbackWaits_data();
    void playbackWaits();
    void valuesOutOfRangeAreRefused();
};
