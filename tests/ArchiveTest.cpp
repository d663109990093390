#include "platform/ArchiveFormat.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"
#include "platform/Checksum.h"
#include "support/ArchiveBytes.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray oneRecord(const std::function<void(ArchiveWriter&)>& fields, const QString& type = QStringLiteral("logbook"))
{
    ArchiveWriter out(type, {{QStringLiteral("Plongee"), 24}, {QStringLiteral("Other"), 3}}, 1);
    out.beginRecord(0);
    fields(out);
    return out.finish().take();
}

} // namespace

TEST(Archive, ObjectsAndScalarsComeBackInWriteOrder)
{
    const QDateTime when(QDate(2024, 7, 14), QTime(9, 30, 15), Qt::UTC);
    const QByteArray bytes = oneRecord([&](ArchiveWriter& out) {
        out.writeInt(-7);
        out.writeString(QString());
        out.writeString(std::nullopt);
        out.writeString(QStringLiteral("Épave du «Liban»"));
        out.writeFloat(12.4f);
        out.writeDate(when);
        out.writeDate(QDateTime());
        out.writeNumber(2.5);
        out.writeNumber(std::nullopt);
        out.writeFloatArray(QList<float>{1.5f, -2.0f});
        out.writeFloatArray(QList<float>{});
        out.writeFloatArray(std::nullopt);
        out.writeIntArray(QList<qint16>{0, 1, -1, 127, -128});
        out.writeIntArray(QList<qint16>{300, -300});
        out.writeIntArray32(QList<qint32>{70000, -70000, 5});
        out.writeImage(QByteArray("\x89PNG", 4));
        out.writeImage(std::nullopt);
    });

    ArchiveReader in(bytes);
    ASSERT_TRUE(in.open()) << in.error().toStdString();
    EXPECT_EQ(in.header().documentType, QStringLiteral("logbook"));
    EXPECT_EQ(in.header().rootClass, QStringLiteral("Plongee"));
    EXPECT_EQ(in.classVersion(QStringLiteral("Plongee")), 24);
    EXPECT_EQ(in.classVersion(QStringLiteral("Other")), 3);
    EXPECT_EQ(in.classVersion(QStringLiteral("Never")), 0);
    EXPECT_EQ(in.beginRecord(), 0);
    EXPECT_EQ(in.readInt(), -7);
    EXPECT_EQ(in.readString(), std::optional(QString()));
    EXPECT_FALSE(in.readString().has_value());
    EXPECT_EQ(in.readString(), QStringLiteral("Épave du «Liban»"));
    EXPECT_EQ(in.readFloat(), 12.4f);
    EXPECT_EQ(in.readDate(), when);
    EXPECT_FALSE(in.readDate().isValid());
    EXPECT_EQ(in.readNumber(), 2.5);
    EXPECT_FALSE(in.readNumber().has_value());
    EXPECT_EQ(in.readFloatArray(), (QList<float>{1.5f, -2.0f}));
    EXPECT_EQ(in.readFloatArray(), std::optional(QList<float>()));
    EXPECT_FALSE(in.readFloatArray().has_value());
    EXPECT_EQ(in.readIntArray(), (QList<qint16>{0, 1, -1, 127, -128}));
    EXPECT_EQ(in.readIntArray(), (QList<qint16>{300, -300}));
    EXPECT_EQ(in.readIntArray32(), (QList<qint32>{70000, -70000, 5}));
    EXPECT_EQ(in.readImage(), QByteArray("\x89PNG", 4));
    EXPECT_FALSE(in.readImage().has_value());
    EXPECT_TRUE(in.finish()) << in.error().toStdString();
}

