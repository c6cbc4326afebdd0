#include "classic/window/Form1Ui.h"

#include "classic/canvas/Canvas.h"
#include "classic/script/ScriptBox.h"
#include "browser/DirList.h"
#include "browser/DriveList.h"
#include "browser/FileList.h"
#include "language/CaptionWidth.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>

namespace classic {

namespace {

// Size of the window's client area without the menu bar; the status bar
// takes the bottom of it.
constexpr QSize ClientSize(952, 742);
constexpr int StatusBarHeight = 21;

// Creates a control of type T named `name` on `parent` at a fixed place.
template <typename T, typename... Args>
T* place(QWidget* parent, const char* name, QRect geometry, Args&&... args)
{
    auto* widget = new T(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

// A filled triangle painted at run time, so the buttons need no symbol font.
QIcon triangleIcon(bool up)
{
    QPixmap pixmap(9, 9);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QPolygonF shape = up ? QPolygonF{QPointF(0, 7.5), QPointF(9, 7.5), QPointF(4.5, 1)}
                               : QPolygonF{QPointF(0, 1.5), QPointF(9, 1.5), QPointF(4.5, 8)};
    painter.drawPolygon(shape);
    return QIcon(pixmap);
}

QAction* addAction(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace

void Form1Ui::setupUi(QMainWindow* window)
{
    QFont font = window->font();
    font.setPixelSize(12); // the fixed layout is drawn for a 12-pixel font
    window->setFont(font);

    auto* area = new QWidget(window);
    area->setObjectName(QStringLiteral("clientArea"));
    area->setFixedSize(ClientSize.width(), ClientSize.height() - StatusBarHeight);
    window->setCentralWidget(area);

    setupBrowser(area);
    setupFrameList(area);
    PicEdit = place<Canvas>(area, "PicEdit", QRect(8, 272, 569, 441));
    PicBuffer = place<QLabel>(area, "PicBuffer", QRect(8, 272, 1, 1));
    PicBuffer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PicBuffer->hide();
    Text1 = place<ScriptBox>(area, "Text1", QRect(592, 272, 345, 297));
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setTabStopDistance(4 * Text1->fontMetrics().horizontalAdvance(u' '));
    setupPanel(area);

    stbar = new QStatusBar(window);
    stbar->setObjectName(QStringLiteral("stbar"));
    stbar->setFixedHeight(StatusBarHeight);
    stbar->setSizeGripEnabled(false);
    panel1 = new QLabel(stbar);
    panel1->setObjectName(QStringLiteral("panel1"));
    // Wide enough for the frame text of a long list and a large sprite in the
    // window's font, and never narrower than the 120 pixels it always had.
    const int frameTextWidth = panel1->fontMetrics().horizontalAdvance(frameText(9999, QSize(99999, 99999)));
    panel1->setFixedWidth(qMax(120, frameTextWidth + 2 * panel1->fontMetrics().averageCharWidth()));
    panel2 = new QLabel(stbar);
    panel2->setObjectName(QStringLiteral("panel2"));
    stbar->addWidget(panel1);
    stbar->addWidget(panel2, 1);
    window->setStatusBar(stbar);

    setupMenu(window);
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QString Form1Ui::frameText(int number, QSize size)
{
    return tr("Frame:%1  %2 x %3").arg(number).arg(size.width()).arg(size.height());
}

void Form1Ui::setupBrowser(QWidget* area)
{
    Drive1 = place<browser::DriveList>(area, "Drive1", QRect(8, 8, 273, 20));
    Dir1 = place<browser::DirList>(area, "Dir1", QRect(8, 32, 273, 230));
    Label2 = place<QLabel>(area, "Label2", QRect(288, 8, 49, 17), tr("文件通配"));
    Text4 = place<QLineEdit>(area, "Text4", QRect(288, 24, 97, 18));
    File1 = place<browser::FileList>(area, "File1", QRect(288, 48, 297, 198));
    Command2 = place<QPushButton>(area, "Command2", QRect(432, 8, 145, 17), tr("添加该帧到动画列表"));
    Command5 = place<QPushButton>(area, "Command5", QRect(432, 24, 145, 17), tr("添加全部帧到动画列表"));
}

void Form1Ui::setupFrameList(QWidget* area)
{
    Label8 = place<QLabel>(area, "Label8", QRect(592, 8, 57, 17), tr("离地面"));
    TxtOffset = place<QLineEdit>(area, "TxtOffset", QRect(656, 8, 25, 18), QStringLiteral("2"));
    checkls = place<QCheckBox>(area, "checkls", QRect(688, 8, 57, 17), tr("固定"));
    txtLs = place<QLineEdit>(area, "txtLs", QRect(744, 8, 33, 18), QStringLiteral("30"));
    Label1 = place<QLabel>(area, "Label1", QRect(784, 8, 41, 17), tr("像素"));
    ckright = place<QCheckBox>(area, "ckright", QRect(816, 8, 81, 17), tr("从右侧固定"));
    // The row is free to its right, where a caption longer than the
    // original one may reach.
    language::widenToCaption(ckright);
    Command3 = place<QPushButton>(area, "Command3", QRect(592, 32, 17, 20));
    Command3->setIcon(triangleIcon(true));
    Command3->setToolTip(tr("上移"));
    Command4 = place<QPushButton>(area, "Command4", QRect(608, 32, 17, 20));
    Command4->setIcon(triangleIcon(false));
    Command4->setToolTip(tr("下移"));
    Command9 = place<QPushButton>(area, "Command9", QRect(688, 32, 129, 17), tr("InsertDefination"));
    Command1 = place<QPushButton>(area, "Command1", QRect(824, 32, 57, 17), tr("删除帧"));
    Command6 = place<QPushButton>(area, "Command6", QRect(880, 32, 57, 17), tr("清除帧"));
    List1 = place<QListWidget>(area, "List1", QRect(592, 56, 345, 196));
}

void Form1Ui::setupPanel(QWidget* area)
{
    Frame2 = place<QGroupBox>(area, "Frame2", QRect(592, 576, 345, 145));
    Frame3 = place<QGroupBox>(Frame2, "Frame3", QRect(8, 16, 89, 57), tr("当前设定为"));
    Option2 = place<QRadioButton>(Frame3, "Option2", QRect(8, 16, 73, 17), tr("受击框"));
    Option1 = place<QRadioButton>(Frame3, "Option1", QRect(8, 32, 65, 17), tr("攻击框"));
    Option1->setChecked(true);
    Command7 = place<QPushButton>(Frame2, "Command7", QRect(104, 16, 105, 17), tr("设置位移"));
    Command8 = place<QPushButton>(Frame2, "Command8", QRect(104, 32, 105, 17), tr("加入空判断框"));
    Text3 = place<QPlainTextEdit>(Frame2, "Text3", QRect(216, 16, 121, 41),
                                  tr("鼠标点击此处,方向键调整offset"));
    Text3->setReadOnly(true);
    Text3->setTabChangesFocus(true);
    Text3->setTextInteractionFlags(Qt::NoTextInteraction);
    Text3->setFocusPolicy(Qt::StrongFocus);
    Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Command10 = place<QPushButton>(Frame2, "Command10", QRect(8, 72, 121, 17), tr("全局offset调整"));
    Label3 = place<QLabel>(Frame2, "Label3", QRect(136, 72, 9, 17), QStringLiteral("x"));
    Text2 = place<QLineEdit>(Frame2, "Text2", QRect(152, 72, 25, 18), QStringLiteral("1"));
    Label4 = place<QLabel>(Frame2, "Label4", QRect(184, 72, 17, 17), QStringLiteral("y"));
    Text6 = place<QLineEdit>(Frame2, "Text6", QRect(200, 72, 25, 18), QStringLiteral("0"));
    Text5 = place<QLineEdit>(Frame2, "Text5", QRect(8, 96, 329, 25));
    Check2 = place<QCheckBox>(Frame2, "Check2", QRect(8, 120, 121, 17), tr("显示判定框"));
    Check2->setChecked(true);
}

void Form1Ui::setupMenu(QMainWindow* window)
{
    // The edit menu comes first, as in the frame editor.
    QMenu* edit = window->menuBar()->addMenu(tr("编辑"));
    edit->setObjectName(QStringLiteral("edit"));
    mUndo = addAction(edit, "mUndo", tr("撤销"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    mRedo = addAction(edit, "mRedo", tr("重做"));
    mRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mUndo->setEnabled(false);
    mRedo->setEnabled(false);

    QMenu* menu = window->menuBar()->addMenu(tr("操作"));
    menu->setObjectName(QStringLiteral("file"));
    Initial = addAction(menu, "Initial", tr("初始化帧"), Qt::Key_F2);
    menu->addSeparator();
    Play = addAction(menu, "Play", tr("播放"), Qt::Key_F5);
    PlayLoop = addAction(menu, "PlayLoop", tr("循环播放"), QKeySequence(Qt::CTRL | Qt::Key_F5));
    // One run per press: a held key does not start and stop playback over and over.
    Play->setAutoRepeat(false);
    PlayLoop->setAutoRepeat(false);
    menu->addSeparator();
    Clip = addAction(menu, "Clip", tr("复制文本到剪贴板"), Qt::Key_F7);
    menu->addSeparator();
    mBackColor = addAction(menu, "mBackColor", tr("粉红色背景"));
    mBackColor->setCheckable(true);
    menu->addSeparator();
    PreviousFrame = addAction(menu, "PreviousFrame", tr("上一帧"), Qt::Key_F3);
    NextFrame = addAction(menu, "NextFrame", tr("下一帧"), Qt::Key_F4);
    menu->addSeparator();
    mReverse = addAction(menu, "mReverse", tr("从文本得到帧"), QKeySequence(Qt::CTRL | Qt::Key_G));
}

} // namespace classic
