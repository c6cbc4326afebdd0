#pragma once

#include <QObject>

// The giflib decoding of sprites against the general image reader.
class GifDecoderTest : public QObject {
    Q_OBJECT
private slots:
    void decodesLikeImageReader_data();
    void decodesLikeImageReader();
    void refusesBrokenData_data();
    void refusesBrokenData();
};
