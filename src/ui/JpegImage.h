#pragma once
#include <QImage>
#include <cstddef>

namespace ov {

// Decodes a JPEG held in memory with libjpeg; a null image when the bytes are not a JPEG.
QImage DecodeJpeg(const unsigned char* data, std::size_t size);

// The player's logo, compiled into the program.
QImage LogoImage();

} // namespace ov
