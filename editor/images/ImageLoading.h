#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace animbox {

// Decodes one image file; on failure a null image and, in `error`, a message
// that names the file.
QImage loadImage(const QString& path, QString* error = nullptr);

// The outcome of loading one frame image by its full path.
struct LoadedImage {
    bool exists = false;
    QImage image;  // null when missing or not decodable
    QString error; // set when the file exists but cannot be decoded
};

// Loads many images on every core; the results are in the order of `paths`.
// An empty path stands for a file that was not found.
// Runs no user-interface code, so the caller reports failures in row order.
QList<LoadedImage> loadImages(const QStringList& paths);

} // namespace animbox
