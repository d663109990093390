// UDCF and handheld logbook import and the UDCF export: the files of other
// programs, the values of small files, the round trip of our own export and
// refused files.
#include "app/cli/ExchangeCommands.h"
#include "exchange/ExchangeRegistry.h"
#include "logbook/LogbookArchive.h"
#include "platform/SafeSave.h"
#include "exchange/UdcfReader.h"
#include "exchange/UdcfWriter.h"
#include "support/DiveFields.h"
#include "support/ImportFixture.h"
#include "support/TestDives.h"
#include "logbook/LogbookGenerator.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

using namespace plongee;

namespace {

QByteArray udcf(const QByteArray& dives, const QByteArray& head = "<UNITS>METRIC</UNITS>")
{
    return "<?xml version=\"1.0\"?>\n<PROFILE UDCF=\"1\">" + head + "<REPGROUP>\n" + dives + "</REPGROUP></PROFILE>\n";
}

QByteArray dive(const QByteArray& inner)
{
    return "<DIVE><DATE><YEAR>2012</YEAR><MONTH>7</MONTH><DAY>5</DAY></DATE>"
           "<TIME><HOUR>9</HOUR><MINUTE>30</MINUTE></TIME>"
        + inner + "</DIVE>\n";
}

const QRegularExpression kPlace(QStringLiteral("^line \\d+, column \\d+: "));

class UdcfTest : public ImportFixture {};

} // namespace

TEST_F(UdcfTest, BothSampleFilesImportTheSameDive)
{
    // One dive written by two programs: upper-case names, bar and fractions
    // in one; lower-case, pascals and per cents in the other.
    const struct {
        const char* file;
        const char* place;
        const char* site;
        int gas, oxygen;
    } samples[] = {
        {"TestDiveDiveLog5.08.udcf", "USA, Hoodsport, WA, Sund Rock", "", 0, 21},
        {"TestDiveDivelogsDE.udcf", "USA, Hoodsport, WA", "Sund Rock", 1, 32},
    };
    for (const auto& s : samples) {
        const QString path = QStringLiteral(ONDRIX_SAMPLES_DIR "/") + QLatin1String(s.file);
        if (!QFile::exists(path))
            GTEST_SKIP() << "sample files absent: " << path.toStdString();
        carnet->setDives({});
        const auto outcome = fileimport::importFile(*carnet, path);
        ASSERT_TRUE(outcome.ok) << s.file << ": " << outcome.error.toStdString();
        ASSERT_EQ(outcome.dives, 1) << s.file;
        // 64 intervals of 30 s.
        const QString expected = QString::fromUtf8(
            "day=2011-05-17; start=11:01:00; lieu=%1; site=%2; profondeur=24.69; temps=32; tempEau=10; gaz=%3; o2Mix=%4; "
            "heMix=0; volumeBloc=12; pressionDepart=165; pressionFin=69; samplingRate=2; profilProfondeur#=65; "
            "profilProfondeur[0]=0; profilProfondeur[9]=24.69; profilProfondeur[63:65]=2.13,0")
            .arg(QString::fromUtf8(s.place), QString::fromUtf8(s.site)).arg(s.gas).arg(s.oxygen);
        EXPECT_EQ(fieldsLike(carnet->dives().first(), expected), expected.toStdString()) << s.file;
    }
}

