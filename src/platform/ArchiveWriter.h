#pragma once

#include "platform/Checksum.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// Writes one document file: the header, the root array of records and the
// closing checksum (see ArchiveFormat.h). A record writes its fields with the
// write* calls in its own field order, between beginRecord() and the next
// record or finish(). The writer never makes a file that ArchiveReader
// would refuse: a value beyond the reader's limits (a text, image or list
// too long, a name that is not a short plain text) is kept as the error,
// and finish() then gives that error instead of the bytes.
class ArchiveWriter {
public:
    struct ClassVersion {
        QString name;
        qint32 version;
    };

    // The class table lists every class the root may hold, with the version
    // its writer uses; the first entry is the root class.
    ArchiveWriter(const QString& documentType, const QList<ClassVersion>& classes, quint32 recordCount,
                  qsizetype expectedBytes = 0);

    // Where a streaming writer hands its bytes, in order; false stops it.
    using Sink = std::function<bool(QByteArrayView piece)>;
    // From now on the bytes go to `sink` a few megabytes at a time, between
    // records, so that a big document is never whole in memory; finish()
    // then gives only the bytes not handed yet, the checksum included. A
    // sink that fails makes finish() fail.
    void streamTo(Sink sink);

    void beginRecord(int classIndex = 0);

    void writeInt(qint32 value);
    void writeFloat(float value);
    void writeString(const std::optional<QString>& value);
    void writeDate(const QDateTime& value); // invalid = absent
    void writeNumber(std::optional<double> value);
    void writeFloatArray(const std::optional<QList<float>>& value);
    void writeIntArray(const std::optional<QList<qint16>>& value);
    void writeIntArray32(const std::optional<QList<qint32>>& value);
    void writeImage(const std::optional<QByteArray>& value);
    // An object exactly as ArchiveReader found it in a file (ArchiveReader::
    // objectAt): it was checked against the same limits when it was read.
    void writeEncoded(QByteArrayView object);
    // A whole record as it was read from a file written in the current
    // class versions, its class index included, in place of beginRecord()
    // and its fields. The bytes must stay valid until finish(): a streaming
    // writer hands runs of records that follow each other in the file to
    // the sink as they are, without copying them.
    void writeEncodedRecord(QByteArrayView record);

    // Appends the checksum and hands over the bytes, or says which value
    // could not be written. The writer is spent.
    Result<QByteArray> finish();

private:
    void putTag(quint8 tag);
    void putU8(quint8 v);
    void putU16(quint16 v);
    void putU32(quint32 v);
    void putI64(qint64 v);
    void putShortText(const QString& text, const char* what);
    // Keeps the first reason the file cannot be written.
    void refuse(const QString& why);
    // True when `size` units fit under `limit`; else the value is refused.
    bool fits(qsizetype size, quint32 limit, const char* what, const char* unit, const QString& sample = {});
    QString place() const;
    template <typename T> void putArray(quint8 width, const QList<T>& values);

    // Hands the bytes made so far to the sink.
    void handOver();
    // Puts the run of encoded records not written yet after the bytes made
    // so far: a long run goes to the sink as it is, a short one is copied.
    void placeRun();

    QByteArray m_bytes;
    QByteArrayView m_run; // encoded records that follow m_bytes, not copied yet
    Sink m_sink;
    ChecksumStream m_handedSum; // of the bytes handed to the sink
    quint32 m_declaredRecords;
    quint32 m_writtenRecords = 0;
    QString m_error;
};
