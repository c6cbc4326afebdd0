#include "editor/CharacterFileLink.h"

#include <QCoreApplication>
#include <QCryptographicHash>

namespace animbox {

namespace {

QByteArray digestOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

CharacterFileLink::CharacterFileLink(QString path, QByteArray bytes, model::OpenedBlock block, bool complete)
    : m_path(std::move(path))
    , m_bytes(std::move(bytes))
    , m_block(std::move(block))
    , m_complete(complete)
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

QString CharacterFileLink::saveRefusal() const
{
    if (!m_complete)
        return QCoreApplication::translate("animbox::CharacterFileLink", "动画没有完整读出, 保存会丢掉其余的帧, 未保存.");
    return QString();
}

void CharacterFileLink::saved(const QString& path, const model::CharacterScript& script, const model::AnimBlock& block,
                              const model::Animation& animation)
{
    m_path = path;
    m_bytes = script.bytes();
    m_digest.clear();
    m_bytesAreLastState = true;
    m_block.saved(script, block, animation);
}

QJsonObject CharacterFileLink::toJson() const
{
    return {{"path", m_path},
            {"digest", QString::fromLatin1(digest().toHex())},
            {"complete", m_complete},
            {"block", m_block.toJson()}};
}

std::optional<CharacterFileLink> CharacterFileLink::fromJson(const QJsonObject& json, const QByteArray& bytes)
{
    std::optional<model::OpenedBlock> block = model::OpenedBlock::fromJson(json.value(QLatin1String("block")).toObject());
    const QByteArray digest = QByteArray::fromHex(json.value(QLatin1String("digest")).toString().toLatin1());
    if (!block || json.value(QLatin1String("path")).toString().isEmpty() || digest.size() != 32
        || !json.value(QLatin1String("complete")).isBool())
        return std::nullopt;
    CharacterFileLink link(json.value(QLatin1String("path")).toString(), bytes, std::move(*block),
                           json.value(QLatin1String("complete")).toBool());
    // The file as it was at the last open or save, not as it is now: a save
    // still asks when another program changed it since.
    link.m_digest = digest;
    link.m_bytesAreLastState = digestOf(bytes) == digest;
    return link;
}

} // namespace animbox
