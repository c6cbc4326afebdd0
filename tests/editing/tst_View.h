#pragma once

#include <QObject>

// The global adjustment, the reference frame, playback and frame stepping
// of the real main window.
class ViewTest : public QObject {
    Q_OBJECT
private slots:
    void adjustment_data();
    void adjustment();
    void adjustmentIsAllOrNothing();
    void referenceToggle_data();
    void referenceToggle();
    void playbackWaits_data();
    void playbackWaits();
    void stepping_data();
    void stepping();
    void commandsWithoutFrames_data();
    void commandsWithoutFrames();
};
