#pragma once

#include "model/character/CharacterCheck.h"

#include <QDockWidget>
#include <QFutureWatcher>
#include <QTimer>

#include <atomic>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace animbox {

class FrmMain;

// The results of "检查角色": runs a check of a character file on a worker
// thread, with a progress bar and a cancel button while it runs, then lists
// what it found (animation, frame, line, text), also what a cancelled check
// found before it stopped. A double-click shows that animation at that frame
// in the window; the list can be copied as text. Deleting the dock cancels a
// running check and waits for it to end.
class CharacterCheckDock : public QDockWidget {
    Q_OBJECT
public:
    explicit CharacterCheckDock(FrmMain* window);
    ~CharacterCheckDock() override;

    // Checks `bytes`, the contents of the character file `path`, with frame
    // images below `gameFolder`; a check still running is cancelled first.
    void start(const QString& path, const QByteArray& bytes, const QString& gameFolder);
    void cancel();
    // From start() until the check's results are shown.
    bool isRunning() const { return m_running; }

    QTreeWidget* list() const { return m_list; }
    QPushButton* cancelButton() const { return m_cancel; }
    QPushButton* copyButton() const { return m_copy; }
    QProgressBar* progressBar() const { return m_progress; }
    QLabel* status() const { return m_status; }
    // The list as tab-separated lines under a line of column names.
    QString text() const;

signals:
    // A check ended, with a report or cancelled.
    void checkEnded();

private:
    void showProgressRow();
    void ended();
    void showReport(const model::CheckReport& report);
    void openFinding(QTreeWidgetItem* item);
    void copyText();

    FrmMain* m_window;
    QString m_path;
    QByteArray m_bytes; // the file as checked
    bool m_running = false;
    QFutureWatcher<model::CheckReport> m_watcher;
    // Set to stop the check running; each check has its own.
    std::shared_ptr<std::atomic_bool> m_stop;
    QTimer m_progressDelay;
    QLabel* m_status = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_copy = nullptr;
    QTreeWidget* m_list = nullptr;
};

} // namespace animbox
