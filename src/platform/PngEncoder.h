#pragma once

#include <QByteArray>

// Encodes an 8-bit RGB picture as PNG bytes without the painting layer, so
// that headless code (generated documents) can make pictures that any image
// reader opens.
namespace pngencoder {

// `rgb` holds height rows of width pixels of three bytes each, top row
// first; empty when the sizes do not match or are not from 1 to 4096.
QByteArray encodeRgb(int width, int height, const QByteArray& rgb);

} // namespace pngencoder
