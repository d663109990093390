// The older UDDF layout (date/time per dive), read as the logbook always
// read it, with every repetition group.
#include "exchange/LegacyUddfWriter.h"
#include "exchange/UddfFileImport.h"
#include "exchange/UddfReader.h"
#include "logbook/Carnet.h"
#include "support/ImportFixture.h"

#include <QBuffer>
#include <QRegularExpression>

namespace {

QByteArray dive(const QByteArray& inner)
{
    return "<dive>" + inner + "</dive>";
}

QByteArray file(const QByteArray& dives)
{
    return "<?xml version=\"1.0\"?>\n<uddf version=\"2.2.0\"><profiledata><repetitiongroup>" + dives
        + "</repetitiongroup></profiledata></uddf>\n";
}

const QByteArray kDate = "<date><year>2011</year><month>5</month><day>17</day></date>";

using UddfLegacyImportTest = ImportFixture;

} // namespace

TEST_F(UddfLegacyImportTest, TemperaturesAreKelvinLess273Point1TruncatedTowardZero)
{
    const struct {
        const char* element;
        const char* kelvin; // nullptr: element missing
        int expected;
    } cases[] = {
        {"airtemperature", "293.1", 20},
        {"airtemperature", "300.0", 26},
        {"airtemperature", "287.1", 14},
        {"lowesttemperature", "283.1", 10},
        {"lowesttemperature", "273.0", 0},  // -0.1 truncates to 0
        {"lowesttemperature", "272.0", -1}, // -1.1 truncates to -1
        {"airtemperature", nullptr, -50},   // 0 K reads -273: not a temperature
        {"lowesttemperature", nullptr, -50},
    };
    for (const auto& c : cases) {
        const QByteArray element = c.kelvin ? QByteArray("<") + c.element + ">" + c.kelvin + "</" + c.element + ">"
                                            : QByteArray();
        const Plongee& d = imported(file(dive(kDate + element)));
        const int value = QByteArray(c.element) == "airtemperature" ? d.tempAir() : d.tempEau();
        EXPECT_EQ(value, c.expected) << c.element << " " << (c.kelvin ? c.kelvin : "missing");
    }
}

TEST_F(UddfLegacyImportTest, DateAndTimeComeFromTheirElements)
{
    const Plongee& d = imported(file(dive(kDate + "<time><hour>11</hour><minute>1</minute></time>")));
    EXPECT_EQ(d.date().date(), QDate(2011, 5, 17));
    EXPECT_EQ(d.heure().time(), QTime(11, 1));
    EXPECT_EQ(d.heure().date(), QDate(2011, 5, 17));

    const Plongee& noTime = imported(file(dive(kDate)));
    EXPECT_EQ(noTime.date().date(), QDate(2011, 5, 17));
    EXPECT_EQ(noTime.heure().time(), QTime(0, 0));
}

TEST_F(UddfLegacyImportTest, WaypointsWithoutTimesFollowALeadingSurfaceSample)
{
    const Plongee& d = imported(file(dive(kDate + "<samples>"
                                                  "<waypoint><depth>5.0</depth></waypoint>"
                                                  "<waypoint><depth>12.4</depth></waypoint>"
                                                  "<waypoint><depth>3.0</depth></waypoint>"
                                                  "</samples>")));
    EXPECT_EQ(*d.profilProfondeur(), (QList<float>{0.0f, 5.0f, 12.4f, 3.0f}));
    const QList<qint16> zeros(4, 0);
    EXPECT_EQ(*d.ASC_Flag(), zeros);
    EXPECT_EQ(*d.SLOW_Flag(), zeros);
    EXPECT_EQ(*d.SURF_Flag(), zeros);
    EXPECT_EQ(*d.CEIL_Flag(), zeros);
    EXPECT_EQ(*d.GAZ_Flag(), zeros);
    EXPECT_EQ(*d.PRESS_Data(), QList<float>{0.0f}); // no pressure recorded
}

TEST_F(UddfLegacyImportTest, DiveTimeIsTheLastWaypointsDiveTimeInWholeMinutes)
{
    const struct {
        const char* lastDivetime;
        int minutes;
    } cases[] = {{"2519", 41}, {"2520", 42}, {"59", 0}, {"1920", 32}};
    for (const auto& c : cases) {
        const Plongee& d = imported(file(dive(kDate + "<samples><waypoint><depth>3</depth></waypoint>"
                                                      "<waypoint><depth>2</depth><divetime>"
                                                      + QByteArray(c.lastDivetime) + "</divetime></waypoint></samples>")));
        EXPECT_EQ(d.temps(), c.minutes) << c.lastDivetime;
    }
}

TEST_F(UddfLegacyImportTest, TimedWaypointsKeepTheFilesTimeAxis)
{
    // Waypoints every 30 s from 30 s: the surface at 0 s, then one sample
    // each, at the 30-second sampling code.
    const Plongee& d = imported(file(dive(kDate + "<samples>"
                                                  "<waypoint><depth>4</depth><divetime>30</divetime></waypoint>"
                                                  "<waypoint><depth>9.5</depth><divetime>60</divetime></waypoint>"
                                                  "<waypoint><depth>2</depth><divetime>90</divetime></waypoint>"
                                                  "</samples>")));
    EXPECT_EQ(*d.profilProfondeur(), (QList<float>{0.0f, 4.0f, 9.5f, 2.0f}));
    EXPECT_EQ(d.samplingRate(), 2);
    EXPECT_EQ(d.temps(), 1);
}

