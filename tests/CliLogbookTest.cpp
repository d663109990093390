#include "app/cli/Cli.h"
#include "app/cli/CliSession.h"
#include "logbook/LogbookArchive.h"
#include "platform/FileBytes.h"
#include "platform/SafeSave.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Output {
    int status;
    QByteArray out, err;
};

class CliLogbookTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString logbook;
    QString settings;

    void SetUp() override
    {
        logbook = dir.filePath(QStringLiteral("log.ondrix"));
        settings = dir.filePath(QStringLiteral("settings.ini"));
        saveFileAtomically(logbook, *logbookarchive::encode({}));
    }

    Output run(QStringList args)
    {
        args.prepend(settings);
        args.prepend(QStringLiteral("--settings"));
        Output o;
        o.status = Cli::run(args, o.out, o.err);
        return o;
    }

    Output logbookCommand(const char* command, QStringList rest = {})
    {
        rest.prepend(logbook);
        rest.prepend(QLatin1String(command));
        return run(rest);
    }

    QList<Plongee> dives()
    {
        FileBytes file;
        file.open(logbook, nullptr);
        auto d = logbookarchive::decode(file.bytes());
        return d ? *d : QList<Plongee>();
    }

    QByteArray fileBytes()
    {
        QFile f(logbook);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
};

} // namespace

TEST_F(CliLogbookTest, AddBuildsTheDiveThroughTheForm)
{
    const Output o = logbookCommand("add", {QStringLiteral("lieu=Cassis"), QStringLiteral("profondeur=33.3"),
                                            QStringLiteral("coeff=15"), QStringLiteral("heMix=87"),
                                            QStringLiteral("gaz=2"), QStringLiteral("tempEau=-"),
                                            QStringLiteral("date=2026-07-01"), QStringLiteral("heure=10:30")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.err, QByteArray("alert: Add item to ComboBox\nalert: Helium percent\n"));
    const QList<Plongee> d = dives();
    ASSERT_EQ(d.size(), 1);
    EXPECT_EQ(d[0].noPlongee(), 1);
    EXPECT_EQ(d[0].lieu(), QStringLiteral("Cassis"));
    EXPECT_EQ(d[0].profondeur(), 33.3f);
    EXPECT_EQ(d[0].coeff(), 0);
    EXPECT_EQ(d[0].heMix(), 0);
    EXPECT_EQ(d[0].gaz(), 2);
    EXPECT_EQ(d[0].tempEau(), -50);
    EXPECT_EQ(d[0].typePlongee(), 8);
    EXPECT_EQ(d[0].heure().toLocalTime().time(), QTime(10, 30));
    EXPECT_EQ(d[0].date().toLocalTime().date(), QDate(2026, 7, 1));
}

TEST_F(CliLogbookTest, FieldsAreTypedAsTheWindowTypesThem)
{
    const struct {
        QStringList assignments;
        const char* field;
        double stored;
    } cases[] = {
        {{QStringLiteral("rebreather=3")}, "o2Mix", 100},
        {{QStringLiteral("gaz=3"), QStringLiteral("o2Mix=20")}, "heMix", 80},
        {{QStringLiteral("profondeur=17,7")}, "profondeur", 17.7},
        {{QStringLiteral("profondeur=17.7 m")}, "profondeur", 17.7},
        {{QStringLiteral("o2Mix=32 %")}, "o2Mix", 32},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(logbookCommand("add", c.assignments).status, 0) << c.field;
        const Plongee last = dives().last();
        const Plongee::Value v = last.value(Plongee::fieldIndex(QString::fromLatin1(c.field)));
        const double stored = std::holds_alternative<float>(v) ? double(std::get<float>(v)) : std::get<qint32>(v);
        EXPECT_FLOAT_EQ(float(stored), float(c.stored)) << c.field;
    }
}

TEST_F(CliLogbookTest, ListShowsTheWindowsCells)
{
    ASSERT_EQ(logbookCommand("add", {QStringLiteral("lieu=Cassis"), QStringLiteral("site=La Voûte"),
                                     QStringLiteral("profondeur=33.3"), QStringLiteral("temps=45"),
                                     QStringLiteral("tempEau=14"), QStringLiteral("date=2026-07-01"),
                                     QStringLiteral("heure=10:30"), QStringLiteral("coeff=95"), QStringLiteral("pmBm=1"),
                                     QStringLiteral("visibilite=2"), QStringLiteral("gaz=1"), QStringLiteral("o2Mix=32"),
                                     QStringLiteral("inoubliable=1")})
                  .status,
              0);
    const Output o = logbookCommand("list");
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, QByteArray("No.\tDate\tPlace\tSite\tTime\tDepth\tDuration\tWater\tDeco\tTide\tVisibility\tWreck\tMemory\tGas\n"
                                "1\t01/07/2026\tCassis\tLa Voûte\t10:30\t33.3 m\t45 '\t14 °C\tComputer\t95 HT\tGood\t\t\tNx 32\n"));
    const Output colours = logbookCommand("list", {QStringLiteral("--colours")});
    EXPECT_TRUE(colours.out.contains("\t33.3 m\t#0000ff\t45 '\t#0000ff\t14 °C\t-\t")) << colours.out.toStdString();
}

