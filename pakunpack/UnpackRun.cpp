#include "pakunpack/UnpackRun.h"

namespace pakunpack {

UnpackRun::UnpackRun(const QString& tool, const QString& archive, QObject* parent)
    : QObject(parent)
    , m_arguments{QStringLiteral("--progress"), QStringLiteral("kes"), QStringLiteral("-i"), archive}
{
    m_process.setProgram(tool);
    connect(&m_process, &QProcess::readyReadStandardOutput, this, &UnpackRun::readRecords);
    connect(&m_process, &QProcess::readyReadStandardError, this,
            [this] { m_errors += m_process.readAllStandardError(); });
    connect(&m_process, &QProcess::finished, this, &UnpackRun::end);
}

UnpackRun::~UnpackRun()
{
    m_process.disconnect(this);
}

bool UnpackRun::start(QString& error)
{
    m_process.setArguments(m_arguments);
    m_process.start(QIODevice::ReadOnly);
    if (m_process.waitForStarted())
        return true;
    error = m_process.errorString();
    return false;
}

// Records are whole lines; a line cut off at the end of a read waits for the rest.
void UnpackRun::readRecords()
{
    m_pending += m_process.readAllStandardOutput();
    qsizetype end = 0;
    for (qsizetype newline; (newline = m_pending.indexOf('\n', end)) >= 0; end = newline + 1)
        readRecord(m_pending.mid(end, newline - end).split('\t'));
    m_pending.remove(0, end);
    emit progressed();
}

void UnpackRun::readRecord(const QList<QByteArray>& fields)
{
    const QByteArray kind = fields.value(0);
    if (kind == "start") {
        m_totalBytes = fields.value(2).toLongLong();
    } else if (kind == "entry") {
        // An entry begins once the one before it is done.
        m_doneBytes += m_currentSize;
        m_currentSize = fields.value(2).toLongLong();
        m_current = QString::fromUtf8(fields.value(3));
    } else if (kind == "refused") {
        if (QString::fromUtf8(fields.value(2)) == m_current)
            m_currentSize = 0;
        m_refused.append({QString::fromUtf8(fields.value(2)), QString::fromUtf8(fields.value(3))});
    } else if (kind == "done") {
        m_written = fields.value(1).toInt();
        m_doneBytes = fields.value(3).toLongLong();
        m_currentSize = 0;
        m_current.clear();
    }
}

void UnpackRun::end(int exitCode, QProcess::ExitStatus status)
{
    readRecords();
    m_errors += m_process.readAllStandardError();
    m_finished = true;
    m_exitedNormally = status == QProcess::NormalExit;
    m_exitCode = exitCode;
    emit finished();
}

} // namespace pakunpack
