#include "app/cli/Cli.h"
#include "logbook/LogbookArchive.h"
#include "platform/SafeSave.h"
#include "support/TestDives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int status;
    QByteArray out;
    QByteArray err;
};

CliRun cli(const QStringList& args)
{
    CliRun r;
    r.status = Cli::run(args, r.out, r.err);
    return r;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace

TEST_F(CliTest, GenerateDumpFromJsonDumpGivesTheSameJson)
{
    ASSERT_EQ(cli({QStringLiteral("generate"), QStringLiteral("--dives"), QStringLiteral("40"), QStringLiteral("--samples"),
                   QStringLiteral("50"), QStringLiteral("--seed"), QStringLiteral("7"), path(QStringLiteral("g.ondrix"))})
                  .status,
              0);
    const CliRun first = cli({QStringLiteral("dump"), path(QStringLiteral("g.ondrix"))});
    ASSERT_EQ(first.status, 0) << first.err.toStdString();
    QFile json(path(QStringLiteral("g.json")));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(first.out);
    json.close();
    const CliRun build = cli({QStringLiteral("from-json"), QStringLiteral("logbook"), path(QStringLiteral("g.json")),
                           path(QStringLiteral("h.ondrix"))});
    ASSERT_EQ(build.status, 0) << build.err.toStdString();
    const CliRun second = cli({QStringLiteral("dump"), path(QStringLiteral("h.ondrix"))});
    ASSERT_EQ(second.status, 0);
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(readFile(path(QStringLiteral("g.ondrix"))), readFile(path(QStringLiteral("h.ondrix"))));
}

TEST_F(CliTest, GenerateIsDeterministicForASeed)
{
    auto gen = [&](const QString& seed, const QString& name) {
        return cli({QStringLiteral("generate"), QStringLiteral("--dives"), QStringLiteral("20"), QStringLiteral("--samples"),
                    QStringLiteral("30"), QStringLiteral("--seed"), seed, path(name)})
            .status;
    };
    ASSERT_EQ(gen(QStringLiteral("3"), QStringLiteral("a")), 0);
    ASSERT_EQ(gen(QStringLiteral("3"), QStringLiteral("b")), 0);
    ASSERT_EQ(gen(QStringLiteral("4"), QStringLiteral("c")), 0);
    EXPECT_EQ(readFile(path(QStringLiteral("a"))), readFile(path(QStringLiteral("b"))));
    EXPECT_NE(readFile(path(QStringLiteral("a"))), readFile(path(QStringLiteral("c"))));
}

TEST_F(CliTest, InfoDescribesTheFile)
{
    saveFileAtomically(path(QStringLiteral("three.ondrix")), *logbookarchive::encode(someDives(3)));
    const CliRun r = cli({QStringLiteral("info"), path(QStringLiteral("three.ondrix"))});
    ASSERT_EQ(r.status, 0);
    const QJsonObject o = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(o.value(QStringLiteral("type")).toString(), QStringLiteral("logbook"));
    EXPECT_EQ(o.value(QStringLiteral("records")).toInt(), 3);
    EXPECT_EQ(o.value(QStringLiteral("versions")).toObject().value(QStringLiteral("Plongee")).toInt(), 24);
    EXPECT_EQ(o.value(QStringLiteral("bytes")).toInteger(), readFile(path(QStringLiteral("three.ondrix"))).size());
    EXPECT_TRUE(r.out.startsWith("{\"type\":\"logbook\",\"records\":3,"));
}

TEST_F(CliTest, DumpPrintsFieldsAsTheyAre)
{
    Plongee d;
    d.setNoPlongee(12);
    d.setProfondeur(33.3f);
    d.setLieu(QStringLiteral("Île \"Verte\"\n"));
    d.setSite(QString(""));
    d.setDate(QDateTime(QDate(2024, 8, 3), QTime(14, 5, 9)));
    d.setDecoDepth_Level_1(4.5f);
    d.setProfilProfondeur(QList<float>{0.0f, 12.4f, std::numeric_limits<float>::quiet_NaN()});
    d.setGAZ_Flag(QList<qint16>{1, 0, 2});
    saveFileAtomically(path(QStringLiteral("one.ondrix")), *logbookarchive::encode({d}));
    const CliRun r = cli({QStringLiteral("dump"), path(QStringLiteral("one.ondrix"))});
    ASSERT_EQ(r.status, 0);
    const QByteArray& out = r.out;
    EXPECT_TRUE(out.startsWith("[\n{\"profilProfondeur\":[0,12.4,null],\"ASC_Flag\":null,")) << out.left(80).toStdString();
    EXPECT_TRUE(out.contains("\"GAZ_Flag\":[1,0,2]"));
    EXPECT_TRUE(out.contains("\"noPlongee\":12,"));
    EXPECT_TRUE(out.contains("\"profondeur\":33.3,"));
    EXPECT_TRUE(out.contains("\"date\":\"2024-08-03T14:05:09\""));
    EXPECT_TRUE(out.contains("\"lieu\":\"Île \\\"Verte\\\"\\n\""));
    EXPECT_TRUE(out.contains("\"site\":\"\",\"pays\":null,"));
    EXPECT_TRUE(out.contains("\"decoDepth_Level_1\":4.5,"));
    EXPECT_TRUE(out.contains("\"heure\":null"));
    EXPECT_TRUE(out.endsWith("}\n]\n"));
}

TEST_F(CliTest, FromJsonKeepsFreshValuesForFieldsNotGiven)
{
    QFile json(path(QStringLiteral("p.json")));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(R"([{"noPlongee": 5, "lieu": "Cassis"}, {}])");
    json.close();
    ASSERT_EQ(cli({QStringLiteral("from-json"), QStringLiteral("logbook"), path(QStringLiteral("p.json")),
                   path(QStringLiteral("p.ondrix"))})
                  .status,
              0);
    auto dives = logbookarchive::decode(readFile(path(QStringLiteral("p.ondrix"))));
    ASSERT_TRUE(dives);
    ASSERT_EQ(dives->size(), 2);
    EXPECT_EQ((*dives)[0].noPlongee(), 5);
    EXPECT_EQ((*dives)[0].lieu(), QStringLiteral("Cassis"));
    EXPECT_FALSE((*dives)[0].site().has_value());
    EXPECT_TRUE((*dives)[1].identical(Plongee()));
}

TEST_F(CliTest, RefusalsAndUsageErrors)
{
    saveFileAtomically(path(QStringLiteral("zeros")), QByteArray(100, '\0'));
    saveFileAtomically(path(QStringLiteral("cut.ondrix")), logbookarchive::encode(someDives(2))->chopped(5));
    saveFileAtomically(path(QStringLiteral("bad.json")), QByteArray("[{\"noPlongee\": 1},\n {\"lieu\": 3}]"));
    saveFileAtomically(path(QStringLiteral("broken.json")), QByteArray("[{\"noPlongee\": 1,\n  ]"));
    saveFileAtomically(path(QStringLiteral("unknown.json")), QByteArray("[{\"noPlonge\": 1}]"));
    saveFileAtomically(path(QStringLiteral("out.ondrix")), QByteArray("old contents"));

    const struct {
        QStringList args;
        int status;
        const char* message;
    } cases[] = {
        {{QStringLiteral("info"), path(QStringLiteral("missing"))}, 1, "missing: "},
        {{QStringLiteral("info"), path(QStringLiteral("zeros"))}, 1, "zeros: not an Ondrix document"},
        {{QStringLiteral("dump"), path(QStringLiteral("cut.ondrix"))}, 1, "cut.ondrix: the file is damaged"},
        {{QStringLiteral("dump"), dir.path()}, 1, "is a folder"},
        {{QStringLiteral("from-json"), QStringLiteral("logbook"), path(QStringLiteral("bad.json")),
          path(QStringLiteral("out.ondrix"))},
         1, "record 1: the value of \"lieu\""},
        {{QStringLiteral("from-json"), QStringLiteral("logbook"), path(QStringLiteral("broken.json")),
          path(QStringLiteral("out.ondrix"))},
         1, "broken.json: line 2, column"},
        {{QStringLiteral("from-json"), QStringLiteral("logbook"), path(QStringLiteral("unknown.json")),
          path(QStringLiteral("out.ondrix"))},
         1, "no dive field is named \"noPlonge\""},
        {{QStringLiteral("from-json"), QStringLiteral("diary"), path(QStringLiteral("bad.json")),
          path(QStringLiteral("out.ondrix"))},
         2, "unknown document type id"},
        {{QStringLiteral("info")}, 2, "info takes one FILE"},
        {{QStringLiteral("frobnicate")}, 2, "unknown command"},
        {{}, 2, "no command given"},
        {{QStringLiteral("generate"), QStringLiteral("--dives"), QStringLiteral("-3"), path(QStringLiteral("x"))}, 2,
         "--dives"},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.startsWith("ondrix-cli: ")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    // Nothing was written over the output of a refused build.
    EXPECT_EQ(readFile(path(QStringLiteral("out.ondrix"))), QByteArray("old contents"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x"))));
}

// A new document replaces OUT whole and opens again; a refused one leaves
// OUT as it was.
TEST_F(CliTest, NewWritesAnEmptyDocumentThatOpensAgain)
{
    saveFileAtomically(path(QStringLiteral("old.ondrix")), *logbookarchive::encode(someDives(2)));
    saveFileAtomically(path(QStringLiteral("kept")), QByteArray("kept contents"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString n = QStringLiteral("new"), logbook = QStringLiteral("logbook");
    const struct {
        QStringList args;
        const char* file; // written, or left as it was
        int status;
        const char* message; // on stderr; none when done
    } cases[] = {
        {{n, logbook, path(QStringLiteral("fresh.ondrix"))}, "fresh.ondrix", 0, ""},
        {{n, logbook, path(QStringLiteral("old.ondrix"))}, "old.ondrix", 0, ""},
        {{n, QStringLiteral("diary"), path(QStringLiteral("kept"))}, "kept", 1,
         "kept: unknown document type id \"diary\" (the ids are logbook, papers, "},
        {{n, QStringLiteral("Carnet de plongee"), path(QStringLiteral("kept"))}, "kept", 1, "unknown document type id"},
        {{n, QStringLiteral("wrecks"), path(QStringLiteral("fresh.wrecks"))}, "fresh.wrecks", 0, ""},
        {{n, QStringLiteral("papers"), path(QStringLiteral("kept"))}, "kept", 1,
         "kept: \"papers\" documents cannot be made by this version"},
        {{n, logbook, path(QStringLiteral("no-folder/x.ondrix"))}, "no-folder/x.ondrix", 1, "x.ondrix: "},
        {{n, logbook, path(QStringLiteral("folder"))}, "folder", 1, "folder: "},
        {{n, logbook}, "kept", 2, "new takes ID OUT"},
        {{n, logbook, path(QStringLiteral("kept")), QStringLiteral("more")}, "kept", 2, "new takes ID OUT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        const QString file = path(QString::fromLatin1(c.file));
        const QByteArray before = readFile(file);
        const bool existed = QFileInfo::exists(file);
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.out.isEmpty());
        if (c.status == 0) {
            EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
            const CliRun info = cli({QStringLiteral("info"), file});
            ASSERT_EQ(info.status, 0) << info.err.toStdString();
            EXPECT_TRUE(info.out.startsWith("{\"type\":\"" + c.args[1].toUtf8() + "\",\"records\":0,"))
                << info.out.toStdString();
        } else {
            EXPECT_TRUE(r.err.startsWith("ondrix-cli: ") && r.err.contains(c.message)) << r.err.toStdString();
            EXPECT_EQ(QFileInfo::exists(file), existed);
            EXPECT_EQ(readFile(file), before);
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter(QStringLiteral(".lock")), QStringList());
}

TEST_F(CliTest, TheProgramWiresStatusAndStreams)
{
    QProcess p;
    p.start(QStringLiteral(ONDRIX_CLI_PATH), {QStringLiteral("info"), path(QStringLiteral("nothing-here"))});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().startsWith("ondrix-cli: "));
    EXPECT_TRUE(p.readAllStandardOutput().isEmpty());

    p.start(QStringLiteral(ONDRIX_CLI_PATH), {QStringLiteral("--help")});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    const QByteArray help = p.readAllStandardOutput();
    EXPECT_TRUE(help.contains("from-json ID IN.json OUT"));
    EXPECT_TRUE(help.contains("new ID OUT"));
}

TEST_F(CliTest, SettingsFileIsCreatedWhenAbsent)
{
    saveFileAtomically(path(QStringLiteral("e.ondrix")), *logbookarchive::encode({}));
    const QString settings = path(QStringLiteral("sub/settings.ini"));
    const CliRun r = cli({QStringLiteral("--settings"), settings, QStringLiteral("info"), path(QStringLiteral("e.ondrix"))});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_TRUE(QFile::exists(settings));
}
