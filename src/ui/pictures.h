#pragma once
#include <QImage>

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
