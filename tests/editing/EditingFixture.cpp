#include "EditingFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

namespace editing {

animbox::FrmMain* EditingFixture::show(const QString& folder)
{
    if (!files.isValid())
        return nullptr;
    m_window = files.window(folder);
    m_window->show();
    return QTest::qWaitForWindowExposed(m_window.get()) ? m_window.get() : nullptr;
}

animbox::FrmMain* EditingFixture::open(int count, bool select)
{
    if (!files.writeSprite(QStringLiteral("frame.gif"), QSize(40, 60)) || !show()
        || !testing::addFrames(*m_window, QStringList(count, QStringLiteral("frame.gif")))
        || m_window->animation().frames.size() != count)
        return nullptr;
    if (select && count > 0)
        m_window->List1()->setCurrentRow(0);
    return m_window.get();
}

void EditingFixture::mouse(QEvent::Type type, QPointF p, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    animbox::CanvasView* canvas = m_window->PicEdit();
    const QPointF local = p + QPointF(canvas->contentsRect().topLeft());
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, local, canvas->mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, mods);
    QApplication::sendEvent(canvas, &event);
}

void EditingFixture::drag(QPointF from, QPointF to, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    mouse(QEvent::MouseButtonPress, from, button, mods);
    mouse(QEvent::MouseMove, to, button, mods);
    mouse(QEvent::MouseButtonRelease, to, button, mods);
}

void EditingFixture::wheel(QWidget* widget, QPoint angle, Qt::KeyboardModifiers modifiers)
{
    const QPointF at(widget->rect().center());
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), angle, Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace editing
