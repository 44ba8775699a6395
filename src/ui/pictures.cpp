#include "pictures.h"

#include <QFile>
#include <QImageReader>

#include "jpeg_image.h"
#include "prescaled_pictures.h"

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

QImage Wrap(const PrescaledPicture& copy) {
    return QImage(copy.Bits, copy.Width, copy.Height, copy.BytesPerLine, copy.Format);
}

// The format that a pixmap takes on for a picture decoded as `format`; it depends on the screen.
QImage::Format PixmapFormatOf(QImage::Format format) {
    QImage probe(1, 1, format);
    if (format == QImage::Format_Indexed8) probe.setColorTable({qRgb(0, 0, 0)});
    probe.fill(0);
    return QPixmap::fromImage(probe).toImage().format();
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

QImage WholePicture(Picture picture) {
    switch (picture) {
        case Picture::Banner:
            return BannerPicture();
        case Picture::CogwheelJpeg:
            return CogwheelJpegPicture();
        case Picture::CogwheelBitmap:
            return CogwheelBitmapPicture();
    }
    return QImage();
}

QPixmap ScaledPicture(Picture picture, QSize size) {
    // From the pixel format a pixmap of the whole picture has, for the same pixels as a frame
    // that scaled the pixmap itself.
    const QImage whole = QPixmap::fromImage(WholePicture(picture)).toImage();
    if (whole.isNull()) return QPixmap();
    return QPixmap::fromImage(whole.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QPixmap StretchedPicture(Picture picture, QSize size) {
    for (int i = 0; i < kPrescaledPictureCount; ++i) {
        const PrescaledPicture& copy = kPrescaledPictures[i];
        if (copy.Source == picture && QSize(copy.Width, copy.Height) == size &&
            PixmapFormatOf(copy.SourceFormat) == copy.PixmapFormat) {
            // Not copied: the pixmap reads the program's own read-only pixels.
            return QPixmap::fromImage(Wrap(copy));
        }
    }
    return ScaledPicture(picture, size);
}

QImage IconPicture() {
    return Wrap(kPrescaledIcon);
}
