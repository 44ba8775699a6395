#include "pictures.h"

#include <QFile>
#include <QImageReader>

#include "jpeg_image.h"

namespace {

// Each picture is decoded once per run and kept as decoded (16 colours take a byte a pixel): the
// windows that show it share it.
QImage ReadBitmap(const char* path) {
    QImageReader reader(QString::fromLatin1(path), "bmp");
    // The format is known: asking every image plugin whether it can read the file would load them
    // all.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace

QImage BannerPicture() {
    static const QImage image = ReadBitmap(":/pictures/banner.bmp");
    return image;
}

QImage CogwheelJpegPicture() {
    static const QImage image = [] {
        QFile file(":/pictures/cogwheel.jpg");
        if (!file.open(QIODevice::ReadOnly)) return QImage();
        return DecodeJpeg(file.readAll());
    }();
    return image;
}

QImage CogwheelBitmapPicture() {
    static const QImage image = ReadBitmap(":/pictures/cogwheel.bmp");
    return image;
}

QImage ErrorSignPicture() {
    static const QImage image = ReadBitmap(":/pictures/error_sign.bmp");
    return image;
}
