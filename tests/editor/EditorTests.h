#pragma once

#include <QObject>

// Drives the real animbox window: settings, image browser, canvas, frame
// list, schemes, the text dialogs, the character files and the character
// panel.
class EditorTest : public QObject {
    Q_OBJECT
private slots:
    void settingsFirstRunAndRoundTrip();
    void patternRule_data();
    void patternRule();
    void spritesOnCanvasAndPreview();
    void keyedSprite_data();
    void keyedSprite();
    void textRunsDrawAsWholeText();

    void addFrame_data();
    void addFrame();
    void frameListOperations_data();
    void frameListOperations();
    void editsGoToTheHighlightedRow();
    void schemeDialogOverKnownSizes();

    void generateTextCancelAndCopy();
    void readTextBuildsFrames_data();
    void readTextBuildsFrames();

    void openEditSave();
    void saveRefusedOrAsks_data();
    void saveRefusedOrAsks();
    void saveAsAddsOrReplacesBlock();
    void saveWritesTheOpenedBlock();
    void recoveryAfterKill();
    void restoreGivesTheSameSave_data();
    void restoreGivesTheSameSave();

    void switchingKeepsEditsAndHistory();
    void fileStepsAndUndo_data();
    void fileStepsAndUndo();
    void panelWidensTheWindow();

    void gifDecoderMatchesImageReader_data();
    void gifDecoderMatchesImageReader();
};