TEST_F(CliLogbookTest, InsertUpdateDeleteRenumberSort)
{
    for (const char* place : {"A", "B", "C"})
        ASSERT_EQ(logbookCommand("add", {QStringLiteral("lieu=") + QLatin1String(place)}).status, 0);
    ASSERT_EQ(logbookCommand("insert", {QStringLiteral("1"), QStringLiteral("lieu=X")}).status, 0);
    ASSERT_EQ(logbookCommand("update", {QStringLiteral("0"), QStringLiteral("profondeur=40")}).status, 0);
    auto places = [&] {
        QString s;
        for (const Plongee& d : dives())
            s += d.lieu().value_or(QString());
        return s;
    };
    EXPECT_EQ(places(), QStringLiteral("AXBC"));
    EXPECT_EQ(dives()[0].profondeur(), 40.0f);
    EXPECT_EQ(dives()[1].noPlongee(), 4); // the last row's number + 1 at the time

    const Output deleted = logbookCommand("delete", {QStringLiteral("2")});
    ASSERT_EQ(deleted.status, 0);
    EXPECT_EQ(deleted.err, QByteArray("alert: Erase dive\n"));
    EXPECT_EQ(places(), QStringLiteral("AXC"));

    ASSERT_EQ(logbookCommand("renumber", {QStringLiteral("101")}).status, 0);
    EXPECT_EQ(dives()[2].noPlongee(), 103);

    ASSERT_EQ(logbookCommand("sort", {QStringLiteral("lieu"), QStringLiteral("asc")}).status, 0);
    EXPECT_EQ(places(), QStringLiteral("ACX"));
    ASSERT_EQ(logbookCommand("sort", {QStringLiteral("lieu")}).status, 0);
    EXPECT_EQ(places(), QStringLiteral("XCA")); // a first click sorts descending
}

TEST_F(CliLogbookTest, RefusalsLeaveTheFileAsItWas)
{
    ASSERT_EQ(logbookCommand("add", {QStringLiteral("lieu=A")}).status, 0);
    const QByteArray before = fileBytes();
    const struct {
        const char* command;
        QStringList rest;
        int status;
        const char* message;
    } cases[] = {
        {"update", {QStringLiteral("5")}, 1, "row 5 is out of range"},
        {"delete", {QStringLiteral("-1")}, 1, "row -1 is out of range"},
        {"insert", {QStringLiteral("3")}, 1, "row 3 is out of range"},
        {"add", {QStringLiteral("nosuch=1")}, 2, "no field \"nosuch\""},
        {"add", {QStringLiteral("lieu")}, 2, "is not FIELD=TEXT"},
        {"add", {QStringLiteral("date=soon")}, 1, "not a date"},
        {"sort", {QStringLiteral("notes")}, 2, "not a list column"},
        {"sort", {QStringLiteral("lieu"), QStringLiteral("up")}, 2, "asc or desc"},
        {"renumber", {QStringLiteral("x")}, 2, "renumber takes"},
        {"renumber", {QStringLiteral("1000000")}, 1, "no dive was renumbered"},
        {"add", {QStringLiteral("visibilite=99")}, 1, "not a value of"},
        {"add", {QStringLiteral("difficulte=9")}, 1, "not a value of"},
        {"add", {QStringLiteral("nocturne=maybe")}, 1, "not on or off"},
        {"add", {QStringLiteral("profondeur=1e40")}, 1, "alert: Dive refused"},
        {"add", {QStringLiteral("o2Mix=150")}, 1, "not stored"},
        {"add", {QStringLiteral("noPlongee=2147483648")}, 1, "not stored"},
        {"add", {QStringLiteral("date=2020-02-31")}, 1, "not a date"},
        {"update", {QStringLiteral("0"), QStringLiteral("temps=4O")}, 1, "not stored"},
    };
    for (const auto& c : cases) {
        const Output o = logbookCommand(c.command, c.rest);
        EXPECT_EQ(o.status, c.status) << c.command;
        EXPECT_TRUE(o.err.contains(c.message)) << o.err.toStdString();
        EXPECT_EQ(fileBytes(), before) << c.command;
    }
    saveFileAtomically(logbook, QByteArray("not a logbook"));
    const Output o = logbookCommand("add");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(fileBytes(), QByteArray("not a logbook"));
}

