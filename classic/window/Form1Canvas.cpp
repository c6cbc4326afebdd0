// The canvas of the classic main window: the selected frame drawn as the
// lines in force for it describe it, and the mouse drawing a box on it.

#include "classic/window/Form1.h"

#include "model/text/Numbers.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace classic {

namespace {

// A canvas coordinate from an offset that may be far outside the canvas.
int boundedCoordinate(qint64 value)
{
    return int(qBound(qint64(-1'000'000), value, qint64(1'000'000)));
}

int rounded(double value)
{
    return int(model::roundHalfEven(value));
}

} // namespace

void Form1::toggleBackground()
{
    const QColor colour = m_ui.mBackColor->isChecked() ? QColor(255, 0, 253) : palette().color(QPalette::Window);
    m_ui.PicEdit->setBackground(colour);
    redrawSelectedFrame();
}

void Form1::redrawSelectedFrame()
{
    if (m_ui.List1->currentRow() >= 0 && !m_ui.PicEdit->isHidden())
        onFrameSelected();
}

std::optional<int> Form1::showFrame(bool playing)
{
    const int row = m_ui.List1->currentRow();
    if (row < 0)
        return std::nullopt;
    const QString name = selectedName();
    const QImage image = loadImage(framePath(name));
    if (image.isNull())
        return std::nullopt;
    m_ui.panel1->setText(Form1Ui::frameText(row + 1, image.size()));

    const QString text = scriptText();
    if (!text.contains(name, Qt::CaseInsensitive)) {
        if (!playing) {
            m_spritePosition = QPoint();
            m_ui.PicEdit->drawImage(m_spritePosition, image);
            m_ui.PicEdit->repaint();
            m_ui.panel2->setText(tr("This frame is not defined yet"));
        }
        return 0;
    }

    m_ui.PicEdit->clear();
    const FoundLine offset = findLastKeywordLine(text, u"offset", name);
    const auto parsed = offset.found() ? parseOffsetLine(offset.text) : std::nullopt;
    if (parsed) {
        m_currentOffset = *parsed;
        m_anchor = m_ui.PicEdit->anchorPoint();
        m_spritePosition = QPoint(boundedCoordinate(qint64(m_anchor.x()) - parsed->x),
                                  boundedCoordinate(qint64(m_anchor.y()) - parsed->y));
    } else {
        m_anchor = QPoint();
        m_spritePosition = QPoint();
    }
    m_ui.PicEdit->drawImage(m_spritePosition, image);
    // A blast line in force draws over the attack line's rectangle.
    const std::pair<QStringView, Canvas::Shape> boxes[] = {
        {u"bbox", Canvas::Shape::Body}, {u"attack", Canvas::Shape::Attack}, {u"blast", Canvas::Shape::Attack}};
    for (const auto& [keyword, shape] : boxes) {
        const FoundLine line = findLastKeywordLine(text, keyword, name);
        if (line.found())
            placeBoxShape(line.text, shape);
    }
    const FoundLine delay = findLastKeywordLine(text, u"delay", name);
    m_ui.PicEdit->drawCross(m_anchor);
    m_ui.PicEdit->repaint();
    m_ui.panel2->clear();
    return delay.found() ? delayMilliseconds(delay.text) : 0;
}

void Form1::placeBoxShape(const QString& line, Canvas::Shape shape)
{
    if (!m_ui.Check2->isChecked())
        return;
    QList<double> box = lineValues(line, 4);
    // Sizes below 0 show as an empty outline; far-off values stay drawable.
    for (double& value : box)
        value = qBound(-1e6, value, 1e6);
    m_ui.PicEdit->setShapeRect(shape, QRectF(m_spritePosition.x() + box[0], m_spritePosition.y() + box[1],
                                             qMax(0.0, box[2]), qMax(0.0, box[3])));
    m_ui.PicEdit->setShapeVisible(shape, true);
}

Canvas::Shape Form1::activeShape() const
{
    return m_bodyBoxMode ? Canvas::Shape::Body : Canvas::Shape::Attack;
}

void Form1::onCanvasPressed(QPoint at, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    Canvas* canvas = m_ui.PicEdit;
    canvas->setShapeVisible(Canvas::Shape::Body, m_bodyBoxMode);
    canvas->setShapeVisible(Canvas::Shape::Attack, !m_bodyBoxMode);
    for (const Canvas::Shape shape : {Canvas::Shape::Body, Canvas::Shape::Attack}) {
        QRectF rect = canvas->shapeRect(shape);
        rect.moveTopLeft(at);
        canvas->setShapeRect(shape, rect);
    }
}

void Form1::onCanvasMoved(QPoint at, Qt::MouseButtons buttons)
{
    Canvas* canvas = m_ui.PicEdit;
    if (buttons & Qt::LeftButton) {
        // Measured from the body outline: after a press both share the pressed corner.
        const QRectF corner = canvas->shapeRect(Canvas::Shape::Body);
        const auto width = model::toInt16(at.x() - corner.left());
        const auto height = model::toInt16(at.y() - corner.top());
        QRectF rect = canvas->shapeRect(activeShape());
        if (width && *width > 0)
            rect.setWidth(*width);
        if (height && *height > 0)
            rect.setHeight(*height);
        canvas->setShapeRect(activeShape(), rect);
    }
    m_ui.panel2->setText(QStringLiteral("%1,%2").arg(at.x() - m_anchor.x()).arg(m_anchor.y() - at.y()));
}

void Form1::onCanvasReleased(QPoint, Qt::MouseButton button)
{
    if (button == Qt::LeftButton) {
        const QRectF rect = m_ui.PicEdit->shapeRect(activeShape());
        const QRect box(rounded(rect.left() - m_spritePosition.x()), rounded(rect.top() - m_spritePosition.y()),
                        rounded(rect.width()), rounded(rect.height()));
        m_ui.Text5->setText(m_bodyBoxMode ? bodyBoxLine(box) : attackBoxLine(box));
    }
    setFrameLine(m_ui.Text5->text());
}

} // namespace classic
