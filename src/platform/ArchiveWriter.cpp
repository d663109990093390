#include "platform/ArchiveWriter.h"

#include "platform/ArchiveFormat.h"
#include "platform/Checksum.h"
#include "platform/LargePages.h"

#include <QtEndian>
#include <algorithm>
#include <bit>
#include <cstring>

using archive::ObjectTag;

ArchiveWriter::ArchiveWriter(const QString& documentType, const QList<ClassVersion>& classes,
                             quint32 recordCount, qsizetype expectedBytes)
    : m_declaredRecords(recordCount)
{
    m_bytes.reserve(expectedBytes > 0 ? expectedBytes : 4096);
    preferLargePages(m_bytes.data(), m_bytes.capacity());
    m_bytes.append(archive::kMagic.data(), archive::kMagic.size());
    putU32(archive::kFormatVersion);
    putShortText(documentType, "document type");
    if (classes.isEmpty() || classes.size() > archive::kMaxClasses) {
        refuse(QStringLiteral("the header: %1 record classes, where a document holds 1 to %2")
                   .arg(classes.size())
                   .arg(archive::kMaxClasses));
        return;
    }
    putShortText(classes.first().name, "root class");
    putU16(quint16(classes.size()));
    for (const ClassVersion& c : classes) {
        putShortText(c.name, "class name");
        putU32(quint32(c.version));
    }
    putU32(recordCount);
}

namespace {
constexpr qsizetype kStreamPiece = qsizetype(4) << 20;
}

void ArchiveWriter::streamTo(Sink sink)
{
    m_sink = std::move(sink);
    m_bytes.reserve(kStreamPiece + 64 * 1024);
    preferLargePages(m_bytes.data(), m_bytes.capacity());
}

void ArchiveWriter::handOver()
{
    m_handedSum.add(m_bytes);
    if (!m_sink(m_bytes))
        refuse(QStringLiteral("the file could not be written"));
    m_bytes.resize(0);
}

void ArchiveWriter::placeRun()
{
    if (m_run.isEmpty())
        return;
    // Below this a run costs less to copy than a write of its own.
    constexpr qsizetype kHandedAsIs = qsizetype(256) << 10;
    if (m_run.size() < kHandedAsIs || !m_error.isEmpty()) {
        m_bytes.append(m_run);
    } else {
        if (!m_bytes.isEmpty())
            handOver();
        m_handedSum.add(m_run);
        if (m_error.isEmpty() && !m_sink(m_run))
            refuse(QStringLiteral("the file could not be written"));
    }
    m_run = {};
}

void ArchiveWriter::writeEncodedRecord(QByteArrayView record)
{
    ++m_writtenRecords;
    if (!m_sink) {
        m_bytes.append(record);
        return;
    }
    if (!m_run.isEmpty() && m_run.data() + m_run.size() == record.data()) {
        m_run = QByteArrayView(m_run.data(), m_run.size() + record.size());
        return;
    }
    placeRun();
    if (m_bytes.size() >= kStreamPiece && m_error.isEmpty())
        handOver();
    m_run = record;
}

void ArchiveWriter::beginRecord(int classIndex)
{
    placeRun();
    if (m_sink && m_bytes.size() >= kStreamPiece && m_error.isEmpty())
        handOver();
    ++m_writtenRecords;
    putU16(quint16(classIndex));
}

void ArchiveWriter::writeInt(qint32 value) { putU32(quint32(value)); }

void ArchiveWriter::writeFloat(float value) { putU32(std::bit_cast<quint32>(value)); }

void ArchiveWriter::writeString(const std::optional<QString>& value)
{
    if (!value) {
        putTag(quint8(ObjectTag::Absent));
        return;
    }
    const QByteArray utf8 = value->toUtf8();
    if (!fits(utf8.size(), archive::kMaxStringBytes, "text", "bytes", *value))
        return;
    putTag(quint8(ObjectTag::String));
    putU32(quint32(utf8.size()));
    m_bytes.append(utf8);
}

void ArchiveWriter::writeDate(const QDateTime& value)
{
    if (!value.isValid()) {
        putTag(quint8(ObjectTag::Absent));
        return;
    }
    putTag(quint8(ObjectTag::Date));
    putI64(value.toMSecsSinceEpoch());
}

void ArchiveWriter::writeNumber(std::optional<double> value)
{
    if (!value) {
        putTag(quint8(ObjectTag::Absent));
        return;
    }
    putTag(quint8(ObjectTag::Number));
    putI64(std::bit_cast<qint64>(*value));
}

template <typename T> void ArchiveWriter::putArray(quint8 width, const QList<T>& values)
{
    putU32(quint32(values.size()));
    if (values.isEmpty())
        return;
    const qsizetype at = m_bytes.size();
    m_bytes.resize(at + values.size() * width);
    char* out = m_bytes.data() + at;
    if (width == sizeof(T) && std::endian::native == std::endian::little) {
        std::memcpy(out, values.constData(), size_t(values.size()) * sizeof(T));
        return;
    }
    for (const T v : values) {
        if constexpr (std::is_floating_point_v<T>) {
            qToLittleEndian(std::bit_cast<quint32>(v), out);
        } else if (width == 1) {
            *out = char(qint8(v));
        } else if (width == 2) {
            qToLittleEndian(qint16(v), out);
        } else {
            qToLittleEndian(qint32(v), out);
        }
        out += width;
    }
}

