#include "editor/settings/IniSettings.h"

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
std::optional<QString> sectionOf(QByteArrayView line)
{
    const QByteArrayView trimmed = line.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith('[') || !trimmed.endsWith(']'))
        return std::nullopt;
    return QString::fromLocal8Bit(trimmed.sliced(1, trimmed.size() - 2)).trimmed();
}

// The key of a "key=value" line, or nothing for any other line.
std::optional<QString> keyOf(QByteArrayView line)
{
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return QString::fromLocal8Bit(line.first(eq)).trimmed();
}

// Sections and keys are found without regard to letter case.
QString entryName(const QString& section, const QString& key)
{
    return section.toCaseFolded() + u'\n' + key.toCaseFolded();
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
    const auto found = values().constFind(entryName(section, key));
    return found == values().cend() ? defaultValue : cutValue(*found, kMaxValueBytes);
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
        if (const auto name = keyOf(lines[i]); name && name->compare(key, Qt::CaseInsensitive) == 0) {
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
    if (file.commit())
        m_values.reset();
}

// Every value of the file by section and key, the first one where a key is
// repeated; one pass over the file without a copy of each line.
const QHash<QString, QByteArray>& IniSettings::values() const
{
    if (m_values)
        return *m_values;
    m_values.emplace();
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return *m_values;
    const QByteArray text = file.readAll();
    std::optional<QString> section;
    for (qsizetype start = 0; start < text.size();) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = QByteArrayView(text).sliced(start, end - start).trimmed();
        start = end + 1;
        if (line.isEmpty())
            continue;
        if (auto name = sectionOf(line)) {
            section = std::move(name);
            continue;
        }
        const auto key = keyOf(line);
        if (!key || !section)
            continue;
        const QString name = entryName(*section, *key);
        if (!m_values->contains(name))
            m_values->insert(name, line.sliced(line.indexOf('=') + 1).trimmed().toByteArray());
    }
    return *m_values;
}

QString IniSettings::ReadSetting(const QString& key) const
{
    return IniRead(kSection, key, QString());
}

void IniSettings::WriteSetting(const QString& key, const QString& value) const
{
    IniWrite(kSection, key, value);
}

QString IniSettings::numberText(qint32 number)
{
    return number < 0 ? QString::number(number) : u' ' + QString::number(number);
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
