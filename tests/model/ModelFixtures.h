#pragma once

#include "model/FrameRecord.h"
#include "model/ScriptReader.h"

#include <QHash>
#include <QSize>
#include <QString>
#include <QStringList>

namespace modeltest {

// Script text from lines as the writer composes them: each line gets a
// leading TAB and a CR LF.
QString scriptLines(const QStringList& lines);

// Writes a sprite GIF of `size` at `relative` (with "/") below `root`,
// creating the folders. False when anything fails.
bool writeSprite(const QString& root, const QString& relative, QSize size = QSize(60, 100));

// Names every field (except the image itself) in which `actual` and
// `expected` differ, with both values; empty when they agree.
QString recordDifferences(const model::FrameRecord& actual, const model::FrameRecord& expected);

// An image loader that decodes files for real and counts how often each
// path was asked for.
class CountingLoader {
public:
    model::ImageLoader loader();
    int totalCalls() const { return m_total; }
    const QHash<QString, int>& callsPerPath() const { return m_calls; }

private:
    QHash<QString, int> m_calls;
    int m_total = 0;
};

} // namespace modeltest
