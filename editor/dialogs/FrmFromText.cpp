#include "editor/dialogs/FrmFromText.h"

#include "editor/controls/EnterPressesButton.h"
#include "editor/controls/Widgets.h"
#include "editor/dialogs/PendingText.h"
#include "editor/settings/IniSettings.h"
#include "model/text/TextHelpers.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace animbox {

FrmFromText::FrmFromText(PendingText& pending, const IniSettings& settings, QWidget* parent)
    : QDialog(parent)
    , m_pending(pending)
    , m_settings(settings)
    , m_folder(placed(new QLineEdit(this), "Text2", {8, 8, 361, 25}))
    , m_text(placed(new QPlainTextEdit(this), "Text1", {8, 40, 521, 417}))
{
    setObjectName(QStringLiteral("FrmFromText"));
    setWindowTitle(tr("从文本生成"));
    setFixedSize(543, 493);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_folder->setText(m_settings.ReadSetting(QStringLiteral("WK_Path")));
    auto* browse = placed(new QPushButton(tr("设置data所在目录"), this), "Command4", {384, 8, 145, 25});
    auto* paste = placed(new QPushButton(tr("从剪贴板拷贝"), this), "Command3", {8, 464, 169, 25});
    auto* ok = placed(new QPushButton(tr("确定"), this), "Command1", {376, 464, 73, 25});
    auto* cancel = placed(new QPushButton(tr("取消"), this), "Command2", {456, 464, 73, 25});
    ok->setDefault(true);
    // Enter starts a new line of the pasted script; Ctrl+Enter confirms.
    new EnterPressesButton(m_text, ok, Qt::ControlModifier);
    setTabOrder(m_text, ok);
    setTabOrder(ok, cancel);
    setTabOrder(cancel, paste);
    setTabOrder(paste, m_folder);
    setTabOrder(m_folder, browse);
    m_text->setFocus();
    connect(ok, &QPushButton::clicked, this, &FrmFromText::Command1_Click);
    connect(cancel, &QPushButton::clicked, this, &FrmFromText::Command2_Click);
    connect(paste, &QPushButton::clicked, this, &FrmFromText::Command3_Click);
    connect(browse, &QPushButton::clicked, this, &FrmFromText::Command4_Click);
}

void FrmFromText::Command1_Click()
{
    m_pending.setWorkPath(m_folder->text());
    m_pending.setPendingText(model::toCrLf(m_text->toPlainText()));
    m_settings.WriteSetting(QStringLiteral("WK_Path"), m_folder->text());
    accept();
}

void FrmFromText::Command2_Click()
{
    m_pending.setPendingText(QString());
    reject();
}

void FrmFromText::Command3_Click()
{
    m_text->setPlainText(QGuiApplication::clipboard()->text());
}

void FrmFromText::Command4_Click()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("请选择文件夹： "),
                                                             m_folder->text());
    if (!folder.isEmpty())
        m_folder->setText(QDir::toNativeSeparators(folder));
}

} // namespace animbox
