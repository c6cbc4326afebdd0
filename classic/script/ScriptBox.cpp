#include "classic/script/ScriptBox.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>

#include <memory>

namespace classic {

namespace {

enum class HistoryKey { None, Undo, Redo };

// The platform's undo and redo keys, and Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z on
// every platform, as the window's menu offers them.
HistoryKey historyKey(const QKeyEvent* event)
{
    const QKeyCombination key = event->keyCombination();
    if (event->matches(QKeySequence::Undo) || key == (Qt::CTRL | Qt::Key_Z))
        return HistoryKey::Undo;
    if (event->matches(QKeySequence::Redo) || key == (Qt::CTRL | Qt::Key_Y) || key == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z))
        return HistoryKey::Redo;
    return HistoryKey::None;
}

} // namespace

ScriptBox::ScriptBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
}

QString ScriptBox::scriptText() const
{
    return joinedLines(u"\r\n");
}

// toPlainText() would turn a no-break space into a space and a line
// separator inside a line into a line break; the file's text keeps both.
QString ScriptBox::joinedLines(QStringView lineBreak) const
{
    QString text;
    text.reserve(document()->characterCount());
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin())
            text += lineBreak;
        text += block.text();
    }
    return text;
}

void ScriptBox::writeBack(const QString& text)
{
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QString old = joinedLines(u"\n");
    if (plain == old)
        return;
    // Only the differing middle is replaced: the history keeps that part, not
    // two copies of the whole script. Plain-text indexes are document positions.
    const qsizetype shorter = qMin(plain.size(), old.size());
    qsizetype head = 0;
    while (head < shorter && plain[head] == old[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head && plain[plain.size() - 1 - tail] == old[old.size() - 1 - tail])
        ++tail;
    // A character outside the basic plane is replaced whole, never half.
    if (head > 0 && QChar::isHighSurrogate(old[head - 1].unicode()))
        --head;
    if (tail > 0 && QChar::isLowSurrogate(old[old.size() - tail].unicode()))
        --tail;

    const int vertical = verticalScrollBar()->value();
    const int horizontal = horizontalScrollBar()->value();
    const int caretLine = textCursor().blockNumber();
    QTextCursor change(document());
    change.setPosition(int(head));
    change.setPosition(int(old.size() - tail), QTextCursor::KeepAnchor);
    // In an edit block of its own, a bare insertion never joins the typing
    // just before it in one undo step.
    change.beginEditBlock();
    change.insertText(plain.sliced(head, plain.size() - head - tail));
    change.endEditBlock();

    const QTextBlock line = document()->findBlockByNumber(caretLine);
    setTextCursor(QTextCursor(line.isValid() ? line : document()->lastBlock()));
    verticalScrollBar()->setValue(vertical);
    horizontalScrollBar()->setValue(horizontal);
}

void ScriptBox::undoStep()
{
    if (!document()->isUndoAvailable())
        return;
    undo();
    emit historyRestored();
}

void ScriptBox::redoStep()
{
    if (!document()->isRedoAvailable())
        return;
    redo();
    emit historyRestored();
}

bool ScriptBox::event(QEvent* event)
{
    // The keys reach keyPressEvent even where a menu shortcut claims them.
    if (event->type() == QEvent::ShortcutOverride && historyKey(static_cast<QKeyEvent*>(event)) != HistoryKey::None) {
        event->accept();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void ScriptBox::keyPressEvent(QKeyEvent* event)
{
    switch (historyKey(event)) {
    case HistoryKey::Undo: undoStep(); break;
    case HistoryKey::Redo: redoStep(); break;
    case HistoryKey::None: typeKey(event); return;
    }
    event->accept();
}

// Shift+Enter starts a new line as Enter does: the box would put a line
// separator into the line instead, which the engine reads as no line break.
void ScriptBox::typeKey(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || !(event->modifiers() & Qt::ShiftModifier)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent plain(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier, event->text(),
                    event->isAutoRepeat(), ushort(event->count()));
    QPlainTextEdit::keyPressEvent(&plain);
    event->setAccepted(plain.isAccepted());
}

void ScriptBox::contextMenuEvent(QContextMenuEvent* event)
{
    const std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    // The menu's own undo and redo run first; the announcement follows them.
    for (QAction* action : menu->actions()) {
        if (action->objectName() == u"edit-undo" || action->objectName() == u"edit-redo")
            connect(action, &QAction::triggered, this, &ScriptBox::historyRestored);
    }
    menu->exec(event->globalPos());
}

} // namespace classic
