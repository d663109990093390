// UDDF 3.x dives into the logbook: the values read, the gases, the time
// axis of the profile, units, progress and cancelling.
#include "exchange/DiveImporter.h"
#include "exchange/ExchangeSniffer.h"
#include "exchange/GasMix.h"
#include "exchange/ProfileGrid.h"
#include "exchange/Uddf32Writer.h"
#include "exchange/UddfFileImport.h"
#include "logbook/Carnet.h"
#include "logbook/LogbookGenerator.h"
#include "support/ImportFixture.h"
#include "support/TestDives.h"

#include <QBuffer>
#include <cmath>

namespace {

// A UDDF 3.2 file around one dive's inner elements and some definitions.
QByteArray uddf(const QByteArray& dive, const QByteArray& definitions = {}, const QByteArray& root =
                    "<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.0\">")
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + root + definitions
        + "<profiledata><repetitiongroup id=\"g\"><dive id=\"d\">" + dive
        + "</dive></repetitiongroup></profiledata></uddf>\n";
}

QByteArray before(const QByteArray& inner = {}, const QByteArray& datetime = "2022-09-10T08:30:00")
{
    return "<informationbeforedive>" + inner + "<datetime>" + datetime + "</datetime></informationbeforedive>";
}

QByteArray after(const QByteArray& inner) { return "<informationafterdive>" + inner + "</informationafterdive>"; }

QByteArray waypoints(std::initializer_list<std::pair<double, double>> points, const QByteArray& extraFirst = {})
{
    QByteArray out = "<samples>";
    bool first = true;
    for (const auto& [t, z] : points) {
        out += "<waypoint><depth>" + QByteArray::number(z) + "</depth><divetime>" + QByteArray::number(t)
            + "</divetime>" + (first ? extraFirst : QByteArray()) + "</waypoint>";
        first = false;
    }
    return out + "</samples>";
}

const QByteArray kMixes = "<gasdefinitions>"
                          "<mix id=\"air\"><name>air</name><o2>0.21</o2><he>0</he></mix>"
                          "<mix id=\"ean50\"><name>EAN50</name><o2>0.5</o2><he>0.0</he></mix>"
                          "<mix id=\"o2\"><name>Oxygen</name><o2>1</o2></mix>"
                          "<mix id=\"tx\"><name>Trimix</name><o2>0.18</o2><he>0.45</he></mix>"
                          "<mix id=\"ha\"><name>Heliair 17/20</name><o2>0.17</o2><he>0.2</he></mix>"
                          "<mix id=\"tri\"><name>Triox 30/30</name><o2>0.3</o2><he>0.3</he></mix>"
                          "<mix id=\"hx\"><name>HX</name><o2>0.21</o2><he>0.79</he></mix>"
                          "<mix id=\"pc\"><name>32 per cent</name><o2>32</o2><he>0</he></mix>"
                          "<mix id=\"n2only\"><name>by nitrogen</name><n2>0.64</n2><he>0</he></mix>"
                          "<mix id=\"named\"><name>Air</name></mix>"
                          "</gasdefinitions>";

using UddfImportTest = ImportFixture;

} // namespace

TEST_F(UddfImportTest, TheWallClockWrittenIsTheDivesTimeWhateverItsOffset)
{
    const struct {
        const char* datetime;
        QDate day;
        QTime start;
    } cases[] = {
        {"2022-09-10T08:30:00", QDate(2022, 9, 10), QTime(8, 30)},
        {"2022-09-10T08:30:59Z", QDate(2022, 9, 10), QTime(8, 30)},
        {"2022-09-10T23:45:00+02:00", QDate(2022, 9, 10), QTime(23, 45)},
        {"2022-09-10T00:15:00-0930", QDate(2022, 9, 10), QTime(0, 15)},
        {"2022-09-10T08:30:00.250", QDate(2022, 9, 10), QTime(8, 30)},
        {"2022-09-10 08:30", QDate(2022, 9, 10), QTime(8, 30)},
        {" 2022-09-10 ", QDate(2022, 9, 10), QTime(0, 0)},
    };
    for (const auto& c : cases) {
        const Plongee d = imported(uddf(before({}, c.datetime)));
        EXPECT_EQ(d.date().date(), c.day) << c.datetime;
        EXPECT_EQ(d.heure().time(), c.start) << c.datetime;
    }
}

