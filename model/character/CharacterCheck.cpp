#include "model/character/CharacterCheck.h"

#include "model/character/ImageSizePrefetch.h"

#include "model/character/CharacterScript.h"
#include "model/character/SourceLine.h"
#include "model/script/ScriptLine.h"
#include "model/text/TextHelpers.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace model {

namespace {

using Kind = CheckFinding::Kind;

// A keyword kept but not interpreted: how often, and where first.
struct KeptKeyword {
    QString keyword;
    int count = 0;
    CheckFinding first;
};

// An image file decoded before in this check: its size (empty when it could
// not be decoded) and why not.
QString boxNumbers(const Box& box)
{
    return QStringLiteral("%1 %2 %3 %4").arg(box.x).arg(box.y).arg(box.width).arg(box.height);
}

// Checks the frames read from one animation block and the lines of its text.
class BlockCheck {
public:
    BlockCheck(const QString& name, int firstLine, QList<CheckFinding>& findings)
        : m_name(name)
        , m_firstLine(firstLine)
        , m_findings(findings)
    {
    }

    void check(QStringView text, const ReadResult& result, QHash<QString, KeptKeyword>& kept)
    {
        m_rows = &result.rowLines;
        const QSet<int> emptyKeywords = scanLines(text, result, kept);
        for (const ReadProblem& problem : result.problems) {
            if (emptyKeywords.contains(problem.line))
                continue;
            const bool frameLine = problem.row < m_rows->size() && (*m_rows)[problem.row].frame == problem.line;
            add(frameLine ? Kind::Image : Kind::Line, rowOrNone(problem.row), problem.line, problem.reason);
        }
        for (int row = 0; row < result.animation.rowCount(); ++row)
            checkFrame(row, result.animation.frames[row]);
    }

private:
    void add(Kind kind, int row, int blockLine, const QString& text)
    {
        m_findings.append(CheckFinding{kind, m_name, row, m_firstLine + blockLine - 1, text});
    }

    int rowOrNone(int row) const { return row < m_rows->size() ? row : -1; }

    // The row whose frame a line of the block belongs to; -1 after the last frame line.
    int rowOfLine(int line) const
    {
        const auto it = std::lower_bound(m_rows->cbegin(), m_rows->cend(), line,
                                         [](const RowLines& row, int l) { return row.frame < l; });
        return it == m_rows->cend() ? -1 : int(it - m_rows->cbegin());
    }

    // Walks the lines as the reader does: notes the interpreted keywords
    // without values and counts the kept ones. Returns the lines noted.
    QSet<int> scanLines(QStringView text, const ReadResult& result, QHash<QString, KeptKeyword>& kept)
    {
        QSet<int> problemLines;
        for (const ReadProblem& problem : result.problems)
            problemLines.insert(problem.line);
        QSet<int> noted;
        int lineNumber = 0;
        while (true) {
            const QStringView line = NextPiece(text, u"\r\n");
            if (line.isEmpty() && text.isEmpty())
                break;
            ++lineNumber;
            qint32 position = 1;
            // A view, lower-cased only where it is kept: most lines are numbers and comments.
            const QStringView word = NextTokenView(line, position);
            if (word.isEmpty() || word.startsWith(u'#'))
                continue;
            if (lineKind(line) != LineKind::Other) {
                if (NextTokenView(line, position).isEmpty()) {
                    add(Kind::Line, rowOfLine(lineNumber), lineNumber,
                        QCoreApplication::translate("model::CharacterCheck", "关键字 %1 后面没有数值")
                            .arg(word.toString().toLower()));
                    noted.insert(lineNumber);
                }
            } else if (!problemLines.contains(lineNumber)) {
                const QString keyword = word.toString().toLower();
                KeptKeyword& entry = kept[keyword];
                if (entry.count++ == 0) {
                    entry.keyword = keyword;
                    entry.first = CheckFinding{Kind::KeptKeyword, m_name, rowOfLine(lineNumber),
                                               m_firstLine + lineNumber - 1, QString()};
                }
            }
        }
        return noted;
    }

    void checkFrame(int row, const FrameRecord& record)
    {
        const RowLines& lines = (*m_rows)[row];
        const QSize sprite = record.picture.isNull() ? QSize() : QSize(record.imageWidth, record.imageHeight);
        if (record.bodyEmpty == BoxState::Normal && !record.bodyBox.isAllZero()) {
            checkBox(row, record.bodyBox, sprite, lines.body ? lines.body : lines.frame,
                     QCoreApplication::translate("model::CharacterCheck", "受击框"));
        }
        if (record.attackEmpty == BoxState::Normal && !record.attackBox.isAllZero()) {
            checkBox(row, record.attackBox, sprite, lines.attack ? lines.attack : lines.frame,
                     QCoreApplication::translate("model::CharacterCheck", "攻击框"));
        }
        // The anchor may lie on the sprite's edge (feet on the bottom row's border).
        if (sprite.isValid()
            && (record.offsetX < 0 || record.offsetX > sprite.width() || record.offsetY < 0
                || record.offsetY > sprite.height())) {
            add(Kind::Anchor, row, lines.offset ? lines.offset : lines.frame,
                QCoreApplication::translate("model::CharacterCheck", "锚点 (%1, %2) 在图片 (%3×%4) 之外")
                    .arg(record.offsetX).arg(record.offsetY).arg(sprite.width()).arg(sprite.height()));
        }
    }

