// Truncations and byte flips of small valid files, in both layouts: each
// variant is refused or imported, never a crash or a hang (run it under the
// sanitizers).
#include "exchange/ExchangeSniffer.h"
#include "exchange/UddfReader.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QByteArray kModern =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.0\">\n"
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

const QByteArray kLegacy =
    "<?xml version=\"1.0\"?>\n<uddf version=\"2.2.0\"><profiledata><repetitiongroup id=\"1\">\n"
    "<dive><date><year>2011</year><month>5</month><day>17</day></date><time><hour>11</hour><minute>1</minute></time>"
    "<airtemperature>287.1</airtemperature><lowesttemperature>283.1</lowesttemperature>"
    "<greatestdepth>24.7</greatestdepth><notes><text>Nice</text></notes><samples>"
    "<waypoint><depth>0.00</depth><divetime>0</divetime></waypoint>"
    "<waypoint><depth>2.74</depth><divetime>30</divetime></waypoint>"
    "<waypoint><depth>4.88</depth><divetime>60</divetime></waypoint></samples></dive>\n"
    "</repetitiongroup></profiledata></uddf>\n";

struct Outcome {
    bool ok;
    QString error;
};

Outcome readBytes(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    (void)ExchangeSniffer::sniff(buffer);
    auto dives = UddfReader().read(buffer);
    return Outcome{bool(dives), dives ? QString() : dives.error()};
}

const QRegularExpression kPlace(QStringLiteral("^line \\d+, column \\d+: "));

} // namespace

TEST(UddfMutationTest, TheOriginalsImport)
{
    for (const QByteArray* original : {&kModern, &kLegacy}) {
        const Outcome o = readBytes(*original);
        EXPECT_TRUE(o.ok) << o.error.toStdString();
    }
}

TEST(UddfMutationTest, EveryTruncationIsRefusedWithAPlace)
{
    for (const QByteArray* original : {&kModern, &kLegacy}) {
        // Cut anywhere before the root's end tag, the document is unfinished.
        const qsizetype rootEnd = original->lastIndexOf("</uddf>");
        for (qsizetype cut = 0; cut < rootEnd; ++cut) {
            const Outcome o = readBytes(original->left(cut));
            EXPECT_FALSE(o.ok) << "cut at " << cut;
            EXPECT_TRUE(kPlace.match(o.error).hasMatch()) << "cut at " << cut << ": " << o.error.toStdString();
        }
    }
}

TEST(UddfMutationTest, ByteFlipsAreRefusedOrImportedNeverACrash)
{
    QRandomGenerator rng(20240611);
    const char replacements[] = {'<', '>', '&', '/', '"', '\0', '\xff', '\x80', ' ', '9', '-', 'e', ':', '\n'};
    int refused = 0, imported = 0;
    for (const QByteArray* original : {&kModern, &kLegacy}) {
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = *original;
            const int flips = 1 + int(rng.bounded(3));
            for (int f = 0; f < flips; ++f) {
                const qsizetype at = rng.bounded(int(bytes.size()));
                bytes[at] = rng.bounded(2) ? replacements[rng.bounded(int(sizeof replacements))]
                                           : char(rng.bounded(256));
            }
            const Outcome o = readBytes(bytes);
            if (o.ok) {
                ++imported;
            } else {
                ++refused;
                EXPECT_TRUE(kPlace.match(o.error).hasMatch()) << o.error.toStdString();
            }
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(imported, 0);
}
