#include "pakunpack/Form1.h"

#include "pakunpack/ShownText.h"
#include "pakunpack/UnpackRun.h"
#include "pakunpack/UnpackWindow.h"
#include "language/CaptionWidth.h"
#include "language/LanguageMenu.h"
#include "language/Translators.h"
#include "program/AboutBox.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QVBoxLayout>

namespace pakunpack {

namespace {

const QString kTitle = QStringLiteral("pakunpack");
const QString kLineBreak = QStringLiteral("\r\n");
const QString kSignature = QStringLiteral("Kestrum mod tools");

} // namespace

Form1::Form1(const QString& archivePath, const QString& toolPath, QSettings* settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings ? settings : userSettings(this))
    , m_toolPath(toolPath.isEmpty() ? findTool(QCoreApplication::applicationDirPath()) : toolPath)
    , m_client(new QWidget(this))
    , m_frame1(new QGroupBox(tr("选择pak"), m_client))
    , m_text1(new QLineEdit(m_frame1))
    , m_command1(new QPushButton(tr("选取pak"), m_frame1))
    , m_command2(new QPushButton(tr("解压pak"), m_client))
    , m_label1(new QLabel(instructions(), m_client))
{
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_label1->setObjectName(QStringLiteral("Label1"));

    m_client->setFixedSize(493, 173);
    m_frame1->setGeometry(8, 8, 465, 57);
    m_text1->setGeometry(8, 16, 393, 25);
    m_command1->setGeometry(400, 16, 57, 25);
    m_command2->setGeometry(408, 72, 57, 25);
    m_label1->setGeometry(16, 72, 377, 97);
    m_label1->setWordWrap(true);
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fitLabelFont();
    fitBrowseButton();

    setWindowTitle(tr("pakunpack 版本%1.%2")
                       .arg(PAKUNPACK_VERSION_MAJOR)
                       .arg(PAKUNPACK_VERSION_MINOR));
    m_text1->setText(archivePath);
    addMenuBar();

    connect(m_command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &Form1::Command2_Click);
}

QSettings* Form1::userSettings(QObject* parent)
{
    return new QSettings(QSettings::UserScope, QStringLiteral("Kestrum"), QStringLiteral("pakunpack"), parent);
}

QStringList Form1::catalogs()
{
    return {language::kSharedCatalog, QStringLiteral("pakunpack")};
}

// A menu bar above the fixed layout, which keeps its size: "退出" (Ctrl+Q),
// the language, whose choice is kept in the settings for the next start,
// and the About box.
void Form1::addMenuBar()
{
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    QMenu* file = bar->addMenu(tr("文件"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->addAction(tr("退出"), QKeySequence(Qt::CTRL | Qt::Key_Q), this, &QWidget::close)->setObjectName(QStringLiteral("mnuExit"));
    language::addLanguageMenu(bar, m_settings);
    program::addHelpMenu(bar, program::Program::Pakunpack);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setMenuBar(bar);
    layout->addWidget(m_client);
}

QString Form1::archiveFromArguments(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

QString Form1::findTool(const QString& programFolder)
{
    const QString beside = programFolder + QStringLiteral("/Dlls/kespak");
    const QString installed = programFolder + QStringLiteral("/../libexec/kestrum/kespak");
    return !QFileInfo(beside).isExecutable() && QFileInfo(installed).isExecutable() ? installed : beside;
}

QString Form1::instructions()
{
    // No note on long file names: kespak extracts names of any length.
    return tr("1.选择一个pak文件") + kLineBreak + tr("2.点击解压按钮") + kLineBreak
           + tr("然后会在pak目录下生成data文件夹,将这个文件夹拷贝到Kestrum目录下即可."
                "注意,如果要运行解包的MOD需要在paks文件夹至少有一个.pak文件 ")
           + kLineBreak + QString(50, QLatin1Char(' ')) + kSignature;
}

// The instructions must be read in full in the label's fixed box, whatever
// the platform's font: the font shrinks, down to a legible limit, until the
// wrapped text fits.
void Form1::fitLabelFont()
{
    constexpr int kSmallestPixelSize = 9;
    QFont font = m_label1->font();
    int pixelSize = QFontInfo(font).pixelSize();
    const QRect box(QPoint(0, 0), m_label1->size());
    while (pixelSize > kSmallestPixelSize
           && QFontMetrics(font).boundingRect(box, Qt::TextWordWrap, m_label1->text()).height()
                  > box.height()) {
        font.setPixelSize(--pixelSize);
    }
    m_label1->setFont(font);
}

// A caption wider than the button drawn for it widens the button to the
// left, and the path box gives up the room.
void Form1::fitBrowseButton()
{
    const int extra = language::captionWidth(m_command1) - m_command1->width();
    if (extra <= 0)
        return;
    m_command1->setGeometry(m_command1->geometry().adjusted(-extra, 0, 0, 0));
    m_text1->resize(m_text1->width() - extra, m_text1->height());
}

// Picks the archive with the file dialog `cd`; cancelling keeps the path box as it is.
void Form1::Command1_Click()
{
    const QString current = m_text1->text();
    QFileDialog cd(this, QString(), current.isEmpty() ? QString() : QFileInfo(current).absolutePath(),
                   tr("pak文件 (*.pak)"));
    cd.setObjectName(QStringLiteral("cd"));
    cd.setFileMode(QFileDialog::ExistingFile);
    cd.setAcceptMode(QFileDialog::AcceptOpen);
    if (cd.exec() != QDialog::Accepted || cd.selectedFiles().isEmpty())
        return;
    const QString chosen = cd.selectedFiles().constFirst();
    if (!chosen.isEmpty())
        m_text1->setText(QDir::toNativeSeparators(chosen));
}

// Starts kespak on the path exactly as typed, as one argument and without a
// shell, so blanks and shell characters in it stay part of the path. A
// window of its own follows the run; each click starts one.
void Form1::Command2_Click()
{
    const QString archive = m_text1->text();
    if (archive.isEmpty()) {
        QMessageBox::information(this, kTitle, tr("请选择pak文件"));
        return;
    }
    auto* run = new UnpackRun(m_toolPath, archive, this);
    QString error;
    if (!run->start(error)) {
        delete run;
        const QString tool = shownText(QDir::toNativeSeparators(m_toolPath));
        QMessageBox box(QMessageBox::Warning, kTitle, tr("无法启动解包工具:\n%1\n(%2)").arg(tool, shownText(error)),
                        QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    auto* window = new UnpackWindow(run, archive, this);
    window->setWindowFlag(Qt::Window);
    window->show();
}

} // namespace pakunpack
