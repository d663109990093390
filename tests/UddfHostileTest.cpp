// Files that are broken, cut short, flipped at random or built to hurt:
// each is refused with the line and column of the fault, quickly and within
// bounded memory, never a crash or a hang, and the logbook stays exactly as
// it was.
#include "exchange/ExchangeSniffer.h"
#include "exchange/ImportBounds.h"
#include "exchange/LegacyUddfWriter.h"
#include "exchange/UddfReader.h"
#include "exchange/XmlMarkupGuard.h"
#include "support/ImportFixture.h"
#include "support/TestDives.h"
#include "support/UddfBytes.h"

#include <QRandomGenerator>
#include <QRegularExpression>

using namespace uddfbytes;

namespace {

// An endless stream: a head, then one byte repeated up to `size` bytes;
// or, given a reason, a disk that fails there.
class EndlessDevice : public QIODevice {
public:
    EndlessDevice(QByteArray head, char fill, qint64 size, QString failure = {})
        : m_head(std::move(head)), m_fill(fill), m_size(size), m_failure(std::move(failure))
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 produced() const { return m_pos; }

protected:
    qint64 readData(char* data, qint64 max) override
    {
        if (m_pos == m_size && !m_failure.isEmpty())
            return setErrorString(m_failure), -1;
        const qint64 n = std::min(max, m_size - m_pos);
        for (qint64 i = 0; i < n; ++i)
            data[i] = m_pos + i < m_head.size() ? m_head[m_pos + i] : m_fill;
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_head;
    char m_fill;
    qint64 m_size;
    QString m_failure;
    qint64 m_pos = 0;
};

const QRegularExpression kPlace(QStringLiteral("^line \\d+, column \\d+: "));

const QByteArray kValid =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + kRoot32 + "\n"
    "<profiledata><repetitiongroup id=\"r\"><dive id=\"d\">\n"
    "<informationbeforedive><datetime>2020-01-02T03:04:05</datetime></informationbeforedive>\n"
    "<samples><waypoint><depth>3</depth><divetime>0</divetime></waypoint>"
    "<waypoint><depth>5</depth><divetime>10</divetime></waypoint></samples>\n"
    "<informationafterdive><greatestdepth>5</greatestdepth><diveduration>20</diveduration></informationafterdive>\n"
    "</dive></repetitiongroup></profiledata></uddf>\n";

const QByteArray kLegacy = legacy("\n" + legacyDive(kLegacyDate + "<greatestdepth>24.7</greatestdepth><samples>"
                                                                   "<waypoint><depth>2</depth></waypoint></samples>") + "\n");

// Every element the reader knows, for the cuts and flips.
const QByteArray kRich =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + kRoot32 + "\n"
    " <diver><owner id=\"o\"><personal><firstname/><lastname/></personal><equipment>"
    "<divecomputer id=\"dc\"><name>DC</name><manufacturer id=\"m\"><name>Maker</name></manufacturer>"
    "<model>M1</model><serialnumber>42</serialnumber></divecomputer>"
    "<variouspieces id=\"p\"><name>Torch</name></variouspieces></equipment></owner>"
    "<buddy id=\"b\"><personal><firstname>Anne</firstname><lastname>Roux</lastname></personal></buddy></diver>\n"
    " <divesite><divebase id=\"base\"><name>Club</name></divebase><site id=\"s\"><name>Reef</name>"
    "<geography><location>Bay</location><address><country>France</country></address></geography></site></divesite>\n"
    " <gasdefinitions><mix id=\"m1\"><name>EAN32</name><o2>0.32</o2><he>0</he></mix>"
    "<mix id=\"m2\"><name>O2</name><o2>1.0</o2></mix><mix id=\"m3\"><name>TX</name><o2>0.18</o2><he>0.45</he></mix>"
    "</gasdefinitions>\n"
    " <profiledata><repetitiongroup id=\"r\"><dive id=\"d\">\n"
    "  <informationbeforedive><link ref=\"s\"/><link ref=\"b\"/><link ref=\"base\"/><divenumber>7</divenumber>"
    "<datetime>2020-01-02T03:04:05+01:00</datetime><airtemperature>293.15</airtemperature>"
    "<surfaceintervalbeforedive><passedtime>3600</passedtime></surfaceintervalbeforedive><altitude>10</altitude>"
    "<equipmentused><leadquantity>4</leadquantity><link ref=\"dc\"/><link ref=\"p\"/></equipmentused>"
    "</informationbeforedive>\n"
    "  <tankdata><link ref=\"m3\"/><tankvolume>0.012</tankvolume><tankpressurebegin>20000000</tankpressurebegin>"
    "<tankpressureend>5000000</tankpressureend></tankdata><tankdata><link ref=\"m1\"/>"
    "<tankpressurebegin>0</tankpressurebegin></tankdata>\n"
    "  <samples><waypoint><alarm>ascent</alarm><depth>3</depth><divetime>0</divetime><switchmix ref=\"m3\"/>"
    "<tankpressure>20000000</tankpressure><temperature>290</temperature></waypoint>"
    "<waypoint><depth>5.5</depth><divetime>10</divetime><tankpressure>19000000</tankpressure></waypoint>"
    "<waypoint><alarm>error</alarm><depth>4</depth><divetime>25</divetime><switchmix ref=\"m2\"/></waypoint>"
    "<waypoint><depth>0</depth><divetime>40</divetime><switchmix ref=\"m1\"/></waypoint></samples>\n"
    "  <informationafterdive><lowesttemperature>289</lowesttemperature><greatestdepth>5.5</greatestdepth>"
    "<visibility>12</visibility><notes><para>One</para><para>Two</para></notes>"
    "<rating><ratingvalue>9</ratingvalue></rating><diveduration>40</diveduration></informationafterdive>\n"
    " </dive></repetitiongroup></profiledata>\n"
    "</uddf>\n";

const QByteArray kRichLegacy =
    "<?xml version=\"1.0\"?>\n<uddf version=\"2.2.0\"><profiledata><repetitiongroup id=\"1\">\n"
    "<dive><date><year>2011</year><month>5</month><day>17</day></date><time><hour>11</hour><minute>1</minute></time>"
    "<airtemperature>287.1</airtemperature><lowesttemperature>283.1</lowesttemperature>"
    "<greatestdepth>24.7</greatestdepth><notes><text>Nice</text></notes><samples>"
    "<waypoint><depth>0.00</depth><divetime>0</divetime></waypoint>"
    "<waypoint><depth>2.74</depth><divetime>30</divetime></waypoint>"
    "<waypoint><depth>4.88</depth><divetime>60</divetime></waypoint></samples></dive>\n"
    "</repetitiongroup></profiledata></uddf>\n";

QByteArray attributes(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += " a" + QByteArray::number(i) + "=\"x\"";
    return out;
}

// A file whose dive breathes the mix `ref`, among mixes that cannot be.
QByteArray breathing(const char* ref, const QByteArray& badOxygen = "<o2>0.8</o2>")
{
    const QByteArray mixes = "<gasdefinitions>\n<mix id=\"bad\"><name>bad</name>" + badOxygen + "<he>0.5</he></mix>\n"
                             "<mix id=\"unused\"><name>unused</name><o2>0.9</o2><he>0.9</he></mix>\n"
                             "<mix id=\"ok\"><name>ok</name><o2>0.32</o2></mix></gasdefinitions>";
    return with(with(kValid, "<profiledata>", mixes + "<profiledata>"), "<samples>",
                QByteArray("<tankdata><link ref=\"") + ref
                    + "\"/><tankpressurebegin>0</tankpressurebegin></tankdata><samples>");
}

QByteArray legacySecondDive(const QByteArray& inner)
{
    return legacy(legacyDive(kLegacyDate) + "\n  " + legacyDive(inner));
}

class UddfHostileTest : public ImportFixture {
protected:
    QList<Plongee> before;

