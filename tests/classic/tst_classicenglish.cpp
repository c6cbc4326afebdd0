// The classic editor in English: what a user reads in the main window, its
// messages and its dialogs holds no Chinese and no cut caption; the language
// chosen in the menu is kept in the window's settings for the next start.

#include "../FileBytes.h"
#include "InterfaceTexts.h"
#include "classic/window/Form1.h"
#include "demo/GifWriter.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

using namespace classic;

namespace {

// Brings up a message or dialog in a window whose settings folder is given.
using Opener = std::function<void(Form1& window, const QString& folder)>;

// The texts of `widget` that a user of the English interface should not see.
QStringList faults(const QWidget* widget)
{
    return languagetests::chineseTexts(widget) + languagetests::cutTexts(widget);
}

// Runs `action` and returns the faults of the first modal window it opens,
// which is then closed; "no modal window" when none opened.
QStringList modalFaults(const std::function<void()>& action)
{
    QStringList found{QStringLiteral("no modal window")};
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer.stop();
            found = faults(modal);
            modal->close();
        }
    });
    timer.start(10);
    action();
    return found;
}

void trigger(Form1& window, const char* action)
{
    window.findChild<QAction*>(QLatin1String(action))->trigger();
}

} // namespace

Q_DECLARE_METATYPE(Opener)

class TestClassicEnglish : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<Form1> m_window;
    QString m_previousFolder;

private slots:
    void initTestCase()
    {
        QVERIFY(language::installLanguage(language::Language::English, Form1::catalogs()));
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        const QString hero = m_dir->filePath(QStringLiteral("hero"));
        QVERIFY(QDir().mkpath(hero));
        const QImage sprite = tools::makeSprite(QSize(64, 80), qRgb(0, 128, 128), qRgb(200, 40, 40));
        QVERIFY(tools::writeGif(hero + QStringLiteral("/a0.gif"), sprite));
        m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        m_settings->setValue(QStringLiteral("set/dir"), hero);
        m_window = std::make_unique<Form1>(m_settings.get());
        m_window->show();
        // The file dialogs of an untitled text open in the current folder and
        // show its path: the test's own short folder, not where the project lives.
        m_previousFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
    }

    void cleanup()
    {
        QDir::setCurrent(m_previousFolder);
        m_window.reset();
        m_settings.reset();
    }

    // The offset box's instruction is a text box, which the checks leave out.
    void mainWindow()
    {
        const QStringList found = faults(m_window.get());
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
        QVERIFY(!m_window->ui().Text3->toPlainText().contains(QRegularExpression(QStringLiteral("\\p{Han}"))));
    }

    void dialogs_data()
    {
        QTest::addColumn<Opener>("open");
        QTest::newRow("no frame chosen") << Opener([](Form1& w, const QString&) { w.ui().Command9->click(); });
        QTest::newRow("empty frame list") << Opener([](Form1& w, const QString&) { w.ui().Initial->trigger(); });
        QTest::newRow("picture window") << Opener([](Form1& w, const QString&) {
            w.ui().List1->addItem(QStringLiteral("a0.gif"));
            w.ui().List1->setCurrentRow(0);
            w.ui().Command7->click();
        });
        QTest::newRow("open dialog") << Opener([](Form1& w, const QString&) { trigger(w, "mOpen"); });
        QTest::newRow("save-as dialog") << Opener([](Form1& w, const QString&) { trigger(w, "mSaveAs"); });
        QTest::newRow("unsaved text") << Opener([](Form1& w, const QString&) {
            w.setScriptText(QStringLiteral("\tdelay\t5\r\n"));
            trigger(w, "mOpen");
        });
        QTest::newRow("changed on disk") << Opener([](Form1& w, const QString& folder) {
            const QString path = folder + QStringLiteral("/hero.txt");
            QVERIFY(testfiles::writeFile(path, "\tdelay\t5\r\n") && w.scriptFile().open(path));
            QVERIFY(testfiles::writeFile(path, "\tdelay\t6\r\n"));
            w.setScriptText(QStringLiteral("\tdelay\t7\r\n"));
            w.scriptFile().save();
        });
        QTest::newRow("recovery offer") << Opener([](Form1& w, const QString& folder) {
            const QString path = folder + QStringLiteral("/recovery.json");
            QVERIFY(testfiles::writeFile(path, "{\"format\":\"kestrum-recovery\",\"version\":1,\"text\":\"x\","
                                               "\"gameFolder\":\"\",\"browserFolder\":\"\",\"file\":\"\","
                                               "\"animName\":\"\",\"rows\":[]}"));
            w.scriptFile().keepRecovery(folder);
            w.scriptFile().offerRecovery();
        });
    }

    void dialogs()
    {
        QFETCH(Opener, open);
        const QStringList found = modalFaults([&] { open(*m_window, m_dir->path()); });
        QVERIFY2(found.isEmpty(), qPrintable(found.join('\n')));
    }

    void languageChoiceIsStored_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("code");
        QTest::newRow("Chinese") << "mnuLanguageZh" << "zh";
        QTest::newRow("English") << "mnuLanguageEn" << "en";
        QTest::newRow("system") << "mnuLanguageSystem" << "";
    }

    // The store is on disk at once, and the next window shows the choice.
    void languageChoiceIsStored()
    {
        QFETCH(QString, item);
        QFETCH(QString, code);
        m_settings->setValue(QStringLiteral("language"), QStringLiteral("fr"));
        QAction* choice = m_window->findChild<QAction*>(item);
        QVERIFY(choice);
        modalFaults([&] { choice->trigger(); });
        const QSettings stored(m_settings->fileName(), QSettings::IniFormat);
        QCOMPARE(language::storedCode(stored), code);
        m_window = std::make_unique<Form1>(m_settings.get());
        QVERIFY(m_window->findChild<QAction*>(item)->isChecked());
    }
};

QTEST_MAIN(TestClassicEnglish)
#include "tst_classicenglish.moc"