TEST_F(UddfImportTest, AnyPrefixOrNoNamespaceAndEveryThreeVersion)
{
    const QByteArray body = before() + after("<greatestdepth>21.5</greatestdepth><diveduration>600</diveduration>");
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"prefix", QByteArray(uddf(body, {}, "<u:uddf xmlns:u=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.0\">"))
                       .replace("<", "<u:").replace("<u:/", "</u:").replace("<u:?xml", "<?xml")
                       .replace("</u:u:uddf>", "</u:uddf>").replace("<u:u:uddf", "<u:uddf")},
        {"no namespace 3.0", uddf(body, {}, "<uddf version=\"3.0.0\">")},
        {"no namespace 3.3", uddf(body, {}, "<uddf version=\"3.3.1\">")},
        {"namespace, no version", uddf(body, {}, "<uddf xmlns=\"http://www.streit.cc/uddf/3.1/\">")},
    };
    for (const auto& c : cases) {
        carnet->setDives({});
        const auto outcome = import(c.bytes);
        ASSERT_TRUE(outcome.ok) << c.what << ": " << outcome.error.toStdString();
        ASSERT_EQ(carnet->count(), 1) << c.what;
        EXPECT_FLOAT_EQ(carnet->dives()[0].profondeur(), 21.5f) << c.what;
        EXPECT_EQ(carnet->dives()[0].temps(), 10) << c.what;
    }
}

TEST_F(UddfImportTest, TheBottomGasAndTheStopLevelGases)
{
    const QByteArray tank = "<tankdata><link ref=\"%1\"/><tankpressurebegin>0</tankpressurebegin></tankdata>";
    const auto tanks = [&](std::initializer_list<const char*> refs) {
        QByteArray out;
        for (const char* r : refs)
            out += QByteArray(tank).replace("%1", r);
        return out;
    };
    const struct {
        const char* what;
        QByteArray dive;
        int o2, he, gaz;
        QList<std::pair<int, int>> levels; // oxygen, helium of stop levels 1...
    } cases[] = {
        {"no gas at all: the form's air", before(), 21, 0, 0, {}},
        {"the first tank's mix", before() + tanks({"tx", "ean50", "o2"}), 18, 45, 2, {{50, 0}, {100, 0}}},
        {"the first switch when the tank has none",
         before() + "<tankdata><tankpressurebegin>0</tankpressurebegin></tankdata>"
             + waypoints({{0, 1}, {10, 30}, {20, 9}, {30, 5}}, "<switchmix ref=\"hx\"/>"),
         21, 79, 3, {}},
        {"switched-to mixes, richest first", before() + tanks({"air"})
             + QByteArray("<samples><waypoint><depth>30</depth><divetime>0</divetime></waypoint>"
                          "<waypoint><depth>21</depth><divetime>10</divetime><switchmix ref=\"ean50\"/></waypoint>"
                          "<waypoint><depth>6</depth><divetime>20</divetime><switchmix ref=\"o2\"/></waypoint>"
                          "</samples>"),
         21, 0, 0, {{100, 0}, {50, 0}}},
        {"heliair by its name", before() + tanks({"ha"}), 17, 20, 5, {}},
        {"triox by its name", before() + tanks({"tri"}), 30, 30, 4, {}},
        {"per cents where fractions belong", before() + tanks({"pc"}), 32, 0, 1, {}},
        {"oxygen from nitrogen", before() + tanks({"n2only"}), 36, 0, 1, {}},
        {"air by its name alone", before() + tanks({"named"}), 21, 0, 0, {}},
        {"at most five stop levels", before() + tanks({"air", "ean50", "o2", "tx", "ha", "tri", "pc"}), 21, 0, 0,
         {{50, 0}, {100, 0}, {18, 45}, {17, 20}, {30, 30}}},
    };
    for (const auto& c : cases) {
        const Plongee d = imported(uddf(c.dive, kMixes));
        EXPECT_EQ(d.o2Mix(), c.o2) << c.what;
        EXPECT_EQ(d.heMix(), c.he) << c.what;
        EXPECT_EQ(d.gaz(), c.gaz) << c.what;
        const int o2[] = {d.decoO2_Level_1(), d.decoO2_Level_2(), d.decoO2_Level_3(), d.decoO2_Level_4(),
                          d.decoO2_Level_5()};
        const int he[] = {d.decoHe_Level_1(), d.decoHe_Level_2(), d.decoHe_Level_3(), d.decoHe_Level_4(),
                          d.decoHe_Level_5()};
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(o2[k], k < c.levels.size() ? c.levels[k].first : 0) << c.what << " level " << k + 1;
            EXPECT_EQ(he[k], k < c.levels.size() ? c.levels[k].second : 0) << c.what << " level " << k + 1;
        }
    }
}

