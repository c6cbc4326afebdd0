#include "editor/panels/BrowserPanel.h"

#include "browser/DirList.h"
#include "browser/DriveList.h"
#include "browser/FileList.h"
#include "editor/controls/Widgets.h"
#include "language/CaptionWidth.h"
#include "model/files/BrowserRules.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace animbox {

namespace {

constexpr int kDefaultHeight = 497;

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

BrowserPanel::BrowserPanel(QWidget* parent)
    : QWidget(parent)
    , m_group(new QGroupBox(this))
    , m_drive(named(new browser::DriveList(m_group), "Drive1"))
    , m_dir(named(new browser::DirList(m_group), "Dir1"))
    , m_file(named(new browser::FileList(m_group), "File1"))
    , m_pattern(named(new QLineEdit(m_group), "Text4"))
    , m_addFrame(named(new QPushButton(tr("加入帧"), m_group), "cmdAddFrame"))
    , m_addAll(named(new QPushButton(tr("加入全部帧"), m_group), "Command5"))
{
    setObjectName(QStringLiteral("Picture1"));
    // The file and folder lists both start on the current folder.
    m_drive->setDrive(m_dir->path());
    layoutFor(kDefaultHeight);

    connect(m_drive, &browser::DriveList::driveChanged, this, &BrowserPanel::onDriveChanged);
    connect(m_dir, &browser::DirList::pathChanged, this, [this](const QString& path) {
        if (!m_file->setPath(path))
            emit folderRefused(path);
    });
    connect(m_dir, &browser::DirList::pathRefused, this, &BrowserPanel::folderRefused);
    connect(m_pattern, &QLineEdit::textChanged, this, &BrowserPanel::applyPattern);
}

QString BrowserPanel::folder() const
{
    return m_file->path();
}

bool BrowserPanel::showFolder(const QString& path)
{
    const QString shown = m_dir->path();
    if (!m_dir->setPath(path))
        return false;
    // Another folder reaches the file list through pathChanged; the same
    // one is read again here.
    if (m_dir->path() == shown)
        m_file->setPath(shown);
    m_drive->setDrive(m_dir->path());
    return true;
}

void BrowserPanel::applyPattern()
{
    // A refused pattern leaves the file list with its previous one.
    m_file->setPattern(model::patternFromText(m_pattern->text()));
}

void BrowserPanel::onDriveChanged(const QString& drive)
{
    if (browser::DriveList::rootOf(m_dir->path()) == drive)
        return;
    if (!m_dir->setPath(drive)) {
        emit folderRefused(drive);
        // Back to the drive of the folder still shown.
        const QSignalBlocker blocker(m_drive);
        m_drive->setDrive(m_dir->path());
    }
}

void BrowserPanel::layoutFor(int height)
{
    const int extra = height - kDefaultHeight;
    resize(177, height);
    m_group->setGeometry(0, 0, 169, 489 + extra);
    m_drive->setGeometry(8, 16, 145, 20);
    m_dir->setGeometry(8, 40, 145, 146);
    m_pattern->setGeometry(8, 192, 145, 25);
    m_addFrame->setGeometry(8, 224, 49, 25);
    m_addAll->setGeometry(64, 224, 89, 25);
    // Captions too long for the buttons side by side stack them, each as
    // wide as the lists, and the file list starts below them.
    int fileTop = 256;
    if (language::captionWidth(m_addFrame) > m_addFrame->width() || language::captionWidth(m_addAll) > m_addAll->width()) {
        m_addFrame->setGeometry(8, 224, 145, 25);
        m_addAll->setGeometry(8, 252, 145, 25);
        fileTop = 284;
    }
    m_file->setGeometry(8, fileTop, 145, 222 + extra - (fileTop - 256));
}

} // namespace animbox
