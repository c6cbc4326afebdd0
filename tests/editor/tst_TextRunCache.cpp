#include "EditorTests.h"

#include "editor/panels/TextRunCache.h"

#include <QPainter>
#include <QTest>

namespace {

// The rectangle of the pixels that `draw` paints in black on white.
QRect inkOf(const std::function<void(QPainter&, const QRect&)>& draw)
{
    QImage image(220, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    draw(painter, QRect(4, 3, 200, 70));
    painter.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

// The read-out drawn from kept runs stands where the whole text would: the
// same lines, the same place and width, a "\r" drawing nothing. The same
// cache serves a second text of the same runs and a change of font.
void EditorTest::textRunsDrawAsWholeText()
{
    animbox::TextRunCache cache;
    const QList<std::pair<QString, int>> readOuts{
        {QStringLiteral("X边距:12\r\nY边距30"), 12}, {QStringLiteral("X边距:-5\r\nY边距-4"), 12},
        {QStringLiteral("X边距:+120\r\nY边距7"), 20}};
    for (const auto& readOut : readOuts) {
        const QString& text = readOut.first;
        QFont font;
        font.setPixelSize(readOut.second);
        const QRect runs = inkOf([&](QPainter& p, const QRect& r) { cache.draw(p, r, text, font); });
        const QString plain = QString(text).remove(u'\r');
        const QRect whole = inkOf([&](QPainter& p, const QRect& r) {
            p.setFont(font);
            p.drawText(r, Qt::AlignLeft | Qt::AlignTop, plain);
        });
        // Each edge within a pixel of the whole text's.
        const bool same = runs.adjusted(-1, -1, 1, 1).contains(whole) && whole.adjusted(-1, -1, 1, 1).contains(runs);
        QVERIFY2(!whole.isEmpty() && same, qPrintable(text));
    }
}
