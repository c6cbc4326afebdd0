#pragma once

#include <QString>

namespace animbox {

class IniSettings;

// The folder animbox runs from and what lies around it. A build or a copied
// program folder keeps settings.ini and the demo character beside the
// program. An installed program (its folder has the shared data folder at
// KES_SHARED_DATA beside it) reads the demo character from the shared data
// and keeps its settings in the per-user folder, so that running it writes
// nothing into the install tree.
class ProgramFolder {
public:
    explicit ProgramFolder(QString path);

    // The folder of the running program, known before the application
    // object that answers this exists: where /proc/self/exe leads (Linux),
    // else the folder of `argv0`, found on the PATH when it names none.
    static QString ofRunningProgram(const char* argv0);

    bool isInstalled() const;
    // The demo game folder (the one holding data/), or empty when there is none.
    QString demoFolder() const;
    // settings.ini beside the program when it is not installed and files can
    // be created there, else in `userFolder`.
    QString settingsPath(const QString& userFolder) const;

    // On a first start (no settings file yet) points the browser at the demo
    // character, with its key colour and the demo as the game folder. True
    // when it did, that is on a first start with a demo at hand.
    bool seedDemoSettings(const IniSettings& settings) const;

private:
    QString m_path;
};

} // namespace animbox