TEST_F(UddfLegacyImportTest, DivesAreNumberedAfterTheLogbooksLastDive)
{
    const QByteArray two = file(dive(kDate) + dive(kDate));
    ASSERT_TRUE(import(two).ok);
    ASSERT_EQ(carnet->count(), 2);
    EXPECT_EQ(carnet->dives()[0].noPlongee(), 1);
    EXPECT_EQ(carnet->dives()[1].noPlongee(), 2);

    Plongee last;
    last.setNoPlongee(57);
    carnet->setDives({last});
    ASSERT_TRUE(import(two).ok);
    ASSERT_EQ(carnet->count(), 3);
    EXPECT_EQ(carnet->dives()[1].noPlongee(), 58);
    EXPECT_EQ(carnet->dives()[2].noPlongee(), 59);
}

TEST_F(UddfLegacyImportTest, ChoicesAreSetByTheirPositionsInTheFormsLists)
{
    const Plongee& d = imported(file(dive(kDate)));
    EXPECT_EQ(d.meteo(), 7);        // position 7
    EXPECT_EQ(d.courant(), 6);      // position 6
    EXPECT_EQ(d.visibilite(), 7);   // position 8: not rated
    EXPECT_EQ(d.typePlongee(), 8);  // position 13: other
    EXPECT_EQ(d.gaz(), 0);
    EXPECT_EQ(d.o2Mix(), 21);
}

TEST_F(UddfLegacyImportTest, DepthAndNotesAndTheLastOccurrences)
{
    const Plongee& d = imported(file(dive(
        "<date><year>1999</year><month>1</month><day>1</day></date>" + kDate
        + "<greatestdepth>10</greatestdepth><greatestdepth>24.7</greatestdepth>"
          "<notes><text>first</text></notes><notes><text>old</text><text>Second\nline</text></notes>"
          "<samples><waypoint><depth>1</depth></waypoint></samples>"
          "<samples><waypoint><depth>7</depth></waypoint><waypoint><depth>8</depth></waypoint></samples>")));
    EXPECT_EQ(d.date().date(), QDate(2011, 5, 17));
    EXPECT_FLOAT_EQ(d.profondeur(), 24.7f);
    EXPECT_EQ(d.notes(), QStringLiteral("Second\nline"));
    EXPECT_EQ(*d.profilProfondeur(), (QList<float>{0.0f, 7.0f, 8.0f}));
}

TEST_F(UddfLegacyImportTest, EveryRepetitionGroupOfEveryProfileDataIsRead)
{
    const QByteArray bytes = "<uddf version=\"2.2.0\"><profiledata>"
                             "<repetitiongroup>" + dive("<date><year>2010</year><month>1</month><day>1</day></date>") +
                             dive("<date><year>2010</year><month>1</month><day>2</day></date>") + "</repetitiongroup>"
                             "<repetitiongroup>" + dive("<date><year>2010</year><month>1</month><day>3</day></date>") +
                             "</repetitiongroup></profiledata><profiledata><repetitiongroup>" +
                             dive("<date><year>2010</year><month>1</month><day>4</day></date>") +
                             "</repetitiongroup></profiledata></uddf>";
    const auto outcome = import(bytes);
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_EQ(outcome.dives, 4);
    ASSERT_EQ(carnet->count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(carnet->dives()[i].date().date(), QDate(2010, 1, i + 1));
}

TEST_F(UddfLegacyImportTest, TheLogbooksOwnExportImportsNoDive)
{
    Plongee d;
    d.setNoPlongee(3);
    d.setDate(QDateTime(QDate(2012, 8, 1), QTime(9, 0)));
    d.setProfilProfondeur(QList<float>{1, 2});
    const ExportOutput exported = LegacyUddfWriter(context->localizer()).write({d});
    const auto outcome = import(exported.bytes);
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_EQ(outcome.dives, 0);
    EXPECT_EQ(carnet->count(), 0);
    EXPECT_FALSE(carnet->isModified());
}

TEST_F(UddfLegacyImportTest, ADiveWithoutAValidDateIsRefusedWithItsPlace)
{
    const struct {
        QByteArray inner;
        const char* why;
    } cases[] = {
        {"", "no valid date"},
        {"<date><year>2011</year><month>13</month><day>1</day></date>", "no valid date"},
        {"<date><year>2011</year><day>1</day></date>", "no valid date"},
        {kDate + "<time><hour>25</hour><minute>0</minute></time>", "time of day"},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = file(dive(kDate) + "\n  " + dive(c.inner));
        const auto outcome = import(bytes);
        EXPECT_FALSE(outcome.ok) << c.why;
        EXPECT_TRUE(outcome.error.startsWith(QStringLiteral("line 3, column 3: "))) << outcome.error.toStdString();
        EXPECT_TRUE(outcome.error.contains(QLatin1String(c.why))) << outcome.error.toStdString();
        EXPECT_EQ(carnet->count(), 0) << "nothing of the file is appended";
    }
}
