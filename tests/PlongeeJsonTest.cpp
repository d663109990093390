#include "logbook/PlongeeJson.h"
#include "support/TestDives.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

TEST(PlongeeJson, FullyPopulatedDivesRoundTrip)
{
    const QList<Plongee> dives = someDives(3);
    auto back = plongeejson::parse(plongeejson::dump(dives));
    ASSERT_TRUE(back) << back.error().toStdString();
    ASSERT_EQ(back->size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE((*back)[i].identical(dives[i])) << i;
}

TEST(PlongeeJson, RefusesValuesOfTheWrongKind)
{
    const struct {
        const char* json;
        const char* reason;
    } cases[] = {
        {R"({"temps": 12.5})", "temps"},
        {R"({"temps": "12"})", "temps"},
        {R"({"temps": 3000000000})", "temps"},
        {R"({"lieu": 3})", "lieu"},
        {R"({"date": "yesterday"})", "date"},
        {R"({"date": 5})", "date"},
        {R"({"GAZ_Flag": [1, 2.5]})", "GAZ_Flag"},
        {R"({"GAZ_Flag": [40000]})", "GAZ_Flag"},
        {R"({"profilProfondeur": "deep"})", "profilProfondeur"},
        {R"({"profilProfondeur": ["1"]})", "profilProfondeur"},
        {R"({"noSuchField": 1})", "noSuchField"},
    };
    for (const auto& c : cases) {
        auto dives = plongeejson::parse(QByteArray("[") + c.json + "]");
        EXPECT_FALSE(dives) << c.json;
        EXPECT_TRUE(dives.error().contains(QLatin1String(c.reason))) << dives.error().toStdString();
    }
    EXPECT_FALSE(plongeejson::parse("{}"));
    EXPECT_FALSE(plongeejson::parse("[1]"));
}

// Damaged JSON must give a refusal or dives, never a crash (sanitizer build).
TEST(PlongeeJson, SurvivesMutatedText)
{
    const QByteArray good = plongeejson::dump(someDives(1));
    QRandomGenerator rng(7);
    const char alphabet[] = "[]{}\",:0123456789.-eE ntrufalse\\";
    for (int round = 0; round < 2000; ++round) {
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
