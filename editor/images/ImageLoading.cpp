#include "editor/images/ImageLoading.h"

#include "editor/images/GifDecoder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtConcurrent/QtConcurrentMap>

namespace animbox {

QImage loadImage(const QString& path, QString* error)
{
    // GIF sprites go through giflib directly; anything else, and a GIF it
    // cannot read, through the general reader.
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QImage gif = decodeGif(file.readAll());
        if (!gif.isNull())
            return gif;
    }
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = QCoreApplication::translate("animbox::ImageLoading", "无法读取图片 %1 (%2)").arg(path, reader.errorString());
    return image;
}

QList<LoadedImage> loadImages(const QStringList& paths)
{
    return QtConcurrent::blockingMapped<QList<LoadedImage>>(paths, [](const QString& path) {
        LoadedImage loaded;
        loaded.exists = QFileInfo(path).isFile();
        if (loaded.exists)
            loaded.image = loadImage(path, &loaded.error);
        return loaded;
    });
}

} // namespace animbox
