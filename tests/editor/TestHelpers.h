#pragma once

#include "editor/window/FrmMain.h"
#include "ModalDriver.h"

#include <QDialog>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace testing {

// A game folder in a temporary directory: <root>/game/data/chars/test holds
// the sprites; <root>/plain is a folder without "data" in its path.
class Fixture {
public:
    Fixture();
    bool isValid() const;

    QString root() const { return m_dir.path(); }
    QString game() const { return m_dir.filePath(QStringLiteral("game")); }
    QString sprites() const { return m_dir.filePath(QStringLiteral("game/data/chars/test")); }
    QString plain() const { return m_dir.filePath(QStringLiteral("plain")); }
    QString settingsPath() const { return m_dir.filePath(QStringLiteral("settings.ini")); }

    // Writes a sprite GIF of `size` into `folder` (the sprite folder by default).
    bool writeSprite(const QString& name, QSize size, QRgb background = 0xffff00ff,
                     QRgb foreground = 0xff00ff00, const QString& folder = QString());

    // A main window on this fixture's settings with the browser on `folder`.
    std::unique_ptr<animbox::FrmMain> window(const QString& folder = QString());

private:
    QTemporaryDir m_dir;
};

// Adds `names` as frames one by one through the browser's "加入帧".
bool addFrames(animbox::FrmMain& window, const QStringList& names);

// Shows the animation `name` with a click in the character panel.
void chooseAnimation(animbox::FrmMain& window, const QString& name);

// Presses `key` in `widget`, or in the widget with the focus when `widget` is
// a window, the window active again as after a dialog.
void press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {});

// Fills the dialog of "从文本生成帧" with the game folder and `text`, then
// clicks "确定".
std::function<void(QDialog*)> readFrames(const QString& game, const QString& text);

// Clicks the OK button of the scheme dialog, after `prepare` set its controls.
std::function<void(QDialog*)> acceptScheme(std::function<void(QDialog*)> prepare = {});

} // namespace testing
