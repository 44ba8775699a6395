#include "pictures.h"

#include <QFile>

#include "jpeg_image.h"

QImage BannerPicture() {
    return QImage(":/pictures/banner.bmp");
}

QImage CogwheelJpegPicture() {
    QFile file(":/pictures/cogwheel.jpg");
    if (!file.open(QIODevice::ReadOnly)) return {};
    return DecodeJpeg(file.readAll());
}

QImage CogwheelBitmapPicture() {
    return QImage(":/pictures/cogwheel.bmp");
}

QImage ErrorSignPicture() {
    return QImage(":/pictures/error_sign.bmp");
}
