#pragma once

#include <QListWidget>

namespace browser {

// Folder list: the ancestors of the current folder from the root down, the
// current folder itself, then its sub-folders, indented by depth. Activating
// an entry (double click or Enter) enters that folder.
class DirList : public QListWidget {
    Q_OBJECT
public:
    explicit DirList(QWidget* parent = nullptr);

    // The current folder in native separators.
    QString path() const;
    // Shows `path` when it is a readable folder; false, and the list
    // unchanged, otherwise. Emits pathChanged when the folder changes.
    bool setPath(const QString& path);
    // Re-reads the current folder's sub-folders.
    void refresh();

signals:
    void pathChanged(const QString& path);
    // An activated folder could not be read; the list stayed where it was.
    void pathRefused(const QString& path);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fill();
    void onActivated(QListWidgetItem* item);

    QString m_path; // clean, with "/" separators
    // The starting folder is listed when first shown, as a window usually
    // moves to another folder before that.
    bool m_listed = false;
};

} // namespace browser
