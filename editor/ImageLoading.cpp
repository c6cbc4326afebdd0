#include "editor/ImageLoading.h"

#include <QFileInfo>
#include <QImageReader>
#include <QtConcurrent/QtConcurrentMap>

namespace animbox {

QImage loadImage(const QString& path, QString* error)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = QStringLiteral("无法读取图片 %1 (%2)").arg(path, reader.errorString());
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
