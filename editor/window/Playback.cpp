#include "editor/window/Playback.h"

#include "editor/canvas/CanvasView.h"
#include "editor/window/FrmMain.h"
#include "model/animation/Adjustment.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <algorithm>

namespace animbox {

namespace {

// The longest stretch the wait sleeps without looking at paint events.
constexpr int kSliceMilliseconds = 10;

} // namespace

Playback::Playback(FrmMain& window)
    : QObject(&window)
    , m_window(window)
    , m_wait(&Playback::waitPainting)
{
}

void Playback::setWait(Wait wait)
{
    m_wait = wait ? std::move(wait) : Wait(&Playback::waitPainting);
}

void Playback::waitPainting(int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        const qint64 left = deadline.remainingTime();
        if (left <= 0)
            break;
        QThread::msleep(std::min<qint64>(left, kSliceMilliseconds));
    } while (!deadline.hasExpired());
}

void Playback::play(int runs)
{
    // A second playback cannot start from the queued input of the first.
    if (m_playing)
        return;
    m_playing = true;
    for (int run = 0; run < runs; ++run)
        PlayOnce();
    m_playing = false;
}

void Playback::PlayOnce()
{
    const model::Animation& animation = m_window.animation();
    for (int row = 0; row < animation.rowCount(); ++row) {
        m_window.DrawFrame(row, false);
        m_window.PicEdit()->repaint();
        const qint16 delay = row < animation.frames.size() ? animation.frames[row].frameDelay : 0;
        m_wait(model::playbackWait(delay));
    }
}

} // namespace animbox
