#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The picture of a card as it is stored: PNG or JPEG bytes, never larger
// than kLargestSide pixels on a side. A picture taken from a file or a drop
// is decoded first, so that anything but a readable image is refused.
namespace storedpicture {

inline constexpr int kLargestSide = 4096;

// The bytes to store for an image file's bytes: the file's own bytes when
// it is a PNG or JPEG within the size, else the image scaled down to fit
// and encoded again (PNG when it has transparency, JPEG otherwise).
Result<QByteArray> fromBytes(const QByteArray& bytes);
// The same for a file; a file that cannot be read or is no image is refused.
Result<QByteArray> fromFile(const QString& path);
// The bytes to store for an image already decoded (a dropped picture).
Result<QByteArray> fromImage(const QImage& image);

// The image of stored bytes; a null image for bytes that are none.
QImage decode(const QByteArray& stored);

} // namespace storedpicture
