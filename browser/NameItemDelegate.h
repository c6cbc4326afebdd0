#pragma once

#include <QFont>
#include <QHash>
#include <QRawFont>
#include <QSize>
#include <QStyledItemDelegate>

namespace browser {

// Sizes the rows of a list of names (one line of text, with or without an
// icon) from the advances of their characters, kept per character, instead
// of laying out each name: a list sizes every row it holds before it shows,
// and a folder of a thousand sprites laid out a thousand names. The width
// errs on the wide side, so that the longest name never gets cut short;
// names the sum cannot measure (surrogate pairs, combining marks, tabs,
// characters the font lacks) are measured as before. Rows are painted as
// before.
class NameItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit NameItemDelegate(QObject* parent = nullptr);

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    // What a row needs beside its text, for a row with or without an icon.
    QSize frameOf(const QStyleOptionViewItem& option, const QModelIndex& index, bool icon) const;

    mutable QFont m_font;
    mutable QSize m_decorationSize;
    // The font's own glyphs, without the fonts that stand in for it.
    mutable QRawFont m_primary;
    mutable QHash<char16_t, qreal> m_advances;
    mutable QSize m_frames[2];
};

} // namespace browser
