#include "logbook/LogbookArchive.h"
#include "platform/SafeSave.h"
#include "support/CliRun.h"
#include "support/TestDives.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

} // namespace

// generate, dump and from-json: a dump read back gives the same file, a seed
// the same logbook.
TEST_F(CliTest, GenerateDumpFromJsonRoundTrip)
{
    for (const char* name : {"a", "b", "c"})
        ASSERT_EQ(runCli({"generate", "--dives", "20", "--samples", "30", "--seed", *name == 'c' ? "4" : "3", path(name)}).status, 0);
    EXPECT_EQ(fileContent(path("a")), fileContent(path("b")));
    EXPECT_NE(fileContent(path("a")), fileContent(path("c")));
    EXPECT_EQ(runCli({"generate", "--dives", "0", "--samples", "100000", path("e")}).status, 0); // both bounds taken
    const CliRun first = runCli({"dump", path("a")});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    ASSERT_TRUE(writeFile(path("a.json"), first.out));
    ASSERT_EQ(runCli({"from-json", "logbook", path("a.json"), path("d")}).status, 0);
    EXPECT_EQ(runCli({"dump", path("d")}).out, first.out);
    EXPECT_EQ(fileContent(path("a")), fileContent(path("d")));

    // Fields not given keep their fresh values.
    ASSERT_TRUE(writeFile(path("p.json"), R"([{"noPlongee": 5, "lieu": "Cassis"}, {}])"));
    ASSERT_EQ(runCli({"from-json", "logbook", path("p.json"), path("p")}).status, 0);
    const auto dives = logbookarchive::decode(fileContent(path("p")));
    ASSERT_TRUE(dives && dives->size() == 2);
    EXPECT_EQ((*dives)[0].lieu(), QStringLiteral("Cassis"));
    EXPECT_FALSE((*dives)[0].site().has_value());
    EXPECT_TRUE((*dives)[1].identical(Plongee()));
}

TEST_F(CliTest, InfoAndDumpOutputs)
{
    saveFileAtomically(path("three"), *logbookarchive::encode(someDives(3)));
    EXPECT_EQ(runCli({"info", path("three")}).out,
              QByteArray(R"({"type":"logbook","records":3,"versions":{"Plongee":24},"bytes":)") +
                  QByteArray::number(fileContent(path("three")).size()) + "}\n");

    Plongee d;
    d.setNoPlongee(12); d.setProfondeur(33.3f); d.setLieu(QStringLiteral("Île \"Verte\"\n")); d.setSite(QString(""));
    d.setDate(QDateTime(QDate(2024, 8, 3), QTime(14, 5, 9)));
    d.setProfilProfondeur(QList<float>{0.0f, 12.4f, std::numeric_limits<float>::quiet_NaN()});
    d.setGAZ_Flag(QList<qint16>{1, 0, 2});
    saveFileAtomically(path("one"), *logbookarchive::encode({d}));
    const QByteArray out = runCli({"dump", path("one")}).out;
    EXPECT_TRUE(out.startsWith("[\n{\"profilProfondeur\":[0,12.4,null],\"ASC_Flag\":null,")) << out.left(80).toStdString();
    for (const char* part : {"\"GAZ_Flag\":[1,0,2]", "\"noPlongee\":12,", "\"profondeur\":33.3,", "\"date\":\"2024-08-03T14:05:09\"",
                             "\"lieu\":\"Île \\\"Verte\\\"\\n\"", "\"site\":\"\",\"pays\":null,", "\"heure\":null"})
        EXPECT_TRUE(out.contains(part)) << part;
    EXPECT_TRUE(out.endsWith("}\n]\n"));
}

