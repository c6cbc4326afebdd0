// The choice of language, the language menu and the translators.
#include "InterfaceTexts.h"
#include "language/Language.h"
#include "language/CaptionWidth.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using language::Language;

Q_DECLARE_METATYPE(Language)

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void choiceOfLanguage_data();
    void choiceOfLanguage();
    void menuStoresChoiceAndSaysWhenItTakesEffect();
    void qtButtonsFollowTheLanguage();
    void captionWidthLeavesOutShortcutMarks();
};

void TestLanguage::choiceOfLanguage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<Language>("expected");
    QTest::addColumn<QStringList>("rest");
    QTest::addColumn<bool>("complaint");

    const QStringList plain{QStringLiteral("animbox"), QStringLiteral("a.txt")};
    QTest::newRow("Chinese system") << plain << QString() << "zh_CN" << Language::Chinese << plain << false;
    QTest::newRow("Taiwanese system") << plain << QString() << "zh_TW" << Language::Chinese << plain << false;
    QTest::newRow("German system") << plain << QString() << "de_DE" << Language::English << plain << false;
    QTest::newRow("C locale") << plain << QString() << "C" << Language::English << plain << false;
    QTest::newRow("stored beats system") << plain << "en" << "zh_CN" << Language::English << plain << false;
    QTest::newRow("stored, any case") << plain << "ZH" << "en_US" << Language::Chinese << plain << false;
    QTest::newRow("stored nonsense") << plain << "fr" << "zh_CN" << Language::Chinese << plain << false;
    QTest::newRow("argument beats stored")
        << QStringList{"animbox", "--lang", "zh", "a.txt"} << "en" << "en_US" << Language::Chinese << plain << false;
    QTest::newRow("argument with =")
        << QStringList{"animbox", "a.txt", "--lang=en"} << "zh" << "zh_CN" << Language::English << plain << false;
    QTest::newRow("bad argument falls back")
        << QStringList{"animbox", "--lang", "fr", "a.txt"} << "en" << "zh_CN" << Language::English << plain << true;
    QTest::newRow("argument without value")
        << QStringList{"animbox", "--lang"} << QString() << "zh_CN" << Language::Chinese
        << QStringList{"animbox"} << true;
}

void TestLanguage::choiceOfLanguage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, stored);
    QFETCH(QString, locale);
    QFETCH(Language, expected);
    QFETCH(QStringList, rest);
    QFETCH(bool, complaint);

    const language::LanguageArgument argument = language::takeLanguageArgument(arguments);
    QCOMPARE(language::chosen(argument.language, stored, language::fromLocale(QLocale(locale))), expected);
    QCOMPARE(arguments, rest);
    QCOMPARE(!argument.error.isEmpty(), complaint);
}

void TestLanguage::menuStoresChoiceAndSaysWhenItTakesEffect()
{
    QMainWindow window;
    QStringList stored;
    language::addLanguageMenu(window.menuBar(), Language::Chinese, QStringLiteral("zh"),
                              [&stored](const QString& code) { stored.append(code); });
    window.show();
    auto* chinese = window.findChild<QAction*>(QStringLiteral("mnuLanguageZh"));
    auto* english = window.findChild<QAction*>(QStringLiteral("mnuLanguageEn"));
    QVERIFY(chinese && english);
    QVERIFY(chinese->isChecked());

    // Choosing the language the window speaks needs no message.
    chinese->trigger();
    QCOMPARE(stored, QStringList{QStringLiteral("zh")});

    QString message;
    QStringList chineseInMessage{QStringLiteral("no message box")};
    QTimer::singleShot(0, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            chineseInMessage = languagetests::chineseTexts(box);
            box->accept();
        }
    });
    english->trigger();
    QCOMPARE(stored.last(), QStringLiteral("en"));
    QVERIFY(english->isChecked() && !chinese->isChecked());
    QVERIFY2(chineseInMessage.isEmpty(), qPrintable(chineseInMessage.join('\n')));
    QVERIFY2(message.contains(QLatin1String("next start")), qPrintable(message));
}

void TestLanguage::qtButtonsFollowTheLanguage()
{
    const auto okText = [] {
        QMessageBox box(QMessageBox::NoIcon, QString(), QString(), QMessageBox::Ok);
        return box.button(QMessageBox::Ok)->text();
    };
    QVERIFY(language::installLanguage(Language::Chinese, {language::kSharedCatalog}));
    QCOMPARE(okText(), QStringLiteral("确定"));
    QVERIFY(language::installLanguage(Language::English, {language::kSharedCatalog}));
    QCOMPARE(okText(), QStringLiteral("OK"));
    QCOMPARE(language::installedLanguage(), Language::English);
    // A catalog the build lacks is reported, and the rest still works.
    QVERIFY(!language::installLanguage(Language::English, {QStringLiteral("missing")}));
    QVERIFY(language::installLanguage(Language::Chinese, {}));
    QCOMPARE(okText(), QStringLiteral("确定"));
}

// A caption is measured as shown: "&" marks the shortcut, "&&" shows as "&".
void TestLanguage::captionWidthLeavesOutShortcutMarks()
{
    const auto widthOf = [](const QString& caption) {
        const QPushButton button(caption);
        return language::captionWidth(&button) - language::captionFrameWidth(&button);
    };
    const QFontMetrics metrics(QPushButton().font());
    QCOMPARE(widthOf(QStringLiteral("&Open")), metrics.horizontalAdvance(QStringLiteral("Open")));
    QCOMPARE(widthOf(QStringLiteral("Save && &close")), metrics.horizontalAdvance(QStringLiteral("Save & close")));
    QCOMPARE(widthOf(QStringLiteral("打开(&O)")), metrics.horizontalAdvance(QStringLiteral("打开(O)")));
    QCOMPARE(widthOf(QStringLiteral("100 &")), metrics.horizontalAdvance(QStringLiteral("100 &")));
}

QTEST_MAIN(TestLanguage)
#include "TestLanguage.moc"
