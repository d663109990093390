#include "logbook/LogbookArchive.h"
#include "platform/ArchiveFormat.h"
#include "platform/ArchiveWriter.h"
#include "platform/Checksum.h"
#include "platform/FileArrival.h"
#include "support/ArchiveBytes.h"
#include "support/TestDives.h"

#include <QRandomGenerator>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

QByteArray archiveOf(const QString& type, const QString& rootClass, int version, quint32 count = 0)
{
    ArchiveWriter out(type, {{rootClass, version}}, count);
    return out.finish().take();
}

// Lets the bytes of `source` arrive into `into`, filled with 0xFF until
// then, a few at a time, up to `until`, and then ends with `error`; late
// at the start and at the end, so that the reader waits for both.
void arriveInSteps(const QByteArray& source, char* into, qsizetype until, FileArrival& arrival, const QString& error)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    for (qsizetype at = 0; at < until;) {
        const qsizetype to = std::min(until, at + 997);
        std::memcpy(into + at, source.constData() + at, size_t(to - at));
        arrival.arrive(to);
        at = to;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    arrival.end(error);
}

} // namespace

// A logbook decoded while its bytes arrive is the logbook decoded whole;
// one whose bytes stop coming, wherever they stop, is refused with the
// reason they stopped, never handed on in part.
TEST(LogbookArchive, DivesDecodeWhileTheirBytesArrive)
{
    const QList<Plongee> written = {plausibleDive(1), plausibleDive(2), plausibleDive(3)};
    const QByteArray good = *logbookarchive::encode(written);
    QByteArray badSum = good;
    badSum[good.size() / 2] = char(badSum[good.size() / 2] ^ 1);
    const QString changed = QStringLiteral("the file changed while it was being read");
    const struct {
        const char* what;
        const QByteArray& source;
        qsizetype until;
        QString error, refusal; // refusal empty: the logbook comes whole
    } cases[] = {
        {"whole", good, good.size(), QString(), QString()},
        {"stopped in the header", good, 20, changed, changed},
        {"stopped in a record", good, good.size() / 2, changed, changed},
        {"stopped before the checksum", good, good.size() - 3, changed, changed},
        {"grown after the last byte", good, good.size(), changed, changed},
        {"damaged", badSum, badSum.size(), QString(), QStringLiteral("the file is damaged (checksum mismatch)")},
    };
    for (const auto& c : cases) {
        QByteArray bytes(c.source.size(), char(0xFF));
        FileArrival arrival(bytes.size());
        char* into = bytes.data();
        std::thread feeder(arriveInSteps, std::cref(c.source), into, c.until, std::ref(arrival), c.error);
        auto dives = logbookarchive::decode(bytes, &arrival);
        feeder.join();
        if (!c.refusal.isEmpty()) {
            EXPECT_FALSE(dives) << c.what;
            EXPECT_EQ(dives.error(), c.refusal) << c.what;
            continue;
        }
        ASSERT_TRUE(dives) << c.what << ": " << dives.error().toStdString();
        ASSERT_EQ(dives->size(), written.size());
        for (qsizetype i = 0; i < written.size(); ++i)
            EXPECT_TRUE(dives->at(i).identical(written[i]) && written[i].identical(dives->at(i))) << i;
        EXPECT_EQ(*logbookarchive::encode(*dives), good);
    }
}

TEST(LogbookArchive, RefusesOtherDocumentsAndNewerRecords)
{
    QByteArray hugeCount = *logbookarchive::encode({});
    // The record count sits just before the checksum of an empty logbook.
    qToLittleEndian(quint32(0xFFFFFFFF), hugeCount.data() + hugeCount.size() - 12);
    resign(hugeCount);
    ASSERT_LT(hugeCount.size(), 100);

    const struct {
        const char* what;
        QByteArray bytes;
        const char* reason;
    } cases[] = {
        {"wreck repertory", archiveOf(QStringLiteral("wrecks"), QStringLiteral("Epaves"), 5), "not a logbook"},
        {"unknown type", archiveOf(QStringLiteral("recipes"), QStringLiteral("Recipe"), 1), "unknown document type"},
        {"wrong root class", archiveOf(QStringLiteral("logbook"), QStringLiteral("Epaves"), 5), "not dives"},
        {"newer record version", archiveOf(QStringLiteral("logbook"), QStringLiteral("Plongee"), 25),
         "newer version"},
        {"4 GiB count in a tiny file", hugeCount, "claims"},
        {"truncated", logbookarchive::encode(someDives(1))->chopped(30), "damaged"},
    };
    for (const auto& c : cases) {
        auto dives = logbookarchive::decode(c.bytes);
        EXPECT_FALSE(dives) << c.what;
        EXPECT_TRUE(dives.error().contains(QLatin1String(c.reason))) << c.what << ": " << dives.error().toStdString();
    }
}