// Writers started together each wait their turn at the logbook's lock: no
// dive is lost, and a writer that waited too long says so and fails.
TEST_F(CliLogbookTest, WritersAtOnceLoseNoDive)
{
    const int writers = 20;
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < writers; ++i) {
        auto& p = runs.emplace_back(std::make_unique<QProcess>());
        p->start(QStringLiteral(ONDRIX_CLI_PATH),
                 {QStringLiteral("--settings"), dir.filePath(QStringLiteral("settings%1.ini").arg(i)),
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
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral(".log.ondrix.lock"))));
}

// A lock left by a program that died does not stop the next writer.
TEST_F(CliLogbookTest, ALockLeftByADeadProgramIsTakenOver)
{
    QProcess gone;
    gone.start(QStringLiteral(ONDRIX_CLI_PATH), {QStringLiteral("--help")});
    ASSERT_TRUE(gone.waitForStarted(30000));
    const qint64 pid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(30000));
    QFile stale(dir.filePath(QStringLiteral(".log.ondrix.lock")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(QByteArray::number(pid) + "\nondrix-cli\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    stale.close();
    const Output o = logbookCommand("add", {QStringLiteral("profondeur=12")});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(dives().size(), 1);
}

// A save done but not yet durable is a warning, not a refusal: the file
// holds the new content.
TEST(CliIo, SaveOutcomesBecomeStatusAndStderr)
{
    const struct {
        SaveResult result;
        int status;
        const char* err;
    } cases[] = {
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

TEST_F(CliLogbookTest, ShowGivesWhatTheFormDerives)
{
    ASSERT_EQ(logbookCommand("add", {QStringLiteral("pressionDepart=200"), QStringLiteral("pressionFin=50"),
                                     QStringLiteral("volumeBloc=12"), QStringLiteral("temps=40"),
                                     QStringLiteral("profondeur=30"), QStringLiteral("gaz=1"), QStringLiteral("o2Mix=32"),
                                     QStringLiteral("volBailout1=3"), QStringLiteral("pressDepartBailout1=200"),
                                     QStringLiteral("pressFinBailout1=180")})
                  .status,
              0);
    const Output o = logbookCommand("show", {QStringLiteral("0")});
    ASSERT_EQ(o.status, 0) << o.err.toStdString();
    const QByteArray& out = o.out;
    EXPECT_TRUE(out.contains("\"_volumeConsomme\":1800,")) << out.toStdString();
    EXPECT_TRUE(out.contains("\"_pressionParMinute\":3.75,"));
    EXPECT_TRUE(out.contains("\"ppO2Max\":1.28,"));
    EXPECT_TRUE(out.contains("\"sncDrawer\":\"ppO2 max 1.28 bar - CNS 21.6 %\""));
    EXPECT_TRUE(out.contains("\"bailout1Gauge\":{\"maximum\":200,\"value\":180,\"ticks\":20}"));
    EXPECT_TRUE(out.contains("\"pony1Gauge\":null"));
    EXPECT_TRUE(out.contains("\"gasSummaryField\":\"Nitrox 32\""));
    EXPECT_EQ(logbookCommand("show", {QStringLiteral("1")}).status, 1);
}
