#include "platform/ArchiveReader.h"

#include "platform/ArchiveFormat.h"
#include "platform/Checksum.h"
#include "platform/FileArrival.h"

#include <QtEndian>
#include <bit>
#include <cstring>
#include <limits>
#include <system_error>

using archive::ObjectTag;

namespace {

// `len` bytes of `whole` from `pos`, sharing its buffer as a copy of the
// whole array would: the buffer lives while any part of it does, and
// changing a part detaches it first. Unlike a copied array, a part's bytes
// are not followed by a zero byte.
QByteArray sharedPart(const QByteArray& whole, qsizetype pos, qsizetype len)
{
    QByteArray part = whole;
    QByteArray::DataPointer& d = part.data_ptr();
    d.ptr += pos;
    d.size = len;
    return part;
}

const QString& damagedMessage()
{
    static const QString message = QStringLiteral("the file is damaged (checksum mismatch)");
    return message;
}

} // namespace

ArchiveReader::ArchiveReader(QByteArrayView bytes) : m_bytes(bytes), m_end(bytes.size()), m_limit(m_end) {}

ArchiveReader::ArchiveReader(const QByteArray& bytes, const FileArrival* arrival)
    // Raw data the array does not own (no capacity) cannot be kept beyond
    // this reader.
    : m_source(bytes.capacity() > 0 ? bytes : QByteArray()), m_bytes(bytes), m_end(bytes.size()),
      m_limit(arrival ? std::min<qsizetype>(m_end, arrival->arrived()) : m_end), m_arrival(arrival)
{
}

void ArchiveReader::fail(const QString& why)
{
    // Of a damaged file, the damage is named rather than what it caused.
    if (m_error.isEmpty()) {
        const QString damaged = damage();
        m_error = damaged.isEmpty() ? why : damaged;
    }
    m_pos = m_end;
}

QString ArchiveReader::damage()
{
    const bool holds = checksumHolds();
    if (m_arrival && !m_arrival->waitWhole())
        return m_arrival->error();
    return holds ? QString() : damagedMessage();
}

bool ArchiveReader::awaitBytes(qsizetype count)
{
    if (!m_arrival || count < 0 || m_limit >= m_end)
        return false;
    m_limit = std::min<qsizetype>(m_end, m_arrival->waitFor(m_pos + count));
    return count <= m_limit - m_pos;
}

bool ArchiveReader::refuseNeed(qsizetype count, const char* what)
{
    if (!ok())
        return false;
    if (awaitBytes(count))
        return true;
    fail(QStringLiteral("the file is truncated or damaged at byte %1 (%2)").arg(m_pos).arg(QLatin1String(what)));
    return false;
}

QString ArchiveReader::getShortText(const char* what)
{
    const quint8 len = getU8();
    if (len > archive::kMaxShortText) {
        fail(QStringLiteral("the %1 at byte %2 is too long").arg(QLatin1String(what)).arg(m_pos - 1));
        return {};
    }
    if (!need(len, what))
        return {};
    const QByteArrayView raw = m_bytes.sliced(m_pos, len);
    m_pos += len;
    for (const char c : raw) {
        if (c < 0x20 || c > 0x7e) {
            fail(QStringLiteral("the %1 at byte %2 is not plain text").arg(QLatin1String(what)).arg(m_pos - len));
            return {};
        }
    }
    return QString::fromLatin1(raw);
}

namespace {
// From this size on the checksum is computed aside while the records are
// decoded: it takes milliseconds per hundred megabytes.
constexpr qsizetype kChecksumAsideFrom = qsizetype(16) << 20;
} // namespace

