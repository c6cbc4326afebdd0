#pragma once

#include "model/RecoveryKeeper.h"
#include "model/TextFileEncoding.h"

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
// writes the file's own line ends back, atomically, with a .bak copy.
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
    QStringList recentFiles() const;
    void addRecent(const QString& path);

    QMainWindow* m_window;
    ScriptBox* m_box;
    QSettings* m_settings;
    QString m_baseTitle;
    QString m_path;
    QByteArray m_bytes;
    QByteArray m_lineEnd = "\r\n";
    bool m_lossless = true;
    model::TextEncoding m_encoding = model::TextEncoding::Utf8;
    QList<QAction*> m_recentActions;
    std::unique_ptr<model::RecoveryKeeper> m_recovery;
};

} // namespace classic
