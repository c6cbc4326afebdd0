#include "editor/window/FrmMain.h"

#include "browser/MenuAction.h"
#include "editor/panels/AttackPanel.h"
#include "editor/panels/BrowserPanel.h"
#include "editor/canvas/CanvasView.h"
#include "editor/controls/ChoiceCombo.h"
#include "editor/panels/DisplayGroup.h"
#include "editor/panels/FrameListGroup.h"
#include "editor/window/Messages.h"
#include "editor/panels/ReferenceBar.h"
#include "editor/character/CharacterSession.h"
#include "browser/DirList.h"
#include "browser/DriveList.h"
#include "browser/FileList.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"
#include "model/text/Numbers.h"
#include "model/files/RecoveryKeeper.h"
#include "program/AboutBox.h"
#include "zoom/ZoomControl.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoGroup>

#ifndef KES_VERSION
#error "KES_VERSION must be defined by the build"
#endif

namespace animbox {

namespace {

qint16 originCoordinate(int innerSize, double share)
{
    return model::toInt16(model::roundHalfEven(innerSize * share)).value_or(0);
}

} // namespace

FrmMain::FrmMain(const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent)
    , m_settings(settingsPath)
    , m_undoGroup(new QUndoGroup(this))
    , m_freeDocument(new AnimationDocument(this))
    , m_document(m_freeDocument)
{
    setObjectName(QStringLiteral("FrmMain"));
    auto* central = new QWidget(this);
    setCentralWidget(central);
    m_browser = new BrowserPanel(central);
    m_panelToggle = new QPushButton(QStringLiteral("-"), central);
    m_panelToggle->setObjectName(QStringLiteral("Command9"));
    m_reference = new ReferenceBar(central);
    m_canvas = new CanvasView(central);
    m_frameList = new FrameListGroup(central);
    m_display = new DisplayGroup(central);
    m_attack = new AttackPanel(central);
    setAcceptDrops(true);
    createFileMenu();
    createEditMenu();
    createMenu();
    createWindowMenu();
    language::addLanguageMenu(menuBar(), language::installedLanguage(), m_settings.languageCode(),
                              [this](const QString& code) { m_settings.setLanguageCode(code); });
    program::addHelpMenu(menuBar(), program::Program::Animbox);
    connectControls();
    connectDocument();
    setUpEditing();
    central->installEventFilter(this);
    central->setMinimumSize(clientWidth(), kClientHeight);
    layoutControls(QSize(clientWidth(), kClientHeight));
    Form_Load();
}

// The open file's documents and the free one take their histories down
// while the window still stands; they signal as they go.
FrmMain::~FrmMain()
{
    for (const QMetaObject::Connection& connection : std::as_const(m_documentConnections))
        disconnect(connection);
    m_session.reset();
    m_freeDocument->undoStack()->disconnect(this);
    disconnect(qApp, nullptr, this, nullptr);
}

void FrmMain::createMenu()
{
    QMenu* menu = menuBar()->addMenu(tr("操作"));
    menu->setObjectName(QStringLiteral("Operation"));
    const auto add = [this, menu](const char* name, const QString& caption, QKeySequence key, auto slot) {
        return browser::addMenuAction(menu, this, name, caption, key, slot);
    };
    add("minitframe", tr("初始化帧"), Qt::Key_F2, [this] { RunSchemeDialog(); });
    add("mgentext", tr("生成动画文本"), Qt::Key_F8, &FrmMain::GenerateAnimationText);
    menu->addSeparator();
    add("pframe", tr("上一帧"), Qt::Key_F3, &FrmMain::pframe_Click);
    add("Nframe", tr("下一帧"), Qt::Key_F4, &FrmMain::Nframe_Click);
    menu->addSeparator();
    add("mplay", tr("播放当前动画"), Qt::Key_F5, &FrmMain::mplay_Click);
    add("mploop", tr("循环播放当前动画3次"), QKeySequence(Qt::CTRL | Qt::Key_F5), &FrmMain::mploop_Click);
    menu->addSeparator();
    add("moa", tr("坐标统一调整"), QKeySequence(), &FrmMain::moa_Click);
    add("mFromText", tr("从文本生成帧"), Qt::Key_F6, &FrmMain::FramesFromText);
    menu->addSeparator();
    QAction* check = add("mcheck", tr("检查角色"), Qt::Key_F7, &FrmMain::checkCharacter);
    // The title names the open file, so it changes whenever the file does.
    check->setEnabled(false);
    connect(this, &QWidget::windowTitleChanged, check, [this, check] { check->setEnabled(m_session != nullptr); });
}

void FrmMain::connectControls()
{
    connect(m_panelToggle, &QPushButton::clicked, this, &FrmMain::Command9_Click);
    connect(m_browser, &BrowserPanel::folderRefused, this,
            [this](const QString& path) { showMessage(this, msg::folderUnreadable() + path); });
    connect(m_browser->cmdAddFrame(), &QPushButton::clicked, this, &FrmMain::cmdAddFrame_Click);
    connect(m_browser->Command5(), &QPushButton::clicked, this, &FrmMain::Command5_Click);
    connect(m_browser->File1(), &browser::FileList::fileClicked, this, &FrmMain::File1_Click);
    connect(m_browser->File1(), &browser::FileList::fileActivated, this, &FrmMain::cmdAddFrame_Click);

    connect(m_frameList->Command4(), &QPushButton::clicked, this, &FrmMain::Command4_Click);
    connect(m_frameList->Command7(), &QPushButton::clicked, this, &FrmMain::Command7_Click);
    connect(m_frameList->Command10(), &QPushButton::clicked, this, &FrmMain::Command10_Click);
    connect(m_frameList->Command6(), &QPushButton::clicked, this, &FrmMain::Command6_Click);
    connect(List1(), &QListWidget::itemSelectionChanged, this, &FrmMain::List1_Click);

    connect(m_display->cbBox(), &QCheckBox::clicked, this, &FrmMain::cbBox_Click);
    connect(m_display->cDrawLast(), &QCheckBox::clicked, this, &FrmMain::cDrawLast_Click);
    connect(m_display->txtDelay(), &QLineEdit::textChanged, this, &FrmMain::txtDelay_Change);

    connect(m_canvas, &CanvasView::mousePressed, this, &FrmMain::PicEdit_MouseDown);
    connect(m_canvas, &CanvasView::mouseMoved, this, &FrmMain::PicEdit_MouseMove);
    connect(m_canvas, &CanvasView::mouseReleased, this, &FrmMain::PicEdit_MouseUp);
    connect(m_canvas, &CanvasView::keyPressed, this, &FrmMain::PicEdit_KeyDown);

    connect(m_attack->txtAtType(), &ChoiceCombo::chosen, this, &FrmMain::txtAtType_Click);
    connect(m_attack->txtPow(), &QLineEdit::textChanged, this, &FrmMain::txtPow_Change);
    connect(m_attack->txtDown(), &QCheckBox::clicked, this, &FrmMain::txtDown_Click);
    connect(m_attack->txtBlock(), &QCheckBox::clicked, this, &FrmMain::txtBlock_Click);
    connect(m_attack->txtFlash(), &QCheckBox::clicked, this, &FrmMain::txtFlash_Click);
    connect(m_attack->txtPause(), &ChoiceCombo::chosen, this, &FrmMain::txtPause_Click);
    connect(m_attack->Command1(), &QPushButton::clicked, this, &FrmMain::Command1_Click);
    connect(m_attack->Command8(), &QPushButton::clicked, this, &FrmMain::Command8_Click);
    connect(m_attack->CmdClearAt(), &QPushButton::clicked, this, &FrmMain::CmdClearAt_Click);
    connect(m_attack->Command2(), &QPushButton::clicked, this, &FrmMain::Command2_Click);
    connect(m_reference->Command3(), &QPushButton::clicked, this, &FrmMain::Command3_Click);
}

void FrmMain::Form_Load()
{
    const auto color = model::toInt32(model::roundHalfEven(
        model::leadingNumber(m_settings.ReadSetting(QStringLiteral("transparentcolor")))));
    setTransparentColor(color.value_or(0));
    updateCanvasOrigin();
    updateTitle();
    m_attack->txtAtType()->setCurrentIndex(0);

    // Each restoring step may fail (a drive or folder that is gone); the next
    // one still runs. The pattern comes first, so that the file list reads the
    // saved folder once, already filtered.
    m_browser->Text4()->setText(m_settings.ReadSetting(QStringLiteral("pat")));
    m_browser->applyPattern();
    const QString drive = m_settings.ReadSetting(QStringLiteral("drive"));
    if (!drive.isEmpty())
        m_browser->Drive1()->setDrive(drive);
    const QString dir = m_settings.ReadSetting(QStringLiteral("dir"));
    if (!dir.isEmpty())
        m_browser->showFolder(dir);
}

void FrmMain::Form_Unload()
{
    m_settings.WriteSetting(QStringLiteral("drive"), m_browser->Drive1()->drive());
    m_settings.WriteSetting(QStringLiteral("dir"), m_browser->Dir1()->path());
    m_settings.WriteSetting(QStringLiteral("pat"), m_browser->Text4()->text());
}

// "*" follows the program's name while the animation differs from its clean
// state; an opened file and animation come first.
void FrmMain::updateTitle()
{
    QString title = programTitle() + QStringLiteral("[*] ") + QStringLiteral(KES_VERSION);
    if (m_session) {
        title = QStringLiteral("%1 [%2] - %3 - %4")
                    .arg(QFileInfo(m_session->link().path()).fileName(),
                         model::encodingName(m_session->character().encoding()), animationName(), title);
    }
    setWindowTitle(title);
}

void FrmMain::closeEvent(QCloseEvent* event)
{
    if (!askToKeepChanges()) {
        event->ignore();
        return;
    }
    if (m_recovery)
        m_recovery->forget();
    Form_Unload();
    event->accept();
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget()) {
        if (event->type() == QEvent::Resize)
            resized();
        return QMainWindow::eventFilter(watched, event);
    }
    // The typing boxes (delay, damage) leave the undo keys to the window, so
    // they undo whole steps rather than the box's own typing; their typing is
    // one step until they lose the focus. So do the choice boxes (attack kind,
    // pause), which keep the focus after a choice and whose typing never
    // stores: their own undo has nothing to offer.
    if (event->type() == QEvent::ShortcutOverride && isUndoKey(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::FocusOut)
        m_document->endMerging();
    return QMainWindow::eventFilter(watched, event);
}

void FrmMain::layoutControls(QSize client)
{
    const int dw = qMax(0, client.width() - clientWidth());
    const int dh = qMax(0, client.height() - kClientHeight);
    const int right = 808 + dw;
    const int side = m_attack->sizeHint().width();
    m_panelToggle->setGeometry(0, 0, 17, 17);
    m_browser->move(0, 8);
    m_browser->layoutFor(497 + dh);
    m_browser->setVisible(m_panelShown);
    m_panelToggle->raise();
    m_reference->move(ReferenceBar::kLeft, 0);
    if (m_panelShown)
        m_canvas->setGeometry(184, 24, 617 + dw, 489 + dh);
    else
        m_canvas->setGeometry(4, 24, 797 + dw, 489 + dh);
    m_zoomLabel->setGeometry(721 + dw, 2, 80, 18);
    m_frameList->setGeometry(right, 8, side, 297);
    m_display->setGeometry(right, 312, side, 96);
    m_attack->setGeometry(right, 412, side, AttackPanel::kHeight);
}

// The right-hand column takes the attack panel's width, which its captions
// may widen (English): the window grows by as much.
int FrmMain::clientWidth() const
{
    return kClientWidth + m_attack->sizeHint().width() - AttackPanel::kWidth;
}

void FrmMain::updateCanvasOrigin()
{
    const QSize inner = m_canvas->innerSize();
    m_canvasOriginX = originCoordinate(inner.width(), 0.45);
    m_canvasOriginY = originCoordinate(inner.height(), 0.7);
    m_canvas->zoom()->setOrigin(QPoint(m_canvasOriginX, m_canvasOriginY));
}

// The panel toggle moves the anchor cross by the same rule as at start and
// shows the selected frame there, as any command that redraws it does.
void FrmMain::relayout()
{
    layoutControls(centralWidget()->size());
    updateCanvasOrigin();
    DrawFrame(selectedRow(), true);
}

// A window resize moves the anchor cross by the same rule and draws again
// what the canvas showed, the reference frame included; the panel keeps what
// it shows.
void FrmMain::resized()
{
    layoutControls(centralWidget()->size());
    updateCanvasOrigin();
    if (m_reference->toggle() == ReferenceBar::Toggle::OffersListFrame)
        drawReference();
    else
        DrawFrame(selectedRow(), false);
}

void FrmMain::Command9_Click()
{
    m_panelShown = !m_panelShown;
    m_panelToggle->setText(m_panelShown ? QStringLiteral("-") : QStringLiteral("+"));
    relayout();
}

QAction* FrmMain::menuAction(const QString& name) const
{
    return findChild<QAction*>(name);
}

QListWidget* FrmMain::List1() const
{
    return m_frameList->List1();
}

QString FrmMain::browserFolder() const
{
    return m_browser->folder();
}

bool FrmMain::FrameSelected() const
{
    return selectedRow() >= 0;
}

bool FrmMain::HasFrames()
{
    if (animation().hasFrames())
        return true;
    showMessage(this, msg::noFrames());
    return false;
}

int FrmMain::selectedRow() const
{
    return m_document->selection();
}

// The selection is the highlighted row of List1. The list's current row can
// differ: focus by keyboard makes a row current without highlighting it, and
// Ctrl+click takes the highlight off the current row.
int FrmMain::highlightedRow() const
{
    const QList<QListWidgetItem*> selected = List1()->selectedItems();
    return selected.isEmpty() ? -1 : List1()->row(selected.first());
}

void FrmMain::setTransparentColor(qint32 color)
{
    m_transparentColor = color;
    m_canvas->setKeyColor(CanvasView::rgbFromColorValue(color));
    ShowTransparentColor();
}

void FrmMain::ShowTransparentColor()
{
    m_display->setSwatchColor(QColor(CanvasView::rgbFromColorValue(m_transparentColor)));
}

void FrmMain::DrawFrame(int index, bool reloadPanel)
{
    if (index < 0 || index >= animation().frames.size())
        return;
    m_reference->setToggle(ReferenceBar::Toggle::OffersReference);
    m_canvas->clearPicture();
    if (m_display->cDrawLast()->isChecked() && index > 0) {
        const model::FrameRecord& previous = animation().frames[index - 1];
        m_canvas->drawSprite(previous.picture, spriteCorner(previous));
    }
    const model::FrameRecord& record = animation().frames[index];
    m_canvas->drawSprite(record.picture, spriteCorner(record));
    m_canvas->drawCross(QPoint(m_canvasOriginX, m_canvasOriginY));
    m_canvas->present();
    if (reloadPanel)
        LoadAttackPanel(index);
    ShowAttackBoxes(index);
    ShowBodyBoxes(index);
}

namespace {

// Places the shapes of one side for a frame whose sprite corner is at
// `corner`: the ordinary box, and the extended one only while the ordinary
// one shows.
void showBoxPair(BoxShape* shape, const model::Box& box, model::BoxState state, BoxShape* extShape,
                 const model::Box& extBox, model::BoxState extState, QPoint corner, bool boxesOn)
{
    const auto place = [&corner](BoxShape* s, const model::Box& b, bool visible) {
        s->setCanvasRect(QRect(corner.x() + b.x, corner.y() + b.y, b.width, b.height));
        s->setVisible(visible);
    };
    const bool shown = boxesOn && state == model::BoxState::Normal;
    place(shape, box, shown);
    if (!shown) {
        extShape->hide();
        return;
    }
    place(extShape, extBox, boxesOn && extState == model::BoxState::Normal);
}

} // namespace

QPoint FrmMain::spriteCorner(const model::FrameRecord& record) const
{
    return QPoint(m_canvasOriginX, m_canvasOriginY) - QPoint(record.offsetX, record.offsetY);
}

void FrmMain::ShowAttackBoxes(int index)
{
    if (index < 0 || index >= animation().frames.size())
        return;
    const model::FrameRecord& r = animation().frames[index];
    showBoxPair(m_canvas->shape2(), r.attackBox, r.attackEmpty, m_canvas->shape2a(), r.extAttackBox,
                r.extAttackEmpty, spriteCorner(r), m_display->cbBox()->isChecked());
}

void FrmMain::ShowBodyBoxes(int index)
{
    if (index < 0 || index >= animation().frames.size())
        return;
    const model::FrameRecord& r = animation().frames[index];
    // Blue again after a red rubber band.
    m_canvas->shape1()->setBorderColor(QColor(0, 0, 255));
    m_canvas->shape1a()->setBorderColor(QColor(0, 0, 255));
    showBoxPair(m_canvas->shape1(), r.bodyBox, r.bodyEmpty, m_canvas->shape1a(), r.extBodyBox,
                r.extBodyEmpty, spriteCorner(r), m_display->cbBox()->isChecked());
}

void FrmMain::LoadAttackPanel(int index)
{
    if (index >= 0 && index < animation().frames.size())
        m_attack->load(animation().frames[index]);
}

void FrmMain::LoadDelayText(int index)
{
    if (index < 0 || index >= animation().frames.size())
        return;
    const QSignalBlocker blocker(m_display->txtDelay());
    m_display->txtDelay()->setText(QString::number(animation().frames[index].frameDelay));
}

void FrmMain::cbBox_Click()
{
    DrawFrame(selectedRow(), false);
}

void FrmMain::cDrawLast_Click()
{
    DrawFrame(selectedRow(), false);
}

} // namespace animbox
