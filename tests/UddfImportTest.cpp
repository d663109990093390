// Exchange files into the logbook: the values read from UDDF 3 and from the
// older layout, the gases, the time axis of the profile, units, progress
// and cancelling.
#include "exchange/ExchangeSniffer.h"
#include "exchange/GasMix.h"
#include "exchange/ImportBuilder.h"
#include "exchange/ProfileGrid.h"
#include "exchange/Uddf32Writer.h"
#include "exchange/UddfReader.h"
#include "logbook/LogbookGenerator.h"
#include "support/DiveFields.h"
#include "support/ImportFixture.h"
#include "support/TestDives.h"
#include "support/UddfBytes.h"

using namespace uddfbytes;

namespace {

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

const QByteArray kDiver = "<diver><owner id=\"me\"><personal><firstname/><lastname/></personal><equipment>"
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

QByteArray tanks(std::initializer_list<const char*> refs)
{
    QByteArray out;
    for (const char* r : refs)
        out += QByteArray("<tankdata><link ref=\"") + r + "\"/><tankpressurebegin>0</tankpressurebegin></tankdata>";
    return out;
}

QByteArray gases(const QByteArray& dive) { return modern(before() + dive, kMixes); }

QByteArray summary()
{
    return modern(before() + after("<greatestdepth>21.5</greatestdepth><diveduration>600</diveduration>"));
}

QByteArray prefixed()
{
    return summary().replace("<", "<u:").replace("<u:/", "</u:").replace("<u:?xml", "<?xml")
        .replace("<u:uddf xmlns=", "<u:uddf xmlns:u=");
}

QByteArray oldDive(const QByteArray& inner) { return legacy(legacyDive(kLegacyDate + inner)); }

QByteArray oldTemperatures(const char* air, const char* water)
{
    return oldDive(QByteArray("<airtemperature>") + air + "</airtemperature><lowesttemperature>" + water
                   + "</lowesttemperature>");
}

QByteArray lastWaypointAt(const char* seconds)
{
    return oldDive(QByteArray("<samples><waypoint><depth>3</depth></waypoint><waypoint><depth>2</depth><divetime>")
                   + seconds + "</divetime></waypoint></samples>");
}

using UddfImportTest = ImportFixture;

} // namespace