    void SetUp() override
    {
        ImportFixture::SetUp();
        carnet->setDives(someDives(2));
        before = carnet->dives();
    }

    void expectUnchanged()
    {
        ASSERT_EQ(carnet->count(), before.size());
        for (qsizetype i = 0; i < before.size(); ++i)
            EXPECT_TRUE(carnet->dives()[i].identical(before[i])) << i;
        EXPECT_FALSE(carnet->isModified());
    }

    // Refused with the place of the fault, no file content in the message,
    // and the logbook as it was.
    void expectRefusedWithAPlace(const uddffileimport::Outcome& outcome)
    {
        EXPECT_FALSE(outcome.ok);
        EXPECT_TRUE(kPlace.match(outcome.error).hasMatch()) << outcome.error.toStdString();
        EXPECT_FALSE(outcome.error.contains(QLatin1String("root:"))) << "no file content leaks into the message";
        expectUnchanged();
    }
};

// The reader alone, after sniffing, as the import runs it.
std::optional<QString> readingError(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    (void)ExchangeSniffer::sniff(buffer);
    auto dives = UddfReader().read(buffer);
    return dives ? std::nullopt : std::optional(dives.error());
}

} // namespace

TEST_F(UddfHostileTest, TheValidFilesOfTheseTestsImportUpToEveryBound)
{
    const struct {
        const char* what;
        QByteArray bytes;
        int dives = 1;
        int o2 = 21; // of the dive read
        int placeholders = 0;
    } cases[] = {
        {"as it is", kValid},
        {"the older layout", kLegacy},
        {"every element", kRich, 1, 18},
        {"every element, older layout", kRichLegacy},
        {"256 attributes", with(kValid, "<dive id=\"d\">", "<dive" + attributes(256) + ">")},
        {"markup-like text in quotes, comments and CDATA",
         with(kValid, "<samples>", "<!-- a > \" ' = --><samples x='>\"='><![CDATA[ <a b=\"> ]]>")},
        {"deepest waypoint", with(kValid, "<depth>5</depth>", "<depth>2000</depth>")},
        {"last day", with(kValid, "2020-01-02T03:04:05", "2200-12-31T23:59:59")},
        {"first year, older layout", with(kLegacy, "<year>2011", "<year>1900")},
        {"an external document type, neither fetched nor needed",
         with(kValid, "<uddf ", "<!DOCTYPE uddf SYSTEM \"http://127.0.0.1:9/uddf.dtd\">\n<uddf ")},
        {"a mix that cannot be, breathed by no dive", breathing("ok"), 1, 32},
        // As some rebreather exports begin: dive elements with no dive in them.
        {"empty placeholder dives before the real one",
         with(kValid, "<dive id=\"d\">",
              "<dive id=\"p\"/><dive id=\"q\"><informationbeforedive><surfaceintervalbeforedive><infinity/>"
              "</surfaceintervalbeforedive></informationbeforedive></dive><dive id=\"d\">"),
         1, 21, 2},
        // The older export holds no dive the older reader takes.
        {"the logbook's own older export", LegacyUddfWriter(context->localizer()).write({plausibleDive(3)}).bytes, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        carnet->setDives(before);
        carnet->setModified(false);
        const auto outcome = import(c.bytes);
        ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
        EXPECT_EQ(outcome.dives, c.dives);
        EXPECT_EQ(outcome.placeholders, c.placeholders);
        if (c.dives == 0)
            expectUnchanged();
        else
            EXPECT_EQ(carnet->dives().last().o2Mix(), c.o2);
    }
}

TEST_F(UddfHostileTest, BrokenFilesAreRefusedWithTheirPlaceAndChangeNothing)
{
    // Where a dive of the UDDF 3 file, and the dive of the older one, begin.
    const char *kDive = "line 3, column 38: ", *kOlder = "line 3, column 1: ";
    const struct {
        const char* what;
        QByteArray bytes;
        const char* place; // expected start of the message
        const char* says;
    } cases[] = {
        {"cut in a waypoint", kValid.left(kValid.indexOf("<depth>5")), "line 5, column ", "cut short"},
        {"cut in a tag", kValid.left(kValid.indexOf("ionafterdive")), "line 6, column ", "malformed XML"},
        {"cut before the root closes", kValid.left(kValid.indexOf("</uddf>")), "line 7, column 40: ", "cut short"},
        {"tags crossed", with(kValid, "</samples>", "</sample>"), "line 5, column ", "malformed XML"},
        {"empty", QByteArray(), "line 1, column 1: ", ""},
        {"no XML", QByteArray("\x00\x01\x02 binary \xff\xfe", 14), "line 1, column ", ""},
        {"not UTF-8", with(kValid, "<depth>3", "<depth>\xff\xfe"), "line 5, column ", "malformed XML"},
        {"another root", "<?xml version=\"1.0\"?>\n  <UDCF><DIVE/></UDCF>", "line 2, column 3: ", "not <uddf>"},
        {"undefined entity", with(kValid, "<depth>3", "<depth>&nope;"), "line 5, column ", "nope"},
        {"dive without date", with(kValid, "<datetime>2020-01-02T03:04:05</datetime>", ""), kDive, "no date"},
        {"dive with a date that is none", with(kValid, "2020-01-02T03", "2020-02-31T03"), kDive, "no date"},
        {"a long date that is none", with(kValid, "2020-01-02T03:04:05", QByteArray(70, 'x')), kDive,
         "date \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\" is no date"},
        {"unknown undeclared prefix", with(kValid, "<samples>", "<x:samples>"), "line 5, column ", "malformed XML"},
        {"257 attributes", with(kValid, "<dive id=\"d\">", "<dive" + attributes(257) + ">"), kDive,
         "more than 256 attributes"},
        {"a tag of 1 MiB", with(kValid, "<dive id=\"d\">", "<dive id=\"" + QByteArray(1 << 20, 'x') + "\">"), kDive,
         "a tag of more than 1 MiB"},
        {"a text of 1 MiB", with(kValid, "<depth>3", "<depth>" + QByteArray(1 << 20, ' ') + "3"), "line 5, column 27: ",
         "a text of more than 1 MiB"},
        {"greatest depth 1e40", with(kValid, "<greatestdepth>5<", "<greatestdepth>1e40<"), kDive,
         "<greatestdepth>: 1e+40 is outside 0 to 2000"},
        {"tank end pressure 1e40",
         with(kValid, "<samples>", "<tankdata><tankpressureend>1e40</tankpressureend></tankdata><samples>"), kDive,
         "<tankpressureend>: 1e+35 is outside 0 to 5000"},
        {"negative depth", with(kValid, "<depth>3<", "<depth>-3<"), kDive, "<depth> of waypoint 1: -3 is outside 0 to 2000"},
        {"depth of 10 km", with(kValid, "<depth>5<", "<depth>10000<"), kDive,
         "<depth> of waypoint 2: 10000 is outside 0 to 2000"},
        {"depth that is no number", with(kValid, "<depth>5<", "<depth>5 m<"), kDive,
         "<depth> of waypoint 2: \"5 m\" is no number"},
        {"10,000 bar", with(kValid, "<depth>3<", "<tankpressure>1e9</tankpressure><depth>3<"), kDive,
         "<tankpressure> of waypoint 1: 10000 is outside 0 to 5000"},
        {"negative pressure", with(kValid, "<depth>3<", "<tankpressure>-1</tankpressure><depth>3<"), kDive,
         "-1e-05 is outside 0 to 5000"},
        {"oxygen 1.5 and helium 0.7",
         with(with(kValid, "<profiledata>",
                   "<gasdefinitions><mix id=\"m\"><name>m</name><o2>1.5</o2><he>0.7</he></mix></gasdefinitions>"
                   "<profiledata>"),
              "<samples>", "<tankdata><link ref=\"m\"/></tankdata><samples>"),
         "line 3, column 17: ", "the mix \"m\", breathed in the dive of line 3, is no gas"},
        {"a mix that cannot be, breathed", breathing("bad"), "line 4, column 1: the mix \"bad\"", ""},
        {"a breathed mix without oxygen", breathing("bad", {}), "line 4, column 1: ", "it gives no oxygen fraction"},
        // Two waypoints a second apart and one a year later: the period grows
        // with the distance, and a year is still too long.
        {"a profile too long for a dive",
         with(kValid, "<divetime>10</divetime></waypoint>",
              "<divetime>1</divetime></waypoint><waypoint><depth>5</depth><divetime>31536000</divetime></waypoint>"),
         "line 3, column 38: the profile would need", ""},
        {"year 2201", with(kValid, "2020-01-02", "2201-01-02"), kDive, "the year 2201 is outside 1900 to 2200"},
        {"year 1899, older layout", with(kLegacy, "<year>2011", "<year>1899"), kOlder, "year 1899 is outside 1900 to 2200"},
        {"year 99999, older layout", with(kLegacy, "<year>2011", "<year>99999"), kOlder, "year 99999 is outside"},
        {"year below 32 bits, older layout", with(kLegacy, "<year>2011", "<year>-2147483649"), kOlder,
         "year -2147483648 is outside"},
        {"untimed depth 1e40, older layout", with(kLegacy, "<depth>2<", "<depth>1e40<"), kOlder,
         "<depth> of waypoint 1: 1e+40 is outside 0 to 2000"},
        {"greatest depth 1e40, older layout", with(kLegacy, "24.7", "1e40"), kOlder,
         "profondeur: 1e+40 is outside 0 to 2000"},
        {"air at 1e40 K, older layout",
         with(kLegacy, "<greatestdepth>", "<airtemperature>1e40</airtemperature><greatestdepth>"), kOlder,
         "tempAir: 1000000 is outside -273.15 to 300"},
        {"older: no date", legacySecondDive({}), "line 3, column 3: ", "no valid date"},
        {"older: month 13", legacySecondDive("<date><year>2011</year><month>13</month><day>1</day></date>"),
         "line 3, column 3: ", "no valid date"},
        {"older: no month", legacySecondDive("<date><year>2011</year><day>1</day></date>"), "line 3, column 3: ",
         "no valid date"},
        {"older: hour 25", legacySecondDive(kLegacyDate + "<time><hour>25</hour><minute>0</minute></time>"),
         "line 3, column 3: ", "time of day"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto outcome = import(c.bytes);
        EXPECT_FALSE(outcome.ok);
        EXPECT_TRUE(outcome.error.startsWith(QLatin1String(c.place))) << outcome.error.toStdString();
        EXPECT_TRUE(outcome.error.contains(QLatin1String(c.says))) << outcome.error.toStdString();
        expectUnchanged();
    }
}

TEST_F(UddfHostileTest, EntitiesAreNeverExpandedNorFetched)
{
    QByteArray laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE uddf [\n <!ENTITY a \"lollollollollollollollol\">\n";
    for (char c = 'b'; c <= 'k'; ++c)
        laughs += " <!ENTITY " + QByteArray(1, c) + " \"" + repeat("&" + QByteArray(1, char(c - 1)) + ";", 10) + "\">\n";
    laughs += "]>\n<uddf version=\"3.2.0\"><generator><name>&k;</name></generator></uddf>\n";
    const QByteArray quadratic = "<?xml version=\"1.0\"?>\n<!DOCTYPE uddf [<!ENTITY a \"" + repeat("x", 50000)
        + "\">]>\n<uddf version=\"3.2.0\"><generator><name>" + repeat("&a;", 20000) + "</name></generator></uddf>";
    const QByteArray cases[] = {
        "<?xml version=\"1.0\"?>\n<!DOCTYPE uddf [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n"
        "<uddf version=\"3.2.0\"><generator><name>&x;</name></generator></uddf>",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE uddf [<!ENTITY % p SYSTEM \"file:///etc/passwd\"> %p;]>\n"
        "<uddf version=\"3.2.0\"/>",
        "<?xml version=\"1.0\"?>\n<!DOCTYPE uddf [<!ENTITY x SYSTEM \"http://127.0.0.1:9/x\">]>\n"
        "<uddf version=\"3.2.0\">&x;</uddf>",
        laughs,
        quadratic,
        "<?xml version=\"1.0\"?>\n<!DOCTYPE uddf [<!ENTITY x \"y\">]>\n<uddf version=\"3.2.0\"/>",
    };
    for (const auto& bytes : cases) {
        SCOPED_TRACE(bytes.left(120).toStdString());
        expectRefusedWithAPlace(import(bytes));
    }
}

TEST_F(UddfHostileTest, AHugeTextNodeIsRefusedLongBeforeItsEnd)
{
    const QByteArray head = "<?xml version=\"1.0\"?>\n<uddf version=\"3.2.0\">";
    // Texts of 1 KiB between comments: one element's text grows without any
    // single text node being large.
    QByteArray split = head + "<generator><name>" + repeat(repeat("B", 1024) + "<!---->", 3000) + "</name>";
    QByteArray nesting = head + repeat("<a>", 100000);
    QBuffer splitDevice(&split), nestingDevice(&nesting);
    splitDevice.open(QIODevice::ReadOnly);
    nestingDevice.open(QIODevice::ReadOnly);
    EndlessDevice text(head + "<generator><name>", 'A', qint64(2) << 30);
    EndlessDevice attribute(head + "<generator id=\"", 'A', qint64(2) << 30);
    for (QIODevice* device : std::initializer_list<QIODevice*>{&text, &attribute, &splitDevice, &nestingDevice})
        expectRefusedWithAPlace(import(*device));
    EXPECT_LT(text.produced(), qint64(64) << 20) << "the reader stops early";
    EXPECT_LT(attribute.produced(), qint64(64) << 20) << "the reader stops early";

    // A disk failing in the middle of a file: every byte before the failure
    // is parsed, and the failure is named.
    EndlessDevice failing(head + "<generator><name>", 'A', 300000, QStringLiteral("disk gone"));
    const auto outcome = import(failing);
    expectRefusedWithAPlace(outcome);
    EXPECT_TRUE(outcome.error.startsWith(QLatin1String("line 2, column ")));
    EXPECT_TRUE(outcome.error.endsWith(QLatin1String(": the file could not be read: disk gone")))
        << outcome.error.toStdString();
}

TEST(UddfMutationTest, EveryTruncationIsRefusedWithAPlace)
{
    for (const QByteArray* original : {&kRich, &kRichLegacy}) {
        // Cut anywhere before the root's end tag, the document is unfinished.
        const qsizetype rootEnd = original->lastIndexOf("</uddf>");
        for (qsizetype cut = 0; cut < rootEnd; ++cut) {
            const auto error = readingError(original->left(cut));
            ASSERT_TRUE(error) << "cut at " << cut;
            EXPECT_TRUE(kPlace.match(*error).hasMatch()) << "cut at " << cut << ": " << error->toStdString();
        }
    }
}

TEST(UddfMutationTest, ByteFlipsAreRefusedOrImportedNeverACrash)
{
    QRandomGenerator rng(20240611);
    const char replacements[] = {'<', '>', '&', '/', '"', '\0', '\xff', '\x80', ' ', '9', '-', 'e', ':', '\n'};
    int refused = 0, imported = 0;
    for (const QByteArray* original : {&kRich, &kRichLegacy}) {
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = *original;
            for (int f = 1 + int(rng.bounded(3)); f > 0; --f) {
                const qsizetype at = rng.bounded(int(bytes.size()));
                bytes[at] = rng.bounded(2) ? replacements[rng.bounded(int(sizeof replacements))] : char(rng.bounded(256));
            }
            const auto error = readingError(bytes);
            ++(error ? refused : imported);
            if (error) {
                EXPECT_TRUE(kPlace.match(*error).hasMatch()) << error->toStdString();
            }
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(imported, 0);
}

// The guard's own reading of markup: after every kind of markup it still
// counts the attributes of the next tag, and it says where that tag begins.
TEST(XmlMarkupGuardTest, BoundsHoldAfterEveryKindOfMarkup)
{
    const QByteArray tooMany = "<t" + attributes(257) + ">";
    const QByteArray mib(1 << 20, 'x');
    const struct {
        const char* what;
        QByteArray bytes;
        int line, column; // where the refused piece begins; 0 when all is taken
    } cases[] = {
        {"256 attributes", "<t" + attributes(256) + "/>", 0, 0},
        {"257 attributes", tooMany, 1, 1},
        {"after a comment", "<!-- a > -> <b c=' = -- -->\n  " + tooMany, 2, 3},
        {"after two comments", "<!-- a --><!-- ' > -->" + tooMany, 1, 23},
        {"after CDATA", "<r><![CDATA[ <t a='> ]] ]]>" + tooMany, 1, 28},
        {"after an instruction", "<?xml version=\"1.0\"?><?p a > <t q='?>" + tooMany, 1, 38},
        {"after a document type", "<!DOCTYPE r [<!ELEMENT r ANY> <!ATTLIST r a CDATA \"]><x y='\">]>" + tooMany, 1, 64},
        {"after an end tag and UTF-8 text", "<r a='1'>\xc3\xa9t\xc3\xa9</r>" + tooMany, 1, 17},
        {"= in quotes is no attribute", "<t" + attributes(254) + " q='a=\"b\"' r=\"c='d'\">", 0, 0},
        {"a text of 1 MiB", "<r a='1'>" + mib + "</r>", 0, 0},
        {"a text of more", "<r a='1'>" + mib + "x</r>", 1, 10},
        {"CDATA of 1 MiB with its \"]]>\"", "<r><![CDATA[" + mib.first(mib.size() - 3) + "]]></r>", 0, 0},
        {"CDATA of more", "<r><![CDATA[" + mib + "]]></r>", 1, 4},
        {"a tag of 1 MiB", "<r a='" + mib.first(mib.size() - 8) + "'>", 0, 0},
        {"a tag of more than 1 MiB", "<r a='" + mib + "'>", 1, 1},
        {"a comment of more than 1 MiB", "\n<!--" + mib + "-->", 2, 1},
        {"a comment whose \">\" is the byte past 1 MiB", "\n<!--" + mib.first(mib.size() - 6) + "-->", 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const qsizetype chunk : {qsizetype(1) << 22, qsizetype(7)}) {
            XmlMarkupGuard guard;
            bool taken = true;
            for (qsizetype at = 0; taken && at < c.bytes.size(); at += chunk)
                taken = guard.feed(c.bytes.constData() + at, std::min(chunk, c.bytes.size() - at));
            EXPECT_EQ(taken, c.line == 0) << guard.reason().toStdString();
            if (!taken) {
                EXPECT_EQ(guard.line(), c.line);
                EXPECT_EQ(guard.column(), c.column);
            }
        }
    }
}

// Where each start tag begins, as the parser reports it, whatever markup
// comes between and however the chunks cut the bytes: none in what is not
// a tag (comments, CDATA, instructions, a document type, quoted values),
// and none at all once a NUL byte shows a two-byte encoding.
TEST(XmlMarkupGuardTest, StartTagsArePlacedThroughEveryKindOfMarkup)
{
    const struct {
        QByteArray bytes;
        const char* tags; // line.column and first byte of each start tag
    } cases[] = {
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE r [<!ELEMENT r ANY>]>\n<r a='<b>' b=\"\n>\"><!-- <c> -->"
         "<![CDATA[<d>]><x>]]><?p <e>?>\n  <f/><g\n>\xc3\xa9</g>\xc3\xa9<h></h></r>",
         "3.1r 5.3f 5.7g 6.8h"},
        // Line breaks between tags, several and none.
        {"<r>\n\n\n  <a/>\r\n\n<b/><c>x\ny\xc3\xa9\n\xc3\xa9 <d/></c></r>", "1.1r 4.3a 6.1b 6.5c 8.3d"},
        {QByteArray("<\0r\0>\0<\0/\0r\0>\0", 14), ""}, // <r></r> in UTF-16
    };
    for (const auto& c : cases) {
        for (const qsizetype chunk : {qsizetype(1) << 22, qsizetype(1), qsizetype(7)}) {
            XmlMarkupGuard guard;
            QStringList tags;
            for (qsizetype at = 0; at < c.bytes.size(); at += chunk) {
                ASSERT_TRUE(guard.feed(c.bytes.constData() + at, std::min(chunk, c.bytes.size() - at)));
                for (const XmlMarkupGuard::StartTag& t : guard.takeStartTags())
                    tags << QStringLiteral("%1.%2%3").arg(t.line).arg(t.column).arg(QLatin1Char(t.first));
            }
            EXPECT_EQ(tags.join(QLatin1Char(' ')).toStdString(), c.tags) << chunk;
        }
    }
}

// Whatever a reader gives, a value that no stored dive holds is refused
// before the form sees it.
TEST(ImportBoundsTest, ADiveOutsideTheBoundsIsRefusedNamingTheValue)
{
    using namespace plongee;
    const struct {
        const char* what;
        void (*spoil)(ImportedDive&);
        const char* says; // empty when the dive is taken
    } cases[] = {
        {"as read", [](ImportedDive&) {}, ""},
        {"oxygen of -2^31", [](ImportedDive& d) { d.setText(idx_o2Mix, QStringLiteral("-2147483648")); },
         "o2Mix: -2147483648 is outside 0 to 100"},
        {"a later text wins", [](ImportedDive& d) { d.setText(idx_heMix, QStringLiteral("79")); d.setText(idx_heMix, QStringLiteral("50")); }, ""},
        {"oxygen and helium 101 %", [](ImportedDive& d) { d.setText(idx_heMix, QStringLiteral("80")); },
         "o2Mix and heMix: 101 % of oxygen and helium together"},
        {"a stop gas of 100 %", [](ImportedDive& d) { d.setText(idx_decoO2_Level_2, QStringLiteral("60")); d.setText(idx_decoHe_Level_2, QStringLiteral("40")); }, ""},
        {"depth 1e40", [](ImportedDive& d) { d.setText(idx_profondeur, QStringLiteral("1e40")); }, "profondeur: 1e+40 is outside 0 to 2000"},
        {"depth 2000.5 m", [](ImportedDive& d) { d.setText(idx_profondeur, QStringLiteral("2000.5 m")); }, "profondeur: 2000.5 is outside"},
        {"depth as words", [](ImportedDive& d) { d.setText(idx_profondeur, QStringLiteral("deep")); }, ""},
        {"year 2201", [](ImportedDive& d) { d.day = QDate(2201, 1, 1); }, "the year 2201 is outside 1900 to 2200"},
        {"no day", [](ImportedDive& d) { d.day = QDate(); }, "the dive has no valid date"},
        {"a sample 1 mm too deep", [](ImportedDive& d) { d.depths[1] = 2000.001f; }, "profilProfondeur, sample 2: 2000.000977 is outside 0 to 2000"},
        {"an infinite pressure", [](ImportedDive& d) { d.pressures = {200, float(qInf())}; }, "PRESS_Data, sample 2: inf is outside 0 to 5000"},
        {"a flag 2", [](ImportedDive& d) { d.ceilFlags = {0, 2}; }, "CEIL_Flag, sample 2: 2 is outside 0 to 1"},
        {"gas code 7", [](ImportedDive& d) { d.gasFlags = {7, 0}; }, "GAZ_Flag, sample 1: 7 is outside 0 to 6"},
        {"too many samples", [](ImportedDive& d) { d.surfFlags.resize(divebounds::kMaxSamples + 1); }, "SURF_Flag: 1000001 samples, more than 1000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ImportedDive d;
        d.day = QDate(2020, 5, 1);
        d.setText(idx_o2Mix, QStringLiteral("21"));
        d.setText(idx_heMix, QStringLiteral("79"));
        d.depths = {0, 2000};
        c.spoil(d);
        const QString problem = importbounds::problem(d).value_or(QString());
        EXPECT_EQ(problem.isEmpty(), !*c.says) << problem.toStdString();
        if (*c.says) {
            EXPECT_TRUE(problem.startsWith(QLatin1String(c.says))) << problem.toStdString();
        }
    }
}