// Refusals are status 1, usage errors 2, each one "ondrix-cli: " line on
// stderr, nothing on stdout, and no output file written or replaced.
TEST_F(CliTest, RefusalsAndUsageErrors)
{
    saveFileAtomically(path("zeros"), QByteArray(100, '\0'));
    saveFileAtomically(path("cut.ondrix"), logbookarchive::encode(someDives(2))->chopped(5));
    saveFileAtomically(path("bad.json"), QByteArray("[{\"noPlongee\": 1},\n {\"lieu\": 3}]"));
    saveFileAtomically(path("broken.json"), QByteArray("[{\"noPlongee\": 1,\n  ]"));
    saveFileAtomically(path("unknown.json"), QByteArray("[{\"noPlonge\": 1}]"));
    saveFileAtomically(path("kept"), QByteArray("old contents"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString kept = path("kept"), x = path("x");
    const struct { QStringList args; int status; const char* message; } cases[] = {
        {{"info", path("missing")}, 1, "missing: "}, {{"info", path("zeros")}, 1, "zeros: not an Ondrix document"},
        {{"dump", path("cut.ondrix")}, 1, "cut.ondrix: the file is damaged"}, {{"dump", dir.path()}, 1, "is a folder"},
        {{"from-json", "logbook", path("bad.json"), kept}, 1, "record 1: the value of \"lieu\""},
        {{"from-json", "logbook", path("broken.json"), kept}, 1, "broken.json: line 2, column"},
        {{"from-json", "logbook", path("unknown.json"), kept}, 1, "no dive field is named \"noPlonge\""},
        {{"from-json", "diary", path("bad.json"), kept}, 2, "unknown document type id"},
        {{"new", "diary", kept}, 1, "kept: unknown document type id \"diary\" (the ids are logbook, papers, "},
        {{"new", "logbook", path("no-folder/x")}, 1, "x: "}, {{"new", "logbook", path("folder")}, 1, "folder: "},
        {{"new", "logbook"}, 2, "new takes ID OUT"},      {{"new", "logbook", kept, "more"}, 2, "new takes ID OUT"},
        {{"info"}, 2, "info takes one FILE"}, {{"frobnicate"}, 2, "unknown command"}, {{}, 2, "no command given"},
        {{"generate", "--dives", "-3", x}, 2, "--dives takes a count from 0 to 1000000"},
        {{"generate", "--dives", "1000001", x}, 2, "--dives takes"}, {{"generate", x, "--dives"}, 2, ""},
        {{"generate", "--dives", "1", "--samples", "0", x}, 2, "--samples takes a count from 1 to 100000"},
        {{"generate", "--dives", "1", "--samples", "100001", x}, 2, "--samples takes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const CliRun r = runCli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.err.startsWith("ondrix-cli: ") && r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_EQ(fileContent(kept), QByteArray("old contents"));
        EXPECT_FALSE(QFileInfo::exists(x));
    }
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());
    EXPECT_FALSE(QFileInfo::exists(path("no-folder")));
}

// A new document replaces OUT whole and opens again, empty; the settings
// file named is made when absent.
TEST_F(CliTest, NewWritesAnEmptyDocumentThatOpensAgain)
{
    saveFileAtomically(path("old.ondrix"), *logbookarchive::encode(someDives(2)));
    for (const char* id : {"logbook", "wrecks"})
        for (const char* name : {"fresh", "old.ondrix"}) {
            SCOPED_TRACE(std::string(id) + " " + name);
            const CliRun r = runCli({"new", id, path(name)});
            EXPECT_EQ(r.status, 0);
            EXPECT_TRUE(r.out.isEmpty() && r.err.isEmpty()) << r.err.toStdString();
            const CliRun info = runCli(path("sub/settings.ini"), {"info", path(name)});
            EXPECT_TRUE(info.out.startsWith("{\"type\":\"" + QByteArray(id) + "\",\"records\":0,")) << info.out.toStdString();
        }
    EXPECT_TRUE(QFileInfo::exists(path("sub/settings.ini")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".lock")), QStringList());
}

TEST_F(CliTest, TheProgramWiresStatusAndStreams)
{
    const CliRun failed = runProgram({QStringLiteral("info"), path("nothing-here")});
    EXPECT_TRUE(failed.status == 1 && failed.err.startsWith("ondrix-cli: ") && failed.out.isEmpty()) << failed.err.data();
    const CliRun help = runProgram({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    for (const char* line : {"from-json ID IN.json OUT", "new ID OUT", "print FILE --pdf OUT", "profile LOGBOOK ROW", "calc ACTION"})
        EXPECT_TRUE(help.out.contains(line)) << line;

    // Without its painting module beside it, the program still runs every
    // command that does not paint, and says why those that do cannot.
    const QString alone = path("ondrix-cli");
    ASSERT_TRUE(QFile::copy(QStringLiteral(ONDRIX_CLI_PATH), alone));
    QProcess p;
    p.start(alone, {QStringLiteral("profile"), path("nothing-here"), QStringLiteral("1")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().startsWith("ondrix-cli: the painting commands cannot be loaded: "));
    p.start(alone, {QStringLiteral("--help")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0);
}
