#include "editor/IniSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <optional>

namespace animbox {

namespace {

const QString kFileName = QStringLiteral("settings.ini");
const QString kSection = QStringLiteral("settings");

QList<QByteArray> readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = file.readAll().split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<QString> sectionOf(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith('[') || !trimmed.endsWith(']'))
        return std::nullopt;
    return QString::fromLocal8Bit(trimmed.mid(1, trimmed.size() - 2)).trimmed();
}

// Whether a "key=value" line states `key` (case ignored); gives its value.
bool keyLine(const QByteArray& line, const QString& key, QByteArray* value = nullptr)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return false;
    if (QString::fromLocal8Bit(line.left(eq)).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

// Cuts a local 8-bit value to `limit` bytes without splitting a character.
QString cutValue(QByteArray bytes, int limit)
{
    if (bytes.size() <= limit)
        return QString::fromLocal8Bit(bytes);
    bytes.truncate(limit);
    QString text = QString::fromLocal8Bit(bytes);
    while (text.endsWith(QChar::ReplacementCharacter))
        text.chop(1);
    return text;
}

bool canCreateFilesIn(const QString& folder)
{
    const QString existing = QDir(folder).filePath(kFileName);
    if (QFileInfo::exists(existing)) {
        QFile file(existing);
        return file.open(QIODevice::ReadWrite);
    }
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("probe-XXXXXX")));
    return probe.open();
}

} // namespace

IniSettings::IniSettings(QString filePath)
    : m_filePath(std::move(filePath))
{
}

QString IniSettings::IniRead(const QString& section, const QString& key, const QString& defaultValue) const
{
    bool inSection = false;
    for (const QByteArray& line : readLines(m_filePath)) {
        if (const auto name = sectionOf(line)) {
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        QByteArray value;
        if (inSection && keyLine(line, key, &value))
            return cutValue(value, kMaxValueBytes);
    }
    return defaultValue;
}

void IniSettings::IniWrite(const QString& section, const QString& key, const QString& value) const
{
    // A line break in a value would end the line early and corrupt the file.
    QString oneLine = value;
    oneLine.remove(u'\r').replace(u'\n', u' ');
    const QByteArray newLine = key.toLocal8Bit() + '=' + oneLine.toLocal8Bit();

    QList<QByteArray> lines = readLines(m_filePath);
    qsizetype sectionEnd = -1;
    bool inSection = false;
    bool written = false;
    for (qsizetype i = 0; i < lines.size() && !written; ++i) {
        if (const auto name = sectionOf(lines[i])) {
            if (inSection)
                break;
            inSection = name->compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (keyLine(lines[i], key)) {
            lines[i] = newLine;
            written = true;
        } else if (!lines[i].trimmed().isEmpty()) {
            sectionEnd = i + 1;
        }
    }
    if (!written && sectionEnd >= 0) {
        lines.insert(sectionEnd, newLine);
    } else if (!written) {
        lines.append('[' + section.toLocal8Bit() + ']');
        lines.append(newLine);
    }

    QSaveFile file(m_filePath);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(lines.join("\r\n") + "\r\n");
    file.commit();
}

QString IniSettings::ReadSetting(const QString& key) const
{
    return IniRead(kSection, key, QString());
}

void IniSettings::WriteSetting(const QString& key, const QString& value) const
{
    IniWrite(kSection, key, value);
}

QString IniSettings::IniPath(const QString& name, const QString& folder)
{
    if (name.contains(u'\\') || name.contains(u'/'))
        return name;
    return QDir(folder).filePath(name);
}

QString IniSettings::locate(const QString& programFolder, const QString& userFolder)
{
    if (canCreateFilesIn(programFolder))
        return IniPath(kFileName, programFolder);
    QDir().mkpath(userFolder);
    return IniPath(kFileName, userFolder);
}

} // namespace animbox
