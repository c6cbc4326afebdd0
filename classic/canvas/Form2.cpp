#include "classic/canvas/Form2.h"

#include "classic/canvas/CrossPicture.h"
#include "classic/script/ClassicScript.h"
#include "zoom/ZoomControl.h"

#include <QImage>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace classic {

namespace {

// Room around the picture, as the window has always left it.
constexpr QSize Margin(5, 16);

} // namespace

Form2::Form2(const QString& offsetExchange, QWidget* parent, int zoomLevel)
    : QDialog(parent)
    , m_picture(new CrossPicture(this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(tr("Form2"));
    m_picture->setObjectName(QStringLiteral("Picture1"));

    // The numbers are the last two pieces, so a "|" inside the path cannot
    // shift them.
    const qsizetype ySeparator = offsetExchange.lastIndexOf(u'|');
    const qsizetype xSeparator = ySeparator > 0 ? offsetExchange.lastIndexOf(u'|', ySeparator - 1) : -1;
    const QString path = xSeparator < 0 ? offsetExchange : offsetExchange.first(xSeparator);
    const qint32 x = xSeparator < 0 ? 0 : readNumber(offsetExchange.sliced(xSeparator + 1)).value_or(0);
    const qint32 y = xSeparator < 0 ? 0 : readNumber(offsetExchange.sliced(ySeparator + 1)).value_or(0);

    // The picture scrolls when the zoomed sprite is larger than the screen.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_picture);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    m_picture->setImage(QImage(path));
    m_picture->zoom()->setLevel(zoomLevel);
    m_picture->zoom()->addShortcuts(this);
    fitToPicture();
    connect(m_picture->zoom(), &zoom::ZoomControl::levelChanged, this, &Form2::fitToPicture);
    connect(m_picture, &CrossPicture::pressed, this, &Form2::drawCross);
    connect(m_picture, &CrossPicture::keyPressed, this, &Form2::onKey);
    drawCross(QPoint(x, y));
    m_picture->setFocus();
}

void Form2::fitToPicture()
{
    resize((m_picture->size() + Margin).boundedTo(screen()->availableGeometry().size()));
}

void Form2::drawCross(QPoint cross)
{
    m_picture->setCross(cross);
    m_offsetExchange = QStringLiteral("%1|%2").arg(cross.x()).arg(cross.y());
}

void Form2::onKey(int key)
{
    QPoint cross = m_picture->cross();
    switch (key) {
    case Qt::Key_Up: cross.ry() -= 1; break;
    case Qt::Key_Down: cross.ry() += 1; break;
    case Qt::Key_Left: cross.rx() -= 1; break;
    case Qt::Key_Right: cross.rx() += 1; break;
    case Qt::Key_Return:
    case Qt::Key_Enter: accept(); return;
    case Qt::Key_Escape: reject(); return;
    default: break;
    }
    drawCross(cross);
}

} // namespace classic
