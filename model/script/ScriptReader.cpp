#include "model/script/ScriptReader.h"

#include "model/files/FileLookup.h"
#include "model/script/ScriptLine.h"
#include "model/text/TextHelpers.h"

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
    Reader(FileLookup& lookup, const ImageLoader& loadImage, ReadMode mode)
        : m_workPath(lookup.base())
        , m_lookup(lookup)
        , m_loadImage(loadImage)
        , m_mode(mode)
    {
        m_result.animation.frames.resize(1);
        m_result.animation.framesFromText = true;
    }

    ReadResult read(QStringView text)
    {
        while (true) {
            const QStringView line = NextPiece(text, QStringLiteral("\r\n"));
            if (line.isEmpty() && text.isEmpty())
                break;
            ++m_lineNumber;
            const int row = m_index;
            const QString problem = applyLine(line);
            if (problem.isEmpty())
                continue;
            if (m_mode == ReadMode::GoOn) {
                m_result.problems.append(ReadProblem{m_lineNumber, row, problem});
                continue;
            }
            m_result.finished = false;
            m_result.message = problem + u'\n'
                + QCoreApplication::translate("model::ScriptReader", "第 %1 行: %2").arg(m_lineNumber).arg(line.left(200).toString());
            break;
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
        switch (effect.kind) {
        case LineKind::Frame:
            return completeFrame(effect.framePath);
        case LineKind::Other:
            current().extra += line;
            current().extra += QStringLiteral("\r\n");
            break;
        case LineKind::Body:
            m_lines.body = m_lineNumber;
            break;
        case LineKind::Attack:
            m_lines.attack = m_lineNumber;
            break;
        case LineKind::Offset:
            m_lines.offset = m_lineNumber;
            break;
        default:
            break;
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
            resolved.folder = resolved.realPath.left(resolved.realPath.lastIndexOf(u'/'));
            if (QDir::isRelativePath(resolved.folder))
                resolved.folder = QFileInfo(resolved.realPath).absolutePath();
            resolved.image = m_loadImage(resolved.realPath, &resolved.error);
        }
        return *m_images.insert(resolved.realPath, resolved);
    }

    QString completeFrame(const QString& path)
    {
        const ResolvedImage& found = resolve(path);
        QString problem;
        if (found.realPath.isEmpty())
            problem = QCoreApplication::translate("model::ScriptReader", "文件不存在! %1")
                          .arg(QDir::toNativeSeparators(joinPath(m_workPath, path)));
        else if (found.image.isNull())
            problem = found.error.isEmpty() ? QCoreApplication::translate("model::ScriptReader", "无法读取图片 %1").arg(found.realPath)
                                            : found.error;
        if (!problem.isEmpty() && m_mode == ReadMode::StopAtProblem)
            return problem;
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
        m_lines.frame = m_lineNumber;
        m_result.rowLines.append(m_lines);
        if (!found.folder.isEmpty())
            m_result.lastFolder = found.folder;
        return problem;
    }

    QString m_workPath;
    FileLookup& m_lookup;
    const ImageLoader& m_loadImage;
    ReadMode m_mode;
    QHash<QString, QString> m_realPaths;
    QHash<QString, ResolvedImage> m_images;
    ReadResult m_result;
    int m_index = 0;
    int m_lineNumber = 0;
    RowLines m_lines; // of the record being filled, carried on as its values are
};

} // namespace

ReadResult readScript(QStringView text, const QString& workPath, const ImageLoader& loadImage, ReadMode mode)
{
    FileLookup lookup(workPath);
    return readScript(text, lookup, loadImage, mode);
}

ReadResult readScript(QStringView text, FileLookup& lookup, const ImageLoader& loadImage, ReadMode mode)
{
    return Reader(lookup, loadImage, mode).read(text);
}

} // namespace model
