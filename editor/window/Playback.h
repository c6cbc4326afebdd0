#pragma once

#include <QObject>

#include <functional>

namespace animbox {

class FrmMain;

// Plays the frames of the list in order with their delays. Each frame is
// painted before its wait; while playback waits the window keeps painting
// but handles no user input, which stays queued until the playback ends.
// The wait is replaceable so tests can see the waits without the clock.
class Playback : public QObject {
    Q_OBJECT
public:
    using Wait = std::function<void(int milliseconds)>;

    explicit Playback(FrmMain& window);

    // Replaces the wait; an empty function restores the real one.
    void setWait(Wait wait);
    bool isPlaying() const { return m_playing; }

    // Shows every frame once, `runs` times in a row. The selection, the
    // property panel and the delay box stay as they were.
    void play(int runs);

    // Blocks for `milliseconds`, repainting but handling no user input.
    static void waitPainting(int milliseconds);

private:
    void PlayOnce();

    FrmMain& m_window;
    Wait m_wait;
    bool m_playing = false;
};

} // namespace animbox
