// ondrix-cli import and export: arguments, exit codes, messages, and files
// left untouched on a refusal.
#include "logbook/LogbookArchive.h"
#include "logbook/LogbookGenerator.h"
#include "platform/SafeSave.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"
#include "support/UddfBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class UddfCliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString logbook = path("log.ondrix"), settings = path("settings.ini");
    QByteArray original;

    void SetUp() override { original = setLogbook(logbookgenerator::generate(2, 20, 3)); }

    QByteArray setLogbook(const QList<Plongee>& dives)
    {
        saveFileAtomically(logbook, *logbookarchive::encode(dives));
        return fileContent(logbook);
    }

    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    QString write(const char* name, const QByteArray& bytes) const
    {
        saveFileAtomically(path(name), bytes);
        return path(name);
    }

    CliRun run(const char* verb, QStringList args) const
    {
        args.prepend(QLatin1String(verb));
        return runCli(settings, args);
    }
};

} // namespace

TEST_F(UddfCliTest, ImportAppendsEachFilesDivesAndSays)
{
    const QByteArray one = uddfbytes::modern(uddfbytes::before({}, "2021-06-01T10:00:00"));
    const QString a = write("a.uddf", one);
    const QString b = write("b.xml", QByteArray(one).replace("2021-06-01", "2021-06-02"));
    const CliRun o = run("import", {logbook, a, b});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, QStringLiteral("imported 1 dives from %1\nimported 1 dives from %2\n").arg(a, b).toUtf8());
    EXPECT_TRUE(o.err.isEmpty()) << o.err.toStdString();
    const auto d = logbookarchive::decode(fileContent(logbook));
    ASSERT_TRUE(d && d->size() == 4);
    EXPECT_EQ(d->at(3).date().date(), QDate(2021, 6, 2));
}

TEST_F(UddfCliTest, RefusalsSayWhyAndLeaveTheFilesAsTheyWere)
{
    const QString good = write("good.uddf", uddfbytes::modern(uddfbytes::before()));
    const QString cut = write("cut.uddf", fileContent(good).left(fileContent(good).size() / 2));
    const QString notXml = write("x.ondrix", original);
    const struct {
        const char* command;
        QStringList args;
        int status;
        QString says; // the error's line, or a part of it
    } cases[] = {
        {"import", {logbook, good, cut}, 1, "ondrix-cli: " + cut + ": line 2, column "},
        {"import", {logbook, good, notXml}, 1, "ondrix-cli: " + notXml + ": not a UDDF file: line 1, column "},
        {"import", {logbook, good, path("missing.uddf")}, 1, "ondrix-cli: " + path("missing.uddf") + ": "},
        {"import", {logbook, good, dir.path()}, 1, "ondrix-cli: " + dir.path() + ": is a folder"},
        {"import", {logbook}, 2, "import takes LOGBOOK FILE..."},
        {"import", {}, 2, "import takes LOGBOOK FILE..."},
        {"export", {logbook, "Export UDDF 3.2"}, 2, "export takes LOGBOOK TYPE OUT"},
        {"export", {logbook, "Export Nothing", path("x")}, 2,
         "\"Export Nothing\" is not an export type of the logbook"},
        {"export", {logbook, "Export UDDF 3.2", QDir(dir.path()).filePath(QStringLiteral("./log.ondrix"))}, 1,
         "is the logbook itself"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliRun o = run(c.command, c.args);
        EXPECT_EQ(o.status, c.status);
        EXPECT_TRUE(o.out.isEmpty()) << o.out.toStdString();
        EXPECT_TRUE(o.err.contains(c.says.toUtf8())) << o.err.toStdString();
        EXPECT_EQ(o.err.count('\n'), c.status == 2 ? 2 : 1) << o.err.toStdString(); // usage adds a hint
        EXPECT_EQ(fileContent(logbook), original) << "the logbook file is untouched";
        EXPECT_FALSE(QFile::exists(path("x")));
    }
}

TEST_F(UddfCliTest, ExportWritesACopyThatImportsBackAndLeavesTheLogbookAlone)
{
    QList<Plongee> d = logbookgenerator::generate(2, 20, 3);
    d[1].setO2Mix(90);
    d[1].setHeMix(20);
    original = setLogbook(d);
    const QString warning = "ondrix-cli: " + logbook + ": warning: dive 2 (row 1): "
                            "90 % oxygen and 20 % helium make more than 100 %; its mix is left out\n";
    const struct {
        const char* type;
        int back;
    } cases[] = {
        // The older layout holds no dive the older reader takes back.
        {"Export UDDF (Universal Dive Data Format)", 0},
        {"Export UDDF 3.2", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        const QString out = path("copy.uddf");
        QFile::remove(out);
        const CliRun o = run("export", {logbook, QLatin1String(c.type), out});
        ASSERT_EQ(o.status, 0) << o.err.toStdString();
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(o.err, warning.toUtf8());
        EXPECT_TRUE(fileContent(out).startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<uddf"));
        EXPECT_EQ(fileContent(logbook), original);
        const QString fresh = write("fresh.ondrix", *logbookarchive::encode({}));
        ASSERT_EQ(run("import", {fresh, out}).status, c.back ? 0 : 1); // none read back is refused
        const auto back = logbookarchive::decode(fileContent(fresh));
        EXPECT_EQ(back ? back->size() : -1, c.back);
    }
}
