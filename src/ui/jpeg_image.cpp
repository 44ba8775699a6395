#include "jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>

namespace {

// libjpeg's own error manager prints and exits; this one jumps back to the decoder instead.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    int warnings;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void CountWarnings(j_common_ptr info, int level) {
    if (level < 0) ++reinterpret_cast<ErrorManager*>(info->err)->warnings;
}

// Everything that changes after setjmp lives here, on the heap, never in the jumping frame.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    QImage image;
};

bool Decode(Decoder& d, const QByteArray& data) {
    d.info.err = jpeg_std_error(&d.errors.base);
    d.errors.base.error_exit = JumpOnError;
    d.errors.base.emit_message = CountWarnings;
    if (setjmp(d.errors.jump)) return false;

    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&d.info, TRUE);
    d.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&d.info);

    d.image = QImage(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height),
                     QImage::Format_RGB888);
    if (d.image.isNull() || d.info.output_components != 3) return false;
    while (d.info.output_scanline < d.info.output_height) {
        // Rows of a QImage are padded to 4 bytes: one scanline at a time.
        JSAMPROW row = d.image.scanLine(static_cast<int>(d.info.output_scanline));
        jpeg_read_scanlines(&d.info, &row, 1);
    }
    jpeg_finish_decompress(&d.info);
    return d.errors.warnings == 0;
}

}  // namespace

QImage DecodeJpeg(const QByteArray& data) {
    if (data.isEmpty()) return {};
    auto decoder = std::make_unique<Decoder>();
    const bool decoded = Decode(*decoder, data);
    jpeg_destroy_decompress(&decoder->info);
    return decoded ? decoder->image : QImage();
}
