#pragma once

#include "editor/FrmMain.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>

namespace editing {

// Answers modal windows while a command runs: message boxes are recorded and
// closed with OK; other dialogs go to the queued handlers in order (and are
// rejected, counted in unexpectedDialogs, when none is left).
class ModalAnswerer : public QObject {
    Q_OBJECT
public:
    ModalAnswerer();
    void onDialog(std::function<void(QDialog*)> handler) { m_handlers.append(std::move(handler)); }

    QStringList messages;
    int unexpectedDialogs = 0;

private:
    void poll();

    QTimer m_timer;
    QList<std::function<void(QDialog*)>> m_handlers;
    QPointer<QDialog> m_handling;
};

// A game folder in a temporary directory with sprites below data/, and a
// main window on it whose list holds frames made from those sprites.
class EditingFixture {
public:
    EditingFixture();
    bool isValid() const { return m_valid; }

    QString sprites() const { return m_dir.filePath(QStringLiteral("game/data/chars/test")); }
    QString settingsPath() const { return m_dir.filePath(QStringLiteral("settings.ini")); }
    bool writeSprite(const QString& name, QSize size, QRgb background = 0xffff00ff, QRgb foreground = 0xff00ff00);

    // Opens the main window on the sprite folder and adds `count` frames of
    // frame.gif through "加入帧"; the first row is selected when `select`.
    animbox::FrmMain* open(int count, bool select = true);
    animbox::FrmMain* window() const { return m_window.get(); }
    model::FrameRecord& frame(int row) const { return m_window->animation().frames[row]; }

    // The anchor cross in canvas pixels.
    QPoint canvasOrigin() const;

    // Mouse events on the canvas in canvas pixels, with any modifiers.
    void press(QPointF p, Qt::MouseButton button, Qt::KeyboardModifiers mods = {});
    void move(QPointF p, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = {});
    void release(QPointF p, Qt::MouseButton button, Qt::KeyboardModifiers mods = {});
    void drag(QPointF from, QPointF to, Qt::MouseButton button, Qt::KeyboardModifiers mods = {});

    ModalAnswerer modal;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
    std::unique_ptr<animbox::FrmMain> m_window;
};

} // namespace editing
