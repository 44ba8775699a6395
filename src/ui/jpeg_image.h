#pragma once
#include <QByteArray>
#include <QImage>

// Decodes a JPEG file held in memory with libjpeg into an RGB888 image. A damaged file, one that
// libjpeg has to warn about (a truncated one, say) included, gives a null image: the frame that
// shows it stays empty and the program goes on.
QImage DecodeJpeg(const QByteArray& data);
