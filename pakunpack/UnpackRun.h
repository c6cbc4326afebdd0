#pragma once

#include <QList>
#include <QObject>
#include <QProcess>
#include <QString>

namespace pakunpack {

// One run of kespak extracting an archive. The tool is started directly
// with its arguments (no shell) and asked for progress records, which are
// read as they arrive; the run keeps what a window shows of it: the bytes
// done, the entry being written, the refused entries and the outcome.
class UnpackRun : public QObject
{
    Q_OBJECT

public:
    struct Refusal
    {
        QString name;
        QString reason;
    };

    UnpackRun(const QString& tool, const QString& archive, QObject* parent = nullptr);
    // Stops a tool still running, without reporting it: no one is left to show it.
    ~UnpackRun() override;

    // Starts the tool; false, with the process's reason, when it cannot start.
    bool start(QString& error);

    qint64 totalBytes() const { return m_totalBytes; }
    qint64 doneBytes() const { return m_doneBytes; }
    QString currentEntry() const { return m_current; }
    int written() const { return m_written; }
    const QList<Refusal>& refused() const { return m_refused; }

    bool isFinished() const { return m_finished; }
    // Whether the tool ended by itself with an exit code (not killed or crashed).
    bool exitedNormally() const { return m_exitedNormally; }
    int exitCode() const { return m_exitCode; }
    // What the tool wrote on its error output.
    QString errorText() const { return QString::fromUtf8(m_errors).trimmed(); }

signals:
    void progressed();
    void finished();

private:
    void readRecords();
    void readRecord(const QList<QByteArray>& fields);
    void end(int exitCode, QProcess::ExitStatus status);

    QProcess m_process;
    QStringList m_arguments;
    QByteArray m_pending;
    QByteArray m_errors;
    qint64 m_totalBytes = 0;
    qint64 m_doneBytes = 0;
    qint64 m_currentSize = 0;
    QString m_current;
    int m_written = 0;
    QList<Refusal> m_refused;
    bool m_finished = false;
    bool m_exitedNormally = false;
    int m_exitCode = -1;
};

} // namespace pakunpack