void ArchiveWriter::writeFloatArray(const std::optional<QList<float>>& value)
{
    if (!value) {
        putTag(quint8(ObjectTag::Absent));
        return;
    }
    if (!fits(value->size(), archive::kMaxArrayCount, "list of numbers", "elements"))
        return;
    putTag(quint8(ObjectTag::FloatArray));
    putArray<float>(4, *value);
}

namespace {
template <typename T> quint8 narrowestWidth(const QList<T>& values)
{
    quint8 width = 1;
    for (const T v : values) {
        if (v < -128 || v > 127) {
            if (v < -32768 || v > 32767)
                return 4;
            width = 2;
        }
    }
    return width;
}
} // namespace

void ArchiveWriter::writeIntArray(const std::optional<QList<qint16>>& value)
{
    if (!value) {
        putTag(quint8(ObjectTag::Absent));
        return;
    }
    // Flags are 0 and 1 and gas codes are small: most arrays take one byte
    // per element on disk.
    if (!fits(value->size(), archive::kMaxArrayCount, "list of integers", "elements"))
        return;
    const quint8 width = narrowestWidth(*value);
    putTag(quint8(ObjectTag::IntArray));
    putU8(width);
    putArray<qint16>(width, *value);
}

void ArchiveWriter::writeIntArray32(const std::optional<QList<qint32>>& value)
{
    if (!value) {
        putTag(quint8(ObjectTag::Absent));
        return;
    }
    if (!fits(value->size(), archive::kMaxArrayCount, "list of integers", "elements"))
        return;
    const quint8 width = narrowestWidth(*value);
    putTag(quint8(ObjectTag::IntArray));
    putU8(width);
    putArray<qint32>(width, *value);
}

void ArchiveWriter::writeImage(const std::optional<QByteArray>& value)
{
    if (!value) {
        putTag(quint8(ObjectTag::Absent));
        return;
    }
    if (!fits(value->size(), archive::kMaxImageBytes, "image", "bytes"))
        return;
    putTag(quint8(ObjectTag::Image));
    putU32(quint32(value->size()));
    m_bytes.append(*value);
}

void ArchiveWriter::writeEncoded(QByteArrayView object) { m_bytes.append(object); }

Result<QByteArray> ArchiveWriter::finish()
{
    if (m_error.isEmpty() && m_writtenRecords != m_declaredRecords)
        refuse(QStringLiteral("%1 records were written where the header declares %2")
                   .arg(m_writtenRecords)
                   .arg(m_declaredRecords));
    placeRun();
    if (!m_error.isEmpty())
        return Result<QByteArray>::failure(m_error);
    quint64 sum = 0;
    if (m_sink) {
        m_handedSum.add(m_bytes);
        sum = m_handedSum.value();
    } else {
        sum = archiveChecksum(m_bytes);
    }
    char buf[8];
    qToLittleEndian(sum, buf);
    m_bytes.append(buf, 8);
    return std::move(m_bytes);
}

void ArchiveWriter::refuse(const QString& why)
{
    if (m_error.isEmpty())
        m_error = why;
}

QString ArchiveWriter::place() const
{
    return m_writtenRecords == 0 ? QStringLiteral("the header") : QStringLiteral("record %1").arg(m_writtenRecords);
}

bool ArchiveWriter::fits(qsizetype size, quint32 limit, const char* what, const char* unit, const QString& sample)
{
    if (size <= qsizetype(limit))
        return true;
    const QString named = sample.isEmpty() ? QString() : QStringLiteral(" \"%1...\"").arg(sample.left(24));
    refuse(QStringLiteral("%1: the %2%3 is %4 %5 long, more than a document may hold (%6)")
               .arg(place(), QLatin1String(what), named, QString::number(size), QLatin1String(unit),
                    QString::number(limit)));
    return false;
}

void ArchiveWriter::putTag(quint8 tag) { m_bytes.append(char(tag)); }

void ArchiveWriter::putU8(quint8 v) { m_bytes.append(char(v)); }

void ArchiveWriter::putU16(quint16 v)
{
    char buf[2];
    qToLittleEndian(v, buf);
    m_bytes.append(buf, 2);
}

void ArchiveWriter::putU32(quint32 v)
{
    char buf[4];
    qToLittleEndian(v, buf);
    m_bytes.append(buf, 4);
}

void ArchiveWriter::putI64(qint64 v)
{
    char buf[8];
    qToLittleEndian(v, buf);
    m_bytes.append(buf, 8);
}

void ArchiveWriter::putShortText(const QString& text, const char* what)
{
    const bool plain = std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u' ' && c <= u'~'; });
    if (!plain) {
        refuse(QStringLiteral("%1: the %2 \"%3\" is not plain ASCII text")
                   .arg(place(), QLatin1String(what), text.left(24)));
        return;
    }
    if (!fits(text.size(), archive::kMaxShortText, what, "characters", text))
        return;
    putU8(quint8(text.size()));
    m_bytes.append(text.toLatin1());
}
