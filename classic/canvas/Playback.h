#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace classic {

// Plays the frame list on a timer: each frame is shown and stays on screen
// for its pause before the next one comes, while the window goes on
// handling input, so that playback can be stopped at any moment. A run
// shows every row once; a start asks for a number of runs in a row.
class Playback : public QObject {
    Q_OBJECT
public:
    // Shows the frame of a row; gives its pause in milliseconds, or nullopt
    // when it cannot be shown, which ends playback.
    using ShowRow = std::function<std::optional<int>(int row)>;

    Playback(std::function<int()> rowCount, ShowRow showRow, QObject* parent = nullptr);

    bool isPlaying() const { return m_playing; }
    // Starts `runs` runs from the first row; an empty list plays nothing.
    void start(int runs);
    void stop();

signals:
    void playingChanged(bool playing);
    // The frame of `row` is on screen for `pause` milliseconds.
    void frameShown(int row, int pause);

private:
    void showNext();

    std::function<int()> m_rowCount;
    ShowRow m_showRow;
    QTimer m_timer;
    bool m_playing = false;
    int m_row = 0;
    int m_runsLeft = 0;
};

} // namespace classic
