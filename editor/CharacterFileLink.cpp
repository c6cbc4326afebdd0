#include "editor/CharacterFileLink.h"

#include <QCoreApplication>

namespace animbox {

CharacterFileLink::CharacterFileLink(QString path, QByteArray bytes, model::OpenedBlock block, bool complete)
    : m_path(std::move(path))
    , m_bytes(std::move(bytes))
    , m_block(std::move(block))
    , m_complete(complete)
{
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
    m_block.saved(script, block, animation);
}

} // namespace animbox
