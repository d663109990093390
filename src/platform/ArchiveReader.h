#pragma once

#include "platform/ArchiveWriter.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QtEndian>
#include <bit>
#include <future>
#include <optional>

class FileArrival;

// Reads a document file written by ArchiveWriter. open() checks the magic,
// the format version, the checksum and the header; nothing decoded from a
// damaged file is handed on: of a big file, the checksum is computed by a
// second thread while the records are decoded, and a failure, finish()
// included, names the damage when the checksum does not hold. Every later
// read checks its length against the bytes left before it allocates; the
// first failure is kept (error()) and every read after it returns an empty
// value, so callers test ok() once per record.
class ArchiveReader {
public:
    struct Header {
        QString documentType;
        QString rootClass;
        QList<ArchiveWriter::ClassVersion> classes;
        quint32 recordCount = 0;
    };

    explicit ArchiveReader(QByteArrayView bytes);
    // Reads bytes it shares: records read from it may keep bulky objects
    // undecoded, as positions in source(), and decode them when asked. Of
    // bytes still arriving, each read waits for the bytes it needs, and
    // nothing decoded is handed on before the whole file is in, its
    // checksum checked.
    explicit ArchiveReader(const QByteArray& bytes, const FileArrival* arrival = nullptr);
    // The shared bytes; null for a reader over a view.
    const QByteArray& source() const { return m_source; }

    bool open();
    // The checks of open() but the checksum: enough to choose the decoder
    // of a file, which opens it again. Reads only the header's bytes.
    bool peekHeader();
    const Header& header() const { return m_header; }

    // The version under which a class was written; 0 for a class the file
    // does not name.
    int classVersion(const QString& className) const;

    // Starts the next record; returns its index into the class table.
    int beginRecord();
    // Where the record begun last starts, its class index included; -1
    // before the first.
    qsizetype recordStart() const { return m_recordStart; }

    qint32 readInt() { return qint32(getU32()); }
    float readFloat() { return std::bit_cast<float>(getU32()); }
    std::optional<QString> readString();
    QDateTime readDate();
    std::optional<double> readNumber();
    std::optional<QList<float>> readFloatArray();
    std::optional<QList<qint16>> readIntArray();
    std::optional<QList<qint32>> readIntArray32();
    std::optional<QByteArray> readImage();

    // Check the next object as the matching read would, bounds and values
    // included, and step over it undecoded. They return the object's
    // position, for a later seek() and read, or 0 when it is absent or the
    // read failed (no object starts at 0, where the magic is).
    qsizetype skipString();
    qsizetype skipFloatArray();
    qsizetype skipIntArray();
    // Moves to a position a skip returned.
    void seek(qsizetype pos) { m_pos = pos; }
    // Where the next read starts.
    qsizetype position() const { return m_pos; }
    // The bytes of the object at a position a skip returned, tag included.
    static QByteArrayView objectAt(QByteArrayView bytes, qsizetype pos);
    // The element count of the list at a position a skip returned.
    static quint32 listCountAt(QByteArrayView bytes, qsizetype pos);

    // After the last record: every byte up to the checksum must have been
    // read, and the checksum must hold.
    bool finish();

    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    void fail(const QString& why);
    qsizetype bytesLeft() const { return m_end - m_pos; }
    // True when the next byte is there and is `byte`; reads nothing.
    bool nextByteIs(quint8 byte)
    {
        return m_error.isEmpty() && (m_pos < m_limit || awaitBytes(1)) && quint8(m_bytes[m_pos]) == byte;
    }

private:
    // The reads below run once per field of every record: their common case
    // stays inline, their failures do not.
    bool need(qsizetype count, const char* what)
    {
        return (count >= 0 && count <= m_limit - m_pos && m_error.isEmpty()) || refuseNeed(count, what);
    }
    bool refuseNeed(qsizetype count, const char* what);
    // Of arriving bytes, waits until `count` more are in or no more will
    // come; true when they are in.
    bool awaitBytes(qsizetype count);
    // Why the bytes cannot be trusted: the checksum does not hold, or the
    // file did not arrive whole; empty when they can. Waits for both.
    QString damage();
    // The magic and the format; leaves the position after the format.
    bool checkStart();
    bool readHeader();
    // Waits for the checksum computed aside, if any; false when it does not
    // match the one stored.
    bool checksumHolds();
    template <typename T> T get(const char* what)
    {
        if (!need(sizeof(T), what))
            return 0;
        const T v = qFromLittleEndian<T>(m_bytes.data() + m_pos);
        m_pos += sizeof(T);
        return v;
    }
    quint8 getU8() { return need(1, "byte") ? quint8(m_bytes[m_pos++]) : 0; }
    quint16 getU16() { return get<quint16>("16-bit value"); }
    quint32 getU32() { return get<quint32>("32-bit value"); }
    qint64 getI64() { return get<qint64>("64-bit value"); }
    QString getShortText(const char* what);
    // Reads the tag of an object and checks that it is Absent or the expected
    // kind; returns false for Absent or a failure.
    bool expectTag(quint8 expected, const char* what)
    {
        const quint8 tag = getU8();
        if (tag == expected)
            return true;
        return tag != 0 && ok() && refuseTag(what);
    }
    bool refuseTag(const char* what);
    template <typename T> std::optional<QList<T>> readIntArrayAs();
    // Each checks the tag and the length of an object, that its bytes are
    // there and, for integers, that they fit [lowest, highest], and leaves
    // the position on its first content byte. Nothing for an absent object
    // or a failure.
    std::optional<quint32> stringHead();
    std::optional<quint32> floatArrayHead();
    struct IntArrayHead {
        quint8 width;
        quint32 count;
    };
    std::optional<IntArrayHead> intArrayHead(qint64 lowest, qint64 highest);

    QByteArray m_source;
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    // Where the bytes there to read end: m_end, or before it while they arrive.
    qsizetype m_limit = 0;
    const FileArrival* m_arrival = nullptr;
    qsizetype m_recordStart = -1;
    Header m_header;
    QString m_error;
    bool m_checksumHolds = true;
    // Last, so that it is waited for before the bytes it reads go.
    std::future<bool> m_checksum;
};
