#include "browser/NameItemDelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QIcon>
#include <QStyle>

#include <cmath>

namespace browser {

namespace {

// Room added to the summed advances: kerning and the rounding of glyph
// positions can make a laid-out name a pixel or two wider than the sum.
constexpr int kSlack = 3;

// Kept for a character the font itself lacks, drawn from another font.
constexpr qreal kNotInFont = -1;

// Whether the width of `text` is the sum of its characters' advances.
bool summable(const QString& text)
{
    for (const QChar c : text) {
        if (c.isSurrogate() || c.isMark() || c.category() == QChar::Other_Control
            || c.category() == QChar::Other_Format)
            return false;
    }
    return true;
}

} // namespace

NameItemDelegate::NameItemDelegate(QObject* parent)
    : QStyledItemDelegate(parent)
{
}

QSize NameItemDelegate::frameOf(const QStyleOptionViewItem& option, const QModelIndex& index, bool icon) const
{
    QSize& frame = m_frames[icon ? 1 : 0];
    if (!frame.isValid()) {
        // The style's size of a row whose text is one space, less the space.
        QStyleOptionViewItem row(option);
        initStyleOption(&row, index);
        row.text = QStringLiteral(" ");
        if (!icon) {
            row.features &= ~QStyleOptionViewItem::HasDecoration;
            row.icon = QIcon();
        }
        const QWidget* widget = option.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        const QSize spaced = style->sizeFromContents(QStyle::CT_ItemViewItem, &row, QSize(), widget);
        const int space = int(std::ceil(QFontMetricsF(option.font).horizontalAdvance(u' ')));
        frame = QSize(spaced.width() - space, spaced.height());
    }
    return frame;
}

QSize NameItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty() || !summable(text) || index.data(Qt::FontRole).isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    if (option.font != m_font || !m_primary.isValid()) {
        m_font = option.font;
        m_primary = QRawFont::fromFont(m_font);
        m_advances.clear();
        m_frames[0] = m_frames[1] = QSize();
    }
    const bool icon = !index.data(Qt::DecorationRole).isNull();
    const QFontMetricsF metrics(m_font);
    qreal width = 0;
    for (const QChar c : text) {
        auto found = m_advances.constFind(c.unicode());
        if (found == m_advances.cend()) {
            // A glyph of another font can make the row higher as well.
            found = m_advances.insert(c.unicode(),
                                      m_primary.supportsCharacter(c) ? metrics.horizontalAdvance(c) : kNotInFont);
        }
        if (*found == kNotInFont)
            return QStyledItemDelegate::sizeHint(option, index);
        width += *found;
    }
    const QSize frame = frameOf(option, index, icon);
    return QSize(frame.width() + int(std::ceil(width)) + kSlack, frame.height());
}

} // namespace browser
