// The classic editor's file commands on real files in temporary folders:
// open, edit and save in the file's own line ends with the .bak copy; a save
// that fails; the question on close; the recovery of the text.

#include "../FileBytes.h"
#include "classic/Form1.h"
#include "language/Translators.h"
#include "classic/ScriptBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace classic;

using testfiles::fileBytes;
using testfiles::writeFile;

namespace {

const QByteArray kScript = "anim\tidle\r\n\tdelay\t5\r\n\tframe\tdata/chars/hero/a0\r\n";

// Answers every message box that `action` opens: with `button` when it has
// one, else with its first button. Returns the texts shown.
QStringList answering(const std::function<void()>& action, QMessageBox::StandardButton button)
{
    QStringList texts;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        texts << box->text();
        (box->button(button) ? box->button(button) : box->buttons().value(0))->click();
    });
    timer.start(5);
    action();
    return texts;
}

} // namespace

class TestClassicFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;
    std::unique_ptr<Form1> m_window;
    QString m_path;

private slots:
    // The window's texts are compared in Chinese whatever the machine's locale.
    void initTestCase() { QVERIFY(language::installLanguage(language::Language::Chinese, Form1::catalogs())); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        m_window = std::make_unique<Form1>(m_settings.get());
        m_path = m_dir->filePath(QStringLiteral("hero.txt"));
    }

    void cleanup()
    {
        m_window.reset();
        m_settings.reset();
    }

    void openEditSave_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF stays LF") << QByteArray("\n");
    }

    void openEditSave()
    {
        QFETCH(QByteArray, lineEnd);
        const QByteArray original = QByteArray(kScript).replace("\r\n", lineEnd);
        QVERIFY(writeFile(m_path, original));
        QVERIFY(m_window->scriptFile().open(m_path));
        QCOMPARE(m_window->scriptText(), QString::fromLatin1(kScript));
        QVERIFY(m_window->windowTitle().startsWith(QStringLiteral("hero.txt[*]")));
        QVERIFY(m_window->scriptFile().save());
        QVERIFY(!QFile::exists(m_path + ".bak"));

        m_window->setScriptText(m_window->scriptText() + QStringLiteral("\tdelay\t7\r\n"));
        QVERIFY(m_window->isWindowModified());
        QVERIFY(m_window->scriptFile().save());
        QVERIFY(!m_window->isWindowModified());
        QCOMPARE(fileBytes(m_path), QByteArray(kScript + "\tdelay\t7\r\n").replace("\r\n", lineEnd));
        QCOMPARE(fileBytes(m_path + ".bak"), original);
    }

    void failedSaveLeavesFile()
    {
        QVERIFY(writeFile(m_path, kScript) && QDir().mkpath(m_path + ".bak"));
        QVERIFY(m_window->scriptFile().open(m_path));
        m_window->setScriptText(QStringLiteral("\tdelay\t9\r\n"));
        bool saved = true;
        const QStringList texts = answering([&] { saved = m_window->scriptFile().save(); }, QMessageBox::Ok);
        QVERIFY(!saved);
        QCOMPARE(texts.size(), 1);
        QVERIFY(texts[0].contains(QStringLiteral("无法写入文件")));
        QCOMPARE(fileBytes(m_path), kScript);
        QVERIFY(m_window->isWindowModified());
    }

    void closeAsksAndRecoveryGoes()
    {
        const auto recoveryFiles = [&] {
            return QDir(m_dir->filePath(QStringLiteral("data/recovery")), QStringLiteral("*.json")).entryList();
        };
        m_window->scriptFile().keepRecovery(m_dir->filePath(QStringLiteral("data")));
        QVERIFY(writeFile(m_path, kScript) && m_window->scriptFile().open(m_path));
        m_window->show();
        m_window->setScriptText(QStringLiteral("\tdelay\t9\r\n"));
        QTRY_COMPARE(recoveryFiles().size(), 1);
        QVERIFY(answering([&] { QVERIFY(!m_window->close()); }, QMessageBox::Cancel).size() == 1);
        QVERIFY(m_window->isVisible());
        QVERIFY(answering([&] { QVERIFY(m_window->close()); }, QMessageBox::Discard).size() == 1);
        QCOMPARE(fileBytes(m_path), kScript);
        QCOMPARE(recoveryFiles(), QStringList());
    }

    void recoveryOffered_data()
    {
        QTest::addColumn<QByteArray>("recovery");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("text");
        QTest::newRow("restored") << QByteArray("{\"format\":\"kestrum-recovery\",\"version\":1,\"text\":\"\\tdelay\\t3\\r\\n\","
                                                "\"gameFolder\":\"\",\"browserFolder\":\"\",\"file\":\"\",\"animName\":\"\",\"rows\":[]}")
                                  << QStringLiteral("是否恢复") << QStringLiteral("\tdelay\t3\r\n");
        QTest::newRow("damaged") << QByteArray("{\"format\":") << QStringLiteral("恢复文件已损坏") << QString();
    }

    void recoveryOffered()
    {
        QFETCH(QByteArray, recovery);
        QFETCH(QString, message);
        QFETCH(QString, text);
        const QString path = m_dir->filePath(QStringLiteral("recovery.json"));
        QVERIFY(writeFile(path, recovery));
        m_window->scriptFile().keepRecovery(m_dir->path());
        const QStringList texts = answering([&] { m_window->scriptFile().offerRecovery(); }, QMessageBox::Yes);
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].contains(message), qPrintable(texts[0]));
        QCOMPARE(m_window->scriptText(), text);
        QCOMPARE(QFile::exists(path + ".damaged"), text.isEmpty());
    }
};

QTEST_MAIN(TestClassicFile)
#include "tst_classicfile.moc"
