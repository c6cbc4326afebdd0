#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "model/files/TextFileEncoding.h"

#include <optional>

namespace model {

// The first and second words of one line of a script file's bytes, as
// views into it; a "#" ends the line.
struct LineWords {
    QByteArrayView first;
    QByteArrayView second;
};
LineWords lineWords(QByteArrayView line);

// One animation of a character file: its name and where its lines lie. Its
// block is every byte after the "anim" line up to the next "anim" line or
// the end of the file.
struct AnimBlock {
    QString name;
    qsizetype lineStart = 0;  // where the "anim" line starts
    qsizetype blockStart = 0; // after the "anim" line
    qsizetype blockEnd = 0;
    int frameCount = 0;
};

// A character's model script held as the bytes of its file. Finds the
// animation blocks and builds new file contents in which one block is
// replaced or added, leaving every other byte as it was.
class CharacterScript {
public:
    // The file's bytes, read in `encoding`, or in the encoding they are
    // found to be in.
    explicit CharacterScript(QByteArray bytes, std::optional<TextEncoding> encoding = std::nullopt);

    const QByteArray& bytes() const { return m_bytes; }
    const QList<AnimBlock>& blocks() const { return m_blocks; }
    // "\r\n" or "\n": the first line end of the file; "\r\n" when it has none.
    QByteArray lineEnd() const { return m_lineEnd; }
    TextEncoding encoding() const { return m_encoding; }

    // The first block of the animation `name` (letter case ignored), or null.
    const AnimBlock* find(QStringView name) const;

    // The bytes of a block, and of a block with its "anim" line.
    QByteArrayView blockBytes(const AnimBlock& block) const;
    QByteArrayView bytesWithAnimLine(const AnimBlock& block) const;

    // The file with the bytes of `block` replaced by `bytes`; the blocks
    // keep their order, those after it shifted.
    CharacterScript withBlockReplaced(const AnimBlock& block, QByteArrayView bytes) const;
    // The file with a new "anim" TAB `name` line and `bytes` added at its
    // end as its last block, the line in `encoding` (the file's own when it
    // has bytes); nullopt when that cannot write the name.
    std::optional<CharacterScript> withBlockAdded(const QString& name, QByteArrayView bytes,
                                                  TextEncoding encoding) const;

private:
    QByteArray m_bytes;
    QByteArray m_lineEnd;
    TextEncoding m_encoding = TextEncoding::Utf8;
    QList<AnimBlock> m_blocks;
};

} // namespace model
