#pragma once

#include "classic/script/LinePreservingFile.h"
#include "model/files/RecoveryKeeper.h"

#include <QByteArray>
#include <QObject>

#include <memory>

class QAction;
class QMainWindow;
class QSettings;

namespace classic {

class ScriptBox;

// The classic editor's file commands, a text editor's: "打开…", "保存",
// "另存为…", the recent files and "退出" in a "文件" menu, dropped .txt
// files, the question about unsaved changes and the recovery of the text
// after a crash. The text box shows the file with CR LF line ends; saving
// writes the file as it was except the lines that changed, atomically, with
// a .bak copy.
class ScriptFile : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRecent = 8;

    ScriptFile(QMainWindow* window, ScriptBox* box, QSettings* settings);
    ~ScriptFile() override;

    const QString& path() const { return m_path; }
    bool open(const QString& path);
    bool save();
    bool saveAs();
    // Before unsaved text is left behind: save, discard or cancel. True
    // when the caller may go on.
    bool askToKeepChanges();
    // The text is saved or discarded for good: the recovery file goes.
    void closed();

    // Keeps unsaved text in a recovery file of this window's own in the
    // per-user `dataFolder` (model::RecoveryKeeper).
    void keepRecovery(const QString& dataFolder);
    // Offers the text that windows no longer running left there, each once.
    void offerRecovery();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createMenu();
    void updateRecentMenu();
    void updateTitle();
    bool write(const QString& path);
    // Before a save over the file that was read: when another program has
    // changed or removed it since, asks whether to write anyway.
    bool mayReplace(const QString& path, bool exists, const QByteArray& disk);
    // Puts back the work of a crashed run.
    void restore(const model::RecoveryData& data);
    // Message boxes that show file paths and lines as plain text.
    void warn(const QString& text);
    bool ask(const QString& question);
    QStringList recentFiles() const;
    void addRecent(const QString& path);

    QMainWindow* m_window;
    ScriptBox* m_box;
    QSettings* m_settings;
    QString m_baseTitle;
    QString m_path;
    // The file as last opened or saved; the base of the next save.
    LinePreservingFile m_file;
    QList<QAction*> m_recentActions;
    std::unique_ptr<model::RecoveryKeeper> m_recovery;
};

} // namespace classic
