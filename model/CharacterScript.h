#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "model/TextFileEncoding.h"

#include <optional>

namespace model {

// One animation of a character file: its name and where its block lies.
// The block is every byte after the "anim" line up to the next "anim" line
// or the end of the file.
struct AnimBlock {
    QString name;
    qsizetype blockStart = 0;
    qsizetype blockEnd = 0;
    int frameCount = 0;
};

// A character's model script held as the bytes of its file. Finds the
// animation blocks and builds new file contents in which one block is
// replaced or added, leaving every other byte as it was and using the
// file's own line ends.
class CharacterScript {
public:
    explicit CharacterScript(QByteArray bytes);

    const QByteArray& bytes() const { return m_bytes; }
    const QList<AnimBlock>& blocks() const { return m_blocks; }
    // "\r\n" or "\n": the first line end of the file; "\r\n" when it has none.
    QByteArray lineEnd() const { return m_lineEnd; }
    TextEncoding encoding() const { return m_encoding; }

    // The block of the animation `name` (letter case ignored), or null.
    const AnimBlock* find(QStringView name) const;

    // A block as script text with CR LF line ends, for the script reader.
    // `lossless` becomes false when its bytes are not valid text, so that
    // writing the text back would change them.
    QString blockText(const AnimBlock& block, bool* lossless = nullptr) const;

    // The file with `block` replaced by `text` (CR LF line ends); nullopt
    // when the text cannot be written in the file's encoding.
    std::optional<QByteArray> withBlockReplaced(const AnimBlock& block, QStringView text) const;
    // The file with a new "anim" TAB `name` line and `text` added at its end.
    std::optional<QByteArray> withBlockAdded(const QString& name, QStringView text) const;

    // The lines after the last frame line of a script text (CR LF line
    // ends); empty when it has no frame line.
    static QString linesAfterLastFrame(QStringView text);

    // The distinct folders (lower case, "\" separators) of the frame lines
    // of a script text.
    static QStringList frameFolders(QStringView text);

private:
    QByteArray m_bytes;
    QByteArray m_lineEnd;
    TextEncoding m_encoding = TextEncoding::Utf8;
    QList<AnimBlock> m_blocks;
};

} // namespace model
