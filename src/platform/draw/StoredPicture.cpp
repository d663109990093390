#include "platform/draw/StoredPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace storedpicture {

namespace {

const QString kNotAnImage = QStringLiteral("the file is not a picture this program can read");

bool fits(const QSize& size) { return size.width() <= kLargestSide && size.height() <= kLargestSide; }

QByteArray encode(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool alpha = image.hasAlphaChannel();
    if (!image.save(&buffer, alpha ? "PNG" : "JPEG", alpha ? -1 : 90))
        return QByteArray();
    return bytes;
}

} // namespace

Result<QByteArray> fromImage(const QImage& image)
{
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return Result<QByteArray>::failure(kNotAnImage);
    const QImage fitted =
        fits(image.size()) ? image : image.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QByteArray bytes = encode(fitted);
    if (bytes.isEmpty())
        return Result<QByteArray>::failure(QStringLiteral("the picture could not be encoded"));
    return bytes;
}

Result<QByteArray> fromBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    const QSize size = reader.size();
    if (format.isEmpty() || !reader.canRead())
        return Result<QByteArray>::failure(kNotAnImage);
    // Huge pictures are decoded at the size they are stored at, never whole.
    if (size.isValid() && !fits(size))
        reader.setScaledSize(size.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull())
        return Result<QByteArray>::failure(kNotAnImage);
    if ((format == "png" || format == "jpeg") && size.isValid() && fits(size))
        return bytes;
    return fromImage(image);
}

Result<QByteArray> fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<QByteArray>::failure(file.errorString());
    // No picture worth keeping is this large; a larger file is refused
    // rather than read whole.
    constexpr qint64 kLargestFile = qint64(256) << 20;
    if (file.size() > kLargestFile)
        return Result<QByteArray>::failure(QStringLiteral("the file is too large for a picture"));
    return fromBytes(file.readAll());
}

QImage decode(const QByteArray& stored)
{
    QImage image;
    image.loadFromData(stored);
    return image;
}

} // namespace storedpicture
