#include "model/character/BlockComposer.h"

#include "model/character/FrameValues.h"
#include "model/character/LineRewriter.h"
#include "model/files/BrowserRules.h"
#include "model/script/ScriptWriter.h"
#include "model/text/TextHelpers.h"

#include <QCoreApplication>

#include <optional>
#include <utility>

namespace model {

namespace {

// Reads `lines` into `state` as the reader would, values only.
FrameRecord readValues(FrameRecord state, const QList<SourceLine>& lines)
{
    for (const SourceLine& line : lines)
        applyScriptLine(line.text, state);
    return state;
}

// The writer's lines for each frame (its interpreted lines only), the
// first lines of a frame new to the block.
QList<QStringList> writerLinesOf(const Animation& animation)
{
    QList<QStringList> frames;
    const WriteResult written = writeScript(animation, QStringLiteral("data"), AttackKeywords::AsRead);
    QStringList lines;
    QStringView text = written.text;
    while (!text.isEmpty()) {
        const QStringView line = NextPiece(text, u"\r\n");
        const LineKind kind = lineKind(line);
        if (kind == LineKind::Frame)
            frames.append(std::exchange(lines, {}));
        else if (kind != LineKind::Other)
            lines.append(line.toString());
    }
    return frames;
}

// A writer line ("\tKeyword\tnumbers") spelt in the block's style.
QString restyled(const QString& writerLine, const LineStyle& style)
{
    const QString trimmed = writerLine.mid(1);
    const qsizetype tab = trimmed.indexOf(u'\t');
    const QString keyword = trimmed.left(tab);
    return style.indent + (style.lowerCase ? keyword.toLower() : keyword) + style.gap + trimmed.mid(tab + 1);
}

// Writes one block: the frames in order, each fitted to its target values.
class Composer {
public:
    Composer(const BlockSource& source, const Animation& animation)
        : m_source(source)
        , m_animation(animation)
    {
    }

    ComposedBlock compose()
    {
        if (!m_animation.hasFrames())
            return {{}, QCoreApplication::translate("model::BlockComposer", "没有帧.")};
        const bool headAmongFirst = m_source.headFrameId != 0 && m_animation.frames.first().sourceId == m_source.headFrameId;
        const FrameRecord start = readValues(FrameRecord(), m_source.head);
        if (!headAmongFirst)
            m_out.append(m_source.head);
        const QList<FrameRecord> targets = resolvedValues(m_animation, start);
        const QList<QStringList> writerLines = writerLinesOf(m_animation);
        FrameRecord state = start;
        for (int i = 0; i < m_animation.rowCount() && m_error.isEmpty(); ++i) {
            m_row = i;
            std::optional<QList<SourceLine>> lines = candidateLines(headAmongFirst, writerLines.value(i));
            if (!lines)
                break;
            std::optional<QList<SourceLine>> fitted = fit(*lines, state, targets[i]);
            if (!fitted && m_error.isEmpty())
                fitted = stated(*lines, state, targets[i]);
            if (!fitted) {
                if (m_error.isEmpty())
                    m_error = QCoreApplication::translate("model::BlockComposer", "无法写出第 %1 帧.").arg(i + 1);
                break;
            }
            m_out.append(*fitted);
            state = readValues(state, *fitted);
        }
        if (!m_error.isEmpty())
            return {{}, m_error};
        m_out.append(m_source.tail);
        return {joined(), {}};
    }

private:
    // The lines a frame starts from: those it was read with; for a new
    // frame, its uninterpreted lines and the writer's lines in the block's style.
    std::optional<QList<SourceLine>> candidateLines(bool headAmongFirst, const QStringList& writerLines)
    {
        const int row = m_row;
        const FrameRecord& record = m_animation.frames.at(row);
        QList<SourceLine> lines;
        // Two rows never share lines: a copy of a frame is a new frame.
        if (const auto own = m_source.frames.constFind(record.sourceId);
            record.sourceId != 0 && own != m_source.frames.cend() && !std::exchange(m_used[record.sourceId], true)) {
            for (const SourceLine& line : *own)
                if (!line.head || (row == 0 && headAmongFirst))
                    lines.append(line);
            return lines;
        }
        QStringView extra = record.extra;
        while (!extra.isEmpty()) {
            if (!appendNew(lines, NextPiece(extra, u"\r\n").toString()))
                return std::nullopt;
        }
        for (const QString& writerLine : writerLines)
            if (!appendNew(lines, restyled(writerLine, m_source.style)))
                return std::nullopt;
        const qsizetype dataAt = dataFolderIndex(record.folder);
        if (dataAt < 0) {
            m_error = QCoreApplication::translate("model::BlockComposer", "第 %1 帧 (%2) 不在 data 文件夹中, 未保存.").arg(row + 1).arg(m_animation.rows.at(row));
            return std::nullopt;
        }
        const QString path = record.folder.mid(dataAt) + u'/' + m_animation.rows.at(row);
        if (!appendNew(lines, newFrameLine(path, m_source.style)))
            return std::nullopt;
        return lines;
    }