TEST_F(UddfImportTest, GasSwitchesBecomeGasCodes)
{
    const Plongee d = imported(uddf(
        before() + "<tankdata><link ref=\"tx\"/><tankpressurebegin>0</tankpressurebegin></tankdata>"
                   "<tankdata><link ref=\"ean50\"/><tankpressurebegin>0</tankpressurebegin></tankdata>"
                   "<samples><waypoint><depth>1</depth><divetime>0</divetime><switchmix ref=\"tx\"/></waypoint>"
                   "<waypoint><depth>50</depth><divetime>60</divetime></waypoint>"
                   "<waypoint><depth>21</depth><divetime>120</divetime><switchmix ref=\"ean50\"/></waypoint>"
                   "<waypoint><depth>6</depth><divetime>180</divetime><switchmix ref=\"o2\"/></waypoint>"
                   "<waypoint><depth>6</depth><divetime>240</divetime><switchmix ref=\"unknown\"/></waypoint>"
                   "<waypoint><depth>0</depth><divetime>300</divetime><switchmix ref=\"tx\"/></waypoint>"
                   "</samples>",
        kMixes));
    EXPECT_EQ(*d.GAZ_Flag(), (QList<qint16>{1, 0, 2, 3, 0, 1}));
    EXPECT_EQ(d.decoO2_Level_1(), 50);
    EXPECT_EQ(d.decoO2_Level_2(), 100);
    EXPECT_EQ(d.samplingRate(), 3); // 60 s
}

TEST_F(UddfImportTest, DefinitionsMayComeAfterTheDives)
{
    const QByteArray diver = "<diver><owner id=\"me\"><personal><firstname/><lastname/></personal><equipment>"
                             "<divecomputer id=\"dc\"><name>Name</name><manufacturer id=\"mk\"><name>Maker</name>"
                             "</manufacturer><model>Model</model><serialnumber>123</serialnumber></divecomputer>"
                             "<light id=\"torch\"><name>Torch</name></light>"
                             "<variouspieces id=\"reel\"><name>Reel</name></variouspieces></equipment></owner>"
                             "<buddy id=\"b1\"><personal><firstname>Anne</firstname><lastname>Roux</lastname>"
                             "</personal></buddy><buddy id=\"b2\"><personal><firstname>Bruno</firstname>"
                             "<lastname/></personal></buddy></diver>"
                             "<divesite><divebase id=\"club\"><name>Club Bleu</name></divebase><site id=\"s\">"
                             "<name>Le Donator</name><geography><location>Porquerolles</location><address>"
                             "<country>France</country></address></geography></site></divesite>";
    QByteArray bytes = uddf(before("<link ref=\"s\"/><link ref=\"b2\"/><link ref=\"me\"/><link ref=\"b1\"/>"
                                   "<link ref=\"club\"/><link ref=\"nothing\"/>",
                                   "2022-09-10T08:30:00")
                            + "<tankdata><link ref=\"ean50\"/><tankpressurebegin>0</tankpressurebegin></tankdata>");
    bytes.replace("<informationbeforedive>", "<informationbeforedive>");
    bytes.replace("<datetime>", "<equipmentused><leadquantity>6.5</leadquantity><link ref=\"dc\"/>"
                                "<link ref=\"reel\"/><link ref=\"torch\"/></equipmentused><datetime>");
    // Equipment used comes after the date in UDDF; the reader takes it anywhere.
    bytes.replace("</uddf>", kMixes + diver + "</uddf>");
    const Plongee d = imported(bytes);
    EXPECT_EQ(d.o2Mix(), 50);
    EXPECT_EQ(d.site(), QStringLiteral("Le Donator"));
    EXPECT_EQ(d.lieu(), QStringLiteral("Porquerolles"));
    EXPECT_EQ(d.pays(), QStringLiteral("France"));
    EXPECT_EQ(d.partenaires(), QStringLiteral("Bruno, Anne Roux"));
    EXPECT_EQ(d.structure(), QStringLiteral("Club Bleu"));
    EXPECT_EQ(d.ordinateur(), QStringLiteral("Model"));
    EXPECT_EQ(d.fabricant(), QStringLiteral("Maker"));
    EXPECT_EQ(d.serie(), QStringLiteral("123"));
    EXPECT_EQ(d.equip_1(), QStringLiteral("Reel"));
    EXPECT_EQ(d.equip_2(), QStringLiteral("Torch"));
    EXPECT_EQ(d.equip_3(), QString());
    EXPECT_FLOAT_EQ(d.lestage(), 6.5f);
}

