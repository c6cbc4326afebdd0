// Feeds arbitrary bytes as script text to the reader and as text to the
// helpers it shares with the dialogs and the image browser.

#include "model/BrowserRules.h"
#include "model/Numbers.h"
#include "model/ScriptReader.h"
#include "model/TextHelpers.h"
#include "tools/GifWriter.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// A game folder with one tiny sprite, so that "frame data/a" lines succeed
// and the reader goes on past them.
QTemporaryDir* gameFolder()
{
    static QTemporaryDir folder;
    return &folder;
}

QImage stubLoader(const QString&, QString*)
{
    static const QImage image = tools::makeSprite(QSize(4, 4), qRgb(0, 0, 0), qRgb(255, 255, 255), 1);
    return image;
}

void exerciseHelpers(const QString& text)
{
    QStringView rest(text);
    int lines = 0;
    while (!rest.isEmpty() && ++lines < 64) {
        const QStringView line = model::NextPiece(rest, QStringLiteral("\r\n"));
        qint32 position = 0;
        for (int i = 0; i < 16 && position != -1; ++i) {
            const QString token = model::NextToken(line, position);
            model::lenientInt16(token);
            model::strictInt16(token);
        }
        model::KeyValue(text, line.left(8));
    }
    QString owned = text;
    model::NextPiece(owned, QStringLiteral(","));
    model::toCrLf(text);

    // Wildcard matching may backtrack: keep name and pattern short.
    const QString pattern = model::patternFromText(text.left(12));
    for (const QString& part : model::splitPatterns(pattern))
        model::matchesPattern(text.right(16), part);
    model::dataFolderIndex(text);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    QTemporaryDir* folder = gameFolder();
    if (!folder->isValid() || !QDir(folder->path()).mkpath(QStringLiteral("data")) ||
        !tools::writeGif(folder->filePath(QStringLiteral("data/a.gif")), stubLoader(QString(), nullptr)))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const model::ReadResult result = model::readScript(text, gameFolder()->path(), stubLoader);
    if (result.animation.frames.size() != result.animation.rows.size() + 1)
        std::abort();
    exerciseHelpers(text);
    return 0;
}
