#include "EditorTests.h"

#include "../FileBytes.h"
#include "EditingFixture.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/canvas/CanvasView.h"
#include "editor/panels/DisplayGroup.h"
#include "browser/DirList.h"
#include "browser/FileList.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using editing::EditingFixture;

// The first start, without settings, shows the folder the program was
// started in, as it was then, and takes the defaults; what the window keeps
// at its close comes back at the next start.
void EditorTest::settingsFirstRunAndRoundTrip()
{
    testing::Fixture fixture;
    QVERIFY(fixture.isValid() && !QFile::exists(fixture.settingsPath()));
    QVERIFY(fixture.writeSprite(QStringLiteral("idle00.gif"), {4, 4}) && fixture.writeSprite(QStringLiteral("kick00.gif"), {4, 4}));
    QVERIFY(QDir(fixture.sprites()).mkdir(QStringLiteral("sprite-sub")));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(fixture.sprites()));
    {
        animbox::FrmMain window(fixture.settingsPath());
        QDir::setCurrent(previous);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.transparentColor(), 0);
        QCOMPARE(window.Picture1()->File1()->pattern(), QStringLiteral("*.gif"));
        QCOMPARE(window.Picture1()->File1()->fileNames(), (QStringList{"idle00.gif", "kick00.gif"}));
        QCOMPARE(window.Picture1()->Dir1()->findItems(QStringLiteral(" sprite-sub"), Qt::MatchEndsWith).size(), 1);
        window.Picture1()->Text4()->setText(QStringLiteral("idle"));
        window.close();
    }
    const QByteArray text = testfiles::fileBytes(fixture.settingsPath());
    QVERIFY(text.startsWith("[settings]\r\n"));
    QVERIFY(text.contains("\r\ndir=" + fixture.sprites().toLocal8Bit() + "\r\npat=idle\r\n"));
    // A colour is stored with a leading blank; a value is cut to 254 bytes, never inside a character.
    const animbox::IniSettings settings(fixture.settingsPath());
    settings.WriteSetting(QStringLiteral("transparentcolor"), QStringLiteral(" 16711935"));
    settings.WriteSetting(QStringLiteral("WK_Path"), QString(100, QChar(0x5E27)));
    QCOMPARE(settings.ReadSetting(QStringLiteral("WK_Path")), QString(84, QChar(0x5E27)));
    animbox::FrmMain window(fixture.settingsPath());
    QCOMPARE(window.transparentColor(), 16711935);
    QCOMPARE(window.browserFolder(), fixture.sprites());
    QCOMPARE(window.Picture1()->File1()->pattern(), QStringLiteral("idle*.gif"));
    QCOMPARE(window.Picture1()->File1()->fileNames(), QStringList{QStringLiteral("idle00.gif")});
    // Start-up read the file once, for every key: a later change by another program is not seen.
    QVERIFY(QFile::remove(fixture.settingsPath()));
    QCOMPARE(window.settings().ReadSetting(QStringLiteral("WK_Path")), QString(84, QChar(0x5E27)));
#ifdef Q_OS_LINUX
    // Where the program's folder takes no new file (nobody, not even an
    // administrator, can create files in /proc), the settings go to the user's.
    const QString userFolder = QDir(fixture.root()).filePath(QStringLiteral("config"));
    QCOMPARE(animbox::IniSettings::locate(QStringLiteral("/proc"), userFolder),
             userFolder + QStringLiteral("/settings.ini"));
    QVERIFY(QFileInfo(userFolder).isDir());
#endif
}

void EditorTest::patternRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("files");
    const QStringList gifs{"A1.gif", "b2.GIF", "idle00.gif", "Idle10.gif", "k12.gif", "kick.gif"};
    QTest::newRow("prefix") << "idle" << "idle*.gif" << QStringList{"idle00.gif", "Idle10.gif"};
    QTest::newRow("list") << "*.gif;*.bmp" << "*.gif;*.bmp" << (QStringList{"a.bmp"} + gifs);
    QTest::newRow("refused keeps previous") << ";" << "k*.gif" << QStringList{"k12.gif", "kick.gif"};
    // A pattern cannot reach into another folder.
    QTest::newRow("folder separator refused") << "../*" << "k*.gif" << QStringList{"k12.gif", "kick.gif"};
    QTest::newRow("backslash refused") << "sub\\*" << "k*.gif" << QStringList{"k12.gif", "kick.gif"};
}

