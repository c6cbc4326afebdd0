#include "model/ScriptReader.h"

#include "model/FileLookup.h"
#include "model/ScriptLine.h"
#include "model/TextHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <utility>

namespace model {

namespace {

constexpr int kMostFrames = 32767;

// An image file found for a frame path, decoded once per reading.
struct ResolvedImage {
    QString realPath;
    QString folder;
    QImage image;
    QString error;
};

// Reads one script text into an animation, line by line.
class Reader {
public:
    Reader(const QString& workPath, const ImageLoader& loadImage)
        : m_workPath(workPath)
        , m_lookup(workPath)
        , m_loadImage(loadImage)
    {
        m_result.animation.frames.resize(1);
        m_result.animation.framesFromText = true;
    }

    ReadResult read(QStringView text)
    {
        int lineNumber = 0;
        while (true) {
            const QStringView line = NextPiece(text, QStringLiteral("\r\n"));
            if (line.isEmpty() && text.isEmpty())
                break;
            ++lineNumber;
            const QString problem = applyLine(line);
            if (!problem.isEmpty()) {
                m_result.finished = false;
                m_result.message = problem + u'\n'
                    + QCoreApplication::translate("model::ScriptReader", "第 %1 行: %2").arg(lineNumber).arg(line.left(200).toString());
                break;
            }
        }
        return std::move(m_result);
    }

private:
    FrameRecord& current() { return m_result.animation.frames[m_index]; }

    // Applies one line to the record being filled; returns the reason when it fails.
    QString applyLine(QStringView line)
    {
        const LineEffect effect = applyScriptLine(line, current());
        if (!effect.problem.isEmpty())
            return effect.problem;
        if (effect.kind == LineKind::Frame)
            return completeFrame(effect.framePath);
        if (effect.kind == LineKind::Other) {
            current().extra += line;
            current().extra += QStringLiteral("\r\n");
        }
        return {};
    }

    // Frame paths spelt differently (case, doubled separators) can name the
    // same file: images are kept by the real path, found once per spelling.
    const ResolvedImage& resolve(const QString& path)
    {
        auto known = m_realPaths.constFind(path);
        if (known == m_realPaths.cend())
            known = m_realPaths.insert(path, m_lookup.find(path));
        auto it = m_images.find(*known);
        if (it != m_images.end())
            return *it;
        ResolvedImage resolved;
        resolved.realPath = *known;
        if (!resolved.realPath.isEmpty()) {
            resolved.folder = QFileInfo(resolved.realPath).absolutePath();
            resolved.image = m_loadImage(resolved.realPath, &resolved.error);
        }
        return *m_images.insert(resolved.realPath, resolved);
    }

    QString completeFrame(const QString& path)
    {
        const ResolvedImage& found = resolve(path);
        if (found.realPath.isEmpty())
            return QCoreApplication::translate("model::ScriptReader", "文件不存在! %1")
                .arg(QDir::toNativeSeparators(joinPath(m_workPath, path)));
        if (found.image.isNull())
            return found.error.isEmpty() ? QCoreApplication::translate("model::ScriptReader", "无法读取图片 %1").arg(found.realPath)
                                         : found.error;
        if (m_index >= kMostFrames - 1)
            return QCoreApplication::translate("model::ScriptReader", "溢出: 帧太多");

        Animation& animation = m_result.animation;
        FrameRecord& r = current();
        r.picture = found.image;
        r.folder = found.folder;
        r.imageWidth = qint16(qMin(found.image.width(), 32767));
        r.imageHeight = qint16(qMin(found.image.height(), 32767));
        animation.rows.append(path.mid(path.lastIndexOf(u'\\') + 1));
        FrameRecord next = r;
        next.extra.clear();
        animation.frames.append(std::move(next));
        ++m_index;
        m_result.lastFolder = found.folder;
        return {};
    }

    QString m_workPath;
    FileLookup m_lookup;
    const ImageLoader& m_loadImage;
    QHash<QString, QString> m_realPaths;
    QHash<QString, ResolvedImage> m_images;
    ReadResult m_result;
    int m_index = 0;
};

} // namespace

ReadResult readScript(QStringView text, const QString& workPath, const ImageLoader& loadImage)
{
    return Reader(workPath, loadImage).read(text);
}

} // namespace model
