#include "startup/AfterFirstFrame.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace tools {

namespace {

// Watches the window's exposure. The widget stack paints and flushes inside
// the handling of the expose event, so a call queued from here runs once the
// first frame is on screen.
class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher(QWindow* window, std::function<void()> work)
        : QObject(window)
        , m_work(std::move(work))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window->isExposed()) {
            window->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] {
                const std::function<void()> work = std::move(m_work);
                deleteLater();
                work();
            }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void runAfterFirstFrame(QWidget& window, std::function<void()> work)
{
    new FirstFrameWatcher(window.windowHandle(), std::move(work));
}

} // namespace tools
