#pragma once
#include <QImage>
#include <QPixmap>
#include <QSize>

// The pictures of the splash, about and message windows, embedded in the program. A picture that
// cannot be read comes back null, and its frame stays empty.

// The maker's banner: 992 x 280, 16 colours.
QImage BannerPicture();
// The yellow cog wheel on blue, 216 x 217, decoded from its JPEG file by libjpeg.
QImage CogwheelJpegPicture();
// The same cog wheel as a 16-colour bitmap, 216 x 217.
QImage CogwheelBitmapPicture();
// The error sign of the message window: 84 x 66, 24 bits per pixel.
QImage ErrorSignPicture();

// The pictures that picture frames stretch to their size.
enum class Picture { Banner, CogwheelJpeg, CogwheelBitmap };

// The whole picture, decoded on its first use.
QImage WholePicture(Picture picture);

// The picture stretched smoothly to `size` device pixels, as a frame of that size shows it: the
// copy scaled when the program was built if there is one for this size and this screen, so that
// the first window needs no picture decoded or scaled; otherwise scaled now.
QPixmap StretchedPicture(Picture picture, QSize size);

// The same, always scaled now from the whole picture.
QPixmap ScaledPicture(Picture picture, QSize size);

// The program's icon, 32 x 32, as decoded when the program was built.
QImage IconPicture();
