#pragma once

#include "program/ProgramInfo.h"

#include <QCommandLineParser>
#include <QStringList>

#include <optional>

namespace program {

// The command line of a windowed program: --help and --version, answered on
// the terminal in the interface language, the --lang option (read before,
// by the language module, and listed here) and the operands, the files the
// window opens. A name starting with "-" is an option, so that "--help" is
// never taken for a file; after "--" every argument is an operand.
class CommandLine {
public:
    explicit CommandLine(Program program);

    // Whether the arguments ask for the help or the version, which are
    // answered without a window, and so without a display.
    static bool asksForText(int argc, const char* const* argv);

    // Reads `arguments` (the program's name first, "--lang" already taken
    // out). Prints the help or the version on the standard output, or what
    // is wrong on the standard error, and returns the exit status when the
    // program ends here; nothing when it goes on to its window.
    std::optional<int> read(const QStringList& arguments);

    // The operands read, in order.
    QStringList operands() const { return m_parser.positionalArguments(); }

private:
    ProgramInfo m_info;
    QCommandLineParser m_parser;
};

} // namespace program