TEST_F(UddfImportTest, ConditionsNotesAndTheFirstTank)
{
    const Plongee d = imported(uddf(
        before("", "2022-09-10T08:30:00").replace("<datetime>", "<divenumber>99</divenumber><datetime>")
                .replace("</datetime>", "</datetime><airtemperature>301.55</airtemperature>"
                                        "<surfaceintervalbeforedive><passedtime>5430</passedtime>"
                                        "</surfaceintervalbeforedive><altitude>447.4</altitude>")
            + "<tankdata><tankvolume>0.0111</tankvolume><tankpressurebegin>2.0E7</tankpressurebegin>"
              "<tankpressureend>5149999</tankpressureend></tankdata>"
            + waypoints({{0, 0}, {20, 8}, {40, 12}, {60, 0}})
            + after("<lowesttemperature>286.4</lowesttemperature><greatestdepth>12.3</greatestdepth>"
                    "<visibility>17.5</visibility><notes><para>Line one</para><link ref=\"x\"/><para></para>"
                    "<para>  spaced  </para></notes><rating><ratingvalue>10</ratingvalue></rating>"
                    "<diveduration>2999</diveduration>")));
    EXPECT_EQ(d.noPlongee(), 1) << "numbered after the logbook's last dive";
    EXPECT_EQ(d.tempAir(), 28);   // 28.4 °C
    EXPECT_EQ(d.tempEau(), 13);   // 13.25 °C
    EXPECT_EQ(d.surface(), QStringLiteral("1:30"));
    EXPECT_EQ(d.altitude(), 447);
    EXPECT_FLOAT_EQ(d.profondeur(), 12.3f);
    EXPECT_EQ(d.temps(), 49);
    EXPECT_EQ(d.visibilite(), 1); // very good: 15 to 20 m
    EXPECT_EQ(d.inoubliable(), 1);
    EXPECT_EQ(d.notes(), QStringLiteral("Line one\n\n  spaced  "));
    EXPECT_EQ(d.volumeBloc(), 11);
    EXPECT_EQ(d.pressionDepart(), 200);
    EXPECT_EQ(d.pressionFin(), 51);
    EXPECT_EQ(d.samplingRate(), 1); // 20 s
}

TEST_F(UddfImportTest, WhatTheSummaryLacksComesFromTheWaypoints)
{
    const Plongee d = imported(uddf(
        before() + "<samples>"
                   "<waypoint><depth>2</depth><divetime>0</divetime><tankpressure ref=\"t2\">1.5e7</tankpressure>"
                   "<tankpressure ref=\"t1\">2.1e7</tankpressure><temperature>290</temperature></waypoint>"
                   "<waypoint><depth>17.75</depth><divetime>5</divetime><tankpressure ref=\"t1\">2.0e7</tankpressure>"
                   "<temperature>285.55</temperature></waypoint>"
                   "<waypoint><depth>9</depth><divetime>10</divetime><tankpressure ref=\"t1\">1.9e7</tankpressure>"
                   "<tankpressure ref=\"t2\">1.2e7</tankpressure></waypoint>"
                   "<waypoint><depth>0</depth><divetime>15</divetime><tankpressure ref=\"t2\">1.1e7</tankpressure>"
                   "</waypoint></samples>"));
    // The first tank is the one whose pressure comes first: t2.
    EXPECT_EQ(*d.PRESS_Data(), (QList<float>{150, 0, 120, 110}));
    EXPECT_EQ(d.pressionDepart(), 150);
    EXPECT_EQ(d.pressionFin(), 110);
    EXPECT_EQ(d.tempEau(), 12); // the coldest waypoint, 12.4 °C
    EXPECT_FLOAT_EQ(d.profondeur(), 17.75f);
    EXPECT_EQ(d.temps(), 0);    // 15 s
    EXPECT_EQ(d.samplingRate(), 7); // 5 s
}