TEST_F(UdcfTest, ValuesOfSmallFiles)
{
    const struct {
        const char* what;
        QByteArray file;
        QString fields; // "=" alone: the value of a dive of an empty file
    } cases[] = {
        {"0.29 oxygen rounds to 29, nitrox", udcf(dive("<GASES><MIX><O2>0.29</O2><HE>0</HE></MIX></GASES>")),
         "o2Mix=29; heMix=0; gaz=1"},
        {"heliox 42/58 despite rounding", udcf(dive("<GASES><MIX><O2>0.42</O2><N2>0.0000001</N2><HE>0.58</HE></MIX></GASES>")),
         "o2Mix=42; heMix=58; gaz=3"},
        {"trimix 18/45", udcf(dive("<GASES><MIX><O2>0.18</O2><HE>0.45</HE></MIX></GASES>")), "o2Mix=18; heMix=45; gaz=2"},
        {"per cents", udcf(dive("<GASES><MIX><O2>32</O2><HE>0</HE></MIX></GASES>")), "o2Mix=32"},
        {"MAXDEPTH and DIVETIME without a profile", udcf(dive("<MAXDEPTH>31.5</MAXDEPTH><DIVETIME>44</DIVETIME>")),
         "profondeur=31.5; temps=44"},
        {"the deepest sample, the dive time from the samples",
         udcf(dive("<SAMPLES><DELTA>10</DELTA><D>0.0</D><D>12.7</D><D>12.5</D><D>18.9</D><D>0.0</D></SAMPLES>")),
         "profondeur=18.9; temps=1; samplingRate=0"},
        {"DELTA 15 leaves the sampling rate", udcf(dive("<SAMPLES><DELTA>15</DELTA><D>3</D></SAMPLES>")), "samplingRate="},
        {"imperial feet, Fahrenheit, psi",
         udcf(dive("<MAXDEPTH>100</MAXDEPTH><TEMPERATURE>50</TEMPERATURE><ALTITUDE>1000</ALTITUDE>"
                   "<GASES><MIX><TANK><PSTART>3000</PSTART><PEND>500</PEND></TANK><O2>0.21</O2></MIX></GASES>"),
              "<UNITS>IMPERIAL</UNITS>"),
         "profondeur=30.48; tempEau=10; altitude=305; pressionDepart=207; pressionFin=34; gaz=0"},
        {"lower-case names, surface interval",
         "<profile udcf=\"1\"><repgroup><dive><place>Port-Cros - Gabiniere</place><date><year>2012</year>"
         "<month>7</month><day>5</day></date><surfaceinterval>1:45</surfaceinterval></dive></repgroup></profile>",
         "lieu=Port-Cros; site=Gabiniere; surface=1:45"},
        {"handheld: both air temperature spellings, choices by position, the file's own case",
         "<logbook><repgroup><dive><place>Bay</place><site>Reef</site><date><year>2020</year><month>2</month>"
         "<day>3</day></date><time><hour>8</hour><minute>15</minute></time><weather>3</weather>"
         "<maxdepth>21</maxdepth><divetime>38</divetime><watertemperature>18</watertemperature>"
         "<airrtemperature>24</airrtemperature><surfaceinterval>infinity</surfaceinterval>"
         "<gases><mix><o2>0.32</o2><he>0</he><tank><tankvolume>15</tankvolume><pstart>200</pstart></tank></mix>"
         "</gases></dive><dive><date><year>2020</year><month>2</month><day>4</day></date>"
         "<airtemperature>26</airtemperature></dive></repgroup></logbook>",
         "lieu=Bay; site=Reef; meteo=3; profondeur=21; temps=38; tempEau=18; tempAir=24; surface=--:--; o2Mix=32; "
         "gaz=1; volumeBloc=15; pressionDepart=200"},
    };
    const Plongee blank = imported(udcf(dive("")));
    for (const auto& c : cases) {
        carnet->setDives({});
        const auto outcome = import(c.file);
        ASSERT_TRUE(outcome.ok) << c.what << ": " << outcome.error.toStdString();
        const QString expected = c.fields.endsWith(u'=') ? fieldsOf(blank, c.fields) : c.fields;
        EXPECT_EQ(fieldsLike(carnet->dives().first(), c.fields), expected.toStdString()) << c.what;
    }
    EXPECT_EQ(carnet->dives().size(), 2) << "every dive of the handheld file";
    EXPECT_EQ(carnet->dives()[1].tempAir(), 26);
}

TEST_F(UdcfTest, OurExportImportsBackIntoTheSameDives)
{
    const QList<Plongee> dives = logbookgenerator::generate(20, 40, 7);
    const ExportOutput exported = UdcfWriter(context->localizer()).write(dives);
    ASSERT_TRUE(exported.report.isEmpty()) << exported.report.join('\n').toStdString();
    const auto outcome = import(exported.bytes);
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    ASSERT_EQ(carnet->count(), dives.size());
    // What the format carries; the rest of a dive has no element in it.
    const QStringList carried = QStringLiteral("day lieu site profondeur temps tempEau altitude surface gaz o2Mix heMix "
                                               "volumeBloc pressionDepart pressionFin samplingRate profilProfondeur "
                                               "ASC_Flag SLOW_Flag SURF_Flag CEIL_Flag").split(u' ');
    for (qsizetype i = 0; i < dives.size(); ++i) {
        EXPECT_EQ(fieldsOf(carnet->dives()[i], carried).toStdString(), fieldsOf(dives[i], carried).toStdString()) << i;
        EXPECT_EQ(carnet->dives()[i].heure().time().toString("HH:mm"), dives[i].heure().time().toString("HH:mm")) << i;
    }
}

