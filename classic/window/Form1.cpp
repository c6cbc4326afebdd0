#include "classic/window/Form1.h"

#include "classic/canvas/Playback.h"
#include "classic/script/ScriptBox.h"
#include "browser/DirList.h"
#include "browser/DriveList.h"
#include "browser/FileList.h"
#include "browser/PlainMessage.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"
#include "model/files/BrowserRules.h"
#include "program/AboutBox.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QShortcut>

namespace classic {

namespace {

const QString ProductName = QStringLiteral("Kestrum Frame Editor");

} // namespace

Form1::Form1(QSettings* settings, QWidget* parent)
    : QMainWindow(parent)
    , m_settings(settings ? settings : userSettings(this))
{
    setObjectName(QStringLiteral("Form1"));
    m_ui.setupUi(this);
    setWindowTitle(ProductName + u' ' + QStringLiteral(KES_CLASSIC_VERSION));
    m_file = new ScriptFile(this, m_ui.Text1, m_settings);
    // The last menu; a choice is kept in the window's settings for the next start.
    language::addLanguageMenu(menuBar(), m_settings);
    program::addHelpMenu(menuBar(), program::Program::Classic);
    m_currentFolder = m_ui.File1->path();
    connectBrowser();
    connectFrameList();
    connectCommands();
    setUpPlayback();
    m_ui.Text3->installEventFilter(this);
    restoreSettings();
    setUpZoom();
}

QSettings* Form1::userSettings(QObject* parent)
{
    return new QSettings(QSettings::UserScope, QStringLiteral("Kestrum"), ProductName, parent);
}

QStringList Form1::catalogs()
{
    return {language::kSharedCatalog, QStringLiteral("classic")};
}

QString Form1::scriptText() const
{
    return m_ui.Text1->scriptText();
}

void Form1::setScriptText(const QString& text)
{
    m_ui.Text1->writeBack(text);
}

void Form1::connectBrowser()
{
    connect(m_ui.Drive1, &browser::DriveList::driveChanged, this, &Form1::onDriveChanged);
    connect(m_ui.Dir1, &browser::DirList::pathChanged, this, &Form1::onFolderChanged);
    connect(m_ui.Dir1, &browser::DirList::pathRefused, this,
            [this](const QString& folder) { message(tr("The folder %1 cannot be read.").arg(folder)); });
    connect(m_ui.Text4, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ui.File1->setPattern(model::patternFromText(text)); });
    connect(m_ui.File1, &browser::FileList::fileClicked, this, &Form1::onFileClicked);
    const auto addSelectedFile = [this] { m_ui.List1->addItem(m_ui.File1->fileName()); };
    connect(m_ui.File1, &browser::FileList::fileActivated, this, addSelectedFile);
    connect(m_ui.Command2, &QPushButton::clicked, this, addSelectedFile);
    connect(m_ui.Command5, &QPushButton::clicked, this, [this] { m_ui.List1->addItems(m_ui.File1->fileNames()); });
}

void Form1::connectFrameList()
{
    connect(m_ui.List1, &QListWidget::currentRowChanged, this, &Form1::onFrameSelected);
    // A click on the row already selected brings the canvas back after a preview.
    connect(m_ui.List1, &QListWidget::itemClicked, this, [this] {
        if (m_ui.PicEdit->isHidden())
            onFrameSelected();
    });
    connect(m_ui.Command1, &QPushButton::clicked, this, &Form1::removeEntry);
    connect(m_ui.Command6, &QPushButton::clicked, this, &Form1::clearEntries);
    connect(m_ui.Command3, &QPushButton::clicked, this, [this] { moveEntry(-1); });
    connect(m_ui.Command4, &QPushButton::clicked, this, [this] { moveEntry(1); });
    connect(m_ui.PreviousFrame, &QAction::triggered, this, [this] { step(-1); });
    connect(m_ui.NextFrame, &QAction::triggered, this, [this] { step(1); });
    connect(m_ui.mBackColor, &QAction::triggered, this, &Form1::toggleBackground);
}

