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

// Kept for a character the sum cannot measure: one the font itself lacks,
// drawn from another font, or one without a width of its own.
constexpr qreal kNotSummed = -1;

// Whether `c` has a width of its own that adds up along a name.
bool summable(QChar c)
{
    return !c.isSurrogate() && !c.isMark() && c.category() != QChar::Other_Control
        && c.category() != QChar::Other_Format;
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
    if (text.isEmpty() || index.data(Qt::FontRole).isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    if (option.font != m_font || option.decorationSize != m_decorationSize || !m_primary.isValid()) {
        m_font = option.font;
        m_decorationSize = option.decorationSize;
        m_primary = QRawFont::fromFont(m_font);
        m_advances.clear();
        m_frames[0] = m_frames[1] = QSize();
    }
    qreal width = 0;
    for (const QChar c : text) {
        auto found = m_advances.constFind(c.unicode());
        if (found == m_advances.cend()) {
            // A glyph of another font can make the row higher as well.
            const bool own = summable(c) && m_primary.supportsCharacter(c);
            found = m_advances.insert(c.unicode(), own ? QFontMetricsF(m_font).horizontalAdvance(c) : kNotSummed);
        }
        if (*found == kNotSummed)
            return QStyledItemDelegate::sizeHint(option, index);
        width += *found;
    }
    const bool icon = !index.data(Qt::DecorationRole).isNull();
    const QSize frame = frameOf(option, index, icon);
    return QSize(frame.width() + int(std::ceil(width)) + kSlack, frame.height());
}

} // namespace browser
