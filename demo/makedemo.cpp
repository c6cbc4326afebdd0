// Writes the demo character below <out>/demo/data/chars/hero/: GIF sprites
// of a simple figure standing, walking, punching and kicking on a magenta
// key-colour background, and its model script hero.txt with those four
// animations.
//
// usage: makedemo <out folder>

#include "demo/DemoPoses.h"
#include "demo/DemoScript.h"
#include "demo/GifWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QSaveFile>

#include <cstdio>

namespace {

constexpr QRgb kKey = 0xffff00ff;

QImage drawFigure(const demo::Pose& pose)
{
    QImage image(pose.width, demo::kSpriteHeight, QImage::Format_RGB32);
    image.fill(kKey);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPointF hips = pose.hips();
    const QPointF shoulders = pose.shoulders();

    p.setPen(QPen(QColor(60, 60, 110), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hips, pose.foot(pose.rearLeg));
    p.setPen(QPen(QColor(70, 70, 140), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hips, pose.foot(pose.frontLeg));

    p.setPen(QPen(QColor(40, 90, 200), 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hips, shoulders);

    for (const double arm : {pose.rearArm, pose.frontArm}) {
        const QPointF hand = pose.hand(arm);
        p.setPen(QPen(QColor(230, 180, 130), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(shoulders, hand);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 40, 40));
        p.drawEllipse(hand, 4, 4);
    }
    p.setPen(QPen(QColor(90, 50, 20), 2));
    p.setBrush(QColor(250, 205, 160));
    p.drawEllipse(pose.head(), demo::Pose::kHeadRadius, demo::Pose::kHeadRadius);
    return image;
}

bool writeSprites(const QDir& folder, const demo::DemoAnimation& animation)
{
    for (int i = 0; i < animation.poses.size(); ++i) {
        QString error;
        if (!tools::writeGif(folder.filePath(demo::spriteName(animation, i)), drawFigure(animation.poses[i]), &error)) {
            std::fprintf(stderr, "makedemo: %s\n", qPrintable(error));
            return false;
        }
    }
    return true;
}

bool writeScript(const QDir& folder)
{
    QString error;
    const QString script = demo::heroScript(folder.path(), &error);
    QSaveFile file(folder.filePath(QStringLiteral("hero.txt")));
    if (script.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(script.toUtf8()) < 0 || !file.commit()) {
        std::fprintf(stderr, "makedemo: hero.txt: %s\n", qPrintable(error.isEmpty() ? file.errorString() : error));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: makedemo <out folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QString sprites = out.filePath(QStringLiteral("demo/data/chars/hero"));
    if (!QDir().mkpath(sprites)) {
        std::fprintf(stderr, "makedemo: cannot create %s\n", qPrintable(sprites));
        return 1;
    }
    const QDir folder(sprites);
    for (const demo::DemoAnimation& animation : demo::demoAnimations()) {
        if (!writeSprites(folder, animation))
            return 1;
    }
    return writeScript(folder) ? 0 : 1;
}
