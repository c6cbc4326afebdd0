#include "ProgramWindow.h"

#include "browser/FileList.h"
#include "classic/window/Form1.h"
#include "demo/GifWriter.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/window/FrmMain.h"
#include "pakunpack/Form1.h"

#include <QtTest>
#include <QtWidgets>

namespace programtests {

QString spriteFolder(const QString& folder)
{
    return folder + QStringLiteral("/game/data/chars/hero");
}

std::unique_ptr<QWidget> openWindow(program::Program program, const QString& folder)
{
    const QString sprites = spriteFolder(folder);
    const QImage sprite = tools::makeSprite(QSize(64, 80), qRgb(0, 128, 128), qRgb(200, 40, 40));
    if (!QDir().mkpath(sprites) || !tools::writeGif(sprites + "/a01.gif", sprite)
        || !tools::writeGif(sprites + "/idle00.gif", sprite))
        return nullptr;
    auto* settings = new QSettings(folder + QStringLiteral("/settings.conf"), QSettings::IniFormat);
    settings->setValue(QStringLiteral("set/dir"), sprites);
    std::unique_ptr<QWidget> window;
    if (program == program::Program::Classic)
        window = std::make_unique<classic::Form1>(settings);
    else if (program == program::Program::Pakunpack)
        window = std::make_unique<pakunpack::Form1>(QString(), folder + QStringLiteral("/no tool"), settings);
    else
        window = std::make_unique<animbox::FrmMain>(folder + QStringLiteral("/settings.ini"));
    settings->setParent(window.get());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    if (auto* animbox = qobject_cast<animbox::FrmMain*>(window.get())) {
        animbox->Picture1()->showFolder(sprites);
        const QList<QListWidgetItem*> found = animbox->Picture1()->File1()->findItems("a01.gif", Qt::MatchExactly);
        if (found.size() != 1)
            return nullptr;
        animbox->Picture1()->File1()->setCurrentItem(found[0]);
        animbox->Picture1()->cmdAddFrame()->click();
        animbox->List1()->setCurrentRow(0);
    }
    return window;
}

} // namespace programtests
