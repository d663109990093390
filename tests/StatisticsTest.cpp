#include "support/CliRun.h"
#include "logbook/LogbookArchive.h"
#include "logbook/Plongee.h"
#include "platform/Localizer.h"
#include "platform/SafeSave.h"
#include "platform/SettingsStore.h"
#include "stats/StartingValues.h"
#include "stats/Statistics.h"
#include "stats/StatsGraph.h"
#include "support/RegisterTesting.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>

namespace {

using S = Statistics;

struct DiveTraits {
    int kind = 8, night = 0, config = 0, circuit = 0, gaz = 0;
    float depth = 20;
    int time = 40, water = -50;
};

Plongee diveOf(const DiveTraits& traits)
{
    Plongee d;
    d.setTypePlongee(traits.kind); d.setNocturne(traits.night); d.setConfiguration(traits.config);
    d.setRebreather(traits.circuit); d.setGaz(traits.gaz); d.setProfondeur(traits.depth);
    d.setTemps(traits.time); d.setTempEau(traits.water);
    return d;
}

// Texts that show their key, so that a golden text shows where each piece
// came from whatever the translations say.
Localizer::Tables keyedTables()
{
    Localizer::Tables tables;
    tables[QStringLiteral("Carnet")][QStringLiteral("Total dives")] = QStringLiteral("%d dives");
    tables[QStringLiteral("Carnet")][QStringLiteral("Celsius")] = QStringLiteral("%@ C");
    tables[QStringLiteral("Main")][QStringLiteral("No value")] = QStringLiteral("-");
    return tables;
}
Localizer keyedLocalizer() { return Localizer::fromTables(keyedTables()); }

std::set<int> countedIn(const Statistics& s)
{
    std::set<int> rows;
    for (int c = 0; c < S::CategoryCount; ++c)
        if (s.count(S::Category(c)) != 0)
            rows.insert(c);
    return rows;
}

TEST(StatisticsCounting, EachDiveCountsInItsRows)
{
    struct Case { const char* what; DiveTraits dive; std::set<int> rows; };
    const Case cases[] = {
        {"biology on air", {12}, {S::Bio, S::CO, S::Air, S::Prof3}},
        {"quarry", {13}, {S::Carriere, S::CO, S::Air, S::Prof3}},
        {"night wreck in tek", {0, 1, 1}, {S::Epaves, S::Nocturne, S::Tek, S::CO, S::Air, S::Prof3}},
        {"kind 2 names no kind", {2}, {S::CO, S::Air, S::Prof3}},
        {"kind 4 is not the tek row", {4}, {S::CO, S::Air, S::Prof3}},
        {"kind out of range", {15}, {S::CO, S::Air, S::Prof3}},
        {"semi-closed nitrox", {8, 0, 0, 1, 1}, {S::Autre, S::SCR, S::Nitrox, S::Prof3}},
        {"closed circuit on trimix counts as nitrox", {8, 0, 0, 3, 2}, {S::Autre, S::CCR, S::Nitrox, S::Prof3}},
        {"hCCR on air counts as nitrox", {8, 0, 0, 4, 0}, {S::Autre, S::CCR, S::Nitrox, S::Prof3}},
        {"circuit code 5 counts in no circuit", {8, 0, 0, 5, 3}, {S::Autre, S::Heliox, S::Prof3}},
        {"triox and heliair are trimix", {8, 0, 0, 0, 4}, {S::Autre, S::CO, S::Trimix, S::Prof3}},
        {"heliair", {8, 0, 0, 0, 5}, {S::Autre, S::CO, S::Trimix, S::Prof3}},
        {"an unknown gas is heliox", {8, 0, 0, 0, 9}, {S::Autre, S::CO, S::Heliox, S::Prof3}},
    };
    for (const Case& c : cases) {
        const Statistics s = Statistics::compute({diveOf(c.dive)}, {}, true);
        EXPECT_EQ(countedIn(s), c.rows) << c.what;
    }
    // Every other kind code counts in its own row, on air in open circuit.
    const std::pair<int, S::Category> kinds[] = {{9, S::Derivante}, {1, S::Explo},     {3, S::Photo},
                                                 {5, S::Speleo},    {6, S::Video},     {7, S::Travail},
                                                 {10, S::Glace},    {11, S::Formation}, {14, S::Recuperation},
                                                 {8, S::Autre}};
    for (const auto& [kind, row] : kinds)
        EXPECT_EQ(countedIn(Statistics::compute({diveOf({kind})}, {}, true)), (std::set<int>{row, S::CO, S::Air, S::Prof3}))
            << kind;
}

TEST(StatisticsCounting, DepthBandsTruncateTheDepth)
{
    struct Case { float depth; S::Category band; qint64 total; };
    const Case cases[] = {{9.9f, S::Prof1, 9},  {-3.5f, S::Prof1, -3}, {10, S::Prof2, 10},   {19.99f, S::Prof2, 19},
                          {20, S::Prof3, 20},   {39.9f, S::Prof4, 39}, {40, S::Prof5, 40},   {59.99f, S::Prof6, 59},
                          {60, S::Prof7, 60},   {250, S::Prof7, 250},  {NAN, S::Prof1, 0}};
    for (const Case& c : cases) {
        const Statistics s = Statistics::compute({diveOf({.depth = c.depth})}, {}, true);
        EXPECT_EQ(s.count(c.band), 1) << c.depth;
        EXPECT_EQ(s.value(S::ProfTotal), c.total) << c.depth;
        EXPECT_EQ(s.value(S::ProfMax), std::max<qint64>(0, c.total)) << c.depth;
    }
}

TEST(StatisticsCounting, TemperaturesSkipTheUnrecordedMarkAndUnsetStartingValues)
{
    struct Case { const char* what; QList<int> water; std::optional<qint64> startMin, startMax; bool previous;
                  std::optional<qint64> min, max, average; };
    const Case cases[] = {
        {"no dive", {}, {}, {}, true, {}, {}, {}},
        {"only unrecorded", {-50, -50}, {}, {}, true, {}, {}, {}},
        {"warm dives, nothing stored", {24, 28}, {}, {}, true, 24, 28, 26},
        {"-50 changes nothing", {24, -50, 27}, {}, {}, true, 24, 27, 25},
        {"negative water counts", {-2, 4}, {}, {}, true, -2, 4, 1},
        {"stored extremes win", {24, 28}, 12, 31, true, 12, 31, 26},
        {"stored extremes left out", {24, 28}, 12, 31, false, 24, 28, 26},
        {"stored minimum alone", {}, 12, {}, true, 12, {}, {}},
    };
    for (const Case& c : cases) {
        QList<Plongee> dives;
        for (const int t : c.water)
            dives.append(diveOf({.water = t}));
        StartingValues start;
        start.set(StartingValues::kTemperatureMin, c.startMin);
        start.set(StartingValues::kTemperatureMax, c.startMax);
        const Statistics s = Statistics::compute(dives, start, c.previous);
        EXPECT_EQ(s.value(S::TempEauMin), c.min) << c.what;
        EXPECT_EQ(s.value(S::TempEauMax), c.max) << c.what;
        EXPECT_EQ(s.value(S::TempEauMoy), c.average) << c.what;
        EXPECT_TRUE(c.min || s.valueText(S::TempEauMin, keyedLocalizer()) == u"-"_qs) << c.what;
    }
}

TEST(StatisticsCounting, StartingValuesAddUnlessLeftOut)
{
    StartingValues start;
    start.set(QStringLiteral("epaves"), 10); start.set(QStringLiteral("air"), 30);
    start.set(StartingValues::kTotalPlongees, 3); start.set(StartingValues::kProfMax, 70);
    start.set(StartingValues::kTotalTemps, 100);
    const QList<Plongee> dives = {diveOf({.kind = 0})};

    const Statistics on = Statistics::compute(dives, start, true);
    EXPECT_EQ(on.value(S::TotalDives), 4);
    EXPECT_EQ(on.count(S::Epaves), 11);
    EXPECT_EQ(on.value(S::ProfMax), 70);
    EXPECT_EQ(on.value(S::TempsTotal), 140);
    EXPECT_EQ(on.value(S::TempsMoy), 35);
    EXPECT_EQ(on.percentText(S::Epaves), QStringLiteral("275.0 %")); // a share of more than all dives is kept
    EXPECT_EQ(on.shares()[7], 31.0f / 4 * 100);

    const Statistics off = Statistics::compute(dives, start, false);
    EXPECT_EQ(off.value(S::TotalDives), 1);
    EXPECT_EQ(off.count(S::Epaves), 1);
    EXPECT_EQ(off.value(S::ProfMax), 20);
    EXPECT_EQ(off.percentText(S::Video), QStringLiteral(" 0.0 %"));
    EXPECT_EQ(off.percentText(S::Air), QStringLiteral("100.0 %"));

    const Statistics empty = Statistics::compute({}, {}, false);
    EXPECT_EQ(empty.percentText(S::Air), QStringLiteral("0.0 %"));
    for (const float share : empty.shares())
        EXPECT_EQ(share, 0.0f);
}

TEST(StatisticsText, TotalTimeFormat)
{
    const std::pair<int, const char*> cases[] = {
        {125, "2 h 05 min.\n(125 min.)"}, {0, "0 h 00 min.\n(0 min.)"}, {60, "1 h 00 min.\n(60 min.)"},
        {59, "0 h 59 min.\n(59 min.)"},   {6001, "100 h 01 min.\n(6001 min.)"}};
    for (const auto& [minutes, text] : cases) {
        const Statistics s = Statistics::compute({diveOf({.time = minutes})}, {}, true);
        EXPECT_EQ(s.valueText(S::TempsTotal, keyedLocalizer()), QString::fromUtf8(text));
    }
}

TEST(StatisticsText, GoldenTextWithItsStyles)
{
    Localizer::Tables tables = keyedTables();
    auto& carnet = tables[QStringLiteral("Carnet")];
    for (const char* key : {"header", "no prev dives", "dive type", "bio", "quarry", "drift", "wrecks", "recreational",
                            "training", "night", "photo", "recuperation", "ice", "cave", "tek", "work", "video",
                            "other", "gas", "air", "nitrox", "trimix", "heliox", "depth", "prof_1", "prof_2", "prof_3",
                            "prof_4", "prof_5", "prof_6", "prof_7", "min max", "prof max", "temps max", "somme prof",
                            "somme temps", "prof moy", "temps moy", "temp min", "temp max", "temp moy", "current"})
        carnet[QStringLiteral("Statistics ") + QLatin1String(key)] = QStringLiteral("|%1|").arg(QLatin1String(key));
    const Localizer loc = Localizer::fromTables(tables);
    const Statistics s = Statistics::compute({diveOf({.night = 1, .water = 18})}, {}, false);
    const StyledText text = s.text(loc, QStringLiteral("log.ondrix"), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    const QString zero = QStringLiteral("0\t\t(0.0 %)"), all = QStringLiteral("1\t\t(100.0 %)");
    const QString expected =
        QStringLiteral("|header|\n\n1 dives|no prev dives||dive type||bio|") + zero + "|quarry|" + zero + "|drift|" + zero
        + "|wrecks|" + zero + "|recreational|" + zero + "|training|" + zero + "|night|" + all + "|photo|" + zero
        + "|recuperation|" + zero + "|ice|" + zero + "|cave|" + zero + "|tek|" + zero + "|work|" + zero
        + "|video|0\t\t( 0.0 %)|other|" + all + "|gas||air|" + all + "|nitrox|" + zero + "|trimix|" + zero
        + "|heliox|" + zero + "|depth||prof_1|" + zero + "|prof_2|" + zero + "|prof_3|" + all + "|prof_4|" + zero
        + "|prof_5|" + zero + "|prof_6|" + zero + "|prof_7|" + zero
        + "|min max||prof max|20 m|temps max|40 min.|somme prof|20 m|somme temps|0 h 40 min.\n(40 min.)"
          "|prof moy|20 m|temps moy|40 min.|temp min|18 C|temp max|18 C|temp moy|18 C|current|"
          "\nFile dir : log.ondrix\n\nEdition date : ";
    EXPECT_TRUE(text.plainText().startsWith(expected)) << qPrintable(text.plainText());
    EXPECT_TRUE(text.plainText().contains(QStringLiteral("2 January 2026 03:04:05")));
    // The header dark green, the values blue, a group's title red underlined.
    EXPECT_EQ(text.runs()[0].style.colour, RgbaColour::rgb(0, 0.5, 0));
    const std::string styled = registertesting::marked(text);
    EXPECT_EQ(styled.rfind("{d}|header|{b}\n\n1 dives{k}|no prev dives|{R}|dive type|{k}|bio|{b}0", 0), 0u) << styled.substr(0, 120);
}

TEST(StartingValuesTest, ParseRefusesWhatIsNoWholeNumberOfZeroOrMore)
{
    struct Case { const char* text; bool ok; std::optional<qint64> value; };
    const Case cases[] = {{"", true, {}},           {"  ", true, {}},     {"0", true, 0},       {" 42 ", true, 42},
                          {"1000000000", true, 1000000000},           {"1000000001", false, {}},
                          {"-1", false, {}},        {"3.5", false, {}},   {"abc", false, {}},   {"12a", false, {}},
                          {"+3", false, {}},        {"99999999999999999999", false, {}}};
    for (const Case& c : cases) {
        const auto parsed = StartingValues::parse(QString::fromLatin1(c.text));
        EXPECT_EQ(parsed.ok, c.ok) << c.text;
        EXPECT_EQ(parsed.value, c.value) << c.text;
    }
}

TEST(StartingValuesTest, StoreAndLoadKeepOnlyGivenWholeNumbers)
{
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(QStringLiteral("s.ini")));
    EXPECT_FALSE(StartingValues::load(settings).value(QStringLiteral("bio")));
    StartingValues v;
    v.set(QStringLiteral("bio"), 7);
    v.set(StartingValues::kTotalPlongees, 120);
    v.store(settings);
    QVariantMap hand = settings.value(StartingValues::settingsKey()).toMap();
    hand.insert(QStringLiteral("photo"), QStringLiteral("lots"));
    settings.setValue(StartingValues::settingsKey(), hand);
    const StartingValues back = StartingValues::load(settings);
    EXPECT_EQ(back.value(QStringLiteral("bio")), 7);
    EXPECT_EQ(back.value(StartingValues::kTotalPlongees), 120);
    EXPECT_FALSE(back.value(QStringLiteral("photo")));
}

TEST(StatsGraphTest, BarsStayInsideTheFrame)
{
    struct Case { float share; double top; const char* label; };
    const Case cases[] = {{100, 450, "100.0 %"}, {0, 50, "0.0 %"},      {50, 250, "50.0 %"},
                          {150, 450, "150.0 %"}, {-5, 50, "-5.0 %"},    {NAN, 50, "0.0 %"},
                          {INFINITY, 50, "0.0 %"}};
    for (const Case& c : cases) {
        std::array<float, 11> shares{};
        shares.fill(c.share);
        const StatsGraph g(shares, {});
        for (const StatsGraph::Bar& bar : g.bars()) {
            EXPECT_EQ(bar.top(), c.top) << c.share;
            EXPECT_EQ(bar.value.text, QLatin1String(c.label)) << c.share;
            EXPECT_EQ(bar.value.at, (StatsGraph::Point{bar.left + 15, c.top})) << c.share;
        }
    }
    const StatsGraph g({}, {});
    EXPECT_EQ(std::tuple(g.bars()[0].left, g.bars()[10].left, g.bars()[10].group),
              std::tuple(80.0, 795.0, StatsGraph::Group::Trimix));
    ASSERT_EQ(g.ticks().size(), 11);
    EXPECT_EQ(g.ticks()[10], (StatsGraph::Line{{50, 450}, {58, 450}}));
    using Placed = std::pair<QString, StatsGraph::Point>;
    EXPECT_EQ((std::pair{Placed{g.tickLabels()[10].text, g.tickLabels()[10].at},
                         Placed{g.categoryLabels()[6].text, g.categoryLabels()[6].at}}),
              (std::pair{Placed{"100 %", {6, 443}}, Placed{"60 m et +", {475, 23}}}));
}

TEST(StatsGraphTest, GuideLinesNeedDashesAndTheGradient)
{
    QTemporaryDir dir;
    SettingsStore settings(dir.filePath(QStringLiteral("s.ini")));
    const std::pair<bool, bool> switches[] = {{false, false}, {true, false}, {false, true}, {true, true}};
    for (const auto& [dashed, gradient] : switches) {
        settings.setValue(QStringLiteral("dashed lines"), dashed);
        settings.setValue(QStringLiteral("gradient yes"), gradient);
        const StatsGraph g({}, StatsGraph::Style::fromSettings(settings));
        EXPECT_EQ(g.guideLines().size(), dashed && gradient ? 10 : 0);
    }
}

TEST(StatsGraphTest, PointerReadout)
{
    std::array<float, 11> shares{};
    shares[0] = 25;
    shares[8] = 80;
    const StatsGraph g(shares, {});
    struct Case { StatsGraph::Point at; const char* text; };
    const Case cases[] = {{{100, 100}, "0 - 9 m: 25.0 %"}, {{100, 200}, "37.5 %"}, {{700, 300}, "Nitrox: 80.0 %"},
                          {{20, 100}, ""},                 {{100, 460}, ""}};
    for (const Case& c : cases)
        EXPECT_EQ(g.readoutText(g.readout(c.at)), QString::fromUtf8(c.text)) << c.at.x << " " << c.at.y;
}

// The command line: stats-start refuses and stores nothing, stats follows
// the switch, the graph of an empty logbook is drawn.
class StatsCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString logbook = dir.filePath(QStringLiteral("log.ondrix"));
    QString settings = dir.filePath(QStringLiteral("settings.ini"));

