#include "editor/character/CharacterFileLink.h"

#include <QCryptographicHash>

namespace animbox {

namespace {

QByteArray digestOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

CharacterFileLink::CharacterFileLink(QString path, QByteArray bytes)
    : m_path(std::move(path))
    , m_bytes(std::move(bytes))
{
}

bool CharacterFileLink::isUnchanged(const QByteArray& bytes) const
{
    return m_bytesAreLastState ? bytes == m_bytes : digestOf(bytes) == m_digest;
}

QByteArray CharacterFileLink::digest() const
{
    if (m_digest.isEmpty())
        m_digest = digestOf(m_bytes);
    return m_digest;
}

void CharacterFileLink::saved(const QString& path, const QByteArray& bytes)
{
    m_path = path;
    m_bytes = bytes;
    m_digest.clear();
    m_bytesAreLastState = true;
}

QJsonObject CharacterFileLink::toJson() const
{
    return {{"path", m_path}, {"digest", QString::fromLatin1(digest().toHex())}};
}

std::optional<CharacterFileLink> CharacterFileLink::fromJson(const QJsonObject& json, const QByteArray& bytes)
{
    const QByteArray digest = QByteArray::fromHex(json.value(QLatin1String("digest")).toString().toLatin1());
    if (json.value(QLatin1String("path")).toString().isEmpty() || digest.size() != 32)
        return std::nullopt;
    CharacterFileLink link(json.value(QLatin1String("path")).toString(), bytes);
    // The file as it was at the last open or save, not as it is now: a save
    // still asks when another program changed it since.
    link.m_digest = digest;
    link.m_bytesAreLastState = digestOf(bytes) == digest;
    return link;
}

} // namespace animbox
