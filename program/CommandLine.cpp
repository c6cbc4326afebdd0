#include "program/CommandLine.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

namespace program {

namespace {

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

CommandLine::CommandLine(Program program)
    : m_info(programInfo(program))
{
    m_parser.setApplicationDescription(m_info.summary);
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOption(QCommandLineOption(QStringLiteral("lang"),
                                          QCoreApplication::translate("program::CommandLine", "本次运行的界面语言: zh (中文) 或 en (英文)."),
                                          QStringLiteral("zh|en")));
    m_parser.addPositionalArgument(m_info.operandsName, m_info.operandsHelp, m_info.operands);
}

bool CommandLine::asksForText(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--") == 0)
            return false;
        for (const char* option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argument, option) == 0)
                return true;
        }
    }
    return false;
}

std::optional<int> CommandLine::read(const QStringList& arguments)
{
    if (!m_parser.parse(arguments)) {
        print(stderr, m_info.command + QStringLiteral(": ") + m_parser.errorText() + u'\n'
                          + QCoreApplication::translate("program::CommandLine", "用 %1 --help 查看用法.").arg(m_info.command) + u'\n');
        return 2;
    }
    if (m_parser.isSet(QStringLiteral("help")) || m_parser.isSet(QStringLiteral("help-all"))) {
        print(stdout, m_parser.helpText());
        return 0;
    }
    if (m_parser.isSet(QStringLiteral("version"))) {
        print(stdout, m_info.command + u' ' + m_info.version + u'\n'
                          + QCoreApplication::translate("program::CommandLine", "软件包 %1 %2").arg(packageName(), packageVersion()) + u'\n');
        return 0;
    }
    return std::nullopt;
}

} // namespace program
