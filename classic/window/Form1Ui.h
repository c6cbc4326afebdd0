#pragma once

#include <QCoreApplication>
#include <QSize>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QWidget;

namespace browser {
class DirList;
class DriveList;
class FileList;
} // namespace browser

namespace classic {

class Canvas;
class ScriptBox;

// The controls of the classic main window at their fixed places, each named
// as the window's code refers to it. setupUi builds them into the window.
struct Form1Ui {
    Q_DECLARE_TR_FUNCTIONS(classic::Form1Ui)

public:
    browser::DriveList* Drive1 = nullptr;
    browser::DirList* Dir1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text4 = nullptr;
    browser::FileList* File1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command5 = nullptr;
    QLabel* Label8 = nullptr;
    QLineEdit* TxtOffset = nullptr;
    QCheckBox* checkls = nullptr;
    QLineEdit* txtLs = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* ckright = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command6 = nullptr;
    QListWidget* List1 = nullptr;
    Canvas* PicEdit = nullptr;
    QLabel* PicBuffer = nullptr;
    ScriptBox* Text1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QPushButton* Command7 = nullptr;
    QPushButton* Command8 = nullptr;
    QPlainTextEdit* Text3 = nullptr;
    QPushButton* Command10 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text5 = nullptr;
    QCheckBox* Check2 = nullptr;
    QStatusBar* stbar = nullptr;
    QLabel* panel1 = nullptr;
    QLabel* panel2 = nullptr;

    QAction* mUndo = nullptr;
    QAction* mRedo = nullptr;
    QAction* Initial = nullptr;
    QAction* Play = nullptr;
    QAction* PlayLoop = nullptr;
    QAction* Clip = nullptr;
    QAction* mBackColor = nullptr;
    QAction* PreviousFrame = nullptr;
    QAction* NextFrame = nullptr;
    QAction* mReverse = nullptr;

    void setupUi(QMainWindow* window);
    // The status bar's text of frame `number` (from 1) and its image size.
    static QString frameText(int number, QSize size);

private:
    void setupBrowser(QWidget* area);
    void setupFrameList(QWidget* area);
    void setupPanel(QWidget* area);
    void setupMenu(QMainWindow* window);
};

} // namespace classic