TEST_F(UddfImportTest, IrregularWaypointsAreResampledOntoTheNearestPeriod)
{
    // Steps of 7, 7, 8 and 7 s: every 5 s the record can hold, sample i
    // at i × 5 s, depths between waypoints interpolated.
    const Plongee d = imported(uddf(before() + waypoints({{0, 0}, {7, 7}, {14, 14}, {22, 22}, {29, 29}},
                                                         "<alarm>ascent</alarm>")));
    EXPECT_EQ(d.samplingRate(), 7);
    ASSERT_EQ(d.profilProfondeur()->size(), 7); // 0 to 30 s
    const QList<float> expected{0, 5, 10, 15, 20, 25, 29};
    for (int i = 0; i < 7; ++i)
        EXPECT_NEAR((*d.profilProfondeur())[i], expected[i], 1e-4) << i;
    EXPECT_EQ(*d.SLOW_Flag(), (QList<qint16>{1, 0, 0, 0, 0, 0, 0}));
}

TEST_F(UddfImportTest, UsUnitsGetFeetAndFahrenheit)
{
    settings().setValue(QStringLiteral("us units"), true);
    const Plongee d = imported(uddf(before("", "2022-09-10T08:30:00")
                                        .replace("</datetime>", "</datetime><airtemperature>293.15</airtemperature>"
                                                                "<altitude>304.8</altitude>")
                                    + after("<lowesttemperature>283.15</lowesttemperature>"
                                            "<greatestdepth>30.48</greatestdepth><diveduration>60</diveduration>")));
    EXPECT_FLOAT_EQ(d.profondeur(), 100.0f);
    EXPECT_EQ(d.tempAir(), 68);
    EXPECT_EQ(d.tempEau(), 50);
    EXPECT_EQ(d.altitude(), 1000);

    // The older layout too: its kelvin rule first, then the units.
    const Plongee old = imported("<uddf version=\"2.2.0\"><profiledata><repetitiongroup><dive><date><year>2011</year>"
                                 "<month>5</month><day>17</day></date><airtemperature>287.1</airtemperature>"
                                 "<greatestdepth>24.7</greatestdepth></dive></repetitiongroup></profiledata></uddf>");
    EXPECT_EQ(old.tempAir(), 57); // 14 °C
    EXPECT_NEAR(old.profondeur(), 81.0367, 1e-3);
}

TEST_F(UddfImportTest, ImportingIsOneStepThatMarksTheLogbookChanged)
{
    carnet->setDives(someDives(3));
    carnet->setModified(false);
    const auto outcome = import(uddf(before()) + QByteArray());
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_EQ(carnet->count(), 4);
    EXPECT_TRUE(carnet->isModified());
    EXPECT_EQ(carnet->dives()[3].noPlongee(), carnet->dives()[2].noPlongee() + 1);
    // The form shows the last imported dive, with no row selected.
    EXPECT_EQ(carnet->currentIndex(), -1);
    EXPECT_EQ(carnet->form().text(plongee::idx_noPlongee), QString::number(carnet->dives()[3].noPlongee()));
}

