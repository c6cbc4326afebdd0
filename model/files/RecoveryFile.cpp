#include "model/files/RecoveryFile.h"

#include "model/files/FileReplacement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace model {

namespace {

constexpr auto kFormat = "kestrum-recovery";
constexpr int kVersion = 1;

QString damagedMessage(const QString& path)
{
    return QCoreApplication::translate("model::RecoveryFile", "恢复文件已损坏: %1").arg(path);
}

} // namespace

bool RecoveryFile::exists() const
{
    return QFileInfo::exists(m_path);
}

bool RecoveryFile::write(const RecoveryData& data) const
{
    QJsonObject object{
        {QStringLiteral("format"), QLatin1String(kFormat)},
        {QStringLiteral("version"), kVersion},
        {QStringLiteral("text"), data.text},
        {QStringLiteral("gameFolder"), data.gameFolder},
        {QStringLiteral("browserFolder"), data.browserFolder},
        {QStringLiteral("file"), data.file},
        {QStringLiteral("animName"), data.animName},
        {QStringLiteral("rows"), QJsonArray::fromStringList(data.rows)},
        {QStringLiteral("state"), data.state},
    };
    if (data.fileBytes) {
        object.insert(QStringLiteral("fileBytes"), QString::fromLatin1(data.fileBytes->toBase64()));
        object.insert(QStringLiteral("fileEncoding"), data.fileEncoding);
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return writeFileAtomically(m_path, QJsonDocument(object).toJson()).isEmpty();
}

std::optional<RecoveryData> RecoveryFile::read(QString* error) const
{
    const QByteArray bytes = readWholeFile(m_path, error);
    if (bytes.isEmpty()) {
        if (error->isEmpty())
            *error = QCoreApplication::translate("model::RecoveryFile", "恢复文件是空的: %1").arg(m_path);
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    const QJsonObject object = document.object();
    const QStringList textKeys{"text", "gameFolder", "browserFolder", "file", "animName"};
    bool valid = document.isObject() && object.value(QStringLiteral("format")).toString() == QLatin1String(kFormat)
              && object.value(QStringLiteral("version")).toInt() == kVersion
              && object.value(QStringLiteral("rows")).isArray();
    for (const QString& key : textKeys)
        valid = valid && object.value(key).isString();
    if (!valid) {
        *error = damagedMessage(m_path);
        return std::nullopt;
    }
    RecoveryData data;
    data.text = object.value(QStringLiteral("text")).toString();
    data.gameFolder = object.value(QStringLiteral("gameFolder")).toString();
    data.browserFolder = object.value(QStringLiteral("browserFolder")).toString();
    data.file = object.value(QStringLiteral("file")).toString();
    data.animName = object.value(QStringLiteral("animName")).toString();
    for (const QJsonValue& row : object.value(QStringLiteral("rows")).toArray())
        data.rows.append(row.toString());
    data.state = object.value(QStringLiteral("state")).toObject();
    // Kept only by later versions: a file without them reads as before.
    const QJsonValue fileBytes = object.value(QStringLiteral("fileBytes"));
    if (fileBytes.isString()) {
        const auto decoded = QByteArray::fromBase64Encoding(fileBytes.toString().toLatin1(),
                                                            QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded) {
            *error = damagedMessage(m_path);
            return std::nullopt;
        }
        data.fileBytes = *decoded;
        data.fileEncoding = object.value(QStringLiteral("fileEncoding")).toString();
    }
    return data;
}

void RecoveryFile::remove() const
{
    QFile::remove(m_path);
}

std::optional<RecoveryData> RecoveryFile::readOrSetAside(QString* error) const
{
    std::optional<RecoveryData> data = read(error);
    if (data)
        return data;
    const QString aside = m_path + QStringLiteral(".damaged");
    QFile::remove(aside);
    if (QFile::rename(m_path, aside))
        *error += u'\n' + QCoreApplication::translate("model::RecoveryFile", "已移到 %1").arg(QDir::toNativeSeparators(aside));
    else
        QFile::remove(m_path);
    return std::nullopt;
}

} // namespace model
