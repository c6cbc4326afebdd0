// Feeds arbitrary bytes as script text to the reader, and as plain text to
// the helpers it shares with the dialogs and to the image browser's
// pattern rule.

#include "demo/GifWriter.h"
#include "model/files/BrowserRules.h"
#include "model/script/ScriptReader.h"
#include "model/text/Numbers.h"
#include "model/text/TextHelpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

// A game folder with data/a.gif, so that "frame data/a" lines succeed and
// the reader goes on past them.
QTemporaryDir gameFolder;

QImage stubLoader(const QString&, QString*)
{
    static const QImage image = tools::makeSprite(QSize(4, 4), qRgb(0, 0, 0), qRgb(255, 255, 255), 1);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (!gameFolder.isValid() || !QDir(gameFolder.path()).mkpath(QStringLiteral("data"))
        || !tools::writeGif(gameFolder.filePath(QStringLiteral("data/a.gif")), stubLoader({}, nullptr)))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const model::ReadResult result = model::readScript(text, gameFolder.path(), stubLoader);
    if (result.animation.frames.size() != result.animation.rows.size() + 1)
        std::abort();
    qint32 position = 0;
    while (position != -1)
        model::strictInt16(model::NextToken(text, position));
    model::lenientInt16(text);
    model::KeyValue(text, text.left(8));
    // Wildcard matching may backtrack: keep name and pattern short.
    for (const QString& part : model::splitPatterns(model::patternFromText(text.left(12))))
        model::matchesPattern(text.right(16), part);
    return 0;
}
