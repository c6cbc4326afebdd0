#pragma once

#include <QPlainTextEdit>

namespace classic {

// The script text box (`Text1`). Every write-back of a command is one step of
// the box's own undo history, apart from the author's typing before and after
// it, so undo takes back a command as a whole. Undo and redo, by key, by the
// box's menu or by the window, are announced so that the window can show the
// restored text.
class ScriptBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ScriptBox(QWidget* parent = nullptr);

    // The text with CR LF line ends; every other character as it is.
    QString scriptText() const;
    // Replaces the text by `text` as one undo step that holds only the part
    // that differs. The scroll position stays and the caret goes to the start
    // of its line, or of the last line when that line is gone.
    void writeBack(const QString& text);

public slots:
    void undoStep();
    void redoStep();

signals:
    // Undo or redo has changed the text.
    void historyRestored();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QString joinedLines(QStringView lineBreak) const;
    void typeKey(QKeyEvent* event);
};

} // namespace classic
