#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace testing {

ModalDriver::ModalDriver()
{
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start(5);
}

void ModalDriver::onDialog(std::function<void(QDialog*)> handler)
{
    m_handlers.append(std::move(handler));
}

void ModalDriver::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box && box->button(QMessageBox::Ok)) {
        messages.append(box->text());
        messageTitles.append(box->windowTitle());
        box->button(QMessageBox::Ok)->click();
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (!dialog)
        return;
    if (m_inHandler.contains(dialog))
        return;
    if (m_handlers.isEmpty()) {
        ++unexpectedDialogs;
        dialog->reject();
        return;
    }
    // Run the handler outside this timer slot: a timer does not fire again
    // while its own slot runs, and the handler may open a nested dialog.
    m_inHandler.append(dialog);
    QMetaObject::invokeMethod(this, [this, dialog = QPointer<QDialog>(dialog), handler = m_handlers.takeFirst()] {
        if (dialog)
            handler(dialog);
        m_inHandler.removeAll(dialog);
    }, Qt::QueuedConnection);
}

} // namespace testing