    CliRun run(const QStringList& args) { return runCli(settings, args); }
    // The `stats` output's value at a path of keys ("values/x/text").
    QJsonValue stats(const char* at, const QStringList& extra = {})
    {
        const CliRun r = run(QStringList{QStringLiteral("stats"), logbook} + extra);
        EXPECT_EQ(r.status, 0);
        QJsonValue v = QJsonDocument::fromJson(r.out).object();
        for (const QString& key : QString::fromLatin1(at).split(u'/'))
            v = v[key];
        return v;
    }
};

TEST_F(StatsCliTest, StartingValuesAndSwitch)
{
    ASSERT_TRUE(saveFileAtomically(logbook, *logbookarchive::encode({diveOf({.water = 15}), diveOf({.water = 15})})).ok);
    EXPECT_EQ(run({"stats-start", "bio=4", "total plongees=2"}).status, 0);
    const CliRun refused = run({"stats-start", "photo=3", "bio=x"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("bio")) << refused.err.constData();
    EXPECT_EQ(run({"stats-start", "nokey=3"}).status, 2);
    const CliRun stored = run({"stats-start"});
    EXPECT_EQ(stored.status, 0);
    const QJsonObject start = QJsonDocument::fromJson(stored.out).object();
    EXPECT_EQ(start[QStringLiteral("bio")].toInt(), 4);
    EXPECT_TRUE(start[QStringLiteral("photo")].isNull());

    EXPECT_EQ(stats("categories/bio/percent").toString(), QStringLiteral("100.0 %"));
    EXPECT_EQ(stats("values/statStateField/value").toInt(), 4);
    EXPECT_EQ(stats("shares/depth_level_3").toDouble(), 50.0);
    const QStringList off{QStringLiteral("--no-previous")};
    EXPECT_EQ(stats("categories/bio/count", off).toInt(-1), 0);
    EXPECT_EQ(stats("values/statTempEauMinField/text", off).toString(), QStringLiteral("15 °C"));
    EXPECT_EQ(stats("shares/depth_level_3", off).toDouble(), 100.0);
}

TEST_F(StatsCliTest, EmptyLogbookReportAndGraph)
{
    ASSERT_TRUE(saveFileAtomically(logbook, *logbookarchive::encode({})).ok);
    EXPECT_TRUE(stats("values/statTempEauMaxField/value").isNull());
    EXPECT_EQ(stats("values/statTempEauMaxField/text").toString(), QStringLiteral("-"));
    const QString png = dir.filePath(QStringLiteral("g.png"));
    const CliRun graph = runProgram(settings, {QStringLiteral("graph"), logbook, QStringLiteral("--png"), png});
    EXPECT_EQ(graph.status, 0) << graph.err.constData();
    EXPECT_TRUE(QFile::exists(png));
    EXPECT_EQ(runProgram(settings, {QStringLiteral("report"), logbook, QStringLiteral("0")}).status, 1);
}

} // namespace
