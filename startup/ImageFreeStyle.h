#pragma once

#include <QProxyStyle>

namespace tools {

// The Fusion style, except for the two pieces it takes from images: the
// frame of a group box and the arrow of a menu bar that has run out of room.
// Those are drawn with the painter here. Decoding any image makes Qt load
// every image-format plugin, and a window with a group box or a menu bar
// would pay for that before its first frame.
class ImageFreeStyle : public QProxyStyle {
    Q_OBJECT
public:
    ImageFreeStyle();

    // The name of the style this one draws like.
    static QString baseName();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

// Makes an ImageFreeStyle the application's style when the application uses
// the style it draws like; other styles stay as they are.
void useImageFreeStyle();

} // namespace tools