// Bytes the array only borrows (no capacity) are gone after the reading:
// the dives read from them hold nothing of them.
TEST(LogbookArchive, DivesReadFromBorrowedBytesOutliveThem)
{
    QList<Plongee> dives = someDives(2);
    dives[1].setPRESS_Data(QList<float>{123.5f}); // a list of one sample
    QByteArray owned = *logbookarchive::encode(dives);
    auto back = logbookarchive::decode(QByteArray::fromRawData(owned.constData(), owned.size()));
    ASSERT_TRUE(back) << back.error().toStdString();
    owned.fill('\0');
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE((*back)[i].identical(dives[i])) << i;
}

// Dives read from a file go back as their bytes until one of their fields
// is set, by its setter or by index; the change must reach the new file,
// in a streamed save as in a whole one.
TEST(LogbookArchive, ChangedDivesAreWrittenAnew)
{
    const QList<Plongee> written = {plausibleDive(1), plausibleDive(2), plausibleDive(3)};
    auto read = logbookarchive::decode(*logbookarchive::encode(written));
    ASSERT_TRUE(read);
    (*read)[0].setLieu(QStringLiteral("changed"));
    (*read)[2].setValue(Plongee::fieldIndex(u"noPlongee"), Plongee::Value(qint32(77)));
    QByteArray streamed;
    auto rest = logbookarchive::encode(*read, [&](QByteArrayView piece) { return streamed.append(piece), true; });
    ASSERT_TRUE(rest);
    for (const QByteArray& bytes : {*logbookarchive::encode(*read), streamed + *rest}) {
        auto back = logbookarchive::decode(bytes);
        ASSERT_TRUE(back);
        ASSERT_EQ(back->size(), 3);
        EXPECT_EQ(back->at(0).lieu(), QStringLiteral("changed"));
        // Either way round: a dive still encoded against one decoded.
        EXPECT_TRUE(written[1].identical(back->at(1)) && back->at(1).identical(written[1]));
        EXPECT_EQ(back->at(2).noPlongee(), 77);
    }
}

// Damaged files, with the checksum made right again so that the decoder sees
// them: every answer must be a clean refusal or a whole logbook, never a
// crash, a hang or a huge allocation (the sanitizer build watches this).
TEST(LogbookArchive, SurvivesMutatedFiles)
{
    const QByteArray good = *logbookarchive::encode(someDives(2));
    int refused = 0;
    for (qsizetype cut = 0; cut < good.size(); cut += 7) {
        QByteArray truncated = good.first(cut);
        resign(truncated);
        auto dives = logbookarchive::decode(truncated);
        refused += dives ? 0 : 1;
        EXPECT_FALSE(dives && dives->size() == 2 && cut < good.size() - 8) << cut;
    }
    EXPECT_GT(refused, 0);

    QRandomGenerator rng(20261206);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = good;
        const int changes = 1 + int(rng.bounded(4));
        for (int c = 0; c < changes; ++c) {
            const qsizetype at = rng.bounded(bytes.size() - archive::kChecksumBytes);
            switch (rng.bounded(3)) {
            case 0: bytes[at] = char(rng.bounded(256)); break;
            case 1: bytes[at] = char(0xFF); break;
            default: bytes[at] = char(bytes[at] ^ (1 << rng.bounded(8))); break;
            }
        }
        resign(bytes);
        auto dives = logbookarchive::decode(bytes);
        if (dives)
            EXPECT_EQ(dives->size(), 2);
        else
            EXPECT_FALSE(dives.error().isEmpty());
    }
}
