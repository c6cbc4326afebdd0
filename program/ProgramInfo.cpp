#include "program/ProgramInfo.h"

#include <QCoreApplication>

#if !defined(KES_PACKAGE_NAME) || !defined(KES_PACKAGE_VERSION) || !defined(KES_ANIMBOX_VERSION) \
    || !defined(KES_CLASSIC_VERSION) || !defined(KES_PAKUNPACK_VERSION)
#error "the versions must be defined by the build"
#endif

namespace program {

ProgramInfo programInfo(Program program)
{
    switch (program) {
    case Program::Animbox:
        return {QStringLiteral("animbox"), QStringLiteral("org.kestrum.modtools.animbox"),
                QStringLiteral(KES_ANIMBOX_VERSION),
                QCoreApplication::translate("program::ProgramInfo", "Kestrum 角色模组的动画帧编辑器"),
                QStringLiteral("files"), QStringLiteral("[character.txt [animation] | sprite.gif...]"),
                QCoreApplication::translate("program::ProgramInfo",
                                            "打开角色文件, 显示给出名称的动画 (否则第一个), 或把 .gif 图片加入为帧.")};
    case Program::Classic:
        return {QStringLiteral("animbox-classic"), QStringLiteral("org.kestrum.modtools.animbox_classic"),
                QStringLiteral(KES_CLASSIC_VERSION),
                QCoreApplication::translate("program::ProgramInfo", "早期的 Kestrum 帧编辑器, 逐行编辑动画脚本文本"),
                QStringLiteral("script.txt"), QStringLiteral("[script.txt]"),
                QCoreApplication::translate("program::ProgramInfo", "在文本框中打开这个脚本文本文件.")};
    case Program::Pakunpack:
        break;
    }
    return {QStringLiteral("pakunpack"), QStringLiteral("org.kestrum.modtools.pakunpack"),
            QStringLiteral(KES_PAKUNPACK_VERSION),
            QCoreApplication::translate("program::ProgramInfo", "解压 Kestrum 游戏的 .pak 资源包"),
            QStringLiteral("archive.pak"), QStringLiteral("[archive.pak]"),
            QCoreApplication::translate("program::ProgramInfo", "要解压的 pak 文件, 原样放入路径框.")};
}

QString packageName()
{
    return QStringLiteral(KES_PACKAGE_NAME);
}

QString packageVersion()
{
    return QStringLiteral(KES_PACKAGE_VERSION);
}

QString licence()
{
    return QStringLiteral("MIT");
}

} // namespace program
