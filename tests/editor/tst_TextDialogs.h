#pragma once

#include <QObject>

// Writing frames to script text and reading text back, through the dialogs.
class TextDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void generatedTextGoesToClipboard();
    void cancelLeavesClipboard();
    void generateOutsideDataFolder();
    void readTextBuildsFrames_data();
    void readTextBuildsFrames();
    void pasteAndFolderChoice();
    void cancelLeavesAnimation();
    void readerFailureKeepsFramesReadSoFar();
};
