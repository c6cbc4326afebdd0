#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace pakunpack {

class UnpackRun;

// Shows one extraction while it runs and when it ends: a progress bar over
// the bytes, the entry being written, then the outcome in plain words (files
// written, or a failure when none was, each refused entry with its reason,
// or the tool's exit code and message) and a button that opens the data
// folder written next to the archive, or says where it is when no program
// can open it. Names and paths are shown as plain text. Closing it while the
// tool runs stops the tool; the next run over the same folder clears what
// it left.
class UnpackWindow : public QDialog
{
    Q_OBJECT

public:
    // Takes over `run`, which must have started.
    UnpackWindow(UnpackRun* run, const QString& archive, QWidget* parent = nullptr);

private:
    void showProgress();
    void showOutcome();
    QString outcomeText() const;
    void openDataFolder();

    UnpackRun* m_run;
    QString m_dataFolder;
    QLabel* m_status;
    QProgressBar* m_progress;
    QPlainTextEdit* m_details;
    QPushButton* m_openData;
    QLabel* m_openFailure;
};

} // namespace pakunpack