TEST(Archive, ByteLayoutIsLittleEndianWhateverTheMachine)
{
    const QByteArray bytes = oneRecord([](ArchiveWriter& out) {
        out.writeInt(0x01020304);
        out.writeFloat(4.5f);
        out.writeIntArray(QList<qint16>{1, 0});
    });
    // magic(8) format(4) "logbook"(1+7) "Plongee"(1+7) classes(2) 2x(name+version) count(4) class index(2)
    const QByteArray expectedHead = QByteArray("ONDRIXAR") + QByteArray("\x01\x00\x00\x00", 4) + "\x07logbook"
        + "\x07Plongee" + QByteArray("\x02\x00", 2) + "\x07Plongee" + QByteArray("\x18\x00\x00\x00", 4) + "\x05Other"
        + QByteArray("\x03\x00\x00\x00", 4) + QByteArray("\x01\x00\x00\x00", 4) + QByteArray("\x00\x00", 2);
    ASSERT_TRUE(bytes.startsWith(expectedHead));
    const QByteArray fields = bytes.mid(expectedHead.size(), bytes.size() - expectedHead.size() - 8);
    // 0x01020304, then 4.5f = 0x40900000, then an int array of width 1.
    EXPECT_EQ(fields.toHex(), QByteArray("04030201" "00009040" "05" "01" "02000000" "0100"));
}

TEST(Archive, RefusesWhatIsNotAWholeArchive)
{
    const QByteArray good = oneRecord([](ArchiveWriter& out) { out.writeString(QStringLiteral("x")); });
    // One byte changed, then signed again or not: the format, the checksum, a
    // header byte, the document type's length byte (after the magic and the
    // format) and its first letter.
    const auto patched = [&](qsizetype at, char byte, bool sign) {
        QByteArray bytes = good;
        bytes[at] = byte;
        if (sign)
            resign(bytes);
        return bytes;
    };
    const struct {
        const char* what;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"empty file", QByteArray(), "not an Ondrix document"},
        {"zeros", QByteArray(4096, '\0'), "not an Ondrix document"},
        {"text file", QByteArray("hello, this is not a logbook\n"), "not an Ondrix document"},
        {"magic only", QByteArray("ONDRIXAR"), "truncated"},
        {"newer format", patched(8, 2, true), "file format 2"},
        {"bad checksum", patched(good.size() - 1, char(good.back() ^ 0x40), false), "checksum"},
        {"flipped header byte", patched(20, char(good[20] ^ 1), false), "checksum"},
        {"truncated by one", good.chopped(1), "checksum"},
        {"shortest header, with a checksum of nothing", QByteArray("ONDRIXAR\x01\0\0\0", 12) + QByteArray(16, '\0'),
         "checksum"},
        {"type too long", patched(12, char(archive::kMaxShortText + 1), true), "the document type at byte 12 is too long"},
        {"control in type", patched(13, '\n', true), "the document type at byte 13 is not plain text"},
    };
    for (const auto& c : cases) {
        ArchiveReader in(c.bytes);
        EXPECT_FALSE(in.open()) << c.what;
        EXPECT_TRUE(in.error().contains(QLatin1String(c.reason))) << c.what << ": " << in.error().toStdString();
    }
}

TEST(Archive, LengthsAreCheckedBeforeAnythingIsAllocated)
{
    // A text, a float list, an int list and an image each claiming 4 GiB in a tiny file.
    using Tag = archive::ObjectTag;
    for (const quint8 tag : {quint8(Tag::String), quint8(Tag::FloatArray), quint8(Tag::IntArray), quint8(Tag::Image)}) {
        QByteArray bytes = oneRecord([](ArchiveWriter& out) { out.writeString(QStringLiteral("abcdefgh")); });
        const qsizetype at = bytes.indexOf("abcdefgh") - 5; // the tag, then the u32 length
        bytes[at] = char(tag);
        qsizetype lengthAt = at + 1;
        if (tag == quint8(Tag::IntArray)) {
            bytes[at + 1] = 4; // element width, then the count overlaps the old length
            lengthAt = at + 2;
        }
        qToLittleEndian(quint32(0xFFFFFFFF), bytes.data() + lengthAt);
        resign(bytes);
        ArchiveReader in(bytes);
        ASSERT_TRUE(in.open());
        in.beginRecord();
        EXPECT_FALSE(tag == quint8(Tag::String)           ? in.readString().has_value()
                     : tag == quint8(Tag::FloatArray)     ? in.readFloatArray().has_value()
                     : tag == quint8(Tag::IntArray)       ? in.readIntArray().has_value()
                                                          : in.readImage().has_value());
        EXPECT_FALSE(in.ok()) << int(tag);
        // The place named is the length's for a text, the byte after it for the others.
        const qsizetype place = tag == quint8(Tag::String) ? lengthAt : lengthAt + 4;
        EXPECT_TRUE(in.error().contains(QStringLiteral("at byte %1 (").arg(place))) << in.error().toStdString();
        // Everything after a failure reads empty and the failure stays.
        EXPECT_EQ(in.readInt(), 0);
        EXPECT_FALSE(in.finish());
    }
}