TEST_F(UddfImportTest, CancellingAppendsNothing)
{
    Uddf32Writer writer(context->localizer(), false);
    const QByteArray bytes = writer.write(logbookgenerator::generate(40, 200, 9)).bytes;
    ASSERT_GT(bytes.size(), 3 * (1 << 18)) << "long enough for several progress reports";
    carnet->setDives(someDives(2));
    carnet->setModified(false);
    const QList<Plongee> before = carnet->dives();

    for (const qint64 cancelAt : {qint64(0), qint64(500), qint64(950), qint64(1000)}) {
        QList<qint64> seen;
        const auto outcome = import(bytes, [&](qint64 done, qint64 total) {
            EXPECT_EQ(total, 1000);
            seen.append(done);
            return done < cancelAt;
        });
        EXPECT_FALSE(outcome.ok) << cancelAt;
        EXPECT_TRUE(outcome.cancelled) << cancelAt;
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        ASSERT_EQ(carnet->count(), 2);
        for (int i = 0; i < 2; ++i)
            EXPECT_TRUE(carnet->dives()[i].identical(before[i]));
        EXPECT_FALSE(carnet->isModified());
    }
    // Without cancelling, the progress ends at the whole.
    QList<qint64> seen;
    ASSERT_TRUE(import(bytes, [&](qint64 done, qint64) {
                    seen.append(done);
                    return true;
                }).ok);
    EXPECT_EQ(seen.last(), 1000);
    EXPECT_EQ(carnet->count(), 42);
}

TEST(ProfileGridTest, PeriodsOfTheRecord)
{
    const struct {
        double spacing;
        int period;
    } nearest[] = {{1, 1}, {2, 1}, {2.5, 1}, {3, 4}, {4.5, 4}, {7, 5}, {7.5, 5}, {8, 10},
                   {15, 10}, {16, 20}, {45, 30}, {46, 60}, {90, 60}, {100, 120}, {1000, 120}};
    for (const auto& c : nearest)
        EXPECT_EQ(ProfileGrid::nearestPeriod(c.spacing), c.period) << c.spacing;
    const int codes[][2] = {{10, 0}, {20, 1}, {30, 2}, {60, 3}, {120, 4}, {4, 5}, {1, 6}, {5, 7}, {15, -1}};
    for (const auto& c : codes)
        EXPECT_EQ(ProfileGrid::codeOfPeriod(c[0]), c[1]) << c[0];
}

TEST(ProfileGridTest, WaypointsOnTheGridAreTakenAsTheyAre)
{
    const struct {
        const char* what;
        std::vector<std::pair<double, float>> points;
        int period;
        QList<float> depths;
    } cases[] = {
        {"from 0 s", {{0, 1.4f}, {10, 1.6f}, {20, 1.6f}}, 10, {1.4f, 1.6f, 1.6f}},
        {"from one period: the surface first", {{30, 10}, {60, 10}, {90, 15}}, 30, {0, 10, 10, 15}},
        {"out of order", {{2, 3}, {0, 1}, {1, 2}}, 1, {1, 2, 3}},
        {"a gap is interpolated", {{0, 0}, {4, 4}, {8, 8}, {16, 16}, {20, 20}}, 4, {0, 4, 8, 12, 16, 20}},
        {"one waypoint", {{0, 5}}, 10, {5}},
        {"one late waypoint", {{20, 6}}, 10, {0, 3, 6}},
    };
    for (const auto& c : cases) {
        std::vector<ProfileGrid::Point> points;
        for (const auto& [t, z] : c.points) {
            ProfileGrid::Point p;
            p.time = t;
            p.depth = z;
            points.push_back(p);
        }
        const auto profile = ProfileGrid::build(points, nullptr);
        ASSERT_TRUE(profile) << c.what;
        EXPECT_EQ(profile->period, c.period) << c.what;
        EXPECT_EQ(profile->depths, c.depths) << c.what;
        EXPECT_TRUE(profile->pressures.isEmpty()) << c.what;
    }
}

TEST(ProfileGridTest, SparseWaypointsDoNotSwellTheProfile)
{
    // Steps of 1 s, then a day: the period grows until the samples stay
    // near the number of waypoints.
    std::vector<ProfileGrid::Point> points(4);
    const double times[] = {0, 1, 2, 86400};
    for (int i = 0; i < 4; ++i)
        points[size_t(i)].time = times[i], points[size_t(i)].depth = 1;
    const auto profile = ProfileGrid::build(points, nullptr);
    ASSERT_TRUE(profile);
    EXPECT_EQ(profile->period, 120);
    EXPECT_EQ(profile->depths.size(), 721);
}

