#include "ModelFixtures.h"

#include "tools/GifWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace modeltest {

QString scriptLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += u'\t' + line + QStringLiteral("\r\n");
    return text;
}

bool writeSprite(const QString& root, const QString& relative, QSize size)
{
    const QString path = root + u'/' + relative;
    if (!QDir().mkpath(QFileInfo(path).path()))
        return false;
    return tools::writeGif(path, tools::makeSprite(size, qRgb(255, 0, 255), qRgb(20, 120, 40)));
}

namespace {

QString boxText(const model::Box& box)
{
    return QStringLiteral("%1 %2 %3 %4").arg(box.x).arg(box.y).arg(box.width).arg(box.height);
}

QString stateText(model::BoxState state)
{
    return QString::number(qint16(state));
}

// Collects "name: actual != expected" for each differing field.
class FieldDiff {
public:
    template <typename T, typename Show>
    void check(const char* name, const T& actual, const T& expected, Show show)
    {
        if (!(actual == expected))
            m_lines << QStringLiteral("%1: %2 != %3").arg(QLatin1String(name), show(actual), show(expected));
    }
    void number(const char* name, qint16 actual, qint16 expected)
    {
        check(name, actual, expected, [](qint16 v) { return QString::number(v); });
    }
    QString text() const { return m_lines.join(QStringLiteral("; ")); }

private:
    QStringList m_lines;
};

QString quoted(const QString& text)
{
    return u'"' + QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\\r\\n")) + u'"';
}

} // namespace

QString recordDifferences(const model::FrameRecord& actual, const model::FrameRecord& expected)
{
    FieldDiff d;
    d.check("attackKind", actual.attackKind, expected.attackKind, quoted);
    d.check("attackBox", actual.attackBox, expected.attackBox, boxText);
    d.number("damage", actual.damage, expected.damage);
    d.number("knockdown", actual.knockdown, expected.knockdown);
    d.number("unblockable", actual.unblockable, expected.unblockable);
    d.number("noFlash", actual.noFlash, expected.noFlash);
    d.number("pause", actual.pause, expected.pause);
    d.number("depth", actual.depth, expected.depth);
    d.check("attackEmpty", actual.attackEmpty, expected.attackEmpty, stateText);
    d.check("extAttackBox", actual.extAttackBox, expected.extAttackBox, boxText);
    d.check("extAttackEmpty", actual.extAttackEmpty, expected.extAttackEmpty, stateText);
    d.check("bodyBox", actual.bodyBox, expected.bodyBox, boxText);
    d.check("bodyEmpty", actual.bodyEmpty, expected.bodyEmpty, stateText);
    d.check("extBodyBox", actual.extBodyBox, expected.extBodyBox, boxText);
    d.check("extBodyEmpty", actual.extBodyEmpty, expected.extBodyEmpty, stateText);
    d.number("offsetX", actual.offsetX, expected.offsetX);
    d.number("offsetY", actual.offsetY, expected.offsetY);
    d.number("frameDelay", actual.frameDelay, expected.frameDelay);
    d.number("imageWidth", actual.imageWidth, expected.imageWidth);
    d.number("imageHeight", actual.imageHeight, expected.imageHeight);
    d.check("extra", actual.extra, expected.extra, quoted);
    return d.text();
}

model::ImageLoader CountingLoader::loader()
{
    return [this](const QString& path, QString* error) {
        ++m_calls[path];
        ++m_total;
        QImageReader reader(path);
        QImage image = reader.read();
        if (image.isNull() && error)
            *error = reader.errorString();
        return image;
    };
}

} // namespace modeltest
