#pragma once

#include "model/animation/Animation.h"
#include "model/files/FileLookup.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

namespace model {

// Loads the image at a full path; on failure returns a null image and sets
// `error` to a message naming the file.
using ImageLoader = std::function<QImage(const QString& path, QString* error)>;

// Where the values of one row were stated: line numbers (1-based, in the
// text read) of its frame line and of the lines that last set its body box,
// its attack box and its anchor; 0 where no line did.
struct RowLines {
    int frame = 0;
    int body = 0;
    int attack = 0;
    int offset = 0;
};

// A line that a reading went past (ReadMode::GoOn): its number, the row of
// the frame it belongs to (the row count after the last frame line) and why.
struct ReadProblem {
    int line = 0;
    int row = 0;
    QString reason;
};

enum class ReadMode {
    StopAtProblem, // reading stops at the first line it cannot take
    GoOn,          // such a line is noted and left out; a frame whose image is
                   // missing or unreadable stays, with a null picture
};

// The frames read from a script text and how reading ended.
struct ReadResult {
    Animation animation;   // rows, records (with the spare one), framesFromText set
    QString lastFolder;    // real folder of the last frame read; empty when none
    bool finished = true;  // false: reading stopped at `message`
    QString message;       // the reason and the failing line (number and text)
    QList<RowLines> rowLines;    // index for index with the rows
    QList<ReadProblem> problems; // ReadMode::GoOn: every line read past
};

// Reads the frame lines of `text` (CR LF line ends) with frame paths below
// `workPath`. Each distinct image file is decoded once per reading.
ReadResult readScript(QStringView text, const QString& workPath, const ImageLoader& loadImage,
                      ReadMode mode = ReadMode::StopAtProblem);
// The same with the files found through `lookup`, below its base folder:
// readings that share one see each folder listed once.
ReadResult readScript(QStringView text, FileLookup& lookup, const ImageLoader& loadImage,
                      ReadMode mode = ReadMode::StopAtProblem);

} // namespace model
