#pragma once

#include "model/animation/Animation.h"
#include "model/character/BlockLayout.h"

#include <QHash>

namespace model {

// What an animation block is written from: the lines of the block written
// into (its head and its tail stay), and the lines of every frame read from
// a file, by the frame's source id.
struct BlockSource {
    QList<SourceLine> head;
    quint32 headFrameId = 0; // the frame whose lines the head lines stand among
    QList<SourceLine> tail;
    QHash<quint32, QList<SourceLine>> frames;
    LineStyle style;
    TextEncoding encoding = TextEncoding::Utf8;
};

// The bytes of a composed block, or why it cannot be written.
struct ComposedBlock {
    QByteArray bytes;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Writes `animation` as the bytes of a block, changing only what the author
// changed: a frame read from the file whose values read back as before
// keeps its lines byte for byte; a changed frame gets new numbers only in
// the lines of the values that changed, and a line only where a value must
// now be stated; new frames are written in the block's spelling. Reading
// the result gives, frame by frame, the values that reading the animation's
// script text gives (with "Freeze" and "Burn" attacks kept as such).
ComposedBlock composeBlock(const BlockSource& source, const Animation& animation);

} // namespace model
