// Time per frame of the script writer and reader on long animations. The
// reader's own work is also measured with image decoding left out, at two
// text lengths, to show that it stays linear.

#include "demo/GifWriter.h"
#include "model/script/ScriptReader.h"
#include "model/script/ScriptWriter.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kImages = 50;

// The row of frame i: the frames cycle through the sprites.
QString rowName(int i)
{
    return QStringLiteral("s%1.gif").arg(i % kImages, 2, 10, QLatin1Char('0'));
}

// A game folder holding kImages sprites below data/chars/bench, written once.
class SpriteFolder {
public:
    static SpriteFolder& instance()
    {
        static SpriteFolder folder;
        return folder;
    }
    bool isValid() const { return m_valid; }
    QString workPath() const { return m_dir.path(); }
    QString spriteFolder() const { return m_dir.filePath(QStringLiteral("data/chars/bench")); }

private:
    SpriteFolder()
    {
        m_valid = m_dir.isValid() && !m_dir.path().contains(u"data", Qt::CaseInsensitive)
            && QDir().mkpath(spriteFolder());
        for (int i = 0; m_valid && i < kImages; ++i) {
            const QImage sprite = tools::makeSprite(QSize(64 + i % 7, 96 + i % 5), qRgb(255, 0, 255),
                                                    qRgb(i * 5, 100, 200 - i * 3), 2 + i % 9);
            m_valid = tools::writeGif(QDir(spriteFolder()).filePath(rowName(i)), sprite);
        }
    }

    QTemporaryDir m_dir;
    bool m_valid = false;
};

// An animation whose values change at different rates, so that every kind
// of line appears and most are reduced away.
model::Animation makeAnimation(int frameCount)
{
    model::Animation animation;
    animation.frames.reserve(frameCount);
    for (int i = 0; i < frameCount; ++i) {
        model::FrameRecord r;
        r.frameDelay = qint16(8 + i / 8 % 3);
        r.offsetX = qint16(30 + i % 7);
        r.offsetY = 90;
        r.bodyBox = {qint16(10 + i / 4 % 5), 8, 40, 80};
        if (i % 10 < 3) {
            r.attackKind = i % 20 < 10 ? QStringLiteral("Attack") : QStringLiteral("Blast");
            r.attackBox = {50, qint16(30 + i % 3), 30, 20};
            r.damage = 20;
            r.knockdown = 1;
            r.pause = 15;
        }
        animation.frames.append(r);
        animation.rows.append(rowName(i));
    }
    return animation;
}

QString makeText(int frameCount)
{
    return model::writeScript(makeAnimation(frameCount), SpriteFolder::instance().spriteFolder()).text;
}

QImage decode(const QString& path, QString* error)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

void perFrame(benchmark::State& state, int frameCount)
{
    state.counters["time/frame"] =
        benchmark::Counter(frameCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_WriteScript(benchmark::State& state)
{
    const int frameCount = int(state.range(0));
    const model::Animation animation = makeAnimation(frameCount);
    const QString folder = SpriteFolder::instance().spriteFolder();
    for (auto _ : state)
        benchmark::DoNotOptimize(model::writeScript(animation, folder));
    perFrame(state, frameCount);
}

// Reads the text with `loader`; stops the benchmark when reading fails.
void runReader(benchmark::State& state, const model::ImageLoader& loader)
{
    SpriteFolder& folder = SpriteFolder::instance();
    if (!folder.isValid()) {
        state.SkipWithError("cannot write the sprite folder");
        return;
    }
    const int frameCount = int(state.range(0));
    const QString text = makeText(frameCount);
    for (auto _ : state) {
        const model::ReadResult result = model::readScript(text, folder.workPath(), loader);
        if (!result.finished || result.animation.rowCount() != frameCount) {
            state.SkipWithError(qPrintable(result.message));
            return;
        }
        benchmark::DoNotOptimize(result);
    }
    perFrame(state, frameCount);
}

void BM_ReadScript(benchmark::State& state)
{
    runReader(state, decode);
}

// The reader's own work: the clock stops while an image is decoded.
void BM_ReadScriptBeyondDecoding(benchmark::State& state)
{
    runReader(state, [&state](const QString& path, QString* error) {
        state.PauseTiming();
        QImage image = decode(path, error);
        state.ResumeTiming();
        return image;
    });
}

void BM_DecodeImagesOnly(benchmark::State& state)
{
    const QDir folder(SpriteFolder::instance().spriteFolder());
    for (auto _ : state) {
        for (int i = 0; i < kImages; ++i) {
            if (decode(folder.filePath(rowName(i)), nullptr).isNull()) {
                state.SkipWithError("cannot decode the sprites");
                return;
            }
        }
    }
}

} // namespace

BENCHMARK(BM_WriteScript)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadScript)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadScriptBeyondDecoding)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeImagesOnly)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
