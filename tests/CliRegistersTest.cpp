#include "app/cli/Cli.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CliRegistersTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    struct Run {
        int status;
        QByteArray out, err;
    };
    Run cli(QStringList args, const char* lang = "C")
    {
        qputenv("LANG", lang);
        args.prepend(path("settings.ini"));
        args.prepend(QStringLiteral("--settings"));
        Run r;
        r.status = Cli::run(args, r.out, r.err);
        return r;
    }
};

} // namespace

TEST_F(CliRegistersTest, NewAddListSortDumpFromJson)
{
    const QString w = path("w.wrecks");
    const struct {
        QStringList args;
        int status;
        QByteArray out; // the whole output, or its start for the dump
        const char* lang = "C";
    } steps[] = {
        {{"new", "wrecks", w}, 0, ""},
        {{"info", w}, 0, R"({"type":"wrecks","records":0,"versions":{"Epaves":5},"bytes":51})"
                         "\n"},
        {{"add", w, "nom=Donator", "longueur=12", "pointHaut=-", "pointBas=44.5", "propulsion=6", "interet=3",
          "technicite=2", "aVisiter=1"},
         0, ""},
        {{"add", w, "nom=Arroyo", "longueur=0.5", "pointHaut=18 m", "pointBas=deep"}, 0, ""},
        {{"list", w, "--colours"}, 0,
         "Name\tType\tNationality\tLength\tPropulsion\tShallowest\tDeepest\tPlace\tSite\tCountry\tInterest\tDifficulty\n"
         "Donator\t#ff0000\t\t-\t\t-\t12.0 m\t-\tSteam\t-\t-\t-\t44.5 m\t-\t\t-\t\t-\t\t-\t***\t#996633\t**\t#0000ff\n"
         "Arroyo\t-\t\t-\t\t-\t-\t-\tN/A\t-\t18 m\t-\t-\t-\t\t-\t\t-\t\t-\tNot rated\t-\tNot rated\t-\n"
         "2 cards\n"},
        {{"sort", w, "nom", "asc"}, 0, ""},
        {{"list", w}, 0,
         "Name\tType\tNationality\tLength\tPropulsion\tShallowest\tDeepest\tPlace\tSite\tCountry\tInterest\tDifficulty\n"
         "Arroyo\t\t\t-\tN/A\t18 m\t-\t\t\t\tNot rated\tNot rated\n"
         "Donator\t\t\t12.0 m\tSteam\t-\t44.5 m\t\t\t\t***\t**\n"
         "2 cards\n"},
        {{"dump", w}, 0, R"([
{"nom":"Arroyo","type":"","immatriculation":"","nationalite":"","longueur":0.5,"largeur":-1,)"},
        {{"sort", w, "photographe"}, 2, ""},
        {{"add", w, "materiau=9"}, 1, ""},
        {{"add", w, "tableauDesEpaves=1"}, 2, ""},
        {{"update", w, "2", "nom=x"}, 1, ""},
        {{"new", "equipment", path("e.od")}, 1, ""},
        {{"show", w, "0"}, 1, ""},
        {{"insert", w, "0", "nom=Zeta", "pointBas=50"}, 0, ""},
        {{"update", w, "1", "pointHaut=-", "technicite=3"}, 0, ""},
        {{"delete", w, "2"}, 0, ""},
        {{"list", w}, 0,
         "Nom\tType\tNationalité\tLongueur\tPropulsion\tPoint haut\tPoint bas\tLieu\tSite\tPays\tIntérêt\tTechnicité\n"
         "Zeta\t\t\t-\tN/A\t-\t50 m\t\t\t\tNon coté\tNon coté\n"
         "Arroyo\t\t\t-\tN/A\t-\t-\t\t\t\tNon coté\t***\n"
         "2 fiches\n",
         "fr_FR.UTF-8"},
    };
    for (const auto& step : steps) {
        const Run r = cli(step.args, step.lang);
        EXPECT_EQ(r.status, step.status) << step.args.join(u' ').toStdString() << "\n" << r.err.toStdString();
        if (!step.out.isEmpty() || step.status != 0) {
            EXPECT_TRUE(step.args[0] == u"dump" ? r.out.startsWith(step.out) : r.out == step.out)
                << step.args.join(u' ').toStdString() << "\n" << r.out.toStdString();
        }
    }

    // from-json gives back the dump.
    const Run dumped = cli({"dump", w});
    QFile json(path("w.json"));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(dumped.out);
    json.close();
    ASSERT_EQ(cli({"from-json", "wrecks", path("w.json"), path("copy.wrecks")}).status, 0);
    EXPECT_EQ(cli({"dump", path("copy.wrecks")}).out, dumped.out);
}
