#include "logbook/LogbookArchive.h"
#include "logbook/Plongee.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"
#include "support/TestDives.h"

#include <QtEndian>
#include <bit>
#include <gtest/gtest.h>

namespace {

QStringList fieldNames()
{
    QStringList names;
    for (const auto& f : Plongee::fields())
        names.append(QLatin1String(f.name));
    return names;
}

// Writes dives the way an older class version did: the fields that version
// did not have are left out of the stream. Written here from the public field
// table alone, so it does not share the record's own writer.
QByteArray writeAsVersion(const QList<Plongee>& dives, int version)
{
    ArchiveWriter out(QStringLiteral("logbook"), {{QStringLiteral("Plongee"), version}}, quint32(dives.size()));
    for (const Plongee& d : dives) {
        out.beginRecord(0);
        for (int i = 0; i < Plongee::FieldCount; ++i) {
            const auto& f = Plongee::field(i);
            if (f.sinceVersion > version)
                continue;
            const Plongee::Value v = d.value(i);
            switch (f.kind) {
            case Plongee::Kind::Int: out.writeInt(std::get<qint32>(v)); break;
            case Plongee::Kind::Float: out.writeFloat(std::get<float>(v)); break;
            case Plongee::Kind::FloatBits: out.writeInt(std::bit_cast<qint32>(std::get<float>(v))); break;
            case Plongee::Kind::String: out.writeString(std::get<Plongee::Text>(v)); break;
            case Plongee::Kind::Date: out.writeDate(std::get<QDateTime>(v)); break;
            case Plongee::Kind::FloatArray: out.writeFloatArray(std::get<Plongee::FloatSamples>(v)); break;
            case Plongee::Kind::IntArray: out.writeIntArray(std::get<Plongee::IntSamples>(v)); break;
            }
        }
    }
    return out.finish().take();
}

} // namespace

TEST(Plongee, FieldsInArchiveOrder)
{
    const QStringList names = fieldNames();
    ASSERT_EQ(names.size(), 126);
    EXPECT_EQ(names.first(), QStringLiteral("profilProfondeur"));
    EXPECT_EQ(names.last(), QStringLiteral("difficulte"));
    EXPECT_EQ(names.indexOf(QStringLiteral("noPlongee")), 7);
    EXPECT_EQ(names.indexOf(QStringLiteral("deco_TTS")), 27);
    // The stop switches are archived 3, 2, 1, 4, 5.
    EXPECT_EQ(names.mid(28, 5).join(u' '), QStringLiteral("deco_Level_3_sw deco_Level_2_sw deco_Level_1_sw deco_Level_4_sw deco_Level_5_sw"));
    EXPECT_EQ(names.indexOf(QStringLiteral("decoDepth_Level_1")), 43);
    EXPECT_EQ(names.indexOf(QStringLiteral("gaz_2")), 86);
    EXPECT_EQ(names.indexOf(QStringLiteral("equip_12")), 120);
    QStringList unique = names;
    EXPECT_EQ(unique.removeDuplicates(), 0);
}

TEST(Plongee, AccessByName)
{
    Plongee d;
    QString error;
    const struct {
        const char* field;
        const char* text;
        Plongee::Value expected;
    } cases[] = {
        {"noPlongee", "42", qint32(42)},
        {"noPlongee", "  -17 dives", qint32(-17)},
        {"noPlongee", "12.7", qint32(12)},
        {"noPlongee", "abc", qint32(0)},
        {"noPlongee", "99999999999", qint32(2147483647)},
        {"profondeur", "33.3", 33.3f},
        {"profondeur", "12.5m", 12.5f},
        {"profondeur", "", 0.0f},
        {"decoDepth_Level_2", "4.5", 4.5f},
        {"lieu", "  Marseille ", Plongee::Text(QStringLiteral("  Marseille "))},
        {"lieu", "", Plongee::Text(QString(""))},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(d.setValueFromText(QString::fromLatin1(c.field), QString::fromUtf8(c.text), &error)) << c.field;
        EXPECT_EQ(*d.value(QString::fromLatin1(c.field)), c.expected) << c.field << " from " << c.text;
    }
    EXPECT_EQ(d.noPlongee(), 2147483647);
    EXPECT_TRUE(d.lieu().has_value());

    // Numbers convert to the field's own type.
    ASSERT_TRUE(d.setValue(u"temps", Plongee::Value(47.9f)));
    EXPECT_EQ(d.temps(), 47);
    ASSERT_TRUE(d.setValue(u"lestage", Plongee::Value(qint32(6))));
    EXPECT_EQ(d.lestage(), 6.0f);
}

