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

// The frame list: adding, deleting, moving, clearing and selecting frames.
class FrameListTest : public QObject {
    Q_OBJECT
private slots:
    void addFrameSetsAnchor();
    void doubleClickAddsFrame();
    void failedAddRemovesItsRow_data();
    void failedAddRemovesItsRow();
    void deleteSelectsNeighbour_data();
    void deleteSelectsNeighbour();
    void deleteRefusals();
    void movesSwapRowsAndRecords();
    void clearEmptiesEverything();
    void addAllCancelledLeavesListAsItWas();
    void addAllConfirmedRebuildsEveryRecord();
    void addAllOutsideDataFolderRemovesItsRows();
};

// Canvas rendering: sprites at the anchor with the key colour left out, the
// previous frame beneath, the cross, and the box outlines.
class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    void drawsSpriteAtAnchor();
    void previousFrameUnderCurrent();
    void newKeyColourRedrawsSprites();
    void boxOutlines_data();
    void boxOutlines();
    void frameWithoutPictureDrawsCross();
};

// Initialisation schemes: the arithmetic and the dialog run over images of
// known sizes.
class SchemeTest : public QObject {
    Q_OBJECT
private slots:
    void anchors_data();
    void anchors();
    void dialogTextAndApplication();
    void outOfRangeChangesNothing();
    void missingImagesAreReportedInRowOrder();
    void emptyListShowsNoDialog();
};

// Writing frames to script text and reading text back, through the dialogs.
class TextDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void generatedTextGoesToClipboard();
    void cancelLeavesClipboard();
    void readTextBuildsFrames_data();
    void readTextBuildsFrames();
    void pasteAndFolderChoice();
    void cancelLeavesAnimation();
    void readerFailureKeepsFramesReadSoFar();
};

// The giflib decoding of sprites against the general image reader.
class GifDecoderTest : public QObject {
    Q_OBJECT
private slots:
    void decodesLikeImageReader_data();
    void decodesLikeImageReader();
    void refusesBrokenData_data();
    void refusesBrokenData();
};
