#pragma once

#include "classic/canvas/Canvas.h"
#include "classic/script/ClassicScript.h"
#include "classic/script/ScriptFile.h"
#include "classic/window/Form1Ui.h"

#include <QImage>
#include <QMainWindow>

#include <optional>

class QSettings;

namespace classic {

class Playback;

// The main window of the classic editor. The script text in `Text1` is the
// animation: the frame list holds image names of the browser's folder, and
// every command finds or inserts one line of the text for the selected frame
// and writes the text back. The canvas shows the selected frame as the lines
// in force for it describe it.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // `settings` is the store of the browser's drive, folder and pattern and
    // of the language chosen in the menu; when none is given userSettings()
    // is used.
    explicit Form1(QSettings* settings = nullptr, QWidget* parent = nullptr);

    // The per-user store of "Kestrum Frame Editor".
    static QSettings* userSettings(QObject* parent);
    // The English catalogs of the window's texts.
    static QStringList catalogs();

    const Form1Ui& ui() const { return m_ui; }
    // The file commands of the script text.
    ScriptFile& scriptFile() const { return *m_file; }

    // The script text with CR LF line ends, whatever the box holds.
    QString scriptText() const;
    // Writes the script text back as one undo step of the text box.
    void setScriptText(const QString& text);

    QString currentFolder() const { return m_currentFolder; }
    Offset currentOffset() const { return m_currentOffset; }
    QPoint spritePosition() const { return m_spritePosition; }
    QPoint anchor() const { return m_anchor; }

    // "播放" and "循环播放".
    Playback& playback() const { return *m_playback; }

    // Draws the selected frame. Its pause in milliseconds (0 for a frame the
    // text does not define, which playback does not draw again), or nullopt
    // when its image cannot be shown.
    std::optional<int> showFrame(bool playing);
    // Sets one line ("keyword" TAB values) for the selected frame.
    void setFrameLine(const QString& line);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectBrowser();
    void connectFrameList();
    void connectCommands();
    void setUpPlayback();
    void restoreSettings();
    void saveSettings();
    void setUpZoom();

    void onDriveChanged(const QString& drive);
    void onFolderChanged(const QString& folder);
    void onFileClicked(const QString& name);
    std::optional<int> onFrameSelected();
    void selectRow(int row);
    void moveEntry(int step);
    void removeEntry();
    void clearEntries();
    void step(int direction);
    // Starts `runs` runs of playback, or stops the one that is playing.
    void togglePlayback(int runs);
    std::optional<int> playRow(int row);
    void toggleBackground();
    // Shows the selected frame again when the canvas is showing it.
    void redrawSelectedFrame();

    QString selectedName() const;
    QString framePath(const QString& name) const;
    // The image at `path`, or a null image after telling the user why not.
    QImage loadImage(const QString& path);
    void placeBoxShape(const QString& line, Canvas::Shape shape);

    void generateInitialText();
    void insertDefinition();
    void listFramesFromText();
    void shiftFrameOffset(qint32 dx, qint32 dy);
    void shiftAllOffsets();
    void addEmptyBox();
    void copyText();
    void setDisplacement();

    void onCanvasPressed(QPoint at, Qt::MouseButton button);
    void onCanvasMoved(QPoint at, Qt::MouseButtons buttons);
    void onCanvasReleased(QPoint at, Qt::MouseButton button);
    Canvas::Shape activeShape() const;

    void message(const QString& text);

    Form1Ui m_ui;
    QSettings* m_settings;
    ScriptFile* m_file = nullptr;
    QString m_currentFolder;
    bool m_bodyBoxMode = false;
    Offset m_currentOffset;
    QPoint m_spritePosition;
    QPoint m_anchor;
    Playback* m_playback = nullptr;
};

} // namespace classic
