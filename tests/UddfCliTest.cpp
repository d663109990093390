// ondrix-cli import and export.
#include "app/cli/ExchangeCommands.h"
#include "logbook/LogbookArchive.h"
#include "logbook/LogbookGenerator.h"
#include "platform/FileBytes.h"
#include "platform/SafeSave.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Output {
    int status;
    QByteArray out, err;
};

const QByteArray kTwoDives =
    "<?xml version=\"1.0\"?>\n<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.0\"><profiledata>"
    "<repetitiongroup id=\"a\"><dive id=\"1\"><informationbeforedive><datetime>2021-06-01T10:00:00</datetime>"
    "</informationbeforedive><informationafterdive><greatestdepth>12</greatestdepth><diveduration>1800"
    "</diveduration></informationafterdive></dive></repetitiongroup>"
    "<repetitiongroup id=\"b\"><dive id=\"2\"><informationbeforedive><datetime>2021-06-01T15:00:00</datetime>"
    "</informationbeforedive><informationafterdive><greatestdepth>18.5</greatestdepth><diveduration>2400"
    "</diveduration></informationafterdive></dive></repetitiongroup></profiledata></uddf>\n";

class UddfCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString logbook, settings;

    void SetUp() override
    {
        logbook = path("log.ondrix");
        settings = path("settings.ini");
        saveFileAtomically(logbook, *logbookarchive::encode(logbookgenerator::generate(2, 20, 3)));
    }

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QString write(const char* name, const QByteArray& bytes) const
    {
        saveFileAtomically(path(name), bytes);
        return path(name);
    }

    Output import(const QStringList& args)
    {
        Output o;
        o.status = runImportCommand(args, settings, o.out, o.err);
        return o;
    }

    Output exportAs(const QStringList& args)
    {
        Output o;
        o.status = runExportCommand(args, settings, o.out, o.err);
        return o;
    }

    static QByteArray bytes(const QString& file) { return fileContent(file); }

    QList<Plongee> dives(const QString& file) const
    {
        auto d = logbookarchive::decode(bytes(file));
        return d ? *d : QList<Plongee>();
    }
};

} // namespace

TEST_F(UddfCliTest, ImportAppendsEachFilesDivesAndSays)
{
    const QString a = write("a.uddf", kTwoDives);
    const QString b = write("b.xml", QByteArray(kTwoDives).replace("2021-06-01", "2021-06-02"));
    const Output o = import({logbook, a, b});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, (QStringLiteral("imported 2 dives from %1\nimported 2 dives from %2\n").arg(a, b)).toUtf8());
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    const QList<Plongee> d = dives(logbook);
    ASSERT_EQ(d.size(), 6);
    EXPECT_EQ(d[2].noPlongee(), 3);
    EXPECT_EQ(d[5].noPlongee(), 6);
    EXPECT_EQ(d[5].date().date(), QDate(2021, 6, 2));
    EXPECT_FLOAT_EQ(d[5].profondeur(), 18.5f);
    EXPECT_EQ(d[5].temps(), 40);
}

TEST_F(UddfCliTest, ARefusedFileLeavesTheLogbookFileAsItWas)
{
    const QByteArray before = bytes(logbook);
    const QString good = write("good.uddf", kTwoDives);
    const QString cut = write("cut.uddf", kTwoDives.left(kTwoDives.size() / 2));
    const QString other = write("other.xml", "<?xml version=\"1.0\"?>\n<UDCF/>\n");
    const QString notXml = write("x.ondrix", bytes(logbook));
    const struct {
        QString file;
        const char* says;
    } cases[] = {
        {cut, ": line 2, column "},
        {other, ": line 2, column 1: the file is no UDDF file"},
        {notXml, ": not a UDDF file: line 1, column "},
        {path("missing.uddf"), "missing.uddf: "},
        {dir.path(), "is a folder"},
    };
    for (const auto& c : cases) {
        const Output o = import({logbook, good, c.file});
        EXPECT_EQ(o.status, 1) << c.file.toStdString();
        EXPECT_TRUE(o.out.isEmpty()) << o.out.toStdString();
        EXPECT_TRUE(o.err.startsWith(QStringLiteral("ondrix-cli: %1").arg(c.file).toUtf8())) << o.err.toStdString();
        EXPECT_TRUE(o.err.contains(c.says)) << o.err.toStdString();
        EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
        EXPECT_EQ(bytes(logbook), before) << "the logbook file is untouched";
    }
}

TEST_F(UddfCliTest, UsageErrors)
{
    EXPECT_EQ(import({logbook}).status, 2);
    EXPECT_EQ(import({}).status, 2);
    EXPECT_EQ(exportAs({logbook, QStringLiteral("Export UDDF 3.2")}).status, 2);
    const Output o = exportAs({logbook, QStringLiteral("Export Nothing"), path("x")});
    EXPECT_EQ(o.status, 2);
    EXPECT_TRUE(o.err.contains("not an export type")) << o.err.toStdString();
}

TEST_F(UddfCliTest, ExportWritesACopyAndLeavesTheLogbookAlone)
{
    const QByteArray before = bytes(logbook);
    for (const char* type : {"Export UDDF 3.2", "Export UDDF (Universal Dive Data Format)"}) {
        const QString out = path("copy.uddf");
        QFile::remove(out);
        const Output o = exportAs({logbook, QLatin1String(type), out});
        ASSERT_EQ(o.status, 0) << type << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_TRUE(bytes(out).startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<uddf")) << type;
        EXPECT_EQ(bytes(logbook), before);
    }
    // The copy imports back.
    const QString fresh = path("fresh.ondrix");
    saveFileAtomically(fresh, *logbookarchive::encode({}));
    ASSERT_EQ(exportAs({logbook, QStringLiteral("Export UDDF 3.2"), path("copy32.uddf")}).status, 0);
    const Output o = import({fresh, path("copy32.uddf")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(dives(fresh).size(), 2);
}

TEST_F(UddfCliTest, ExportOverTheLogbookItselfIsRefused)
{
    const QByteArray before = bytes(logbook);
    const QString samePath = QDir(dir.path()).filePath(QStringLiteral("./log.ondrix"));
    const Output o = exportAs({logbook, QStringLiteral("Export UDDF 3.2"), samePath});
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.contains("is the logbook itself")) << o.err.toStdString();
    EXPECT_EQ(bytes(logbook), before);
}

TEST_F(UddfCliTest, RefusedMixesAreReportedAndTheExportStillWritten)
{
    QList<Plongee> d = logbookgenerator::generate(2, 20, 3);
    d[1].setO2Mix(90);
    d[1].setHeMix(20);
    saveFileAtomically(logbook, *logbookarchive::encode(d));
    const Output o = exportAs({logbook, QStringLiteral("Export UDDF (Universal Dive Data Format)"), path("o.uddf")});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, QStringLiteral("ondrix-cli: %1: warning: dive 2 (row 1): 90 % oxygen and 20 % helium make more "
                                    "than 100 %; its mix is left out\n")
                         .arg(logbook)
                         .toUtf8());
    EXPECT_TRUE(QFile::exists(path("o.uddf")));
}