bool ArchiveReader::checkStart()
{
    // Of arriving bytes, those of the header first; fail() names why they did not come.
    if (const qsizetype head = std::min<qsizetype>(m_bytes.size(), archive::kMaxHeaderBytes);
        m_arrival && m_arrival->waitFor(head) < head) {
        fail(QStringLiteral("the file is truncated"));
        return false;
    }
    const qsizetype minimum = archive::kMagic.size() + 4 + 1 + 1 + 2 + 4 + archive::kChecksumBytes;
    if (m_bytes.size() < archive::kMagic.size() || m_bytes.first(archive::kMagic.size()) != archive::kMagic) {
        fail(QStringLiteral("not an Ondrix document"));
        return false;
    }
    if (m_bytes.size() < minimum) {
        fail(QStringLiteral("the file is truncated"));
        return false;
    }
    m_pos = archive::kMagic.size();
    const quint32 format = getU32();
    if (format > archive::kFormatVersion || format == 0) {
        fail(QStringLiteral("written in file format %1, which this version of Ondrix does not know").arg(format));
        return false;
    }
    m_end = m_bytes.size() - archive::kChecksumBytes;
    m_limit = m_arrival ? std::min<qsizetype>(m_end, m_arrival->arrived()) : m_end;
    return true;
}

bool ArchiveReader::peekHeader() { return checkStart() && readHeader(); }

namespace {
// Whether the checksum stored after the first `end` bytes is theirs. Of
// arriving bytes, each step is added as soon as it is in; false when the
// file stops arriving.
bool checksumMatches(QByteArrayView bytes, qsizetype end, const FileArrival* arrival)
{
    if (!arrival)
        return archiveChecksum(bytes.first(end)) == qFromLittleEndian<quint64>(bytes.data() + end);
    constexpr qsizetype kStep = qsizetype(1) << 20;
    ChecksumStream sum;
    for (qsizetype at = 0; at < end;) {
        const qsizetype to = std::min(end, at + kStep);
        if (arrival->waitFor(to) < to)
            return false;
        sum.add(bytes.sliced(at, to - at));
        at = to;
    }
    if (arrival->waitFor(bytes.size()) < bytes.size())
        return false;
    return sum.value() == qFromLittleEndian<quint64>(bytes.data() + end);
}
} // namespace

bool ArchiveReader::open()
{
    if (!checkStart())
        return false;
    if (m_arrival || m_end >= kChecksumAsideFrom) {
        try {
            m_checksum = std::async(std::launch::async, [bytes = m_bytes, end = m_end, arrival = m_arrival] {
                return checksumMatches(bytes, end, arrival);
            });
        } catch (const std::system_error&) {
            // No thread to spare: computed here below.
        }
    }
    if (!m_checksum.valid() && !checksumMatches(m_bytes, m_end, m_arrival)) {
        m_checksumHolds = false;
        fail(damage());
        return false;
    }
    if (!readHeader())
        return false;
    // Each record takes at least its two-byte class index.
    if (qint64(m_header.recordCount) * 2 > bytesLeft()) {
        fail(QStringLiteral("the file is damaged: it claims %1 records in %2 bytes")
                 .arg(m_header.recordCount)
                 .arg(bytesLeft()));
    }
    return ok();
}

bool ArchiveReader::readHeader()
{
    m_header.documentType = getShortText("document type");
    m_header.rootClass = getShortText("root class");
    const quint16 classCount = getU16();
    if (ok() && (classCount == 0 || classCount > archive::kMaxClasses)) {
        fail(QStringLiteral("the class table is damaged"));
        return false;
    }
    for (int i = 0; i < classCount && ok(); ++i) {
        QString name = getShortText("class name");
        const qint32 version = qint32(getU32());
        m_header.classes.append({std::move(name), version});
    }
    if (ok() && m_header.classes.first().name != m_header.rootClass) {
        fail(QStringLiteral("the class table is damaged"));
        return false;
    }
    m_header.recordCount = getU32();
    return ok();
}

bool ArchiveReader::checksumHolds()
{
    if (m_checksum.valid())
        m_checksumHolds = m_checksum.get();
    return m_checksumHolds;
}

int ArchiveReader::classVersion(const QString& className) const
{
    for (const auto& c : m_header.classes)
        if (c.name == className)
            return c.version;
    return 0;
}

