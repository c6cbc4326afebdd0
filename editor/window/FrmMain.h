#pragma once

#include "editor/dialogs/PendingText.h"
#include "editor/document/AnimationDocument.h"
#include "editor/settings/IniSettings.h"
#include "model/animation/Animation.h"

#include <QImage>
#include <QMainWindow>
#include <QPointF>

#include <memory>
#include <optional>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QUndoGroup;

namespace model {
class RecoveryKeeper;
struct ReadResult;
struct RecoveryData;
} // namespace model

namespace animbox {

class AttackPanel;
class BrowserPanel;
class CanvasGestures;
class CanvasView;
class CharacterCheckDock;
class CharacterPanel;
class CharacterSession;
class DisplayGroup;
class FrameListGroup;
class Playback;
class ReferenceBar;

// The frame editor's main window. It holds the document with the animation
// being edited, composes the browser panel, the canvas, the frame list, the
// display group and the attack panel, turns their events into steps on the
// document, and redraws them when the document changes. With a character
// file open, the character panel lists its animations and the window edits
// the one chosen there; each has its own document.
class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1069;
    static constexpr int kClientHeight = 519;

    // Reads its settings from, and writes them to, `settingsPath`.
    explicit FrmMain(const QString& settingsPath, QWidget* parent = nullptr);
    ~FrmMain() override;

    AnimationDocument& document() const { return *m_document; }
    model::Animation& animation() const { return m_document->animation(); }
    const IniSettings& settings() const { return m_settings; }
    PendingText& pending() { return m_pending; }

    // Guards of the frame commands; HasFrames shows "没有帧." when false.
    bool FrameSelected() const;
    bool HasFrames();
    int selectedRow() const;

    qint16 canvasOriginX() const { return m_canvasOriginX; }
    qint16 canvasOriginY() const { return m_canvasOriginY; }
    // The sprite key colour as 0x00BBGGRR.
    qint32 transparentColor() const { return m_transparentColor; }
    void setTransparentColor(qint32 color);

    // Canvas rendering.
    void DrawFrame(int index, bool reloadPanel);
    void ShowAttackBoxes(int index);
    void ShowBodyBoxes(int index);
    void ShowTransparentColor();
    void LoadAttackPanel(int index);
    void LoadDelayText(int index);
    // Canvas point of the top-left corner of a frame's sprite.
    QPoint spriteCorner(const model::FrameRecord& record) const;

    // Schemes and script text.
    enum class SchemeResult { NotRun, Applied, NoDataFolder, Rejected };
    SchemeResult RunSchemeDialog();
    SchemeResult ApplyScheme(const QString& schemeText);
    void GenerateAnimationText();
    void FramesFromText();

    // Character files (FrmMainFile.cpp): "打开…" of `path` into the
    // character panel, showing the animation `animName` (the first when
    // empty); "保存", which writes every change of the file (or asks where
    // an animation of no file goes); "另存为动画…".
    bool openCharacterFile(const QString& path, const QString& animName = QString());
    bool saveAnimation();
    bool saveAnimationAs();

    // The character panel (FrmMainCharacter.cpp), made when the first file
    // opens.
    CharacterPanel* characterPanel() const { return m_panel; }
    // The name of the animation shown, of the open file; empty without one.
    QString animationName() const;
    // Shows the animation `id` of the open file in the editor.
    bool showAnimation(quint32 id);
    // Shows the animation of a finding at `line` of `bytes`, the character
    // file `path` as checked: switches to it when the file is open, else
    // opens the file at the animation `name`.
    bool showFinding(const QString& path, const QByteArray& bytes, int line, const QString& name);

    // Recovery, dropped files and the command line (FrmMainRecovery.cpp).
    // Keeps unsaved work in a recovery file of this window's own in the
    // per-user `dataFolder` from now on (model::RecoveryKeeper).
    void keepRecovery(const QString& dataFolder);
    // Offers the work that windows no longer running left there, each once.
    void offerRecovery();
    // A character file and optionally an animation name, or image files.
    void openArguments(const QStringList& arguments);
    // Dropped files: a .txt file opens, .gif files become frames.
    void openFiles(const QStringList& paths);

    // The browser folder: the folder of every frame image.
    QString browserFolder() const;

    // Controls, by their names.
    CanvasView* PicEdit() const { return m_canvas; }
    QListWidget* List1() const;
    BrowserPanel* Picture1() const { return m_browser; }
    QPushButton* Command9() const { return m_panelToggle; }
    // The zoom level of the canvas.
    QLabel* lblZoom() const { return m_zoomLabel; }
    ReferenceBar* referenceBar() const { return m_reference; }
    FrameListGroup* frameListGroup() const { return m_frameList; }
    DisplayGroup* Frame3() const { return m_display; }
    AttackPanel* FmAbox() const { return m_attack; }
    // A menu item by its name (mundo, mredo, minitframe, mgentext, mplay ...).
    QAction* menuAction(const QString& name) const;
    Playback& playback() const { return *m_playback; }

signals:
    // The history of the animation shown moved, or another animation is shown.
    void documentHistoryMoved();

public slots:
    // Frame list and browser commands.
    void cmdAddFrame_Click();
    void Command5_Click();
    void Command4_Click();
    void Command7_Click();
    void Command10_Click();
    void Command6_Click();
    void List1_Click();
    void Command9_Click();
    void File1_Click(const QString& name);
    void cbBox_Click();
    void cDrawLast_Click();

