#pragma once

#include <QObject>

// Undo and redo on the real main window: every kind of step restores the
// generated text, the records, the rows and the selection exactly; nudges and
// typing merge; the title marks unsaved changes; the undo keys; the browser
// follows the folder of the frames a step restores.
class UndoTest : public QObject {
    Q_OBJECT
private slots:
    void stepRestoresExactly_data();
    void stepRestoresExactly();
    void emptySideOverUnequalRuns_data();
    void emptySideOverUnequalRuns();
    void stepsMerge_data();
    void stepsMerge();
    void undoDuringDrag();
    void titleMarksChanges();
    void editMenu();
    void undoKeysInBoxes_data();
    void undoKeysInBoxes();
    void framesFromTextMovesBrowser();
};