int ArchiveReader::beginRecord()
{
    m_recordStart = m_pos;
    const quint16 index = getU16();
    if (ok() && index >= m_header.classes.size()) {
        fail(QStringLiteral("the file is damaged at byte %1 (unknown class)").arg(m_pos - 2));
        return -1;
    }
    return ok() ? int(index) : -1;
}

bool ArchiveReader::refuseTag(const char* what)
{
    fail(QStringLiteral("the file is damaged at byte %1 (expected %2)").arg(m_pos - 1).arg(QLatin1String(what)));
    return false;
}

std::optional<quint32> ArchiveReader::stringHead()
{
    if (!expectTag(quint8(ObjectTag::String), "a text"))
        return std::nullopt;
    const quint32 len = getU32();
    if (len > archive::kMaxStringBytes) {
        fail(QStringLiteral("the file is damaged at byte %1 (text too long)").arg(m_pos - 4));
        return std::nullopt;
    }
    if (!need(len, "text"))
        return std::nullopt;
    return len;
}

std::optional<QString> ArchiveReader::readString()
{
    const auto len = stringHead();
    if (!len)
        return std::nullopt;
    QString s = QString::fromUtf8(m_bytes.sliced(m_pos, *len));
    m_pos += *len;
    return s;
}

qsizetype ArchiveReader::skipString()
{
    const qsizetype at = m_pos;
    const auto len = stringHead();
    if (!len)
        return 0;
    m_pos += *len;
    return at;
}

QDateTime ArchiveReader::readDate()
{
    if (!expectTag(quint8(ObjectTag::Date), "a date"))
        return {};
    return QDateTime::fromMSecsSinceEpoch(getI64(), Qt::UTC);
}

std::optional<double> ArchiveReader::readNumber()
{
    if (!expectTag(quint8(ObjectTag::Number), "a number"))
        return std::nullopt;
    return std::bit_cast<double>(getI64());
}

std::optional<quint32> ArchiveReader::floatArrayHead()
{
    if (!expectTag(quint8(ObjectTag::FloatArray), "a list of numbers"))
        return std::nullopt;
    const quint32 count = getU32();
    if (count > archive::kMaxArrayCount || !need(qsizetype(count) * 4, "list of numbers"))
        return fail(QStringLiteral("the file is damaged at byte %1 (list too long)").arg(m_pos)), std::nullopt;
    return count;
}

std::optional<QList<float>> ArchiveReader::readFloatArray()
{
    const auto count = floatArrayHead();
    if (!count)
        return std::nullopt;
    QList<float> values(*count);
    const char* in = m_bytes.data() + m_pos;
    if constexpr (std::endian::native == std::endian::little) {
        if (*count > 0)
            std::memcpy(values.data(), in, size_t(*count) * 4);
    } else {
        for (quint32 i = 0; i < *count; ++i)
            values[i] = std::bit_cast<float>(qFromLittleEndian<quint32>(in + 4 * i));
    }
    m_pos += qsizetype(*count) * 4;
    return values;
}

qsizetype ArchiveReader::skipFloatArray()
{
    const qsizetype at = m_pos;
    const auto count = floatArrayHead();
    if (!count)
        return 0;
    m_pos += qsizetype(*count) * 4;
    return at;
}

std::optional<ArchiveReader::IntArrayHead> ArchiveReader::intArrayHead(qint64 lowest, qint64 highest)
{
    if (!expectTag(quint8(ObjectTag::IntArray), "a list of integers"))
        return std::nullopt;
    const quint8 width = getU8();
    const quint32 count = getU32();
    if (ok() && width != 1 && width != 2 && width != 4) {
        fail(QStringLiteral("the file is damaged at byte %1 (bad integer width)").arg(m_pos - 5));
        return std::nullopt;
    }
    if (count > archive::kMaxArrayCount || !need(qsizetype(count) * width, "list of integers"))
        return fail(QStringLiteral("the file is damaged at byte %1 (list too long)").arg(m_pos)), std::nullopt;
    // One and two bytes fit every element type; wider elements are checked.
    if (width == 4) {
        const auto* in = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_pos);
        for (quint32 i = 0; i < count; ++i) {
            const qint32 v = qFromLittleEndian<qint32>(in + 4 * i);
            if (v < lowest || v > highest) {
                fail(QStringLiteral("the file is damaged at byte %1 (value out of range)").arg(m_pos + 4 * i));
                return std::nullopt;
            }
        }
    }
    return IntArrayHead{width, count};
}