void Form1::connectCommands()
{
    // The outlines follow the switch at once, not only at the next frame.
    connect(m_ui.Check2, &QCheckBox::toggled, this, &Form1::redrawSelectedFrame);
    connect(m_ui.Option1, &QRadioButton::toggled, this, [this](bool on) { m_bodyBoxMode = !on; });
    connect(m_ui.Command7, &QPushButton::clicked, this, &Form1::setDisplacement);
    connect(m_ui.Command8, &QPushButton::clicked, this, &Form1::addEmptyBox);
    connect(m_ui.Command9, &QPushButton::clicked, this, &Form1::insertDefinition);
    connect(m_ui.Command10, &QPushButton::clicked, this, &Form1::shiftAllOffsets);
    connect(m_ui.Initial, &QAction::triggered, this, &Form1::generateInitialText);
    connect(m_ui.Clip, &QAction::triggered, this, &Form1::copyText);
    connect(m_ui.mReverse, &QAction::triggered, this, &Form1::listFramesFromText);
    connect(m_ui.PicEdit, &Canvas::pressed, this, &Form1::onCanvasPressed);
    connect(m_ui.PicEdit, &Canvas::moved, this, &Form1::onCanvasMoved);
    connect(m_ui.PicEdit, &Canvas::released, this, &Form1::onCanvasReleased);

    ScriptBox* text = m_ui.Text1;
    connect(m_ui.mUndo, &QAction::triggered, text, &ScriptBox::undoStep);
    connect(m_ui.mRedo, &QAction::triggered, text, &ScriptBox::redoStep);
    connect(text, &QPlainTextEdit::undoAvailable, m_ui.mUndo, &QAction::setEnabled);
    connect(text, &QPlainTextEdit::redoAvailable, m_ui.mRedo, &QAction::setEnabled);
    // The canvas shows the selected frame as the restored text describes it.
    connect(text, &ScriptBox::historyRestored, this, [this] {
        if (m_ui.List1->currentRow() >= 0)
            onFrameSelected();
    });
}

// One press of a play key starts playback, the next one stops it; so do
// Escape, any edit of the text or the list, and closing the window.
void Form1::setUpPlayback()
{
    m_playback = new Playback([this] { return m_ui.List1->count(); }, [this](int row) { return playRow(row); }, this);
    connect(m_ui.Play, &QAction::triggered, this, [this] { togglePlayback(1); });
    connect(m_ui.PlayLoop, &QAction::triggered, this, [this] { togglePlayback(3); });
    auto* escape = new QShortcut(Qt::Key_Escape, this);
    escape->setEnabled(false);
    connect(escape, &QShortcut::activated, m_playback, &Playback::stop);
    connect(m_playback, &Playback::playingChanged, escape, &QShortcut::setEnabled);
    connect(m_ui.Text1->document(), &QTextDocument::contentsChanged, m_playback, &Playback::stop);
    const QAbstractItemModel* rows = m_ui.List1->model();
    connect(rows, &QAbstractItemModel::rowsInserted, m_playback, &Playback::stop);
    connect(rows, &QAbstractItemModel::rowsRemoved, m_playback, &Playback::stop);
    connect(rows, &QAbstractItemModel::modelReset, m_playback, &Playback::stop);
}

// Each stored value that no longer applies (a drive or folder that is gone)
// is skipped; the next one is still tried.
void Form1::restoreSettings()
{
    m_settings->beginGroup(QStringLiteral("set"));
    const QString drive = m_settings->value(QStringLiteral("drive")).toString();
    const QString folder = m_settings->value(QStringLiteral("dir")).toString();
    const QString pattern = m_settings->value(QStringLiteral("pat")).toString();
    m_settings->endGroup();

    // The pattern comes first, so that the file list reads the saved folder
    // once, already filtered; it follows the folder list through pathChanged.
    m_ui.Text4->setText(pattern);
    m_ui.File1->setPattern(model::patternFromText(m_ui.Text4->text()));
    m_ui.Drive1->setDrive(drive);
    m_ui.Dir1->setPath(folder);
    m_currentFolder = m_ui.File1->path();
}

void Form1::saveSettings()
{
    m_settings->beginGroup(QStringLiteral("set"));
    m_settings->setValue(QStringLiteral("drive"), m_ui.Drive1->drive());
    m_settings->setValue(QStringLiteral("dir"), m_ui.Dir1->path());
    m_settings->setValue(QStringLiteral("pat"), m_ui.Text4->text());
    m_settings->endGroup();
    m_settings->sync();
}

void Form1::closeEvent(QCloseEvent* event)
{
    m_playback->stop();
    if (!m_file->askToKeepChanges()) {
        event->ignore();
        return;
    }
    m_file->closed();
    saveSettings();
    event->accept();
}

void Form1::message(const QString& text)
{
    browser::showPlainMessage(this, QMessageBox::NoIcon, ProductName, text);
}

} // namespace classic
