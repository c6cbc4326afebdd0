#include "classic/canvas/Playback.h"

namespace classic {

Playback::Playback(std::function<int()> rowCount, ShowRow showRow, QObject* parent)
    : QObject(parent)
    , m_rowCount(std::move(rowCount))
    , m_showRow(std::move(showRow))
{
    m_timer.setSingleShot(true);
    // Pauses are a frame's time on screen: a coarse timer would stretch them.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &Playback::showNext);
}

void Playback::start(int runs)
{
    if (m_playing)
        return;
    m_playing = true;
    m_row = 0;
    m_runsLeft = runs;
    emit playingChanged(true);
    showNext();
}

void Playback::stop()
{
    m_timer.stop();
    if (!m_playing)
        return;
    m_playing = false;
    emit playingChanged(false);
}

void Playback::showNext()
{
    if (m_row >= m_rowCount()) {
        m_row = 0;
        if (--m_runsLeft <= 0 || m_rowCount() == 0) {
            stop();
            return;
        }
    }
    const std::optional<int> pause = m_showRow(m_row);
    // Showing a frame may have told the user why not, or stopped playback.
    if (!pause || !m_playing) {
        stop();
        return;
    }
    emit frameShown(m_row, *pause);
    ++m_row;
    m_timer.start(*pause);
}

} // namespace classic
