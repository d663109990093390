#include "support/CliRun.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <span>

namespace {

class CliRegistersTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }

    // The painting commands (report) run as a whole program.
    CliRun cli(const QStringList& args, const char* lang = "C")
    {
        qputenv("LANG", lang);
        const QString settings = path("settings.ini");
        return args[0] == u"report" ? runProgram(settings, args) : runCli(settings, args);
    }

    // Out: the whole output, or its start for dump, show and report.
    struct Step { QStringList args; int status; QByteArray out; const char* lang = "C"; };
    void runSteps(std::span<const Step> steps)
    {
        for (const Step& step : steps) {
            const CliRun r = cli(step.args, step.lang);
            EXPECT_EQ(r.status, step.status) << step.args.join(u' ').toStdString() << "\n" << r.err.toStdString();
            if (!step.out.isEmpty() || step.status != 0) {
                const bool start = step.args[0] == u"dump" || step.args[0] == u"show" || step.args[0] == u"report";
                EXPECT_TRUE(start ? r.out.startsWith(step.out) : r.out == step.out)
                    << step.args.join(u' ').toStdString() << "\n" << r.out.toStdString();
            }
        }
    }
};

} // namespace

TEST_F(CliRegistersTest, NewAddListSortDumpFromJson)
{
    const QString w = path("w.wrecks");
    const Step steps[] = {
        {{"new", "wrecks", w}, 0, ""},
        {{"info", w}, 0, R"({"type":"wrecks","records":0,"versions":{"Epaves":5},"bytes":51})" "\n"},
        {{"add", w, "nom=Donator", "longueur=12", "pointHaut=-", "pointBas=44.5", "propulsion=6", "interet=3",
          "technicite=2", "aVisiter=1"}, 0, ""},
        {{"add", w, "nom=Arroyo", "longueur=0.5", "pointHaut=18 m", "pointBas=deep"}, 0, ""},
        {{"list", w, "--colours"}, 0,
         "Name\tType\tNationality\tLength\tPropulsion\tShallowest\tDeepest\tPlace\tSite\tCountry\tInterest\tDifficulty\n"
         "Donator\t#ff0000\t\t-\t\t-\t12.0 m\t-\tSteam\t-\t-\t-\t44.5 m\t-\t\t-\t\t-\t\t-\t***\t#996633\t**\t#0000ff\n"
         "Arroyo\t-\t\t-\t\t-\t-\t-\tN/A\t-\t18 m\t-\t-\t-\t\t-\t\t-\t\t-\tNot rated\t-\tNot rated\t-\n" "2 cards\n"},
        {{"sort", w, "nom", "asc"}, 0, ""},
        {{"list", w}, 0,
         "Name\tType\tNationality\tLength\tPropulsion\tShallowest\tDeepest\tPlace\tSite\tCountry\tInterest\tDifficulty\n"
         "Arroyo\t\t\t-\tN/A\t18 m\t-\t\t\t\tNot rated\tNot rated\n"
         "Donator\t\t\t12.0 m\tSteam\t-\t44.5 m\t\t\t\t***\t**\n" "2 cards\n"},
        {{"dump", w}, 0, R"([
{"nom":"Arroyo","type":"","immatriculation":"","nationalite":"","longueur":0.5,"largeur":-1,)"},
        {{"show", w, "1"}, 0,
         "{\"row\":1,\n \"orientation.enabled\":false,\n \"orientationSlider.enabled\":false,\n \"orientationSlider\":0,\n"
         " \"dateVisite.visible\":false,\n \"interetValue\":\"3\",\n \"techniciteValue\":\"2\",\n"
         " \"nombreFichesField\":\"2 cards\",\n \"previousButton.enabled\":true,\n \"nextButton.enabled\":false,\n"
         " \"form\":{\"nom\":\"Donator\",\"type\":\"\",\"immatriculation\":\"\",\"nationalite\":\"\",\"longueur\":\"12\","
         "\"largeur\":\"-1\","},
        {{"report", w}, 0, "Wrecks\n--------------------\nName: Arroyo\n\nCharacteristics\nType: \nRegistration: \n"
                           "Length (m): 0.5\nBeam (m): -\n"},
        {{"show", w, "2"}, 1, ""},
        {{"report", w, "--pdf"}, 2, ""},
        {{"report", path("settings.ini"), "--all"}, 1, ""}, // neither a register nor a logbook
        {{"generate", "--type", "wrecks", "--records", "3", path("g.wrecks")}, 0, ""},
        {{"generate", "--records", "3", path("g.wrecks")}, 2, ""},
        {{"sort", w, "photographe"}, 2, ""},
        {{"add", w, "materiau=9"}, 1, ""},
        {{"add", w, "tableauDesEpaves=1"}, 2, ""},
        {{"update", w, "2", "nom=x"}, 1, ""},
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
    runSteps(steps);

    // from-json gives back the dump.
    const CliRun dumped = cli({"dump", w});
    ASSERT_TRUE(writeFile(path("w.json"), dumped.out));
    ASSERT_EQ(cli({"from-json", "wrecks", path("w.json"), path("copy.wrecks")}).status, 0);
    EXPECT_EQ(cli({"dump", path("copy.wrecks")}).out, dumped.out);
}

TEST_F(CliRegistersTest, GeneratedCardsAndTheirReport)
{
    const QString g = path("g.wrecks");
    for (const QString& out : {g, path("again.wrecks")})
        ASSERT_EQ(cli({"generate", "--type", "wrecks", "--records", "25", "--seed", "4", out}).status, 0);
    EXPECT_EQ(fileContent(g), fileContent(path("again.wrecks")));
    EXPECT_TRUE(cli({"info", g}).out.contains(R"("records":25)"));

    const CliRun text = cli({"report", g});
    EXPECT_EQ(text.out.count("\n--------------------\n"), 26);
    EXPECT_TRUE(text.out.contains("\nFile dir : " + g.toUtf8() + "\n\nEdition date : "));
    ASSERT_EQ(cli({"report", g, "--html", path("r.html")}).status, 0);
    const QByteArray html = fileContent(path("r.html"));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
    EXPECT_TRUE(html.contains(R"(<span style="color:#ff0000;text-decoration:underline"><br/>)"));
    ASSERT_EQ(cli({"report", g, "--pdf", path("r.pdf")}).status, 0);
    EXPECT_TRUE(fileContent(path("r.pdf")).startsWith("%PDF"));

    // A card of a file older than version 5 has no update date: the form
    // shows none, storing it keeps none and the report prints none.
    writeFile(path("old.json"), R"([{"nom":"Old"}])");
    ASSERT_EQ(cli({"from-json", "wrecks", path("old.json"), path("old.wrecks")}).status, 0);
    ASSERT_EQ(cli({"update", path("old.wrecks"), "0", "nom=Older"}).status, 0);
    EXPECT_TRUE(cli({"dump", path("old.wrecks")}).out.contains(R"("miseAJour":null)"));
    EXPECT_TRUE(cli({"show", path("old.wrecks"), "0"}).out.contains(R"("miseAJour":null)"));
    EXPECT_TRUE(cli({"report", path("old.wrecks")}).out.contains("\nCard updated on: \n"));
}

TEST_F(CliRegistersTest, EquipmentAndConsumablesThroughTheirForms)
{
    const QString e = path("e.od"), c = path("c.od");
    const Step steps[] = {
        {{"new", "equipment", e}, 0, ""},
        {{"add", e, "typeMatos=Fins", "equipState=5", "factureMatos=1", "dateAchat=2024-03-05"}, 0, ""},
        {{"add", e, "typeMatos=Cylinder", "noInspection=0", "lastRevision=2020-01-01", "nextRevision=2019-01-01",
          "bloc=1", "dateAchat="}, 0, ""},
        {{"list", e, "--colours"}, 0,
         "No.\tType\tMake\tSerial\tBought\tQty\tPrice\tInvoice\tShop\tState\tNext inspection\tInspection period\n"
         "1\t#996633\tFins\t-\t\t-\t\t-\t05/03/2024\t-\t1\t-\t\t-\t✓\t#ff0000\t\t-\tLost\t#ff0000\t-\t-\t0.000000\t-\n"
         "2\t#996633\tCylinder\t-\t\t-\t\t-\t\t-\t1\t-\t\t-\t\t#ff0000\t\t-\tIn service\t#1f8703\t01/01/2019\t-\t"
         "100.000000\t-\n2 cards\n"},
        {{"show", e, "1"}, 0, "{\"row\":1,\n \"lastRevision.visible\":true,\n \"nextRevision.visible\":true,\n"},
        {{"sort", e, "progress", "desc"}, 0, ""},
        {{"report", e}, 0, "Equipment inventory\n\nCard No: 2\nType: Cylinder\n"},
        {{"add", e, "equipState=7"}, 1, ""},
        {{"new", "consumables", c}, 0, ""},
        {{"add", c, "reference=OR-1", "stock=2", "reserve=5"}, 0, ""},
        {{"add", c, "reference=OR-2", "stock=3", "reserve=0", "noInventaire=0", "dateInventaire=01/02/2025"}, 0, ""},
        {{"sort", c, "progress", "desc"}, 0, ""},
        {{"list", c}, 0, "Référence\tMarque\tUtilisation\tStock\tRéserve\tRangement\tInventaire\tNiveau\n"
                         "OR-2\t\t\t3\t0\t\t01/02/2025\t30.000000\nOR-1\t\t\t2\t5\t\t\t4.000000\n2 fiches\n",
         "fr_FR.UTF-8"},
        {{"generate", "--type", "consumables", "--records", "3", path("g.od")}, 0, ""},
        {{"info", path("g.od")}, 0, "{\"type\":\"consumables\",\"records\":3,\"versions\":{\"Consommables\":2},\"bytes\":426}\n"},
    };
    runSteps(steps);
    // The reversed dates make the cylinder out of date.
    EXPECT_TRUE(cli({"show", e, "0"}).out.contains("\"inspectionStatus\":\"Out of date\",\n \"inspectionStatus.colour\":\"#ff0000\""));
}

TEST_F(CliRegistersTest, AddressBooksThroughEveryVerb)
{
    // Shown: a derived value of `show` for the added card.
    const struct { const char* type; const char* versions; QStringList columns; const char* shown; } books[] = {
        {"firms", R"("versions":{"Entreprises":3})",
         {"entreprise", "activite", "ville", "pays", "telephone", "email", "cotation", "miseAJour"},
         "\"miseAJourColour\":\"red\""},
        {"structures", R"("versions":{"Structures":1})",
         {"nom", "type", "affiliation", "ville", "pays", "telephone", "cotation", "nbPlongees", "miseAJour"},
         "\"cotationValue\":\"N/A\""},
    };
    for (const auto& book : books) {
        const QString f = path(book.type);
        ASSERT_EQ(cli({"generate", "--type", book.type, "--records", "20", "--seed", "3", f}).status, 0);
        EXPECT_TRUE(cli({"info", f}).out.contains(book.versions)) << book.type;
        for (const QString& column : book.columns)
            EXPECT_EQ(cli({"sort", f, column, "asc"}).status, 0) << book.type << " " << column.toStdString();
        ASSERT_EQ(cli({"add", f, "codePostal=06400", "miseAJour=2001-01-01", "cotation=0"}).status, 0);
        ASSERT_EQ(cli({"insert", f, "0", "codePostal=PL1 3DX"}).status, 0);
        ASSERT_EQ(cli({"delete", f, "1"}).status, 0);
        const CliRun list = cli({"list", f});
        EXPECT_TRUE(list.out.count('\n') == 1 + 21 + 1 && list.out.endsWith("\n21 cards\n")) << list.out.toStdString();
        const CliRun dumped = cli({"dump", f});
        EXPECT_TRUE(dumped.out.contains(R"("codePostal":"PL1 3DX")") && dumped.out.contains(R"("codePostal":"06400")"))
            << book.type;
        const CliRun shown = cli({"show", f, "20"});
        EXPECT_TRUE(shown.out.contains(book.shown)) << book.type << shown.out.toStdString();
        EXPECT_TRUE(cli({"report", f}).out.startsWith("Address book\n")) << book.type;
        writeFile(path("book.json"), dumped.out);
        ASSERT_EQ(cli({"from-json", book.type, path("book.json"), path("copy")}).status, 0);
        EXPECT_EQ(cli({"dump", path("copy")}).out, dumped.out) << book.type;
    }
}
