#include "EditorTests.h"

#include "editor/panels/TextRunCache.h"

#include <QPainter>
#include <QTest>

namespace {

// The rectangle of the drawn pixels of `image`, white where nothing is.
QRect inkOf(const QImage& image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ink |= QRect(x, y, 1, 1);
    return ink;
}

QImage drawn(const std::function<void(QPainter&, const QRect&)>& draw)
{
    QImage image(220, 80, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    draw(painter, QRect(4, 3, 200, 70));
    return image;
}

} // namespace

// The read-out drawn from kept runs stands where the whole text would: the
// same lines, the same place and width, a "\r" drawing nothing. The same
// cache serves a second text of the same runs and a change of font.
void EditorTest::textRunsDrawAsWholeText_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("one read-out") << QStringList{QStringLiteral("X边距:12\r\nY边距30")} << 12;
    QTest::newRow("runs again") << QStringList{QStringLiteral("X边距:12\r\nY边距30"),
                                               QStringLiteral("X边距:-5\r\nY边距-4")} << 12;
    QTest::newRow("larger font") << QStringList{QStringLiteral("X边距:+120\r\nY边距7")} << 20;
}

void EditorTest::textRunsDrawAsWholeText()
{
    QFETCH(QStringList, texts);
    QFETCH(int, pixelSize);
    animbox::TextRunCache cache;
    QFont small;
    small.setPixelSize(12);
    drawn([&](QPainter& p, const QRect& r) { cache.draw(p, r, QStringLiteral("X边距:9\r\nY边距9"), small); });
    QFont font;
    font.setPixelSize(pixelSize);
    for (const QString& text : texts) {
        const QRect runs = inkOf(drawn([&](QPainter& p, const QRect& r) { cache.draw(p, r, text, font); }));
        QString plain = text;
        plain.remove(u'\r');
        const QRect whole = inkOf(drawn([&](QPainter& p, const QRect& r) {
            p.setFont(font);
            p.drawText(r, Qt::AlignLeft | Qt::AlignTop, plain);
        }));
        QVERIFY(!whole.isEmpty());
        const auto near = [](int a, int b) { return qAbs(a - b) <= 1; };
        const bool same = near(runs.left(), whole.left()) && near(runs.top(), whole.top())
            && near(runs.right(), whole.right()) && near(runs.bottom(), whole.bottom());
        QVERIFY2(same, qPrintable(text));
    }
}