TEST_F(UddfImportTest, EachFileGivesTheFieldsItHolds)
{
    const QByteArray flags4 = "[0,0,0,0]";
    const struct {
        const char* what;
        QByteArray bytes;
        QString fields;
        bool usUnits = false;
    } cases[] = {
        // The wall clock written is the dive's time whatever its offset.
        {"local time", modern(before()), "day=2022-09-10; start=08:30:00"},
        {"UTC, seconds dropped", modern(before({}, "2022-09-10T08:30:59Z")), "day=2022-09-10; start=08:30:00"},
        {"east", modern(before({}, "2022-09-10T23:45:00+02:00")), "day=2022-09-10; start=23:45:00"},
        {"west", modern(before({}, "2022-09-10T00:15:00-0930")), "day=2022-09-10; start=00:15:00"},
        {"fraction", modern(before({}, "2022-09-10T08:30:00.250")), "day=2022-09-10; start=08:30:00"},
        {"space, no seconds", modern(before({}, "2022-09-10 08:30")), "day=2022-09-10; start=08:30:00"},
        {"day alone", modern(before({}, " 2022-09-10 ")), "day=2022-09-10; start=00:00:00"},
        // Any prefix or no namespace, and every version 3.
        {"prefix", prefixed(), "profondeur=21.5; temps=10"},
        {"no namespace 3.0", with(summary(), kRoot32.constData(), "<uddf version=\"3.0.0\">"), "profondeur=21.5; temps=10"},
        {"no namespace 3.3", with(summary(), kRoot32.constData(), "<uddf version=\"3.3.1\">"), "profondeur=21.5; temps=10"},
        {"namespace, no version", with(summary(), kRoot32.constData(), "<uddf xmlns=\"http://www.streit.cc/uddf/3.1/\">"),
         "profondeur=21.5; temps=10"},
        // The bottom gas and the stop level gases.
        {"no gas at all: the form's air", gases({}), "o2Mix=21; heMix=0; gaz=0; levels="},
        {"the first tank's mix", gases(tanks({"tx", "ean50", "o2"})), "o2Mix=18; heMix=45; gaz=2; levels=50/0 100/0"},
        {"the first switch when the tank has none",
         gases("<tankdata><tankpressurebegin>0</tankpressurebegin></tankdata>"
               + waypoints({{0, 1}, {10, 30}, {20, 9}, {30, 5}}, "<switchmix ref=\"hx\"/>")),
         "o2Mix=21; heMix=79; gaz=3; levels="},
        {"switched-to mixes, richest first",
         gases(tanks({"air"}) + "<samples><waypoint><depth>30</depth><divetime>0</divetime></waypoint>"
                                "<waypoint><depth>21</depth><divetime>10</divetime><switchmix ref=\"ean50\"/></waypoint>"
                                "<waypoint><depth>6</depth><divetime>20</divetime><switchmix ref=\"o2\"/></waypoint>"
                                "<waypoint><depth>9</depth><divetime>30</divetime><switchmix ref=\"ean50\"/></waypoint>"
                                "</samples>"),
         "o2Mix=21; heMix=0; gaz=0; levels=100/0 50/0; GAZ_Flag=[0,3,2,3]"},
        {"heliair by its name", gases(tanks({"ha"})), "o2Mix=17; heMix=20; gaz=5; levels="},
        {"triox by its name", gases(tanks({"tri"})), "o2Mix=30; heMix=30; gaz=4; levels="},
        {"per cents where fractions belong", gases(tanks({"pc"})), "o2Mix=32; heMix=0; gaz=1; levels="},
        {"oxygen from nitrogen", gases(tanks({"n2only"})), "o2Mix=36; heMix=0; gaz=1; levels="},
        {"air by its name alone", gases(tanks({"named"})), "o2Mix=21; heMix=0; gaz=0; levels="},
        {"at most five stop levels", gases(tanks({"air", "ean50", "o2", "tx", "ha", "tri", "pc"})),
         "o2Mix=21; heMix=0; gaz=0; levels=50/0 100/0 18/45 17/20 30/30"},
        {"gas switches become gas codes",
         gases(tanks({"tx", "ean50"})
               + "<samples><waypoint><depth>1</depth><divetime>0</divetime><switchmix ref=\"tx\"/></waypoint>"
                 "<waypoint><depth>50</depth><divetime>60</divetime></waypoint>"
                 "<waypoint><depth>21</depth><divetime>120</divetime><switchmix ref=\"ean50\"/></waypoint>"
                 "<waypoint><depth>6</depth><divetime>180</divetime><switchmix ref=\"o2\"/></waypoint>"
                 "<waypoint><depth>6</depth><divetime>240</divetime><switchmix ref=\"unknown\"/></waypoint>"
                 "<waypoint><depth>0</depth><divetime>300</divetime><switchmix ref=\"tx\"/></waypoint></samples>"),
         "GAZ_Flag=[1,0,2,3,0,1]; levels=50/0 100/0; samplingRate=3"},
        // Definitions may come after the dives, equipment used anywhere.
        {"definitions last",
         QByteArray(modern(before("<link ref=\"s\"/><link ref=\"b2\"/><link ref=\"me\"/><link ref=\"b1\"/>"
                                  "<link ref=\"club\"/><link ref=\"nothing\"/>")
                           + tanks({"ean50"})))
             .replace("<datetime>", "<equipmentused><leadquantity>6.5</leadquantity><link ref=\"dc\"/>"
                                    "<link ref=\"reel\"/><link ref=\"torch\"/></equipmentused><datetime>")
             .replace("</uddf>", kMixes + kDiver + "</uddf>"),
         "o2Mix=50; site=Le Donator; lieu=Porquerolles; pays=France; partenaires=Bruno, Anne Roux; "
         "structure=Club Bleu; ordinateur=Model; fabricant=Maker; serie=123; equip_1=Reel; equip_2=Torch; equip_3=; "
         "lestage=6.5"},
        // Another program's suit and rebreather stay equipment items; its
        // site's position and wreck, and the current, are the dive's.
        {"another program's kit and site",
         modern(QByteArray(before("<link ref=\"s\"/>"))
                    .replace("<datetime>", "<equipmentused><link ref=\"ccr\"/><link ref=\"wet\"/></equipmentused>"
                                           "<datetime>")
                + after("<greatestdepth>12</greatestdepth><current>hard-current</current><diveduration>600</diveduration>"))
             .replace("</uddf>", "<diver><owner id=\"me\"><personal><firstname/><lastname/></personal><equipment>"
                                 "<rebreather id=\"ccr\"><name>Inspiration</name></rebreather><suit id=\"wet\">"
                                 "<name>Bare 7mm</name><suittype>wet-suit</suittype></suit></equipment></owner></diver>"
                                 "<divesite><site id=\"s\"><name>Wall</name><geography><location>Bay</location>"
                                 "<latitude>-8.5</latitude><longitude>115.25</longitude></geography><sitedata><wreck>"
                                 "<name>Liberty</name></wreck></sitedata></site></divesite></uddf>"),
         QString::fromUtf8("site=Wall; epaves=Liberty; gps=08°30.000' S 115°15.000' E; gpsSystem=1; courant=4; "
                           "rebreather=0; equip_1=Inspiration; equip_2=Bare 7mm; equip_3=")},
        {"conditions, notes and the first tank",
         modern(QByteArray(before()).replace("<datetime>", "<divenumber>99</divenumber><datetime>")
                    .replace("</datetime>", "</datetime><airtemperature>301.55</airtemperature>"
                                            "<surfaceintervalbeforedive><passedtime>5430</passedtime>"
                                            "</surfaceintervalbeforedive><altitude>447.4</altitude>")
                + "<tankdata><tankvolume>0.0111</tankvolume><tankpressurebegin>2.0E7</tankpressurebegin>"
                  "<tankpressureend>5149999</tankpressureend></tankdata>"
                + waypoints({{0, 0}, {20, 8}, {40, 12}, {60, 0}})
                + after("<lowesttemperature>286.4</lowesttemperature><greatestdepth>12.3</greatestdepth>"
                        "<visibility>17.5</visibility><notes><para>Line one</para><link ref=\"x\"/><para></para>"
                        "<para>  spaced  </para></notes><rating><ratingvalue>10</ratingvalue></rating>"
                        "<diveduration>2999</diveduration>")),
         // Numbered after the logbook's last dive; 28.4 and 13.25 °C; visibility 15 to 20 m: very good.
         "noPlongee=1; tempAir=28; tempEau=13; surface=1:30; altitude=447; profondeur=12.3; temps=49; visibilite=1; "
         "inoubliable=1; notes=Line one\n\n  spaced  ; volumeBloc=11; pressionDepart=200; pressionFin=51; "
         "samplingRate=1"},
        {"what the summary lacks comes from the waypoints",
         modern(before() + "<samples>"
                "<waypoint><depth>2</depth><divetime>0</divetime><tankpressure ref=\"t2\">1.5e7</tankpressure>"
                "<tankpressure ref=\"t1\">2.1e7</tankpressure><temperature>290</temperature></waypoint>"
                "<waypoint><depth>17.75</depth><divetime>5</divetime><tankpressure ref=\"t1\">2.0e7</tankpressure>"
                "<temperature>285.55</temperature></waypoint>"
                "<waypoint><depth>9</depth><divetime>10</divetime><tankpressure ref=\"t1\">1.9e7</tankpressure>"
                "<tankpressure ref=\"t2\">1.2e7</tankpressure></waypoint>"
                "<waypoint><depth>0</depth><divetime>15</divetime><tankpressure ref=\"t2\">1.1e7</tankpressure>"
                "</waypoint></samples>"),
         // The first tank is the one whose pressure comes first; the coldest waypoint is 12.4 °C.
         "PRESS_Data=[150,0,120,110]; pressionDepart=150; pressionFin=110; tempEau=12; profondeur=17.75; temps=0; "
         "samplingRate=7"},
        // Steps of 7, 7, 8 and 7 s: every 5 s, depths between waypoints interpolated.
        {"irregular waypoints resampled",
         modern(before() + waypoints({{0, 0}, {7, 7}, {14, 14}, {22, 22}, {29, 29}}, "<alarm>ascent</alarm>")),
         "samplingRate=7; profilProfondeur=[0,5,10,15,20,25,29]; SLOW_Flag=[1,0,0,0,0,0,0]"},
        {"US units: feet and Fahrenheit",
         modern(QByteArray(before()).replace("</datetime>", "</datetime><airtemperature>293.15</airtemperature>"
                                                            "<altitude>304.8</altitude>")
                + after("<lowesttemperature>283.15</lowesttemperature><greatestdepth>30.48</greatestdepth>")),
         "profondeur=100; tempAir=68; tempEau=50; altitude=1000", true},
        // The older layout: its kelvin rule first (less 273.1, truncated toward zero), then the units.
        {"older layout in US units", oldDive("<airtemperature>287.1</airtemperature><greatestdepth>24.7</greatestdepth>"),
         "tempAir=57; profondeur=81.03674", true},
        {"older temperatures", oldTemperatures("293.1", "283.1"), "tempAir=20; tempEau=10"},
        {"older temperatures round to zero", oldTemperatures("300.0", "273.0"), "tempAir=26; tempEau=0"},
        {"older temperatures below zero", oldTemperatures("287.1", "272.0"), "tempAir=14; tempEau=-1"},
        // 0 K would read -273: no temperature. The choices are set by their places in the form's lists.
        {"older defaults", oldDive({}),
         "tempAir=-50; tempEau=-50; day=2011-05-17; start=00:00:00; meteo=7; courant=6; visibilite=7; typePlongee=8; "
         "gaz=0; o2Mix=21"},
        {"older date and time", oldDive("<time><hour>11</hour><minute>1</minute></time>"),
         "day=2011-05-17; heure=2011-05-17 11:01:00"},
        {"older waypoints without times follow a surface sample",
         oldDive("<samples><waypoint><depth>5.0</depth></waypoint><waypoint><depth>12.4</depth></waypoint>"
                 "<waypoint><depth>3.0</depth></waypoint></samples>"),
         "profilProfondeur=[0,5,12.4,3]; ASC_Flag=" + flags4 + "; SLOW_Flag=" + flags4 + "; SURF_Flag=" + flags4
             + "; CEIL_Flag=" + flags4 + "; GAZ_Flag=" + flags4 + "; PRESS_Data=[0]"},
        // The dive time is the last waypoint's, in whole minutes.
        {"older dive time 2519 s", lastWaypointAt("2519"), "temps=41"},
        {"older dive time 2520 s", lastWaypointAt("2520"), "temps=42"},
        {"older dive time 59 s", lastWaypointAt("59"), "temps=0"},
        {"older timed waypoints keep their axis, the surface at 0 s",
         oldDive("<samples><waypoint><depth>4</depth><divetime>30</divetime></waypoint>"
                 "<waypoint><depth>9.5</depth><divetime>60</divetime></waypoint>"
                 "<waypoint><depth>2</depth><divetime>90</divetime></waypoint></samples>"),
         "profilProfondeur=[0,4,9.5,2]; samplingRate=2; temps=1"},
        {"older: the last occurrences",
         legacy(legacyDive("<date><year>1999</year><month>1</month><day>1</day></date>" + kLegacyDate
                           + "<greatestdepth>10</greatestdepth><greatestdepth>24.7</greatestdepth>"
                             "<notes><text>first</text></notes><notes><text>old</text><text>Second\nline</text></notes>"
                             "<samples><waypoint><depth>1</depth></waypoint></samples><samples><waypoint><depth>7"
                             "</depth></waypoint><waypoint><depth>8</depth></waypoint></samples>")),
         "day=2011-05-17; profondeur=24.7; notes=Second\nline; profilProfondeur=[0,7,8]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        carnet->setDives({});
        settings().setValue(QStringLiteral("us units"), c.usUnits);
        EXPECT_EQ(fieldsLike(imported(c.bytes), c.fields), c.fields.toStdString());
    }
}

TEST_F(UddfImportTest, ImportingIsOneStepThatNumbersAfterTheLastDive)
{
    const auto day = [](int d) { return legacyDive("<date><year>2010</year><month>1</month><day>" + QByteArray::number(d)
                                                   + "</day></date>"); };
    // Every repetition group of every profile data.
    const QByteArray older = "<uddf version=\"2.2.0\"><profiledata><repetitiongroup>" + day(1) + day(2)
        + "</repetitiongroup><repetitiongroup>" + day(3) + "</repetitiongroup></profiledata><profiledata>"
          "<repetitiongroup>" + day(4) + "</repetitiongroup></profiledata></uddf>";
    const QByteArray modern2 = QByteArray(modern(before({}, "2010-01-01T10:00:00")))
                                   .replace("</repetitiongroup>", "</repetitiongroup><repetitiongroup id=\"h\"><dive id=\"e\">"
                                            + before({}, "2010-01-02T10:00:00") + "</dive></repetitiongroup>");
    for (const auto& [bytes, count] : {std::pair{older, 4}, std::pair{modern2, 2}}) {
        carnet->setDives(someDives(3));
        carnet->setModified(false);
        const auto outcome = import(bytes);
        ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
        EXPECT_EQ(outcome.dives, count);
        ASSERT_EQ(carnet->count(), 3 + count);
        EXPECT_TRUE(carnet->isModified());
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(carnet->dives()[3 + i].noPlongee(), carnet->dives()[2].noPlongee() + 1 + i);
            EXPECT_EQ(carnet->dives()[3 + i].date().date(), QDate(2010, 1, i + 1));
        }
        // The form shows the last imported dive, with no row selected.
        EXPECT_EQ(carnet->currentIndex(), -1);
        EXPECT_EQ(carnet->form().text(plongee::idx_noPlongee), QString::number(carnet->dives().last().noPlongee()));
    }
}