    // A box of negative size is a fault of the line that states it, told
    // once; one outside its sprite is told for every frame it is outside.
    void checkBox(int row, const Box& box, QSize sprite, int line, const QString& what)
    {
        if (box.width < 0 || box.height < 0) {
            if (!m_negativeLines.contains(line)) {
                m_negativeLines.insert(line);
                add(Kind::Box, row, line,
                    QCoreApplication::translate("model::CharacterCheck", "%1的宽或高为负: %2").arg(what, boxNumbers(box)));
            }
            return;
        }
        if (!sprite.isValid())
            return;
        const int right = box.x + box.width;
        const int bottom = box.y + box.height;
        if (box.x >= sprite.width() || box.y >= sprite.height() || right <= 0 || bottom <= 0) {
            add(Kind::Box, row, line,
                QCoreApplication::translate("model::CharacterCheck", "%1完全在图片 (%2×%3) 之外: %4")
                    .arg(what, QString::number(sprite.width()), QString::number(sprite.height()), boxNumbers(box)));
        }
    }

    const QString& m_name;
    int m_firstLine;
    QList<CheckFinding>& m_findings;
    const QList<RowLines>* m_rows = nullptr;
    QSet<int> m_negativeLines;
};

// The line number in the file of each block's "anim" line, counted in one
// pass over the bytes.
QList<int> animLineNumbers(const CharacterScript& script)
{
    QList<int> numbers;
    const QByteArrayView bytes(script.bytes());
    qsizetype counted = 0;
    int newlines = 0;
    for (const AnimBlock& block : script.blocks()) {
        newlines += int(bytes.sliced(counted, block.lineStart - counted).count('\n'));
        counted = block.lineStart;
        numbers.append(newlines + 1);
    }
    return numbers;
}

// Asks `prefetch` for the image of every frame line of `text`, found as the
// reader finds it.
void requestImages(QStringView text, FileLookup& lookup, ImageSizePrefetch& prefetch)
{
    while (!text.isEmpty()) {
        const QStringView line = NextPiece(text, u"\r\n");
        if (lineKind(line) != LineKind::Frame)
            continue;
        FrameRecord unused;
        const QString path = lookup.find(applyScriptLine(line, unused).framePath);
        if (!path.isEmpty())
            prefetch.request(path);
    }
}

} // namespace

CharacterCheck::CharacterCheck(QByteArray bytes, QString gameFolder, ImageLoader loadImage)
    : m_bytes(std::move(bytes))
    , m_gameFolder(std::move(gameFolder))
    , m_loadImage(std::move(loadImage))
{
}

CheckReport CharacterCheck::run(const std::function<bool(int done, int total)>& goOn) const
{
    const CharacterScript script(m_bytes);
    const QList<int> animLines = animLineNumbers(script);
    CheckReport report;
    report.animationCount = int(script.blocks().size());

    int done = 0;
    bool stopped = false;
    // Each file is decoded once per check, on the prefetch's threads while
    // the text is read. The check looks only at sizes, so it keeps no
    // pixels: an image is stood in for by an undrawn one of its size.
    ImageSizePrefetch prefetch(m_loadImage);
    const ImageLoader loadOnce = [&](const QString& path, QString* error) {
        stopped = stopped || !goOn(done, report.animationCount);
        if (stopped)
            return QImage();
        const ImageSizePrefetch::Decoded decoded = prefetch.take(path);
        if (error)
            *error = decoded.error;
        return decoded.size.isEmpty() ? QImage() : QImage(decoded.size, QImage::Format_Mono);
    };

    QHash<QString, int> firstLineOfName;
    QHash<QString, KeptKeyword> kept;
    // One lookup for every animation: each folder is listed once per check.
    FileLookup lookup(m_gameFolder);
    // The block's text as opening gives it to the reader: line for line the file's.
    const auto textOf = [&](qsizetype index) {
        return index < script.blocks().size()
            ? readerText(splitSourceLines(script.blockBytes(script.blocks()[index]), script.encoding()))
            : QString();
    };
    QString text = textOf(0);
    requestImages(text, lookup, prefetch);
    for (const AnimBlock& block : script.blocks()) {
        stopped = stopped || !goOn(done, report.animationCount);
        if (stopped)
            break;
        // The images of the next animation are decoded while this one is read.
        const QString next = textOf(done + 1);
        requestImages(next, lookup, prefetch);
        const ReadResult result = readScript(text, lookup, loadOnce, ReadMode::GoOn);
        // Images left undecoded by the stop would read as faults.
        if (stopped)
            break;
        const int animLine = animLines[done];
        const int firstLine = firstLineOfName.value(block.name.toCaseFolded(), animLine);
        if (firstLine != animLine) {
            report.findings.append(CheckFinding{
                CheckFinding::Kind::DuplicateName, block.name, -1, animLine,
                QCoreApplication::translate("model::CharacterCheck", "动画 %1 重复: 第 %2 行已有同名的动画")
                    .arg(block.name, QString::number(firstLine))});
        }
        firstLineOfName.insert(block.name.toCaseFolded(), firstLine);
        BlockCheck(block.name, animLine + 1, report.findings).check(text, result, kept);
        ++done;
        text = next;
    }
    report.checked = done;

    // Problems in file order; information after them.
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const CheckFinding& a, const CheckFinding& b) { return a.line < b.line; });
    QList<KeptKeyword> keptList = kept.values();
    std::sort(keptList.begin(), keptList.end(),
              [](const KeptKeyword& a, const KeptKeyword& b) { return a.first.line < b.first.line; });
    for (KeptKeyword& entry : keptList) {
        entry.first.text = QCoreApplication::translate("model::CharacterCheck", "保留而不解释的关键字 %1 (共 %2 行)")
                               .arg(entry.keyword, QString::number(entry.count));
        report.findings.append(entry.first);
    }
    return report;
}

} // namespace model
