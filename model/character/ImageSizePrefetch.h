#pragma once

#include "model/script/ScriptReader.h"

#include <QHash>
#include <QMutex>
#include <QSize>
#include <QThreadPool>
#include <QWaitCondition>

#include <atomic>
#include <optional>

namespace model {

// Decodes image files on a pool of threads ahead of a reader that needs
// them, each file once, keeping only its size and its error: a check reads
// the script text on its own thread while the images of what it reads next
// are decoded beside it. `loadImage` must be safe to call on several threads.
class ImageSizePrefetch {
public:
    struct Decoded {
        QSize size;
        QString error;
    };

    explicit ImageSizePrefetch(ImageLoader loadImage);
    // Drops what has not started and waits for the rest.
    ~ImageSizePrefetch();
    ImageSizePrefetch(const ImageSizePrefetch&) = delete;
    ImageSizePrefetch& operator=(const ImageSizePrefetch&) = delete;

    // Starts decoding `path` unless it was asked for before.
    void request(const QString& path);
    // The size and error of `path`, waiting until it is decoded.
    Decoded take(const QString& path);

private:
    ImageLoader m_loadImage;
    QThreadPool m_pool;
    QMutex m_mutex;
    QWaitCondition m_finished;
    QHash<QString, std::optional<Decoded>> m_results; // nullopt while decoding
};

} // namespace model
