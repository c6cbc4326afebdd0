#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The classic editor keeps no frame records: the animation is its script
// text, lines separated by CR LF, and every command finds or inserts one line
// for a frame. These functions are that text model; they take a text and give
// a new one, so the window only reads its text box, calls them and writes the
// result back. Positions are 0-based indexes into the text.
namespace classic {

inline constexpr QLatin1String LineBreak("\r\n");

// A line of the script: the keyword through the end of its line.
struct FoundLine {
    QString text;
    qsizetype start = -1; // index of the keyword, -1 when nothing was found
    qsizetype length = 0;
    bool found() const { return start >= 0; }
};

// An anchor point of a frame ("offset" line), 32-bit as the window keeps it.
struct Offset {
    qint32 x = 0;
    qint32 y = 0;
    bool operator==(const Offset&) const = default;
};

// TABs become blanks, then every run of blanks becomes one blank.
QString normaliseSpaces(QStringView text);

// The leading number of a token (0 when there is none), rounded half to
// even; nullopt when it does not fit 32 bits.
std::optional<qint32> readNumber(QStringView token);

// The last line of `keyword` that lies before the first occurrence of
// `name`, across frame blocks: a frame without a line of its own gets the one
// of an earlier frame, as the engine carries values forward. A line is one of
// `keyword` when its first word is exactly the keyword; keyword and name are
// compared without regard to case.
FoundLine findLastKeywordLine(QStringView text, QStringView keyword, QStringView name);

// Like findLastKeywordLine, but only inside the frame's own block, which
// starts after the last "frame" line before the name's line.
FoundLine findFrameKeywordLine(QStringView text, QStringView keyword, QStringView name);

// Sets `line` ("keyword" TAB values) for the frame `name`: replaces the
// frame's own line of that keyword in place, or inserts the line before the
// name's line. Returns the text unchanged when the line has no TAB or the
// name does not occur.
QString setFrameLine(const QString& text, const QString& name, const QString& line);

// The x and y of an "offset" line; nullopt when a value does not fit 32 bits.
std::optional<Offset> parseOffsetLine(QStringView line);

// The first `count` numbers after the keyword of a line, unrounded; missing
// and infinite ones are 0.
QList<double> lineValues(QStringView line, int count);

// The pause of a "delay" line in milliseconds (delay × 10), never negative.
int delayMilliseconds(QStringView line);

// Lines the editor writes.
QString offsetLine(Offset offset);
QString bodyBoxLine(const QRect& box);
QString attackBoxLine(const QRect& box);

// The fields of the main window that shape the initial text.
struct InitialOptions {
    QString ground = QStringLiteral("2");   // pixels above the ground, subtracted from the height
    bool fixed = false;                     // x from `fixedX` instead of the middle of the image
    bool fromRight = false;                 // fixed x counted from the right edge
    QString fixedX = QStringLiteral("30");
};

// The result of generateInitialText: the text, or why there is none.
struct InitialText {
    QString text;
    QString error;
};

// The last component of a folder path, split at "/" or "\".
QString folderWord(const QString& folder);

// A delay line, then per frame an offset line when its anchor differs from
// the frame before, and the "frame" line with a blank line after it.
// `sizes` holds the image size of each name.
InitialText generateInitialText(const QStringList& names, const QList<QSize>& sizes,
                                const QString& folderWord, const InitialOptions& options);

// Inserts a "frame" line for `name` (folder data/chars/<folderWord>) before
// the name's line when the frame's block has none.
QString insertDefinition(const QString& text, const QString& name, const QString& folderWord);

// The file names of the "frame" lines (the keyword at the start of a line),
// in text order; the scan stops at a "frame" line that holds no "/".
QStringList listFramesFromText(QStringView text);

// The new offset line of `name` when its offset moves by (dx, dy): the
// offset in force for it in `text`, or `current` when none is, plus the
// shift. `current` becomes the new offset. nullopt when the name does not
// occur or the result leaves 32 bits.
std::optional<QString> shiftedOffsetLine(QStringView text, QStringView name, qint32 dx, qint32 dy,
                                         Offset& current);

// Moves the offset of every named frame by (dx, dy). Every frame reads its
// old offset from the text as it was before the command, so frames that
// share an inherited offset each move once; each gets a line of its own.
// Frames without any offset in force start from `current`. `lastLine` is
// the line set for the last frame that moved, empty when none did.
struct ShiftedText {
    QString text;
    QString lastLine;
};
ShiftedText shiftAllOffsets(const QString& text, const QStringList& names, qint32 dx, qint32 dy,
                        Offset& current);

} // namespace classic
