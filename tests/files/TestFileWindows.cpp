// The windows of both editors on real files: names from files and paths
// show in messages as they are.

#include "../FileBytes.h"
#include "TestHelpers.h"
#include "classic/Form1.h"
#include "classic/ScriptFile.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include <algorithm>

namespace {

// A name that is markup and that a right-to-left override would show
// backwards.
const QString kName = QStringLiteral("<h1>SAVED_OK<\\h1><!--") + QChar(0x202E) + QStringLiteral("txt.exe");

struct Shown {
    QString text;
    Qt::TextFormat format;
};

// Runs `action`, passing any other dialog to `onDialog`, and closes every
// message box it opens with "否" or "OK". Returns what their labels showed.
QList<Shown> messagesOf(const std::function<void()>& action, const std::function<void(QDialog*)>& onDialog = {})
{
    QList<Shown> shown;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box && box->isVisible()) {
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            shown.append({label->text(), label->textFormat()});
            (box->button(QMessageBox::No) ? box->button(QMessageBox::No) : box->button(QMessageBox::Ok))->click();
        } else if (dialog && dialog->isVisible() && onDialog) {
            onDialog(dialog);
        }
    });
    timer.start(5);
    action();
    return shown;
}

} // namespace

class TestFileWindows : public QObject {
    Q_OBJECT

private slots:
    void editorShowsFramePathAsItIs();
    void classicShowsFilePathAsItIs();

private:
    void verifyShownAsItIs(const QList<Shown>& shown);
};

void TestFileWindows::verifyShownAsItIs(const QList<Shown>& shown)
{
    QVERIFY(!shown.isEmpty());
    for (const Shown& message : shown) {
        QCOMPARE(message.format, Qt::PlainText);
        QVERIFY2(!message.text.contains(QChar(0x202E)), qPrintable(message.text));
    }
    QVERIFY(std::any_of(shown.begin(), shown.end(), [](const Shown& message) {
        return message.text.contains(QStringLiteral("<h1>SAVED_OK<"), Qt::CaseInsensitive) && message.text.contains(QStringLiteral("[U+202E]txt.exe"));
    }));
}

// A frame of pasted text names a sprite that is not there.
void TestFileWindows::editorShowsFramePathAsItIs()
{
    testing::Fixture fixture;
    auto window = fixture.window();
    const auto fill = [&](QDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(fixture.game());
        dialog->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->setPlainText(QStringLiteral("\tframe\tdata/") + kName);
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    };
    verifyShownAsItIs(messagesOf([&] { window->menuAction(QStringLiteral("mFromText"))->trigger(); }, fill));
}

// A file to open that is not there.
void TestFileWindows::classicShowsFilePathAsItIs()
{
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    classic::Form1 window(&settings);
    verifyShownAsItIs(messagesOf([&] { window.scriptFile().open(dir.filePath(QStringLiteral("data/") + kName)); }));
}

QTEST_MAIN(TestFileWindows)
#include "TestFileWindows.moc"
