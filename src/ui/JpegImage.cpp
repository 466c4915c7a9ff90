#include "ui/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace ov {

extern const unsigned char kLogoJpeg[];
extern const std::size_t kLogoJpegSize;

namespace {
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void OnError(j_common_ptr cinfo) {
    auto* mgr = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(mgr->jump, 1);
}

void Silent(j_common_ptr) {}

// setjmp lives here alone; the picture is written through a reference into the caller's object,
// so nothing local to this frame changes between setjmp and a longjmp.
bool DecodeInto(const unsigned char* data, std::size_t size, QImage& image) {
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = OnError;
    err.base.output_message = Silent;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                   QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(static_cast<int>(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

QImage DecodeJpeg(const unsigned char* data, std::size_t size) {
    if (!data || size == 0) return {};
    QImage image;
    if (!DecodeInto(data, size, image)) return {};
    return image;
}

QImage LogoImage() { return DecodeJpeg(kLogoJpeg, kLogoJpegSize); }

} // namespace ov
