#pragma once
#include <QImage>

#include "pictures.h"

// Pixels made when the program is built (tools/prescale_pictures.cpp): the pictures scaled to the
// frames the windows have when first shown, and the decoded icon.
struct PrescaledPicture {
    Picture Source;  // not looked at for the icon
    int Width, Height, BytesPerLine;
    QImage::Format Format;
    // The whole picture's format as decoded, and as a pixmap on the screen it was scaled for: a
    // screen that makes another pixmap format of it would scale it to other pixels.
    QImage::Format SourceFormat, PixmapFormat;
    const unsigned char* Bits;
};

extern const PrescaledPicture kPrescaledPictures[];
extern const int kPrescaledPictureCount;
extern const PrescaledPicture kPrescaledIcon;
