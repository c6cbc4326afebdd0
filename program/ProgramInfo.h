#pragma once

#include <QString>

namespace program {

// The three windowed programs of the package.
enum class Program { Animbox, Classic, Pakunpack };

// What a program says about itself on the command line and in its About
// box. The texts are translated when read.
struct ProgramInfo {
    QString command;  // the name it is started by
    QString id;       // the desktop entry's and the icon's name
    QString version;  // the program's own version, as its caption shows it
    QString summary;  // one line on what it does
    QString operandsName; // its operands: their name in the help,
    QString operands;     // their syntax in the usage line
    QString operandsHelp; // and what they are
};

ProgramInfo programInfo(Program program);

// The package the programs come in, its version and its licence.
QString packageName();
QString packageVersion();
QString licence();

} // namespace program
