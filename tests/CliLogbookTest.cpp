#include "app/cli/CliSession.h"
#include "logbook/LogbookArchive.h"
#include "platform/SafeSave.h"
#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CliLogbookTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString logbook = dir.filePath(QStringLiteral("log.ondrix"));

    void SetUp() override { saveFileAtomically(logbook, *logbookarchive::encode({})); }

    // COMMAND LOGBOOK REST..., with settings of the test's own.
    CliRun on(const char* command, const QStringList& rest = {})
    {
        return runCli(dir.filePath(QStringLiteral("settings.ini")), QStringList{QLatin1String(command), logbook} + rest);
    }

    QList<Plongee> dives() const
    {
        const auto d = logbookarchive::decode(fileContent(logbook));
        return d ? *d : QList<Plongee>();
    }

    QString places() const
    {
        QString s;
        for (const Plongee& d : dives())
            s += d.lieu().value_or(QString());
        return s;
    }
};

} // namespace

// The fields are typed into the dive form, whose alerts go to stderr and are
// answered with their first button.
TEST_F(CliLogbookTest, AddTypesIntoTheFormAndListShowsTheWindowsCells)
{
    const CliRun added = on("add", {"lieu=Cassis", "site=La Voûte", "profondeur=33,3 m", "temps=45", "tempEau=14",
                                    "date=2026-07-01", "heure=10:30", "coeff=95", "pmBm=1", "visibilite=2", "gaz=1",
                                    "o2Mix=32", "inoubliable=1"});
    ASSERT_EQ(added.status, 0) << added.err.toStdString();
    EXPECT_EQ(added.err, QByteArray("alert: Add item to ComboBox\nalert: Add item to ComboBox\n")); // place, site
    EXPECT_TRUE(added.out.isEmpty());
    ASSERT_EQ(dives().size(), 1);
    EXPECT_EQ(dives()[0].noPlongee(), 1);
    EXPECT_EQ(dives()[0].profondeur(), 33.3f);

    EXPECT_EQ(on("list").out,
              QByteArray("No.\tDate\tPlace\tSite\tTime\tDepth\tDuration\tWater\tDeco\tTide\tVisibility\tWreck\tMemory\tGas\n"
                         "1\t01/07/2026\tCassis\tLa Voûte\t10:30\t33.3 m\t45 '\t14 °C\tComputer\t95 HT\tGood\t\t\tNx 32\n"));
    const CliRun colours = on("list", {"--colours"});
    EXPECT_TRUE(colours.out.contains("\t33.3 m\t#0000ff\t45 '\t#0000ff\t14 °C\t-\t")) << colours.out.toStdString();
}

TEST_F(CliLogbookTest, InsertUpdateDeleteRenumberSortShow)
{
    for (const char* place : {"A", "B", "C"})
        ASSERT_EQ(on("add", {QStringLiteral("lieu=") + QLatin1String(place)}).status, 0);
    ASSERT_EQ(on("insert", {"1", "lieu=X"}).status, 0);
    ASSERT_EQ(on("update", {"0", "profondeur=40"}).status, 0);
    EXPECT_EQ(places(), QStringLiteral("AXBC"));
    EXPECT_EQ(dives()[0].profondeur(), 40.0f);
    EXPECT_EQ(dives()[1].noPlongee(), 4); // the last row's number + 1 at the time

    const CliRun deleted = on("delete", {"2"});
    ASSERT_EQ(deleted.status, 0);
    EXPECT_EQ(deleted.err, QByteArray("alert: Erase dive\n"));
    EXPECT_EQ(places(), QStringLiteral("AXC"));

    ASSERT_EQ(on("renumber", {"101"}).status, 0);
    EXPECT_EQ(dives()[2].noPlongee(), 103);
    ASSERT_EQ(on("sort", {"lieu", "asc"}).status, 0);
    EXPECT_EQ(places(), QStringLiteral("ACX"));
    ASSERT_EQ(on("sort", {"lieu"}).status, 0);
    EXPECT_EQ(places(), QStringLiteral("XCA")); // a first click sorts descending

    ASSERT_EQ(on("update", {"2", "pressionDepart=200", "pressionFin=50", "volumeBloc=12", "temps=40", "profondeur=30", "gaz=1",
                            "o2Mix=32", "volBailout1=3", "pressDepartBailout1=200", "pressFinBailout1=180"}).status, 0);
    const QByteArray shown = on("show", {"2"}).out;
    for (const char* part : {"\"_volumeConsomme\":1800,", "\"sncDrawer\":\"ppO2 max 1.28 bar - CNS 21.6 %\"",
                             "\"bailout1Gauge\":{\"maximum\":200,\"value\":180,\"ticks\":20}", "\"pony1Gauge\":null",
                             "\"gasSummaryField\":\"Nitrox 32\""})
        EXPECT_TRUE(shown.contains(part)) << part << "\n" << shown.toStdString();
}