template <typename T> std::optional<QList<T>> ArchiveReader::readIntArrayAs()
{
    const auto head = intArrayHead(std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
    if (!head)
        return std::nullopt;
    const quint32 count = head->count;
    QList<T> values(count);
    const auto* in = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_pos);
    T* out = values.data();
    if (head->width == 1) {
        for (quint32 i = 0; i < count; ++i)
            out[i] = T(qint8(in[i]));
    } else if (head->width == 2) {
        for (quint32 i = 0; i < count; ++i)
            out[i] = T(qFromLittleEndian<qint16>(in + 2 * i));
    } else {
        for (quint32 i = 0; i < count; ++i)
            out[i] = T(qFromLittleEndian<qint32>(in + 4 * i));
    }
    m_pos += qsizetype(count) * head->width;
    return values;
}

qsizetype ArchiveReader::skipIntArray()
{
    const qsizetype at = m_pos;
    const auto head = intArrayHead(std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    if (!head)
        return 0;
    m_pos += qsizetype(head->count) * head->width;
    return at;
}

QByteArrayView ArchiveReader::objectAt(QByteArrayView bytes, qsizetype pos)
{
    const char* p = bytes.data() + pos;
    const auto count = [&](int at) { return qsizetype(qFromLittleEndian<quint32>(p + at)); };
    switch (ObjectTag(quint8(*p))) {
    case ObjectTag::String:
    case ObjectTag::Image: return bytes.sliced(pos, 5 + count(1));
    case ObjectTag::FloatArray: return bytes.sliced(pos, 5 + 4 * count(1));
    case ObjectTag::IntArray: return bytes.sliced(pos, 6 + quint8(p[1]) * count(2));
    case ObjectTag::Date:
    case ObjectTag::Number: return bytes.sliced(pos, 9);
    case ObjectTag::Absent: break;
    }
    return bytes.sliced(pos, 1);
}

quint32 ArchiveReader::listCountAt(QByteArrayView bytes, qsizetype pos)
{
    const char* p = bytes.data() + pos;
    return qFromLittleEndian<quint32>(p + (ObjectTag(quint8(*p)) == ObjectTag::IntArray ? 2 : 1));
}

std::optional<QList<qint16>> ArchiveReader::readIntArray() { return readIntArrayAs<qint16>(); }

std::optional<QList<qint32>> ArchiveReader::readIntArray32() { return readIntArrayAs<qint32>(); }

std::optional<QByteArray> ArchiveReader::readImage()
{
    if (!expectTag(quint8(ObjectTag::Image), "an image"))
        return std::nullopt;
    const quint32 len = getU32();
    if (len > archive::kMaxImageBytes || !need(len, "image"))
        return fail(QStringLiteral("the file is damaged at byte %1 (image too long)").arg(m_pos)), std::nullopt;
    // From shared bytes the picture is a part of them, not a copy: a scan
    // of a megabyte costs nothing until it is shown.
    QByteArray bytes = m_source.isNull() ? QByteArray(m_bytes.data() + m_pos, len) : sharedPart(m_source, m_pos, len);
    m_pos += len;
    return bytes;
}

bool ArchiveReader::finish()
{
    if (const QString damaged = ok() ? damage() : QString(); !damaged.isEmpty())
        fail(damaged);
    if (ok() && m_pos != m_end)
        fail(QStringLiteral("the file is damaged: %1 unexpected bytes after the last record").arg(m_end - m_pos));
    return ok();
}
