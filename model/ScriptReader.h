#pragma once

#include "model/Animation.h"

#include <QImage>
#include <QString>
#include <QStringView>

#include <functional>

namespace model {

// Loads the image at a full path; on failure returns a null image and sets
// `error` to a message naming the file.
using ImageLoader = std::function<QImage(const QString& path, QString* error)>;

// The frames read from a script text and how reading ended.
struct ReadResult {
    Animation animation;   // rows, records (with the spare one), framesFromText set
    QString lastFolder;    // real folder of the last frame read; empty when none
    bool finished = true;  // false: reading stopped at `message`
    QString message;       // the reason and the failing line (number and text)
};

// Reads the frame lines of `text` (CR LF line ends) with frame paths below
// `workPath`. Each distinct image file is decoded once per reading.
ReadResult readScript(QStringView text, const QString& workPath, const ImageLoader& loadImage);

} // namespace model