TEST_F(CliLogbookTest, RefusalsLeaveTheFileAsItWas)
{
    ASSERT_EQ(on("add", {"lieu=A"}).status, 0);
    const QByteArray before = fileContent(logbook);
    const struct { const char* command; QStringList rest; int status; const char* message; } cases[] = {
        {"update", {"5"}, 1, "row 5 is out of range"},   {"update", {"x"}, 2, "update takes LOGBOOK ROW"},
        {"update", {}, 2, "update takes LOGBOOK ROW"},   {"delete", {"-1"}, 1, "row -1 is out of range"},
        {"insert", {"3"}, 1, "row 3 is out of range"},   {"show", {"1"}, 1, "row 1 is out of range"},
        {"add", {"nosuch=1"}, 2, "no field \"nosuch\""}, {"add", {"lieu"}, 2, "is not FIELD=TEXT"},
        {"add", {"date=soon"}, 1, "not a date"},         {"add", {"o2Mix=150"}, 1, "not stored"},
        {"update", {"0", "temps=4O"}, 1, "not stored"},  {"add", {"profondeur=1e40"}, 1, "alert: Dive refused"},
        {"sort", {"notes"}, 2, "not a list column"},     {"sort", {"lieu", "up"}, 2, "asc or desc"},
        {"renumber", {"x"}, 2, "renumber takes"},        {"renumber", {"1000000"}, 1, "no dive was renumbered"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.rest.join(u' ').toStdString());
        const CliRun r = on(c.command, c.rest);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_EQ(fileContent(logbook), before);
    }
    saveFileAtomically(logbook, QByteArray("not a logbook"));
    EXPECT_EQ(on("add").status, 1);
    EXPECT_EQ(fileContent(logbook), QByteArray("not a logbook"));
}

// Writers started together each wait their turn at the logbook's lock: no
// dive is lost, and a writer that waited too long says so and fails. A lock
// left by a program that died does not stop the next writer.
TEST_F(CliLogbookTest, WritersAtOnceLoseNoDiveAndADeadLockIsTakenOver)
{
    const int writers = 20;
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < writers; ++i) {
        auto& p = runs.emplace_back(std::make_unique<QProcess>());
        p->start(QStringLiteral(ONDRIX_CLI_PATH), {QStringLiteral("--settings"), dir.filePath(QStringLiteral("s%1.ini").arg(i)),
                                                   QStringLiteral("add"), logbook, QStringLiteral("profondeur=%1").arg(10 + i)});
    }
    QList<float> added;
    for (int i = 0; i < writers; ++i) {
        QProcess& p = *runs[size_t(i)];
        ASSERT_TRUE(p.waitForFinished(120000));
        const QByteArray err = p.readAllStandardError();
        if (p.exitCode() == 0)
            added.append(float(10 + i));
        else
            EXPECT_TRUE(p.exitCode() == 1 && err.contains("is being changed by another program")) << err.toStdString();
    }
    QList<float> kept;
    for (const Plongee& d : dives())
        kept.append(d.profondeur());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, added);
    const QString lock = dir.filePath(QStringLiteral(".log.ondrix.lock"));
    EXPECT_FALSE(QFile::exists(lock));

    QProcess gone;
    gone.start(QStringLiteral(ONDRIX_CLI_PATH), {QStringLiteral("--help")});
    ASSERT_TRUE(gone.waitForStarted(30000));
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(30000));
    ASSERT_TRUE(writeFile(lock, QByteArray::number(pid) + "\nondrix-cli\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
    const CliRun r = on("add", {"profondeur=12"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(dives().size(), kept.size() + 1);
}

// A save done but not yet durable is a warning, not a refusal: the file
// holds the new content.
TEST(CliIo, SaveOutcomesBecomeStatusAndStderr)
{
    const struct { SaveResult result; int status; const char* err; } cases[] = {
        {{true, true, QString()}, 0, ""},
        {{true, false, QStringLiteral("saved f, but the folder could not be flushed: Input/output error")}, 0,
         "ondrix-cli: f: warning: saved f, but the folder could not be flushed: Input/output error\n"},
        {{false, false, QStringLiteral("cannot write f: opening the folder: Permission denied")}, 1,
         "ondrix-cli: f: cannot write f: opening the folder: Permission denied\n"},
    };
    for (const auto& c : cases) {
        QByteArray out, err;
        cli::Io io{out, err};
        EXPECT_EQ(io.saved(QStringLiteral("f"), c.result), c.status);
        EXPECT_EQ(err, QByteArray(c.err));
        EXPECT_TRUE(out.isEmpty());
    }
}
