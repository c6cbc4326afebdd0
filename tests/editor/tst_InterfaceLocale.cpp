// An English window on a Chinese system: its file dialogs write sizes and
// dates in English. Qt reads the locale once, while the application object
// is made, so the test starts as the programs do, the language first.

#include "TestHelpers.h"
#include "language/InterfaceLocale.h"
#include "language/Translators.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>

class InterfaceLocaleTest : public QObject {
    Q_OBJECT
private slots:
    void fileDialogSpeaksTheLanguage();
};

void InterfaceLocaleTest::fileDialogSpeaksTheLanguage()
{
    // The system's language stays what it was, for the menu's "System" item.
    QCOMPARE(language::systemLanguage(), language::Language::Chinese);
    testing::Fixture files;
    const QString path = files.root() + QStringLiteral("/hero.txt");
    QFile file(path);
    QVERIFY(files.isValid() && file.open(QIODevice::WriteOnly) && file.write(QByteArray(389, 'x')) == 389);
    file.close();
    auto window = files.window();
    testing::ModalDriver modal;
    QStringList shown; // the size and the date
    modal.onDialog([&shown, path](QDialog* dialog) {
        if (auto* chooser = qobject_cast<QFileDialog*>(dialog)) {
            chooser->setDirectory(QFileInfo(path).absolutePath());
            const auto* model = chooser->findChild<QFileSystemModel*>();
            const auto column
                = [model, path](int column) { return model->index(path).siblingAtColumn(column).data().toString(); };
            QTRY_VERIFY(!column(1).isEmpty() && !column(3).isEmpty());
            shown = QStringList{column(1), column(3)};
        }
        dialog->reject();
    });
    window->menuAction(QStringLiteral("mopen"))->trigger();
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
    language::startInLanguage(arguments, chosen, testing::animboxCatalogs());
    InterfaceLocaleTest test;
    return QTest::qExec(&test, arguments);
}

#include "tst_InterfaceLocale.moc"
