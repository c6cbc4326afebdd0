#pragma once

#include <QImage>
#include <QString>
#include <QtGlobal>

namespace model {

// A rectangle in sprite pixels, relative to the sprite's top-left corner.
struct Box {
    qint16 x = 0;
    qint16 y = 0;
    qint16 width = 0;
    qint16 height = 0;

    bool isAllZero() const { return x == 0 && y == 0 && width == 0 && height == 0; }
    friend bool operator==(const Box&, const Box&) = default;
};

// Whether a frame states its box, switches it off explicitly, or says nothing.
enum class BoxState : qint16 {
    Normal = 0,
    Empty = 1,
    Cleared = -1,
};

// One frame of an animation. A copy shares the image (QImage is implicitly shared).
struct FrameRecord {
    QString attackKind;
    Box attackBox;
    qint16 damage = 0;
    qint16 knockdown = 0;
    qint16 unblockable = 0;
    qint16 noFlash = 0;
    qint16 pause = 0;
    qint16 depth = 0;
    BoxState attackEmpty = BoxState::Normal;

    Box extAttackBox;
    BoxState extAttackEmpty = BoxState::Normal;

    Box bodyBox;
    BoxState bodyEmpty = BoxState::Normal;

    Box extBodyBox;
    BoxState extBodyEmpty = BoxState::Normal;

    qint16 offsetX = 0;
    qint16 offsetY = 0;
    qint16 frameDelay = 0;

    QImage picture;
    qint16 imageWidth = 0;
    qint16 imageHeight = 0;

    // Uninterpreted script lines of this frame, each ending in CR LF.
    QString extra;

    // Where the frame came from: the folder of its image file ("/"
    // separators; empty when unknown), and which frame of an opened
    // character file it was read as (0 for none), so that saving can keep
    // that frame's lines.
    QString folder;
    quint32 sourceId = 0;

    // Field by field; pictures that share their data compare equal at once.
    friend bool operator==(const FrameRecord&, const FrameRecord&) = default;
};

} // namespace model
