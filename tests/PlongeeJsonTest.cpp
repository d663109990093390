#include "logbook/LogbookGenerator.h"
#include "logbook/PlongeeJson.h"
#include "support/TestDives.h"

#include "logbook/DiveBounds.h"

#include <QRandomGenerator>
#include <limits>
#include <gtest/gtest.h>

TEST(PlongeeJson, StorableDivesRoundTrip)
{
    QList<Plongee> dives = logbookgenerator::generate(40, 30, 11);
    dives[0].setDate(QDateTime(QDate(1900, 1, 1), QTime(0, 0)));
    dives[1].setDate(QDateTime(QDate(2200, 12, 31), QTime(23, 59, 59)));
    dives[2].setProfondeur(2000);
    auto back = plongeejson::parse(plongeejson::dump(dives));
    ASSERT_TRUE(back) << back.error().toStdString();
    ASSERT_EQ(back->size(), dives.size());
    for (qsizetype i = 0; i < dives.size(); ++i)
        EXPECT_TRUE((*back)[i].identical(dives[i])) << i;
}

// What dump writes for a dive that no logbook holds is refused when read
// back, naming the record and the value.
TEST(PlongeeJson, DivesOutsideTheBoundsAreRefusedWithTheirRecord)
{
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    const struct { const char* what; void (*spoil)(Plongee&); const char* says; } cases[] = {
        {"year 2201", [](Plongee& d) { d.setDate(QDateTime(QDate(2201, 1, 1), QTime(0, 0))); }, "year 2201"},
        {"year 1899", [](Plongee& d) { d.setHeure(QDateTime(QDate(1899, 12, 31), QTime(0, 0))); }, "year 1899"},
        {"year 99999", [](Plongee& d) { d.setDate(QDateTime(QDate(99999, 1, 1), QTime(0, 0))); }, "year 99999"},
        {"year -5", [](Plongee& d) { d.setDate(QDateTime(QDate(-5, 1, 1), QTime(0, 0))); }, "year -5"},
        {"NaN depth", [](Plongee& d) { d.setProfondeur(nan); }, "profondeur: nan"},
        {"NaN sample", [](Plongee& d) { d.setProfilProfondeur(QList<float>{0, nan, 3}); }, "sample 2"},
        {"infinite pressure", [](Plongee& d) { d.setPRESS_Data(QList<float>{200, inf}); }, "PRESS_Data: nan is outside 0 to 5000, sample 2"},
        {"oxygen of -2^31", [](Plongee& d) { d.setO2Mix(std::numeric_limits<qint32>::min()); }, "o2Mix: -2147483648"},
        {"mix above 100 %", [](Plongee& d) { d.setO2Mix(60), d.setHeMix(50); }, "110 %"},
        {"flag 2", [](Plongee& d) { d.setSURF_Flag(QList<qint16>{0, 2}); }, "SURF_Flag: 2"},
        {"gas code 7", [](Plongee& d) { d.setGAZ_Flag(QList<qint16>{7}); }, "GAZ_Flag: 7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QList<Plongee> dives = logbookgenerator::generate(3, 5, 1);
        c.spoil(dives[2]);
        const auto back = plongeejson::parse(plongeejson::dump(dives));
        ASSERT_FALSE(back);
        EXPECT_TRUE(back.error().startsWith(QLatin1String("record 2: "))) << back.error().toStdString();
        EXPECT_TRUE(back.error().contains(QLatin1String(c.says))) << back.error().toStdString();
    }
}

TEST(PlongeeJson, RefusesValuesOfTheWrongKind)
{
    const struct { const char* json; const char* reason; } cases[] = {
        {R"({"temps": 12.5})", "temps"},         {R"({"temps": "12"})", "temps"},
        {R"({"temps": 3000000000})", "temps"},   {R"({"lieu": 3})", "lieu"},
        {R"({"date": "yesterday"})", "date"},    {R"({"date": 5})", "date"},
        {R"({"GAZ_Flag": [1, 2.5]})", "GAZ_Flag"}, {R"({"GAZ_Flag": [40000]})", "GAZ_Flag"},
        {R"({"profilProfondeur": "deep"})", "profilProfondeur"}, {R"({"profilProfondeur": ["1"]})", "profilProfondeur"},
        {R"({"noSuchField": 1})", "noSuchField"}, {R"({"profondeur": 1e39})", "profondeur: inf"},
        {R"({"decoDepth_Level_1": null})", "decoDepth_Level_1: nan"},
    };
    for (const auto& c : cases) {
        auto dives = plongeejson::parse(QByteArray("[") + c.json + "]");
        EXPECT_FALSE(dives) << c.json;
        EXPECT_TRUE(dives.error().contains(QLatin1String(c.reason))) << dives.error().toStdString();
    }
    EXPECT_FALSE(plongeejson::parse("{}") || plongeejson::parse("[1]"));
}

// The bounds on records and samples hold before the dives are built.
TEST(PlongeeJson, RefusesMoreRecordsOrSamplesThanALogbookHolds)
{
    const auto records = [](qsizetype n) { return "[" + QByteArray("{},").repeated(n - 1) + "{}]"; };
    const auto samples = [](qsizetype n) { return "[{\"ASC_Flag\": [" + QByteArray("0,").repeated(n - 1) + "0]}]"; };
    EXPECT_TRUE(plongeejson::parse(records(plongeejson::kMaxRecords)));
    EXPECT_TRUE(plongeejson::parse(samples(divebounds::kMaxSamples)));
    const auto tooMany = plongeejson::parse(records(plongeejson::kMaxRecords + 1));
    EXPECT_EQ(tooMany.error(), QStringLiteral("200001 records, more than a logbook holds (200000)"));
    const auto tooLong = plongeejson::parse(samples(divebounds::kMaxSamples + 1));
    EXPECT_TRUE(tooLong.error().startsWith(QLatin1String("record 0: \"ASC_Flag\" has 1000001 samples")))
        << tooLong.error().toStdString();
}

// Damaged JSON must give a refusal or dives, never a crash (sanitizer build).
TEST(PlongeeJson, SurvivesMutatedText)
{
    const QByteArray good = plongeejson::dump(someDives(1));
    QRandomGenerator rng(7);
    const char alphabet[] = "[]{}\",:0123456789.-eE ntrufalse\\";
    for (int round = 0; round < 600; ++round) {
        QByteArray bytes = good;
        for (int c = 0, n = 1 + int(rng.bounded(5)); c < n; ++c) {
            const qsizetype at = rng.bounded(bytes.size());
            if (rng.bounded(4) == 0)
                bytes.truncate(at);
            else if (!bytes.isEmpty())
                bytes[rng.bounded(bytes.size())] = alphabet[rng.bounded(int(sizeof alphabet - 1))];
        }
        auto dives = plongeejson::parse(bytes);
        if (!dives) {
            EXPECT_FALSE(dives.error().isEmpty());
        }
    }
}
