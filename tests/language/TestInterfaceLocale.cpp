// An English window on a Chinese system: its file dialogs write sizes and
// dates in English. Qt reads the locale once, while the application object
// is made, so the test starts as the programs do, the language first.
#include "ModalDriver.h"
#include "language/InterfaceLocale.h"
#include "language/Translators.h"
#include "pakunpack/Form1.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestInterfaceLocale : public QObject {
    Q_OBJECT
private slots:
    void fileDialogSpeaksTheLanguage();
};

void TestInterfaceLocale::fileDialogSpeaksTheLanguage()
{
    // The system's language stays what it was, for the menu's "System" item.
    QCOMPARE(language::systemLanguage(), language::Language::Chinese);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("hero.pak"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(389, 'x')) == 389);
    file.close();
    QSettings settings(folder.filePath(QStringLiteral("settings.conf")), QSettings::IniFormat);
    pakunpack::Form1 window(path, QString(), &settings);
    testing::ModalDriver modal;
    QStringList shown; // the size and the date
    modal.onDialog([&shown, path](QDialog* dialog) {
        const auto* model = dialog->findChild<QFileSystemModel*>();
        const auto column = [&](int column) { return model->index(path).siblingAtColumn(column).data().toString(); };
        if (model && QTest::qWaitFor([&] { return !column(1).isEmpty() && !column(3).isEmpty(); }))
            shown = QStringList{column(1), column(3)};
        dialog->reject();
    });
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QString date = english.toString(QFileInfo(path).lastModified(), QLocale::ShortFormat);
    QCOMPARE(shown, QStringList({QStringLiteral("389 bytes"), date}));
}

// A Chinese system whose LC_ALL beats every other variable, and "--lang en".
int main(int argc, char** argv)
{
    qputenv("LC_ALL", "zh_CN.UTF-8");
    qputenv("LANGUAGE", "zh_CN:zh");
    const char* const start[] = {argv[0], "--lang", "en"};
    const language::Language chosen = language::languageBeforeStart(3, start, QString());
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    language::startInLanguage(arguments, chosen, pakunpack::Form1::catalogs());
    TestInterfaceLocale test;
    return QTest::qExec(&test, arguments);
}

#include "TestInterfaceLocale.moc"
