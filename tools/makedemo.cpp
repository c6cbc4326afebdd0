// Writes the demo character: GIF sprites of a simple figure standing, walking,
// punching and kicking on a magenta key-colour background, below
// <out>/demo/data/chars/hero/.
//
// usage: makedemo <out folder>

#include "tools/GifWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QtMath>

#include <cstdio>

namespace {

constexpr QRgb kKey = 0xffff00ff;
constexpr int kHeight = 140;

// Joint angles in degrees (0 = straight down, positive = forward) and a
// vertical body shift.
struct Pose {
    double rearArm = 10;
    double frontArm = -10;
    double rearLeg = -8;
    double frontLeg = 8;
    int bob = 0;
    int width = 120;
};

QPointF limbEnd(QPointF start, double length, double degrees)
{
    const double rad = qDegreesToRadians(degrees);
    return start + QPointF(std::sin(rad) * length, std::cos(rad) * length);
}

QImage drawFigure(const Pose& pose)
{
    QImage image(pose.width, kHeight, QImage::Format_RGB32);
    image.fill(kKey);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const double cx = pose.width / 2.0;
    const double hip = kHeight - 2 - 44 + pose.bob;
    const QPointF hips(cx, hip);
    const QPointF shoulders(cx, hip - 40);

    p.setPen(QPen(QColor(60, 60, 110), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hips, limbEnd(hips, 44 - pose.bob, pose.rearLeg));
    p.setPen(QPen(QColor(70, 70, 140), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hips, limbEnd(hips, 44 - pose.bob, pose.frontLeg));

    p.setPen(QPen(QColor(40, 90, 200), 12, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hips, shoulders);

    for (const double arm : {pose.rearArm, pose.frontArm}) {
        const QPointF hand = limbEnd(shoulders, 34, arm);
        p.setPen(QPen(QColor(230, 180, 130), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(shoulders, hand);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 40, 40));
        p.drawEllipse(hand, 4, 4);
    }
    p.setPen(QPen(QColor(90, 50, 20), 2));
    p.setBrush(QColor(250, 205, 160));
    p.drawEllipse(shoulders - QPointF(0, 14), 11, 11);
    return image;
}

QList<Pose> idlePoses()
{
    QList<Pose> poses;
    for (int i = 0; i < 8; ++i) {
        Pose pose;
        pose.bob = int(std::round(2 * std::sin(i * M_PI / 4)));
        pose.rearArm = 10 + pose.bob * 2;
        pose.frontArm = -10 - pose.bob * 2;
        poses.append(pose);
    }
    return poses;
}

QList<Pose> walkPoses()
{
    QList<Pose> poses;
    for (int i = 0; i < 8; ++i) {
        Pose pose;
        const double swing = 25 * std::sin(i * M_PI / 4);
        pose.frontLeg = swing;
        pose.rearLeg = -swing;
        pose.frontArm = -swing;
        pose.rearArm = swing;
        pose.bob = i % 4 == 0 ? 0 : 1;
        poses.append(pose);
    }
    return poses;
}

// Punches and kicks reach past the standing width, so these sprites are
// wider; the figure stays centred, as the default scheme expects.
QList<Pose> punchPoses()
{
    QList<Pose> poses;
    const double reach[] = {-10, 20, 50, 80, 95, 95, 80, 50, 20, -10};
    for (const double angle : reach) {
        Pose pose;
        pose.width = 160;
        pose.frontArm = angle;
        pose.rearArm = 30;
        pose.frontLeg = 20;
        pose.rearLeg = -15;
        poses.append(pose);
    }
    return poses;
}

QList<Pose> kickPoses()
{
    QList<Pose> poses;
    const double lift[] = {10, 40, 75, 95, 60, 15};
    for (const double angle : lift) {
        Pose pose;
        pose.width = 160;
        pose.frontLeg = angle;
        pose.rearLeg = -10;
        pose.frontArm = -40;
        pose.rearArm = 40;
        poses.append(pose);
    }
    return poses;
}

bool writeSeries(const QDir& folder, const QString& name, const QList<Pose>& poses)
{
    for (int i = 0; i < poses.size(); ++i) {
        const QString path = folder.filePath(QStringLiteral("%1%2.gif").arg(name).arg(i, 2, 10, QChar(u'0')));
        QString error;
        if (!tools::writeGif(path, drawFigure(poses[i]), &error)) {
            std::fprintf(stderr, "makedemo: %s\n", qPrintable(error));
            return false;
        }
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
    const bool ok = writeSeries(folder, QStringLiteral("idle"), idlePoses())
        && writeSeries(folder, QStringLiteral("walk"), walkPoses())
        && writeSeries(folder, QStringLiteral("punch"), punchPoses())
        && writeSeries(folder, QStringLiteral("kick"), kickPoses());
    return ok ? 0 : 1;
}
