#pragma once

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace testing {

// Answers modal windows while a command runs: every message box with an OK
// button is read and closed with OK; any other dialog, also a question,
// goes to the next queued handler (or is
// rejected when none is queued, which the test sees in unexpectedDialogs).
class ModalDriver : public QObject {
    Q_OBJECT
public:
    ModalDriver();

    void onDialog(std::function<void(QDialog*)> handler);
    QStringList messages;
    QStringList messageTitles;
    int unexpectedDialogs = 0;
    int pendingHandlers() const { return int(m_handlers.size()); }

private:
    void poll();

    QTimer m_timer;
    QList<std::function<void(QDialog*)>> m_handlers;
    QList<QPointer<QDialog>> m_inHandler;
};

} // namespace testing
