// The commands of the classic main window that write the script text: a
// line for the selected frame, the initial text, a frame's definition, the
// frame list read back from the text, and the offsets moved by keys, by
// the displacement window or all at once.

#include "classic/window/Form1.h"

#include "classic/canvas/Form2.h"
#include "model/text/Numbers.h"
#include "model/text/TextHelpers.h"
#include "zoom/ZoomControl.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace classic {

void Form1::setFrameLine(const QString& line)
{
    const QString name = selectedName();
    if (name.isEmpty()) {
        message(tr("请选择帧"));
        return;
    }
    setScriptText(classic::setFrameLine(scriptText(), name, line));
}

void Form1::generateInitialText()
{
    if (m_ui.List1->count() == 0) {
        message(tr("没有选择帧"));
        return;
    }
    QStringList names;
    QList<QSize> sizes;
    for (int row = 0; row < m_ui.List1->count(); ++row) {
        names.append(m_ui.List1->item(row)->text());
        const QImage image = loadImage(framePath(names.constLast()));
        if (image.isNull())
            return;
        sizes.append(image.size());
    }
    const InitialOptions options{m_ui.TxtOffset->text(), m_ui.checkls->isChecked(), m_ui.ckright->isChecked(),
                                 m_ui.txtLs->text()};
    const InitialText result = classic::generateInitialText(names, sizes, folderWord(m_currentFolder), options);
    if (!result.error.isEmpty()) {
        message(result.error);
        return;
    }
    setScriptText(result.text);
}

void Form1::insertDefinition()
{
    const QString name = selectedName();
    if (name.isEmpty()) {
        message(tr("请选择帧"));
        return;
    }
    setScriptText(classic::insertDefinition(scriptText(), name, folderWord(m_currentFolder)));
}

void Form1::listFramesFromText()
{
    const QStringList names = classic::listFramesFromText(scriptText());
    const QSignalBlocker blocker(m_ui.List1);
    m_ui.List1->clear();
    m_ui.List1->addItems(names);
}

void Form1::shiftFrameOffset(qint32 dx, qint32 dy)
{
    const auto line = shiftedOffsetLine(scriptText(), selectedName(), dx, dy, m_currentOffset);
    if (!line)
        return;
    m_ui.Text5->setText(*line);
    setFrameLine(*line);
    showFrame(false);
}

void Form1::shiftAllOffsets()
{
    QListWidget* list = m_ui.List1;
    if (list->count() == 0) {
        message(tr("No Frames."));
        return;
    }
    const model::Int16Result dx = model::lenientInt16(m_ui.Text2->text());
    const model::Int16Result dy = model::lenientInt16(m_ui.Text6->text());
    if (!dx.ok() || !dy.ok()) {
        message(tr("x and y must lie between -32768 and 32767."));
        return;
    }
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names.append(list->item(row)->text());
    const ShiftedText shifted = classic::shiftAllOffsets(scriptText(), names, dx.value, dy.value, m_currentOffset);
    // A later release of another mouse button applies this line again.
    if (!shifted.lastLine.isEmpty())
        m_ui.Text5->setText(shifted.lastLine);
    setScriptText(shifted.text);
    selectRow(list->count() - 1);
}

void Form1::addEmptyBox()
{
    setFrameLine(m_bodyBoxMode ? QStringLiteral("Bbox\t0") : QStringLiteral("Attack\t0"));
}

void Form1::copyText()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(scriptText());
}

void Form1::setDisplacement()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    const QString path = framePath(name);
    if (loadImage(path).isNull())
        return;
    Form2 form(QStringLiteral("%1|%2|%3").arg(path).arg(m_currentOffset.x).arg(m_currentOffset.y),
               this, m_ui.PicEdit->zoom()->level());
    form.exec();
    QString exchange = form.offsetExchange();
    const auto x = readNumber(model::NextPiece(exchange, QStringLiteral("|")));
    const auto y = readNumber(exchange);
    if (!x || !y)
        return;
    m_currentOffset = {*x, *y};
    m_ui.Text5->setText(offsetLine(m_currentOffset));
    setFrameLine(m_ui.Text5->text());
    showFrame(false);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_ui.Text3 || event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    qint32 dx = 0;
    qint32 dy = 0;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    default: break;
    }
    // Every key writes the frame's offset line, also one that moves nothing.
    shiftFrameOffset(dx, dy);
    return dx != 0 || dy != 0;
}

} // namespace classic