    // Appends a new line; false, with the error set, when the file's encoding cannot write it.
    bool appendNew(QList<SourceLine>& lines, const QString& text, qsizetype at = -1)
    {
        std::optional<SourceLine> line = SourceLine::fromText(text, m_source.encoding, m_source.style.lineEnd);
        if (!line) {
            m_error = QCoreApplication::translate("model::BlockComposer", "第 %1 帧的一行含有 %2 无法写出的字符, 未保存: %3")
                          .arg(m_row + 1)
                          .arg(encodingName(m_source.encoding), text.trimmed());
            return false;
        }
        lines.insert(at < 0 ? lines.size() : at, *line);
        return true;
    }

    // The frame's lines changed only where its values must change: a line
    // of a changed value gets the new numbers, or goes when the value is
    // inherited now; a value that no line states gets a line before the
    // frame line. Nullopt when that does not give the target.
    std::optional<QList<SourceLine>> fit(QList<SourceLine> lines, const FrameRecord& state, const FrameRecord& target)
    {
        if (sameValues(readValues(state, lines), target))
            return lines;
        for (const ValueGroup group : kValueGroups) {
            if (sameValues(group, readValues(state, lines), target))
                continue;
            QList<qsizetype> stating;
            for (qsizetype i = 0; i < lines.size(); ++i)
                if (groupOf(lines[i].kind) == group)
                    stating.append(i);
            if (stating.isEmpty()) {
                if (!appendNew(lines, newGroupLine(group, target, m_source.style), lines.size() - 1))
                    return std::nullopt;
                continue;
            }
            SourceLine& last = lines[stating.last()];
            if (last.lossless) {
                const SourceLine before = last;
                const QString text = rewriteLine(last.text, group, target);
                std::optional<QByteArray> bytes = encodeText(text, m_source.encoding);
                if (bytes) {
                    last.bytes = *bytes + before.lineEnd().toByteArray();
                    last.text = text;
                    if (sameValues(group, readValues(state, lines), target))
                        continue;
                }
                last = before;
            }
            if (sameValues(group, state, target)) {
                for (qsizetype i = stating.size() - 1; i >= 0; --i)
                    lines.removeAt(stating[i]);
            }
        }
        if (!sameValues(readValues(state, lines), target))
            return std::nullopt;
        return lines;
    }

    // The frame's interpreted lines replaced by one line for each group
    // that differs from the target, in the writer's order, so that an
    // extended box is read after its box. Its other lines stay.
    std::optional<QList<SourceLine>> stated(const QList<SourceLine>& lines, const FrameRecord& state,
                                            const FrameRecord& target)
    {
        QList<SourceLine> result;
        for (const SourceLine& line : lines)
            if (line.kind == LineKind::Other || line.kind == LineKind::Frame)
                result.append(line);
        for (const ValueGroup group : kValueGroups) {
            if (!sameValues(group, readValues(state, result), target)
                && !appendNew(result, newGroupLine(group, target, m_source.style), result.size() - 1))
                return std::nullopt;
        }
        if (!sameValues(readValues(state, result), target))
            return std::nullopt;
        return result;
    }

    // The lines' bytes; a line without a line end gets one unless it is the last.
    QByteArray joined() const
    {
        QByteArray bytes;
        for (qsizetype i = 0; i < m_out.size(); ++i) {
            bytes += m_out[i].bytes;
            if (i + 1 < m_out.size() && m_out[i].lineEnd().isEmpty())
                bytes += m_source.style.lineEnd;
        }
        return bytes;
    }

    const BlockSource& m_source;
    const Animation& m_animation;
    QList<SourceLine> m_out;
    QString m_error;
    int m_row = 0; // the row being written
    QHash<quint32, bool> m_used;
};

} // namespace

ComposedBlock composeBlock(const BlockSource& source, const Animation& animation)
{
    return Composer(source, animation).compose();
}

} // namespace model