// Hidden files, folders and other kinds stay out; names sort ignoring case.
void EditorTest::patternRule()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QStringList, files);
    EditingFixture f;
    QVERIFY(f.files.isValid() && QDir(f.files.sprites()).mkdir(QStringLiteral("folder.gif")));
    for (const char* name : {"idle00.gif", "Idle10.gif", "k12.gif", "kick.gif", "A1.gif", "b2.GIF", ".hidden.gif",
                             "a.bmp", "readme.txt"})
        QVERIFY(f.files.writeSprite(QLatin1String(name), {4, 4}));
    animbox::FrmMain* window = f.show();
    QVERIFY(window);
    window->Picture1()->Text4()->setText(QStringLiteral("k"));
    window->Picture1()->Text4()->setText(text);
    QCOMPARE(window->Picture1()->File1()->pattern(), pattern);
    QCOMPARE(window->Picture1()->File1()->fileNames(), files);
}

// Sprites on magenta, the key colour: a green 60 x 60 frame before a blue
// 20 x 20 one, each anchored at its bottom centre less 2 pixels, on the
// canvas and in the browser's preview.
void EditorTest::spritesOnCanvasAndPreview()
{
    constexpr QRgb kGreen = 0xff00ff00;
    constexpr QRgb kBlue = 0xff0000ff;
    EditingFixture f;
    QVERIFY(f.files.writeSprite(QStringLiteral("big.gif"), {60, 60}, 0xffff00ff, kGreen));
    QVERIFY(f.files.writeSprite(QStringLiteral("small.gif"), {20, 20}, 0xffff00ff, kBlue));
    animbox::FrmMain* window = f.show();
    QVERIFY(window);
    window->setTransparentColor(0xff00ff);
    QVERIFY(testing::addFrames(*window, {QStringLiteral("big.gif"), QStringLiteral("small.gif")}));
    window->Frame3()->cDrawLast()->click();
    window->List1()->setCurrentRow(1);
    // The pixels at `points` of the canvas's picture, or of a grab of the
    // widget, which shows the picture inside a 2-pixel border.
    const auto pixels = [canvas = window->PicEdit()](const QList<QPoint>& points, bool grabbed = false) {
        const QImage grab = grabbed ? canvas->grab().toImage() : QImage();
        QList<QRgb> colours;
        for (const QPoint& point : points)
            colours.append(grabbed ? grab.pixel(point + QPoint(2, 2)) | 0xff000000u : canvas->pixelAt(point));
        return colours;
    };
    const QRgb cross = window->PicEdit()->palette().color(QPalette::WindowText).rgb();
    const QRgb back = animbox::CanvasView::kBackground;
    const QPoint big = f.origin() - QPoint(30, 58);
    const QPoint small = f.origin() - QPoint(10, 18);
    const QPoint o = f.origin();
    QCOMPARE(pixels({big, big + QPoint(2, 2), small + QPoint(1, 2), small + QPoint(2, 2), o, o + QPoint(5, 0)}, true),
             (QList<QRgb>{back, kGreen, kGreen, kBlue, cross, cross}));
    // A key colour neither sprite holds makes both opaque: the small one
    // hides the big one where it lies and nowhere else, the cross shows over both.
    window->setTransparentColor(0x030201);
    window->DrawFrame(1, false);
    QCOMPARE(pixels({big, small + QPoint(1, 2), small + QPoint(-1, 2), small + QPoint(2, 2), o - QPoint(5, 0)}),
             (QList<QRgb>{0xffff00ff, 0xffff00ff, kGreen, kBlue, cross}));
    window->setTransparentColor(0xff00ff);
    window->DrawFrame(1, false);
    window->Frame3()->cDrawLast()->click();
    QCOMPARE(pixels({small + QPoint(1, 2), small + QPoint(2, 2)}), (QList<QRgb>{back, kBlue}));
    // Without its picture a frame draws the cross and its boxes, one of negative size normalised.
    window->animation().frames[1].picture = QImage();
    window->animation().frames[1].bodyBox = {5, 5, -10, -8};
    window->DrawFrame(1, true);
    QCOMPARE(pixels({small + QPoint(2, 2), o}), (QList<QRgb>{back, cross}));
    QCOMPARE(window->PicEdit()->shape1()->geometry(), QRect(small + QPoint(-5, -3) + QPoint(2, 2), QSize(10, 8)));
    QVERIFY(window->PicEdit()->shape1()->isVisible());
    // The file list previews the file clicked and each file the arrow keys reach.
    browser::FileList* files = window->Picture1()->File1();
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualItemRect(files->item(0)).center());
    QCOMPARE(window->Frame3()->Image1()->pixmap().size(), QSize(60, 60));
    QTest::keyClick(files, Qt::Key_Down);
    QCOMPARE(files->fileName(), QStringLiteral("small.gif"));
    QCOMPARE(window->Frame3()->Image1()->pixmap().size(), QSize(20, 20));
}
