#include "EditingFixture.h"

#include "editor/BrowserPanel.h"
#include "editor/CanvasView.h"
#include "editor/browser/FileList.h"
#include "tools/GifWriter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace editing {

ModalAnswerer::ModalAnswerer()
{
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start(5);
}

void ModalAnswerer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages.append(box->text());
        box->button(QMessageBox::Ok)->click();
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (!dialog)
        return;
    if (dialog == m_handling)
        return;
    if (m_handlers.isEmpty()) {
        ++unexpectedDialogs;
        dialog->reject();
        return;
    }
    // Run from a fresh timer, so message boxes that the handler's clicks
    // open are still answered by this polling timer.
    m_handling = dialog;
    QTimer::singleShot(0, dialog, [this, dialog, handler = m_handlers.takeFirst()] { handler(dialog); });
}

EditingFixture::EditingFixture()
{
    m_valid = m_dir.isValid() && QDir(m_dir.path()).mkpath(QStringLiteral("game/data/chars/test"))
        && writeSprite(QStringLiteral("frame.gif"), QSize(40, 60));
}

bool EditingFixture::writeSprite(const QString& name, QSize size, QRgb background, QRgb foreground)
{
    return tools::writeGif(QDir(sprites()).filePath(name), tools::makeSprite(size, background, foreground));
}

animbox::FrmMain* EditingFixture::open(int count, bool select)
{
    m_window = std::make_unique<animbox::FrmMain>(settingsPath());
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get()))
        return nullptr;
    m_window->Picture1()->showFolder(sprites());
    browser::FileList* files = m_window->Picture1()->File1();
    const QList<QListWidgetItem*> found = files->findItems(QStringLiteral("frame.gif"), Qt::MatchExactly);
    if (found.size() != 1)
        return nullptr;
    files->setCurrentItem(found.first());
    for (int i = 0; i < count; ++i)
        m_window->Picture1()->cmdAddFrame()->click();
    if (m_window->animation().rowCount() != count || m_window->animation().frames.size() != count)
        return nullptr;
    if (select && count > 0)
        m_window->List1()->setCurrentRow(0);
    return m_window.get();
}

QPoint EditingFixture::canvasOrigin() const
{
    return {m_window->canvasOriginX(), m_window->canvasOriginY()};
}

namespace {

void sendMouse(animbox::CanvasView* canvas, QEvent::Type type, QPointF p, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    const QPointF local = p + QPointF(canvas->contentsRect().topLeft());
    QMouseEvent event(type, local, canvas->mapToGlobal(local), button, buttons, mods);
    QApplication::sendEvent(canvas, &event);
}

} // namespace

void EditingFixture::press(QPointF p, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    sendMouse(m_window->PicEdit(), QEvent::MouseButtonPress, p, button, button, mods);
}

void EditingFixture::move(QPointF p, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    sendMouse(m_window->PicEdit(), QEvent::MouseMove, p, Qt::NoButton, buttons, mods);
}

void EditingFixture::release(QPointF p, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    sendMouse(m_window->PicEdit(), QEvent::MouseButtonRelease, p, button, Qt::NoButton, mods);
}

void EditingFixture::drag(QPointF from, QPointF to, Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    press(from, button, mods);
    move(to, button, mods);
    release(to, button, mods);
}

} // namespace editing
