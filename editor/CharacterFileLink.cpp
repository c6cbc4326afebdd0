#include "editor/CharacterFileLink.h"

#include "model/CharacterScript.h"

#include <QCoreApplication>

namespace animbox {

CharacterFileLink::CharacterFileLink(QString path, QString animName, QByteArray bytes, const QString& blockText,
                                     bool complete, bool lossless)
    : m_path(std::move(path))
    , m_animName(std::move(animName))
    , m_bytes(std::move(bytes))
    , m_trailing(model::CharacterScript::linesAfterLastFrame(blockText))
    , m_folders(model::CharacterScript::frameFolders(blockText))
    , m_complete(complete)
    , m_lossless(lossless)
{
}

QString CharacterFileLink::saveRefusal() const
{
    if (!m_complete)
        return QCoreApplication::translate("animbox::CharacterFileLink", "动画没有完整读出, 保存会丢掉其余的帧, 未保存.");
    if (!m_lossless)
        return QCoreApplication::translate("animbox::CharacterFileLink", "动画中有无法识别的字符, 保存会改变它们, 未保存.");
    if (m_folders.size() > 1) {
        return QCoreApplication::translate("animbox::CharacterFileLink", "动画的帧来自多个文件夹 (%1), 而写出的帧都在同一个文件夹中, 未保存.")
            .arg(m_folders.join(QStringLiteral(", ")));
    }
    return QString();
}

void CharacterFileLink::saved(const QString& path, const QString& animName, const QByteArray& bytes)
{
    m_path = path;
    m_animName = animName;
    m_bytes = bytes;
}

} // namespace animbox
