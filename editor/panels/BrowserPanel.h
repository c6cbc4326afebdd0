#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace browser {
class DriveList;
class DirList;
class FileList;
} // namespace browser

namespace animbox {

// The image-browser panel Picture1: drive, folder and file lists, the
// pattern box and the two add buttons. It keeps the three lists linked (a new
// drive moves the folder list, a new folder moves the file list, every edit
// of the pattern box sets the file pattern) and reports a folder it could not
// open.
class BrowserPanel : public QWidget {
    Q_OBJECT
public:
    explicit BrowserPanel(QWidget* parent = nullptr);

    browser::DriveList* Drive1() const { return m_drive; }
    browser::DirList* Dir1() const { return m_dir; }
    browser::FileList* File1() const { return m_file; }
    QLineEdit* Text4() const { return m_pattern; }
    QPushButton* cmdAddFrame() const { return m_addFrame; }
    QPushButton* Command5() const { return m_addAll; }

    // The browser folder: the folder the file list shows.
    QString folder() const;
    // Shows `path` in the folder and file lists (and its drive); false when
    // it cannot be opened.
    bool showFolder(const QString& path);
    // The pattern rule on the pattern box's text.
    void applyPattern();

    // Lays the controls out for a panel `height` pixels high.
    void layoutFor(int height);

signals:
    void folderRefused(const QString& path);

private:
    void onDriveChanged(const QString& drive);

    QWidget* m_group;
    browser::DriveList* m_drive;
    browser::DirList* m_dir;
    browser::FileList* m_file;
    QLineEdit* m_pattern;
    QPushButton* m_addFrame;
    QPushButton* m_addAll;
};

} // namespace animbox
