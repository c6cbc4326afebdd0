#pragma once

#include "model/animation/Animation.h"

#include <QObject>
#include <QUndoStack>

namespace animbox {

// What the window shows again after the document changed.
enum class Refresh {
    Nothing,        // the control that made the change shows it already
    AttackPanel,    // the attack fields of the selected frame
    Canvas,         // the selected frame on the canvas
    CanvasAndPanel, // the canvas and the attack fields
    Selection,      // everything a row selection shows
};

// The animation being edited (rows, records, its name and whether it was
// read from text), the selected row and the undo history. Every edit is a
// step on the undo stack; the window listens to rowsChanged() and changed()
// and redraws from there.
class AnimationDocument : public QObject {
    Q_OBJECT
public:
    explicit AnimationDocument(QObject* parent = nullptr);

    // The live animation. Commands write it; so does a preview that a step
    // records when it ends (an anchor drag, a scheme dialog).
    model::Animation& animation() { return m_animation; }
    const model::Animation& animation() const { return m_animation; }
    int selection() const { return m_selection; }
    QUndoStack* undoStack() { return &m_undoStack; }
    const QUndoStack* undoStack() const { return &m_undoStack; }

    // The user chose a row: shows it. Not a step of its own.
    void select(int row);
    // No row selected any more; nothing is redrawn.
    void dropSelection();
    // Rows were added or removed outside a step, as a preview.
    void rowsEdited();

    // Pushes a step; one that is obsolete already (it changed nothing) is
    // dropped instead, so the steps that could be redone stay.
    void push(QUndoCommand* command);

    // Steps of one kind on one row merge only within a session; showing a
    // row anew (a selection, an undo, a redo) or leaving a typing box starts
    // a new one.
    int mergeSession() const { return m_mergeSession; }
    void endMerging() { ++m_mergeSession; }

    // Whether a step that replaces the whole animation is being recorded;
    // a nested one joins it (ReplacementStep).
    bool isRecordingReplacement() const { return m_recordingReplacement; }
    void setRecordingReplacement(bool recording) { m_recordingReplacement = recording; }

    // Used by the commands once they changed the animation: selects `row`
    // again and tells the views, rows first when they changed.
    void settle(int row, Refresh how, bool rowsChanged);
    // Used by a step that moves the image browser, whose folder is the folder
    // of every frame: asks the window to show `folder` there.
    void browseTo(const QString& folder) { emit browseRequested(folder); }

signals:
    void rowsChanged();
    void changed(animbox::Refresh how);
    void browseRequested(const QString& folder);

private:
    model::Animation m_animation;
    int m_selection = -1;
    int m_mergeSession = 0;
    bool m_recordingReplacement = false;
    QUndoStack m_undoStack;
};

} // namespace animbox
