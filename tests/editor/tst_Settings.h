#pragma once

#include <QObject>

// The settings file and the window's start and end.
class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunCreatesFile();
    void restoresSavedState();
    void staleFolderSkipsOnlyThatStep();
    void valuesAreCut_data();
    void valuesAreCut();
    void writeKeepsOtherLines();
    void iniPath_data();
    void iniPath();
    void readOnlyProgramFolderFallsBack();
};