TEST(Plongee, AccessByNameReportsMistakesAndChangesNothing)
{
    Plongee d;
    d.setTemps(30);
    QString error;
    EXPECT_FALSE(d.value(u"tempss", &error).has_value());
    EXPECT_TRUE(error.contains(QLatin1String("tempss")));
    EXPECT_FALSE(d.setValueFromText(u"nonsense", QStringLiteral("1"), &error));
    EXPECT_FALSE(d.setValue(u"temps", Plongee::Value(QDateTime::currentDateTime()), &error));
    EXPECT_FALSE(d.setValue(u"date", Plongee::Value(qint32(3)), &error));
    EXPECT_FALSE(d.setValue(u"lieu", Plongee::Value(qint32(3)), &error));
    EXPECT_FALSE(d.setValueFromText(u"profilProfondeur", QStringLiteral("1"), &error));
    EXPECT_EQ(d.temps(), 30);
    EXPECT_FALSE(d.date().isValid());
}

TEST(Plongee, StopDepthIsArchivedAsTheFloatsBits)
{
    Plongee d;
    d.setDecoDepth_Level_1(4.5f);
    d.setNoPlongee(0x0A0B0C0D); // a marker just before the stop depths
    d.setDecoHe_Level_5(0x0A0B0C0E);
    const QByteArray bytes = *logbookarchive::encode({d});
    char marker[4];
    qToLittleEndian(qint32(0x0A0B0C0E), marker);
    const qsizetype at = bytes.indexOf(QByteArray(marker, 4));
    ASSERT_GT(at, 0);
    EXPECT_EQ(qFromLittleEndian<qint32>(bytes.constData() + at + 4), 1083179008);
    auto back = logbookarchive::decode(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->first().decoDepth_Level_1(), 4.5f);
}

TEST(Plongee, ReservedSecondGasIsAlwaysArchivedAsZero)
{
    Plongee d = fullyPopulatedDive(4);
    d.setGaz_2(3);
    auto back = logbookarchive::decode(*logbookarchive::encode({d}));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->first().gaz_2(), 0);
    EXPECT_EQ(back->first().o2Mix_2(), d.o2Mix_2());
}

TEST(Plongee, Version23RecordsReadWithoutTotalTimeToSurface)
{
    const QList<Plongee> dives = someDives(2);
    auto back = logbookarchive::decode(writeAsVersion(dives, 23));
    ASSERT_TRUE(back) << back.error().toStdString();
    ASSERT_EQ(back->size(), 2);
    for (int n = 0; n < 2; ++n) {
        const Plongee& read = (*back)[n];
        EXPECT_EQ(read.deco_TTS(), 0);
        Plongee expected = dives[n];
        expected.setDeco_TTS(0);
        EXPECT_TRUE(read.identical(expected)) << n;
        EXPECT_EQ(read.deco_Level_3_sw(), dives[n].deco_Level_3_sw());
        EXPECT_EQ(read.difficulte(), dives[n].difficulte());
    }
    // The same writer at the current version gives the record's own bytes.
    EXPECT_EQ(writeAsVersion(dives, 24), *logbookarchive::encode(dives));
}

TEST(Plongee, ProfileCostsAtMostTwentyBytesPerSample)
{
    const int samples = 10000;
    Plongee d;
    d.setProfilProfondeur(QList<float>(samples, 12.5f));
    d.setPRESS_Data(QList<float>(samples, 180.0f));
    const QList<qint16> flags(samples, 1);
    d.setASC_Flag(flags);
    d.setSLOW_Flag(flags);
    d.setSURF_Flag(flags);
    d.setCEIL_Flag(flags);
    d.setGAZ_Flag(QList<qint16>(samples, 6));
    const qsizetype fileBytes = logbookarchive::encode({d})->size() - logbookarchive::encode({Plongee()})->size();
    EXPECT_LE(fileBytes, 20 * samples);
}