TEST(Archive, WrongObjectKindOrClassIsRefused)
{
    QByteArray unknownClass = oneRecord([](ArchiveWriter& out) { out.writeInt(1); });
    unknownClass[unknownClass.size() - archive::kChecksumBytes - 6] = 5; // the record's class index
    resign(unknownClass);
    ArchiveReader classless(unknownClass);
    ASSERT_TRUE(classless.open()) << classless.error().toStdString();
    EXPECT_EQ(classless.beginRecord(), -1);
    EXPECT_TRUE(classless.error().contains(QLatin1String("(unknown class)"))) << classless.error().toStdString();

    const QByteArray bytes = oneRecord([](ArchiveWriter& out) { out.writeDate(QDateTime::currentDateTimeUtc()); });
    ArchiveReader in(bytes);
    ASSERT_TRUE(in.open());
    in.beginRecord();
    EXPECT_FALSE(in.readString().has_value());
    EXPECT_FALSE(in.ok());
    EXPECT_TRUE(in.error().contains(QLatin1String("expected a text")));
}

// From 16 MiB on the checksum is computed while the records are decoded:
// wherever the decoding of a damaged file stops, the damage is named, and
// the header alone is read without it.
TEST(Archive, DamageInABigFileIsNamedWhereverItsDecodingStops)
{
    const QString text(17 << 20, u'a');
    const QByteArray good = oneRecord([&](ArchiveWriter& out) { out.writeString(text); });
    constexpr qsizetype kLength = 59; // the string's length, after the header and the class index
    const auto patched = [&](qsizetype at, char byte) {
        QByteArray bytes = good;
        bytes[at] = byte;
        return bytes;
    };
    const struct {
        const char* what;
        QByteArray bytes;
        bool opens, reads;
    } cases[] = {
        {"whole", good, true, true},
        {"a byte of the text", patched(good.size() / 2, 'b'), true, true},
        {"the text's length", patched(kLength + 3, 0x7f), true, false},
        {"a letter of the root class", patched(21, 'p'), false, false},
    };
    for (const auto& c : cases) {
        ArchiveReader peek{QByteArrayView(c.bytes).first(archive::kMaxHeaderBytes)};
        EXPECT_EQ(peek.peekHeader(), c.opens) << c.what;
        ArchiveReader in{QByteArrayView(c.bytes)};
        const bool whole = c.bytes == good;
        EXPECT_EQ(in.open(), c.opens) << c.what;
        if (c.opens) {
            in.beginRecord();
            EXPECT_EQ(in.readString().has_value(), c.reads) << c.what;
            EXPECT_EQ(in.finish(), whole) << c.what;
        }
        EXPECT_EQ(in.error().contains(QLatin1String("checksum")), !whole) << c.what << ": " << in.error().toStdString();
    }
    // A refusal of a decoder, its header read, names the damage too.
    ArchiveReader damaged{QByteArrayView(cases[1].bytes)};
    ASSERT_TRUE(damaged.open());
    damaged.fail(QStringLiteral("not a logbook"));
    EXPECT_TRUE(damaged.error().contains(QLatin1String("checksum"))) << damaged.error().toStdString();
}