    // Canvas gestures (FrmMainHooks.cpp), the property panel
    // (FrmMainPanel.cpp), the global adjustment, the reference frame,
    // playback and frame stepping (FrmMainView.cpp).
    void PicEdit_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF point);
    void PicEdit_MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPointF point);
    void PicEdit_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF point);
    void PicEdit_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void txtAtType_Click();
    void txtPow_Change();
    void txtDown_Click();
    void txtBlock_Click();
    void txtFlash_Click();
    void txtPause_Click();
    void txtDelay_Change();
    void Command1_Click();
    void Command8_Click();
    void CmdClearAt_Click();
    void Command2_Click();
    void Command3_Click();
    void mplay_Click();
    void mploop_Click();
    void pframe_Click();
    void Nframe_Click();
    void moa_Click();
    // Applies the move command that FrmAdjust left in the hand-over buffer.
    void offsetadjust();
    // "检查角色": checks the open character file (FrmMainCheck.cpp).
    void checkCharacter();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createFileMenu();
    void updateRecentMenu();
    void updateTitle();
    void mopen_Click();
    QString openFolder() const;
    QString gameFolderFor(const QString& file);
    // The file a save writes into: its bytes (the bytes as last read or
    // written, for a file that is gone) and whether it is the open file.
    struct SaveTarget {
        QByteArray bytes;
        bool linked = false;
    };
    std::optional<SaveTarget> saveTarget(const QString& file);
    bool saveCharacter();
    bool writeAnimation(const QString& path, const QString& name);
    void linkWrittenAnimation(const QString& file, const QByteArray& bytes, int block);
    bool askToKeepChanges();
    bool hasUnsavedWork() const;
    void workChanged();
    model::RecoveryData recoveryData() const;
    void restoreRecords(const model::RecoveryData& data);
    void restoreCharacter(const model::RecoveryData& data, const QJsonObject& state);
    QStringList loadRecordImages(model::Animation& animation) const;
    void restoreText(const model::RecoveryData& data);

    // The character panel and the switching between documents
    // (FrmMainCharacter.cpp).
    void startSession(std::unique_ptr<CharacterSession> session);
    void createWindowMenu();
    void setPanelShown(bool shown);
    void showList(quint32 show);
    void setDocument(AnimationDocument* document);
    void activateHistory();
    void newAnimation();
    void renameAnimation();
    void duplicateAnimation();
    void deleteAnimation();
    std::optional<QString> askAnimationName(const QString& title, const QString& proposed, quint32 except);
    void createMenu();
    void createEditMenu();
    void watchFreeDocument();
    void connectControls();
    void setUpEditing();
    void setUpZoom();
    void Form_Load();
    void Form_Unload();
    int clientWidth() const;
    void layoutControls(QSize client);
    void updateCanvasOrigin();
    void relayout();
    void resized();
    void drawReference();
    int highlightedRow() const;

    // Frame list helpers (FrmMainFrames.cpp).
    std::optional<model::FrameRecord> AddFrameRecord(const QString& name);
    void appendRows(const QStringList& names);
    void removeLastRows(int count);

    // Redrawing from the document (FrmMainDocument.cpp).
    void connectDocument();
    void showDocument();
    void showRows();
    void showChange(Refresh how);
    void showSelection();
    bool isUndoKey(const QKeyEvent* event) const;

    IniSettings m_settings;
    PendingText m_pending;
    QUndoGroup* m_undoGroup = nullptr;
    // The animation of no file, edited while no file is open.
    AnimationDocument* m_freeDocument = nullptr;
    // The document shown: the free one, or one of the open file's.
    AnimationDocument* m_document = nullptr;
    QList<QMetaObject::Connection> m_documentConnections;
    qint16 m_canvasOriginX = 0;
    qint16 m_canvasOriginY = 0;
    qint32 m_transparentColor = 0;
    bool m_panelShown = true;
    // The reference frame last drawn, and the point of it on the cross.
    QImage m_referenceImage;
    QPoint m_referenceAnchor;

    QPushButton* m_panelToggle = nullptr;
    QLabel* m_zoomLabel = nullptr;
    BrowserPanel* m_browser = nullptr;
    ReferenceBar* m_reference = nullptr;
    CanvasView* m_canvas = nullptr;
    FrameListGroup* m_frameList = nullptr;
    DisplayGroup* m_display = nullptr;
    AttackPanel* m_attack = nullptr;
    CanvasGestures* m_gestures = nullptr;
    Playback* m_playback = nullptr;
    // Made when first used, so that starting the window costs nothing more.
    CharacterCheckDock* m_check = nullptr;

    CharacterPanel* m_panel = nullptr;
    quint32 m_current = 0; // the animation shown, of the open file

    QList<QAction*> m_recentActions;
    // Not a child: it goes before the document, whose undo history still
    // signals while the window's children are deleted.
    std::unique_ptr<model::RecoveryKeeper> m_recovery;
    // Goes first, with its documents, while the window still stands.
    std::unique_ptr<CharacterSession> m_session;
};

} // namespace animbox
