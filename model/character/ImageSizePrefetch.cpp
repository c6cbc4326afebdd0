#include "model/character/ImageSizePrefetch.h"

#include <QMutexLocker>

namespace model {

ImageSizePrefetch::ImageSizePrefetch(ImageLoader loadImage)
    : m_loadImage(std::move(loadImage))
{
}

ImageSizePrefetch::~ImageSizePrefetch()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void ImageSizePrefetch::request(const QString& path)
{
    {
        const QMutexLocker lock(&m_mutex);
        if (m_results.contains(path))
            return;
        m_results.insert(path, std::nullopt);
    }
    m_pool.start([this, path] {
        QString error;
        const QImage image = m_loadImage(path, &error);
        const QMutexLocker lock(&m_mutex);
        m_results[path] = Decoded{image.size(), error};
        m_finished.wakeAll();
    });
}

ImageSizePrefetch::Decoded ImageSizePrefetch::take(const QString& path)
{
    request(path);
    QMutexLocker lock(&m_mutex);
    while (!m_results.value(path))
        m_finished.wait(&m_mutex);
    return *m_results.value(path);
}

} // namespace model