TEST(Archive, ChecksumSeesEveryByte)
{
    QByteArray data(1000, 'a');
    const quint64 base = archiveChecksum(data);
    for (int i = 0; i < data.size(); i += 37) {
        QByteArray changed = data;
        changed[i] = 'b';
        EXPECT_NE(archiveChecksum(changed), base) << i;
    }
    EXPECT_NE(archiveChecksum(data.chopped(1)), base);
}

// The writer keeps to the reader's limits: at a limit what it writes reads
// back; one unit over and finish() refuses, naming the record and the value,
// so that no file is written that could not be opened again.
TEST(Archive, WriterRefusesWhatTheReaderWouldRefuse)
{
    const QString atLimit(qsizetype(archive::kMaxStringBytes) - 2, u'a');
    const QByteArray fits = oneRecord([&](ArchiveWriter& out) { out.writeString(atLimit + u'é'); },
                                      QString(archive::kMaxShortText, u'~'));
    ArchiveReader in(fits);
    ASSERT_TRUE(in.open()) << in.error().toStdString();
    EXPECT_EQ(in.header().documentType.size(), archive::kMaxShortText);
    in.beginRecord();
    EXPECT_EQ(in.readString()->size(), atLimit.size() + 1);
    EXPECT_TRUE(in.finish());

    const auto over = [](qsizetype limit) { return limit + 1; };
    const QString log = QStringLiteral("logbook");
    const struct {
        const char* what;
        QString type;
        std::function<void(ArchiveWriter&)> fields;
        QString refusal;
    } cases[] = {
        {"long text", log, [&](ArchiveWriter& out) { out.writeString(atLimit + QStringLiteral("éa")); },
         QStringLiteral("record 1: the text \"aaaaaaaaaaaaaaaaaaaaaaaa...\" is 67108865 bytes long, more than a "
                        "document may hold (67108864)")},
        {"image", log, [&](ArchiveWriter& out) { out.writeImage(QByteArray(over(archive::kMaxImageBytes), '\0')); },
         QStringLiteral("record 1: the image is 268435457 bytes long, more than a document may hold (268435456)")},
        {"floats", log, [&](ArchiveWriter& out) { out.writeFloatArray(QList<float>(over(archive::kMaxArrayCount))); },
         QStringLiteral("record 1: the list of numbers is 67108865 elements long, more than a document may hold "
                        "(67108864)")},
        {"short ints", log, [&](ArchiveWriter& out) { out.writeIntArray(QList<qint16>(over(archive::kMaxArrayCount))); },
         QStringLiteral("record 1: the list of integers is 67108865 elements long")},
        {"ints", log, [&](ArchiveWriter& out) { out.writeIntArray32(QList<qint32>(over(archive::kMaxArrayCount))); },
         QStringLiteral("record 1: the list of integers is 67108865 elements long")},
        {"long type", QString(over(archive::kMaxShortText), u'x'), [](ArchiveWriter&) {},
         QStringLiteral("the header: the document type \"xxxxxxxxxxxxxxxxxxxxxxxx...\" is 65 characters long, more "
                        "than a document may hold (64)")},
        {"accented type", QStringLiteral("épave") + QString(30, u'x'), [](ArchiveWriter&) {},
         QStringLiteral("the header: the document type \"épavexxxxxxxxxxxxxxxxxxx\" is not plain ASCII text")},
        {"control in type", QStringLiteral("log\nbook"), [](ArchiveWriter&) {},
         QStringLiteral("the header: the document type \"log\nbook\" is not plain ASCII text")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ArchiveWriter out(c.type, {{QStringLiteral("Plongee"), 24}}, 1);
        out.beginRecord(0);
        out.writeInt(1);
        c.fields(out);
        out.writeString(QStringLiteral("after the refused value"));
        const Result<QByteArray> written = out.finish();
        ASSERT_FALSE(written.ok());
        EXPECT_TRUE(written.error().startsWith(c.refusal)) << written.error().toStdString();
    }

    ArchiveWriter missing(QStringLiteral("logbook"), {{QStringLiteral("Plongee"), 24}}, 2);
    missing.beginRecord(0);
    EXPECT_EQ(missing.finish().error(), QStringLiteral("1 records were written where the header declares 2"));
    ArchiveWriter classless(QStringLiteral("logbook"), {}, 0);
    EXPECT_EQ(classless.finish().error(), QStringLiteral("the header: 0 record classes, where a document holds 1 to 64"));
}

TEST(Archive, IntegerListsTakeTheNarrowestWidthThatHoldsThem)
{
    const qsizetype bare = oneRecord([](ArchiveWriter&) {}).size();
    const struct {
        QList<qint32> values;
        int width;
    } cases[] = {
        {{127, -128}, 1}, {{128}, 2}, {{-129}, 2}, {{32767, -32768}, 2}, {{32768}, 4}, {{-32769}, 4},
    };
    // A list of numbers that ends the record reads back too.
    const QByteArray ending = oneRecord([](ArchiveWriter& out) { out.writeFloatArray(QList<float>{1.5f, 2.5f}); });
    ArchiveReader last(ending);
    ASSERT_TRUE(last.open());
    last.beginRecord();
    EXPECT_EQ(last.readFloatArray(), (QList<float>{1.5f, 2.5f}));
    EXPECT_TRUE(last.finish()) << last.error().toStdString();
    for (const auto& c : cases) {
        const QByteArray bytes = oneRecord([&](ArchiveWriter& out) { out.writeIntArray32(c.values); });
        EXPECT_EQ(bytes.size(), bare + 1 + 1 + 4 + c.values.size() * c.width) << c.values.first();
        ArchiveReader in(bytes);
        ASSERT_TRUE(in.open());
        in.beginRecord();
        EXPECT_EQ(in.readIntArray32(), c.values);
    }
}

// A list's element width must be 1, 2 or 4, and a 4-byte list read into
// 16-bit values must hold only values that fit them.
TEST(Archive, IntegerListHeadsAreChecked)
{
    const struct {
        const char* what;
        QList<qint32> values;
        char width; // written over the list's own, 0 to keep it
        const char* reason;
    } cases[] = {
        {"width 3", {1, 2, 3}, 3, "(bad integer width)"},
        {"width 0", {1}, 0x7f, "(bad integer width)"},
        {"too wide for 16 bits", {5, 70000}, 0, "at byte %1 (value out of range)"},
        {"too low for 16 bits", {-40000}, 0, "at byte %1 (value out of range)"},
    };
    const QByteArray bare = oneRecord([](ArchiveWriter&) {});
    for (const auto& c : cases) {
        QByteArray bytes = oneRecord([&](ArchiveWriter& out) { out.writeIntArray32(c.values); });
        // The list stands where the bare record's bytes first differ: its tag, then its width.
        qsizetype widthAt = 0;
        while (bytes[widthAt] == bare[widthAt])
            ++widthAt;
        ASSERT_EQ(bytes[widthAt++], char(archive::ObjectTag::IntArray)) << c.what;
        if (c.width) {
            bytes[widthAt] = c.width;
            resign(bytes);
        }
        ArchiveReader in(bytes);
        ASSERT_TRUE(in.open());
        in.beginRecord();
        EXPECT_FALSE(in.readIntArray()) << c.what;
        EXPECT_FALSE(in.ok()) << c.what;
        // A value out of range is named by its own place: the last one here.
        QString reason = QString::fromLatin1(c.reason);
        if (reason.contains(u"%1"))
            reason = reason.arg(widthAt + 5 + 4 * (c.values.size() - 1));
        EXPECT_TRUE(in.error().contains(reason)) << c.what << ": " << in.error().toStdString();
    }
}