TEST_F(UddfImportTest, CancellingAppendsNothing)
{
    Uddf32Writer writer(context->localizer(), false);
    const QByteArray bytes = writer.write(logbookgenerator::generate(40, 200, 9)).bytes;
    ASSERT_GT(bytes.size(), 3 * (1 << 18)) << "long enough for several progress reports";
    carnet->setDives(someDives(2));
    carnet->setModified(false);
    const QList<Plongee> before = carnet->dives();
    for (const qint64 cancelAt : {qint64(0), qint64(500), qint64(950), qint64(1000), qint64(1001)}) {
        QList<qint64> seen;
        const auto outcome = import(bytes, [&](qint64 done, qint64 total) {
            EXPECT_EQ(total, 1000);
            seen.append(done);
            return done < cancelAt;
        });
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        if (cancelAt > 1000) { // never cancelled: the progress ends at the whole
            EXPECT_TRUE(outcome.ok);
            EXPECT_EQ(seen.last(), 1000);
            EXPECT_EQ(carnet->count(), 42);
            break;
        }
        EXPECT_FALSE(outcome.ok) << cancelAt;
        EXPECT_TRUE(outcome.cancelled) << cancelAt;
        ASSERT_EQ(carnet->count(), 2);
        for (int i = 0; i < 2; ++i)
            EXPECT_TRUE(carnet->dives()[i].identical(before[i]));
        EXPECT_FALSE(carnet->isModified());
    }
}

