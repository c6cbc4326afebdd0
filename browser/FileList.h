#pragma once

#include <QListWidget>

namespace browser {

// The files of one folder whose names match a pattern list ("*.gif;*.bmp"),
// in name order ignoring letter case, without hidden files.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    // The folder shown, in native separators.
    QString path() const;
    // Shows the files of `path` when it is a readable folder; false, and the
    // list unchanged, otherwise.
    bool setPath(const QString& path);

    QString pattern() const;
    // Takes a pattern list; refuses (false, old pattern kept) a text without
    // any pattern or with a folder separator in it. Shows the files again
    // when the folder has been read.
    bool setPattern(const QString& pattern);

    // The selected file's name; empty when none is selected.
    QString fileName() const;
    // Every file name shown, in list order.
    QStringList fileNames() const;

    // Re-reads the folder.
    void refresh();

signals:
    // A click on a file, or a key that moved to another one.
    void fileClicked(const QString& name);
    void fileActivated(const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fill();

    QString m_path; // clean, with "/" separators
    // The starting folder is listed when first shown, as a window usually
    // moves to another folder before that.
    bool m_listed = false;
    QString m_pattern = QStringLiteral("*.gif");
    QStringList m_patterns{QStringLiteral("*.gif")};
};

} // namespace browser
