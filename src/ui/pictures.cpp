#include "pictures.h"

#include <QFile>
#include <QImageReader>

#include "jpeg_image.h"

namespace {

// Each picture is decoded once per run, in the pixel format the screen's pixmaps use: the windows
// that show the same picture then share one set of pixels instead of converting a copy each.
QImage ForScreen(const QImage& image) {
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage ReadBitmap(const char* path) {
    QImageReader reader(QString::fromLatin1(path), "bmp");
    // The format is known: asking every image plugin whether it can read the file would load them
    // all.
    reader.setAutoDetectImageFormat(false);
    return ForScreen(reader.read());
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
        return ForScreen(DecodeJpeg(file.readAll()));
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