TEST_F(UdcfTest, RefusedFilesNameTheirPlaceAndChangeNothing)
{
    carnet->setDives(someDives(2));
    const struct {
        const char* what;
        QByteArray file;
        const char* says;
    } cases[] = {
        {"cut short", udcf(dive("<MAXDEPTH>20</MAXDEPTH>")).left(120), ""},
        {"no date", udcf("<DIVE><MAXDEPTH>20</MAXDEPTH></DIVE>"), "no valid date"},
        {"a depth that is no number", udcf(dive("<SAMPLES><DELTA>10</DELTA><D>x</D></SAMPLES>")), "not a number"},
        {"a sample deeper than any dive", udcf(dive("<SAMPLES><D>1e9</D></SAMPLES>")), "outside"},
        {"no gas", udcf(dive("<GASES><MIX><O2>0.8</O2><HE>0.5</HE></MIX></GASES>")), "no gas"},
        {"an entity", "<!DOCTYPE p [<!ENTITY e \"x\">]><PROFILE UDCF=\"1\"><REPGROUP>&e;</REPGROUP></PROFILE>", ""},
    };
    for (const auto& c : cases) {
        const auto outcome = import(c.file);
        EXPECT_FALSE(outcome.ok) << c.what;
        EXPECT_TRUE(kPlace.match(outcome.error).hasMatch()) << c.what << ": " << outcome.error.toStdString();
        EXPECT_TRUE(outcome.error.contains(QLatin1String(c.says))) << c.what << ": " << outcome.error.toStdString();
        EXPECT_EQ(carnet->count(), 2) << c.what;
    }
}

TEST_F(UdcfTest, CutsAndByteFlipsAreRefusedOrImportedNeverACrash)
{
    const QByteArray original = udcf(dive("<PLACE>Bay - Reef</PLACE><MAXDEPTH>20</MAXDEPTH><GASES><MIX><TANK>"
                                          "<PSTART>200</PSTART></TANK><O2>0.32</O2><HE>0</HE></MIX></GASES>"
                                          "<SAMPLES><DELTA>10</DELTA><D>0</D><D>4.5</D><ALARM>deco</ALARM><D>0</D>"
                                          "</SAMPLES>"));
    const auto read = [](QByteArray bytes) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        return ExchangeRegistry::read(buffer).dives;
    };
    ASSERT_TRUE(read(original).ok());
    for (qsizetype cut = 0; cut < original.lastIndexOf("</PROFILE>"); ++cut) {
        const auto dives = read(original.left(cut));
        EXPECT_FALSE(dives.ok()) << "cut at " << cut;
        EXPECT_TRUE(kPlace.match(dives.error()).hasMatch()) << "cut at " << cut << ": " << dives.error().toStdString();
    }
    QRandomGenerator rng(20261208);
    const char replacements[] = {'<', '>', '&', '/', '"', '\0', '\xff', ' ', '9', '-', 'e', '\n'};
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = original;
        for (int f = 0, flips = 1 + int(rng.bounded(3)); f < flips; ++f)
            bytes[rng.bounded(int(bytes.size()))] =
                rng.bounded(2) ? replacements[rng.bounded(int(sizeof replacements))] : char(rng.bounded(256));
        const auto dives = read(bytes);
        if (!dives.ok()) {
            EXPECT_TRUE(kPlace.match(dives.error()).hasMatch()) << dives.error().toStdString();
        }
    }
}

TEST_F(UdcfTest, CommandLineExportsAndImportsEveryFormat)
{
    const QString logbook = dir.filePath(QStringLiteral("log.ondrix"));
    const QString settingsFile = dir.filePath(QStringLiteral("cli.ini"));
    ASSERT_TRUE(saveFileAtomically(logbook, *logbookarchive::encode(logbookgenerator::generate(3, 20, 5))).ok);
    for (const QString& type : ExchangeRegistry::exportTypeNames()) {
        QByteArray out, err;
        const QString target = dir.filePath(QStringLiteral("copy"));
        EXPECT_EQ(runExportCommand({logbook, type, target}, settingsFile, out, err), 0)
            << type.toStdString() << ": " << err.toStdString();
        if (!type.contains(QLatin1String("UDCF")))
            continue; // the UDDF exports are read back by the UDDF command-line test
        const QString into = dir.filePath(QStringLiteral("into.ondrix"));
        ASSERT_TRUE(saveFileAtomically(into, *logbookarchive::encode({})).ok);
        out.clear(), err.clear();
        EXPECT_EQ(runImportCommand({into, target}, settingsFile, out, err), 0) << type.toStdString() << ": " << err.toStdString();
        EXPECT_TRUE(out.startsWith("imported 3 dives from ")) << out.toStdString();
    }
}

TEST_F(UdcfTest, AUddf32ExportOfADiveWithoutOxygenImportsBack)
{
    QList<Plongee> dives = logbookgenerator::generate(3, 20, 9);
    dives[1].setO2Mix(0);
    dives[1].setHeMix(0);
    const auto out = ExchangeRegistry(*context).exportDives(QStringLiteral("Export UDDF 3.2"), dives);
    ASSERT_TRUE(out.ok());
    ASSERT_EQ(out->report.size(), 1);
    EXPECT_TRUE(out->report[0].contains("(row 1): it holds no oxygen")) << out->report[0].toStdString();
    const auto outcome = import(out->bytes);
    EXPECT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_EQ(outcome.dives, 3);
}
