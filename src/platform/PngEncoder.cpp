#include "platform/PngEncoder.h"

#include <QtEndian>
#include <array>

namespace pngencoder {

namespace {

// The CRC-32 that closes every PNG chunk (polynomial 0xEDB88320).
quint32 crc32(const QByteArray& bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char b : bytes)
        c = table[(c ^ quint8(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void appendBigEndian(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

void appendChunk(QByteArray& out, const char* type, const QByteArray& data)
{
    appendBigEndian(out, quint32(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    out.append(typed);
    appendBigEndian(out, crc32(typed));
}

} // namespace

QByteArray encodeRgb(int width, int height, const QByteArray& rgb)
{
    if (width < 1 || height < 1 || width > 4096 || height > 4096 || rgb.size() != qsizetype(width) * height * 3)
        return {};
    QByteArray header;
    appendBigEndian(header, quint32(width));
    appendBigEndian(header, quint32(height));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter choice, no interlace
    // Each row starts with its filter type, 0 (none).
    QByteArray rows;
    rows.reserve(qsizetype(height) * (width * 3 + 1));
    for (int y = 0; y < height; ++y) {
        rows.append('\0');
        rows.append(rgb.constData() + qsizetype(y) * width * 3, qsizetype(width) * 3);
    }
    // qCompress writes the expected size in 4 bytes before the zlib stream PNG wants.
    const QByteArray zlib = qCompress(rows, 9).mid(4);

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", zlib);
    appendChunk(png, "IEND", {});
    return png;
}

} // namespace pngencoder
