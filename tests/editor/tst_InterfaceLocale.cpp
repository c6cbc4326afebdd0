// The locale of an English window on a Chinese system: the file dialogs
// write sizes and dates in English. Qt reads the locale once, while the
// application object is made, so this test starts as the programs do: the
// language first, then the application object.

#include "TestHelpers.h"
#include "language/InterfaceLocale.h"
#include "language/Translators.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>

namespace {

class InterfaceLocaleTest : public QObject {
    Q_OBJECT
private slots:
    void fileDialogSpeaksTheLanguage();
};

// The size and date a file dialog of `window`'s "打开…" shows for `path`.
QStringList shownSizeAndDate(animbox::FrmMain& window, const QString& path)
{
    testing::ModalDriver modal;
    QStringList shown;
    modal.onDialog([&shown, path](QDialog* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        if (files) {
            files->setDirectory(QFileInfo(path).absolutePath());
            const auto* model = files->findChild<QFileSystemModel*>();
            const auto column = [model, path](int column) {
                const QModelIndex name = model->index(path);
                return model->index(name.row(), column, name.parent()).data().toString();
            };
            QTRY_VERIFY(!column(1).isEmpty() && !column(3).isEmpty());
            shown = QStringList{column(1), column(3)};
        }
        dialog->reject();
    });
    window.menuAction(QStringLiteral("mopen"))->trigger();
    return shown;
}

} // namespace

void InterfaceLocaleTest::fileDialogSpeaksTheLanguage()
{
    // The system's language stays what it was, for the menu's "System" item.
    QCOMPARE(language::systemLanguage(), language::Language::Chinese);
    testing::Fixture files;
    QVERIFY(files.isValid());
    const QString path = files.root() + QStringLiteral("/hero.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(389, 'x')) == 389);
    file.close();
    auto window = files.window();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));

    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QStringList expected{english.formattedDataSize(389),
                               english.toString(QFileInfo(path).lastModified(), QLocale::ShortFormat)};
    QCOMPARE(shownSizeAndDate(*window, path), expected);
    QCOMPARE(expected.first(), QStringLiteral("389 bytes"));
}

// A Chinese system whose LC_ALL beats every other variable, and "--lang en".
int main(int argc, char** argv)
{
    qputenv("LC_ALL", "zh_CN.UTF-8");
    qputenv("LANGUAGE", "zh_CN:zh");
    const char* const startArguments[] = {argv[0], "--lang", "en"};
    const language::Language chosen = language::languageBeforeStart(3, startArguments, QString());
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments();
    language::startInLanguage(arguments, chosen, testing::animboxCatalogs());
    InterfaceLocaleTest test;
    return QTest::qExec(&test, arguments);
}

#include "tst_InterfaceLocale.moc"