// The dives handed over while the file is read are built as they come; the
// import must end as if every dive were built after the read.
TEST_F(UddfImportTest, DivesBuiltWhileReadingAreThoseBuiltAfter)
{
    struct Recorder : ImportSink {
        qsizetype held = 0;
        bool take(const ImportedDive&) override { return ++held < 100; }
        void dropAll() override { held = 0; }
    };
    const auto dive = [](int day, const char* links) {
        return "<dive id=\"d" + QByteArray::number(day) + "\">"
            + before(links, "2022-09-1" + QByteArray::number(day) + "T08:30:00")
            + after("<greatestdepth>21.5</greatestdepth><diveduration>600</diveduration>") + "</dive>";
    };
    const QByteArray linked = "<link ref=\"s\"/><link ref=\"b1\"/>";
    const QByteArray breathes = "</informationbeforedive><tankdata><link ref=\"m\"/></tankdata><informationbeforedive>";
    const auto file = [&](const QByteArray& first, std::initializer_list<QByteArray> dives, const QByteArray& last) {
        QByteArray all;
        for (const QByteArray& d : dives)
            all += d;
        return "<?xml version=\"1.0\"?>\n" + kRoot32 + first + "<profiledata><repetitiongroup id=\"g\">" + all
            + "</repetitiongroup></profiledata>" + last + "</uddf>\n";
    };
    const QByteArray noGas = "<gasdefinitions><mix id=\"m\"><name>bad</name><o2>0</o2></mix></gasdefinitions>";
    const QByteArray nitrox = "<gasdefinitions><mix id=\"m\"><name>EAN32</name><o2>0.32</o2></mix></gasdefinitions>";
    const struct {
        const char* what;
        QByteArray bytes;
        qsizetype taken; // by the sink at the end of the read; -1: as the parser finds the fault
    } cases[] = {
        {"definitions first", file(kDiver, {dive(1, linked), dive(2, linked), dive(3, {})}, {}), 3},
        {"site and buddies after the dives", file({}, {dive(1, linked), dive(2, linked)}, kDiver), 0},
        {"a mix defined again after the dives", file(noGas, {dive(1, breathes), dive(2, breathes)}, nitrox), 0},
        {"the second dive breathes no gas", file(noGas, {dive(1, {}), dive(2, breathes), dive(3, {})}, {}), 1},
        {"the file cut short after two dives", file(kDiver, {dive(1, linked), dive(2, linked)}, {}).chopped(10), -1},
        {"the second dive out of bounds", file({}, {dive(1, {}), with(dive(3, {}), "2022-09-13", "1800-01-01"),
                                                    dive(2, {})}, {}), 1},
        {"a dive without a date after one",
         file({}, {dive(1, {}), "<dive id=\"x\">" + after("<greatestdepth>3</greatestdepth>") + "</dive>"}, {}), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray bytes = c.bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        Recorder recorder;
        UddfReader reader;
        (void)reader.read(buffer, &recorder);
        if (c.taken >= 0) {
            EXPECT_EQ(reader.taken(), c.taken);
            EXPECT_EQ(recorder.held, c.taken);
        }

        // Read whole, then built: what the import must give.
        buffer.seek(0);
        const auto whole = UddfReader().read(buffer);
        Carnet expected(*context);
        ImportBuilder reference(expected);
        bool ok = bool(whole);
        for (qsizetype i = 0; ok && i < whole->size(); ++i)
            ok = reference.add(whole->at(i));
        const QString error = !whole ? whole.error() : reference.error();
        if (ok)
            reference.commit();

        // A file, read again when a definition follows its dives; a stream,
        // which cannot be read again, read whole first.
        struct Stream : QIODevice {
            QByteArray bytes;
            qint64 at = 0;
            bool isSequential() const override { return true; }
            qint64 readData(char* data, qint64 max) override
            {
                const qint64 n = std::min(max, bytes.size() - at);
                std::memcpy(data, bytes.constData() + at, size_t(n));
                return at += n, n;
            }
            qint64 writeData(const char*, qint64) override { return -1; }
        };
        for (const bool stream : {false, true}) {
            Stream s;
            s.bytes = c.bytes;
            s.open(QIODevice::ReadOnly);
            const auto outcome = stream ? import(s) : import(c.bytes);
            EXPECT_EQ(outcome.ok, ok) << stream;
            EXPECT_FALSE(outcome.cancelled);
            EXPECT_EQ(outcome.error, error) << stream;
            ASSERT_EQ(carnet->count(), expected.count()) << stream;
            // Each as a file written now gives it back: a save copies its bytes.
            for (qsizetype i = 0; i < expected.count(); ++i) {
                EXPECT_TRUE(carnet->dives()[i].identical(expected.dives()[i])) << i;
                EXPECT_FALSE(carnet->dives()[i].encodedRecord().isEmpty()) << i;
            }
            carnet->setDives({});
        }
    }
}

TEST(ProfileGridTest, PeriodsOfTheRecord)
{
    const double nearest[][2] = {{1, 1},    {2, 1},   {2.5, 1}, {3, 4},   {4.5, 4},  {7, 5},    {7.5, 5},   {8, 10},
                                 {15, 10},  {16, 20}, {45, 30}, {46, 60}, {90, 60}, {100, 120}, {1000, 120}};
    for (const auto& c : nearest)
        EXPECT_EQ(ProfileGrid::nearestPeriod(c[0]), c[1]) << c[0];
    const int codes[][2] = {{10, 0}, {20, 1}, {30, 2}, {60, 3}, {120, 4}, {4, 5}, {1, 6}, {5, 7}, {15, -1}};
    for (const auto& c : codes)
        EXPECT_EQ(ProfileGrid::codeOfPeriod(c[0]), c[1]) << c[0];
}

TEST(ProfileGridTest, WaypointsBecomeSamplesOnTheGrid)
{
    const struct {
        const char* what;
        std::vector<std::pair<double, float>> points;
        int period;
        QList<float> depths; // empty: only the size is checked
        qsizetype size;
    } cases[] = {
        {"from 0 s", {{0, 1.4f}, {10, 1.6f}, {20, 1.6f}}, 10, {1.4f, 1.6f, 1.6f}, 3},
        {"from one period: the surface first", {{30, 10}, {60, 10}, {90, 15}}, 30, {0, 10, 10, 15}, 4},
        {"out of order", {{2, 3}, {0, 1}, {1, 2}}, 1, {1, 2, 3}, 3},
        {"a gap is interpolated", {{0, 0}, {4, 4}, {8, 8}, {16, 16}, {20, 20}}, 4, {0, 4, 8, 12, 16, 20}, 6},
        {"one waypoint", {{0, 5}}, 10, {5}, 1},
        {"one late waypoint", {{20, 6}}, 10, {0, 3, 6}, 3},
        // The period grows until the samples stay near the number of waypoints.
        {"sparse waypoints do not swell the profile", {{0, 1}, {1, 1}, {2, 1}, {86400, 1}}, 120, {}, 721},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<ProfileGrid::Point> points;
        for (const auto& [t, z] : c.points)
            points.push_back({.time = t, .depth = z});
        const auto profile = ProfileGrid::build(points, nullptr);
        ASSERT_TRUE(profile);
        EXPECT_EQ(profile->period, c.period);
        EXPECT_EQ(profile->depths.size(), c.size);
        if (!c.depths.isEmpty()) {
            EXPECT_EQ(profile->depths, c.depths);
        }
        EXPECT_TRUE(profile->pressures.isEmpty());
    }
}

TEST(GasMixTest, CodesAndNames)
{
    const struct {
        int o2, he;
        const char* name;
        int code, named;
        const char* shown;
    } cases[] = {
        {21, 0, "air", 0, 0, "Air"},                {21, 0, "EAN21", 0, 1, "Nitrox 21"},
        {32, 0, "EANx 32", 1, 1, "Nitrox 32"},      {32, 0, "Air", 1, 1, "Nitrox 32"}, // the name does not fit
        {100, 0, "Oxygen", 1, 1, "Nitrox 100"},     {18, 45, "OC3:18/45", 2, 2, "Trimix 18/45"},
        {17, 20, "Heliair", 2, 5, "Heliair 17/20"}, {30, 30, "TRIOX", 2, 4, "Triox 30/30"},
        {21, 79, "anything", 3, 3, "Heliox 21"},    {21, 79, "Trimix", 3, 3, "Heliox 21"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GasMix mix(c.o2, c.he);
        EXPECT_EQ(mix.code(), c.code);
        EXPECT_EQ(mix.codeForName(QString::fromLatin1(c.name)), c.named);
        EXPECT_EQ(mix.nameForCode(c.named, QStringLiteral("Air")), QLatin1String(c.shown));
    }
}

TEST(GasMixTest, FractionsBecomeWholePerCentsThatFit)
{
    const struct {
        double o2, he;
        bool gas;
        int wholeO2, wholeHe;
    } cases[] = {
        {0.21, 0, true, 21, 0},   {0.335, 0.665, true, 34, 66}, {0.209, 0.0, true, 21, 0},
        {1.0, 0, true, 100, 0},   {1.004, 0, true, 100, 0},     {0.8, 0.5, false, 0, 0},
        {-0.1, 0.2, false, 0, 0}, {qQNaN(), 0, false, 0, 0},    {0.5, 0.503, true, 50, 50},
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
        {"UDDF 3.2", kRoot32, ExchangeFormat::Uddf3},
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
