#include "TestHelpers.h"

#include "editor/character/CharacterPanel.h"
#include "editor/panels/BrowserPanel.h"
#include "browser/FileList.h"
#include "demo/GifWriter.h"
#include "language/Translators.h"
#include "model/files/BrowserRules.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace testing {

namespace {

// The window tests read the Chinese texts of the sources on any machine
// locale: every test program that links these helpers starts in Chinese.
void startInChinese()
{
    language::installLanguage(language::Language::Chinese, {language::kSharedCatalog, QStringLiteral("animbox")});
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startInChinese)

Fixture::Fixture()
{
    QDir(m_dir.path()).mkpath(QStringLiteral("game/data/chars/test"));
    QDir(m_dir.path()).mkpath(QStringLiteral("plain"));
}

bool Fixture::isValid() const
{
    return m_dir.isValid() && QDir(sprites()).exists() && !model::isDataFolder(plain());
}

bool Fixture::writeSprite(const QString& name, QSize size, QRgb background, QRgb foreground, const QString& folder)
{
    const QString target = folder.isEmpty() ? sprites() : folder;
    return tools::writeGif(QDir(target).filePath(name), tools::makeSprite(size, background, foreground));
}

std::unique_ptr<animbox::FrmMain> Fixture::window(const QString& folder)
{
    auto window = std::make_unique<animbox::FrmMain>(settingsPath());
    window->Picture1()->showFolder(folder.isEmpty() ? sprites() : folder);
    return window;
}

bool addFrames(animbox::FrmMain& window, const QStringList& names)
{
    browser::FileList* files = window.Picture1()->File1();
    for (const QString& name : names) {
        const QList<QListWidgetItem*> found = files->findItems(name, Qt::MatchExactly);
        if (found.size() != 1)
            return false;
        files->setCurrentItem(found.first());
        window.Picture1()->cmdAddFrame()->click();
    }
    return true;
}

void chooseAnimation(animbox::FrmMain& window, const QString& name)
{
    QTreeWidget* list = window.characterPanel()->list();
    const QList<QTreeWidgetItem*> found = list->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QCOMPARE(found.size(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    QCOMPARE(window.animationName(), name);
}

void press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* window = widget->window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QWidget* target = widget == window && QApplication::focusWidget() ? QApplication::focusWidget() : widget;
    target->setFocus();
    QTest::keyClick(target, key, modifiers);
}

std::function<void(QDialog*)> readFrames(const QString& game, const QString& text)
{
    return [game, text](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(game);
        dialog->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->setPlainText(text);
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    };
}

std::function<void(QDialog*)> acceptScheme(std::function<void(QDialog*)> prepare)
{
    return [prepare](QDialog* dialog) {
        if (prepare)
            prepare(dialog);
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    };
}

} // namespace testing