TEST(GasMixTest, CodesAndNames)
{
    const struct {
        int o2, he;
        const char* name;
        int code, named;
        const char* shown;
    } cases[] = {
        {21, 0, "air", 0, 0, "Air"},
        {21, 0, "EAN21", 0, 1, "Nitrox 21"},
        {32, 0, "EANx 32", 1, 1, "Nitrox 32"},
        {32, 0, "Air", 1, 1, "Nitrox 32"}, // the name does not fit
        {100, 0, "Oxygen", 1, 1, "Nitrox 100"},
        {18, 45, "OC3:18/45", 2, 2, "Trimix 18/45"},
        {17, 20, "Heliair", 2, 5, "Heliair 17/20"},
        {30, 30, "TRIOX", 2, 4, "Triox 30/30"},
        {21, 79, "anything", 3, 3, "Heliox 21"},
        {21, 79, "Trimix", 3, 3, "Heliox 21"},
    };
    for (const auto& c : cases) {
        const GasMix mix(c.o2, c.he);
        EXPECT_EQ(mix.code(), c.code) << c.name;
        EXPECT_EQ(mix.codeForName(QString::fromLatin1(c.name)), c.named) << c.name;
        EXPECT_EQ(mix.nameForCode(c.named, QStringLiteral("Air")), QLatin1String(c.shown)) << c.name;
    }
}

TEST(GasMixTest, FractionsBecomeWholePerCentsThatFit)
{
    const struct {
        double o2, he;
        bool gas;
        int wholeO2, wholeHe;
    } cases[] = {
        {0.21, 0, true, 21, 0},      {0.335, 0.665, true, 34, 66}, {0.209, 0.0, true, 21, 0},
        {1.0, 0, true, 100, 0},      {1.004, 0, true, 100, 0},     {0.8, 0.5, false, 0, 0},
        {-0.1, 0.2, false, 0, 0},    {qQNaN(), 0, false, 0, 0},    {0.5, 0.503, true, 50, 50},
    };
    for (const auto& c : cases) {
        const auto mix = GasMix::fromFractions(c.o2, c.he);
        EXPECT_EQ(mix.has_value(), c.gas) << c.o2 << " " << c.he;
        if (mix && c.gas) {
            EXPECT_EQ(mix->oxygen(), c.wholeO2) << c.o2;
            EXPECT_EQ(mix->helium(), c.wholeHe) << c.he;
            EXPECT_TRUE(mix->isPossible());
        }
    }
    EXPECT_FALSE(GasMix(80, 30).isPossible());
    EXPECT_FALSE(GasMix(-1, 0).isPossible());
    EXPECT_EQ(GasMix(80, 30).problem(), QStringLiteral("80 % oxygen and 30 % helium make more than 100 %"));
}

TEST(ExchangeSnifferTest, TheFormatIsToldByTheContent)
{
    const QByteArray longComment = "<!--" + QByteArray(70000, 'x') + "-->";
    const struct {
        const char* what;
        QByteArray start;
        ExchangeFormat format;
    } cases[] = {
        {"UDDF 2.2", "<?xml version=\"1.0\"?>\n<uddf version=\"2.2.0\"><profiledata>", ExchangeFormat::UddfLegacy},
        {"no version, no namespace", "<uddf><profiledata>", ExchangeFormat::UddfLegacy},
        {"UDDF 3.2", "<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.0\">", ExchangeFormat::Uddf3},
        {"3.x by namespace", "<uddf xmlns=\"http://www.streit.cc/uddf/3.1/\">", ExchangeFormat::Uddf3},
        {"3.x with a prefix", "<u:uddf xmlns:u=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.3\">",
         ExchangeFormat::Uddf3},
        {"after a comment and a byte order mark", "\xef\xbb\xbf<!-- made by hand -->\n<uddf version=\"3.0.0\">",
         ExchangeFormat::Uddf3},
        {"another root", "<?xml version=\"1.0\"?><UDCF version=\"1\">", ExchangeFormat::Unknown},
        {"no XML", "SQLite format 3", ExchangeFormat::Unknown},
        {"empty", "", ExchangeFormat::Unknown},
        {"the root beyond the bytes looked at", longComment + "<uddf version=\"3.2.0\">", ExchangeFormat::Unknown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExchangeSniffer::sniff(c.start), c.format) << c.what;
        // Sniffing a device leaves its bytes to read.
        QByteArray bytes = c.start;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_EQ(ExchangeSniffer::sniff(buffer), c.format) << c.what;
        EXPECT_EQ(buffer.pos(), 0) << c.what;
    }
}
