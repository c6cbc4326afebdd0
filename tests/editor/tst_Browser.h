#pragma once

#include <QObject>

// The image browser: pattern rule, file order, linked lists, preview and the
// panel toggle.
class BrowserTest : public QObject {
    Q_OBJECT
private slots:
    void patternRule_data();
    void patternRule();
    void folderListEntersFolders();
    void previewShowsClickedFile();
    void previewOfBrokenFileKeepsOldPicture();
    void panelToggleMovesCanvasAndOrigin();
    void resizeGivesCanvasTheRoom();
};
