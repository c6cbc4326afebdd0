#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;

namespace pakunpack {

// The one window of pakunpack: the user picks or types the path of a .pak
// archive and starts the kespak tool on it, which extracts the archive into
// a data folder next to it; a window of its own shows each run.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // `archivePath` goes into the path box as it is; `toolPath` is the kespak
    // executable to start, by default the one findTool() finds. `settings`
    // keeps the language chosen in the window's menu, by default in
    // userSettings().
    explicit Form1(const QString& archivePath = QString(), const QString& toolPath = QString(),
                   QSettings* settings = nullptr, QWidget* parent = nullptr);

    // The per-user settings of pakunpack.
    static QSettings* userSettings(QObject* parent);
    // The English catalogs of the window's texts.
    static QStringList catalogs();

    QString toolPath() const { return m_toolPath; }

    // The archive path given on the command line: the arguments after the
    // program name, joined with single blanks where the platform split them.
    static QString archiveFromArguments(const QStringList& arguments);
    // kespak as found from `programFolder`: Dlls/kespak beside the program
    // first, then ../libexec/kestrum/kespak where an installation puts it;
    // the first place when neither holds it, so that errors name it.
    static QString findTool(const QString& programFolder);
    // The instruction text of Label1.
    static QString instructions();

private:
    void Command1_Click();
    void Command2_Click();
    void fitLabelFont();
    void fitBrowseButton();
    void addMenuBar();

    QSettings* m_settings;
    QString m_toolPath;
    QWidget* m_client;
    QGroupBox* m_frame1;
    QLineEdit* m_text1;
    QPushButton* m_command1;
    QPushButton* m_command2;
    QLabel* m_label1;
};

} // namespace pakunpack
