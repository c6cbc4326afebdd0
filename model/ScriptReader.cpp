#include "model/ScriptReader.h"

#include "model/FileLookup.h"
#include "model/Numbers.h"
#include "model/TextHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <utility>

namespace model {

namespace {

constexpr int kLongestLine = 32766;
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
        if (line.size() > kLongestLine)
            return QCoreApplication::translate("model::ScriptReader", "行太长 (超过 %1 个字符)").arg(kLongestLine);
        qint32 position = 1;
        const QString keyword = NextToken(line, position);
        if (keyword == QStringLiteral("bbox") || keyword == QStringLiteral("extbbox") || keyword == QStringLiteral("extabox"))
            return readBox(keyword, line, position);
        if (const QString kind = attackKindFor(keyword); !kind.isEmpty())
            return readAttack(kind, line, position);
        if (keyword == QStringLiteral("offset")) {
            QString problem = readStrict(line, position, current().offsetX);
            return problem.isEmpty() ? readStrict(line, position, current().offsetY) : problem;
        }
        if (keyword == QStringLiteral("delay"))
            return readStrict(line, position, current().frameDelay);
        if (keyword == QStringLiteral("frame"))
            return completeFrame(NextToken(line, position));
        current().extra += line;
        current().extra += QStringLiteral("\r\n");
        return {};
    }

    static QString attackKindFor(const QString& keyword)
    {
        static const QHash<QString, QString> kinds{
            {QStringLiteral("attack"), QStringLiteral("Attack")},  {QStringLiteral("blast"), QStringLiteral("Blast")},
            {QStringLiteral("attack2"), QStringLiteral("Attack2")}, {QStringLiteral("attack3"), QStringLiteral("Attack3")},
            {QStringLiteral("attack4"), QStringLiteral("Attack4")}, {QStringLiteral("freeze"), QStringLiteral("Attack5")},
            {QStringLiteral("burn"), QStringLiteral("Attack6")},
        };
        return kinds.value(keyword);
    }

    static QString conversionProblem(NumberError error)
    {
        return error == NumberError::Overflow
            ? QCoreApplication::translate("model::ScriptReader", "溢出: 数值超出 -32768 到 32767")
            : QCoreApplication::translate("model::ScriptReader", "类型不匹配: 需要一个数字");
    }

    // Reads the next number of the line into `field` with `convert`; the reason when it fails.
    static QString readNumber(QStringView line, qint32& position, qint16& field,
                              Int16Result (*convert)(QStringView))
    {
        const Int16Result number = convert(NextTokenView(line, position));
        if (!number.ok())
            return conversionProblem(number.error);
        field = number.value;
        return {};
    }

    static QString readLenient(QStringView line, qint32& position, qint16& field)
    {
        return readNumber(line, position, field, lenientInt16);
    }

    static QString readStrict(QStringView line, qint32& position, qint16& field)
    {
        return readNumber(line, position, field, strictInt16);
    }

    static QString readBoxNumbers(QStringView line, qint32& position, Box& box)
    {
        Box read;
        for (qint16* field : {&read.x, &read.y, &read.width, &read.height})
            if (QString problem = readLenient(line, position, *field); !problem.isEmpty())
                return problem;
        box = read;
        return {};
    }

    QString readBox(const QString& keyword, QStringView line, qint32& position)
    {
        FrameRecord& r = current();
        Box* box = keyword == QStringLiteral("bbox") ? &r.bodyBox : keyword == QStringLiteral("extbbox") ? &r.extBodyBox : &r.extAttackBox;
        if (QString problem = readBoxNumbers(line, position, *box); !problem.isEmpty())
            return problem;
        const bool zero = box->isAllZero();
        if (keyword == QStringLiteral("bbox"))
            r.bodyEmpty = zero ? BoxState::Empty : BoxState::Normal;
        else if (keyword == QStringLiteral("extbbox"))
            r.extBodyEmpty = zero || r.bodyEmpty == BoxState::Empty ? BoxState::Empty : BoxState::Normal;
        else
            r.extAttackEmpty = zero || r.attackEmpty == BoxState::Empty ? BoxState::Empty : BoxState::Normal;
        return {};
    }

    QString readAttack(const QString& kind, QStringView line, qint32& position)
    {
        FrameRecord read = current();
        read.attackKind = kind;
        const bool blast = kind == QStringLiteral("Blast");
        qint16* const fields[] = {&read.attackBox.x, &read.attackBox.y, &read.attackBox.width,
                                  &read.attackBox.height, &read.damage, blast ? nullptr : &read.knockdown,
                                  &read.unblockable, &read.noFlash, &read.pause, &read.depth};
        for (qint16* field : fields) {
            if (!field) // a blast has no knock-down
                continue;
            if (QString problem = readLenient(line, position, *field); !problem.isEmpty())
                return problem;
        }
        read.attackEmpty = read.attackBox.isAllZero() ? BoxState::Empty : BoxState::Normal;
        current() = read;
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

    QString completeFrame(QString path)
    {
        path.replace(u'/', u'\\');
        if (!path.contains(u'.'))
            path += QStringLiteral(".gif");
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
