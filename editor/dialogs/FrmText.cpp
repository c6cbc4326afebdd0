#include "editor/dialogs/FrmText.h"

#include "editor/controls/EnterPressesButton.h"
#include "editor/controls/Widgets.h"
#include "editor/dialogs/PendingText.h"
#include "model/text/TextHelpers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>

namespace animbox {

FrmText::FrmText(PendingText& pending, QWidget* parent)
    : QDialog(parent)
    , m_text(placed(new QPlainTextEdit(this), "Text1", {8, 8, 521, 377}))
{
    setObjectName(QStringLiteral("FrmText"));
    setWindowTitle(tr("Text"));
    setFixedSize(543, 430);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setPlainText(pending.TakePendingText());
    auto* copy = placed(new QPushButton(tr("拷贝到剪贴板"), this), "Command1", {344, 392, 105, 25});
    auto* cancel = placed(new QPushButton(tr("取消"), this), "Command2", {456, 392, 73, 25});
    copy->setDefault(true);
    new EnterPressesButton(m_text, copy, Qt::NoModifier);
    connect(copy, &QPushButton::clicked, this, &FrmText::Command1_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmText::Command1_Click()
{
    QGuiApplication::clipboard()->setText(model::toCrLf(m_text->toPlainText()));
    accept();
}

} // namespace animbox
