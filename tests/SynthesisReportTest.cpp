#include "logbook/Plongee.h"
#include "platform/Localizer.h"
#include "stats/SynthesisReport.h"
#include "support/RegisterTesting.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Every key of the program's tables, each showing itself as "<key>", so
// that a golden text shows where each piece came from whatever the
// translations say. "Cotation 1" stays a star.
Localizer keyedLocalizer()
{
    QFile file(QStringLiteral(":/i18n/en.json"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject all = QJsonDocument::fromJson(file.readAll()).object();
    Localizer::Tables tables;
    for (auto table = all.begin(); table != all.end(); ++table) {
        const QJsonObject keys = table->toObject();
        for (auto key = keys.begin(); key != keys.end(); ++key)
            tables[table.key()][key.key()] = u'<' + key.key() + u'>';
    }
    tables[QStringLiteral("Main")][QStringLiteral("Cotation 1")] = QStringLiteral("*");
    tables[QStringLiteral("Carnet")][QStringLiteral("GPS template")] = QStringLiteral("00 N 00 E");
    return Localizer::fromTables(tables);
}

// Expected: a piece of the report, markers around it included; us: in US units.
struct Case { const char* what; std::function<void(Plongee&)> set; const char* expected; bool us = false; };

const QDateTime kAt2340(QDate(2001, 1, 1), QTime(23, 40));

// A dive whose codes name nothing, each case changes what it shows.
Plongee baseDive()
{
    Plongee d;
    d.setNoPlongee(7); d.setTempEau(-50); d.setTempAir(-50); d.setMeteo(7); d.setCourant(6); d.setVisibilite(7);
    d.setTypePlongee(8); d.setGpsSystem(1); d.setConfiguration(1); d.setCombinaison(0); d.setO2Mix(21);
    d.setO2Mix_2(21); d.setDifficulte(-1); d.setDeco(9);
    return d;
}

TEST(SynthesisReportTest, TextsOfEachCode)
{
    const Case cases[] = {
        {"number", [](Plongee&) {}, "<Dive number>7<General>"},
        {"gps label WGS84, placeholder position left out",
         [](Plongee& d) { d.setGps(QStringLiteral("00 N 00 E")); }, "<Pays>\nG.P.S. (WGS84) : <Tide coefficient>"},
        {"gps ED50 with a position", [](Plongee& d) { d.setGpsSystem(2); d.setGps(QStringLiteral("43N 6E")); },
         "\nG.P.S. (ED50) : 43N 6E<Tide"},
        {"gps other", [](Plongee& d) { d.setGpsSystem(0); }, "\nG.P.S. (...) : <Tide"},
        {"gps code 3 shows no label", [](Plongee& d) { d.setGpsSystem(3); }, "<Pays><Tide coefficient>"},
        {"high tide", [](Plongee& d) { d.setCoeff(95); d.setPmBm(1); }, "<Tide coefficient>95 (Pleine mer)<Wrecks>"},
        {"low tide", [](Plongee& d) { d.setCoeff(40); d.setPmBm(2); }, "<Tide coefficient>40 (Basse mer)<Wrecks>"},
        {"no tide", [](Plongee&) {}, "<Tide coefficient>0 (...)<Wrecks>"},
        {"weather", [](Plongee& d) { d.setMeteo(6); }, "<Weather><Thundery><Wind>"},
        {"weather out of range", [](Plongee& d) { d.setMeteo(8); }, "<Weather><Wind>"},
        {"no wind", [](Plongee& d) { d.setVentForce(1); }, "<Wind><No wind><Current>"},
        {"wind sector E force 4", [](Plongee& d) { d.setVentForce(5); d.setVentSecteur(3); },
         "<Wind><Wind sector>E<Wind force>4<Current>"},
        {"wind N-W", [](Plongee& d) { d.setVentForce(2); d.setVentSecteur(8); }, "<Wind sector>N-W<Wind force>1<"},
        {"wind not given", [](Plongee&) {}, "<Wind>NA<Current>"},
        {"wind force 0 with a sector", [](Plongee& d) { d.setVentSecteur(2); }, "<Wind><Current>"},
        {"current", [](Plongee& d) { d.setCourant(5); }, "<Current><Violent><Visibility>"},
        {"visibility exceptional", [](Plongee& d) { d.setVisibilite(8); }, "<Visibility><Exceptional><Dive type>"},
        {"water and air in C", [](Plongee& d) { d.setTempEau(14); d.setTempAir(-3); },
         "<Water temperature>14 °C<Air temperature>-3 °C<Dive type>"},
        {"water in F", [](Plongee& d) { d.setTempEau(60); }, "<Water temperature>60 °F<Dive type>", true},
        {"-50 is not recorded", [](Plongee&) {}, "<Visibility><N/A><Dive type>"},
        {"kind 2 has no name", [](Plongee& d) { d.setTypePlongee(2); }, "<Dive type><Difficulty level>"},
        {"kind 14", [](Plongee& d) { d.setTypePlongee(14); }, "<Dive type><Recuperation><Difficulty"},
        {"night", [](Plongee& d) { d.setNocturne(1); }, "<Other><Night><Difficulty level>"},
        {"difficulty 2 shows three marks", [](Plongee& d) { d.setDifficulte(2); }, "<Difficulty level>***<Param"},
        {"difficulty 0 shows one mark", [](Plongee& d) { d.setDifficulte(0); }, "<Difficulty level>*<Param"},
        {"difficulty -1 none", [](Plongee&) {}, "<Difficulty level><Parameters>"},
        {"depth in m, end time", [](Plongee& d) { d.setProfondeur(25.5f); d.setTemps(50); d.setHeure(kAt2340); },
         "<Depth>25.5 m<Time>50 min.<Surface><Start time>23:40<End time>00:30<Altitude>0 m<Decomp"},
        {"depth in ft", [](Plongee& d) { d.setProfondeur(80); d.setAltitude(300); },
         "<Depth>80 ft<Time>0 min.<Surface><Start time><End time><Altitude>300 ft", true},
        {"computer", [](Plongee& d) { d.setDeco(0); d.setOrdinateur(QStringLiteral("Vyper")); },
         "<Deco computer>Vyper<Gas>"},
        {"air tables", [](Plongee& d) { d.setDeco(1); }, "<Decompression><Deco air tables><Gas>"},
        {"run time", [](Plongee& d) { d.setDeco(3); d.setRuntime(QStringLiteral("plan")); d.setDeco_TTS(12); },
         "< Run Time><Deco soft name><Deco algorythm type><Deco conservatism><Detail runtime>plan\n\n<TTS>12 min."},
        {"stop on nitrox 50", [](Plongee& d) { d.setDecoTime_Level_1(3); d.setDecoDepth_Level_1(6); d.setDecoO2_Level_1(50); },
         "<Decompression>\n   - 6.0 m : 3 min. - (Nitrox 50)<Gas>"},
        {"stop on trimix 21/35", [](Plongee& d) {
             d.setDecoTime_Level_2(2); d.setDecoDepth_Level_2(4.5f); d.setDecoO2_Level_2(21); d.setDecoHe_Level_2(35); },
         "\n   - 4.5 m : 2 min. - (Trimix 21/35)<Gas>"},
        {"stop on air in ft", [](Plongee& d) { d.setDecoTime_Level_5(1); d.setDecoDepth_Level_5(10); },
         "\n   - 10.0 ft : 1 min. - (Air)<Gas>", true},
        {"stop on triox", [](Plongee& d) { d.setDecoTime_Level_3(1); d.setDecoO2_Level_3(30); d.setDecoHe_Level_3(20); },
         " - (Triox 30/20)<Gas>"},
        {"stop gas 18 % without helium has no name",
         [](Plongee& d) { d.setDecoTime_Level_4(1); d.setDecoO2_Level_4(18); }, "1 min. - <Gas>"},
        {"open circuit tank",
         [](Plongee& d) { d.setVolumeBloc(12); d.setPressionBloc(232); d.setPressionDepart(200); d.setPressionFin(50); },
         "<Scaphander><Open circuit>\n<Steel> 12<At>232<Tank pressure><Start pressure>200 bar.<End pressure>50 bar."
         "<Used pressure>150 bar.<Available gas>2400 litres<Breathed gas>1800 litres<Used gas>Air<Equipment>"},
        {"semi-closed nitrox with flow",
         [](Plongee& d) { d.setRebreather(1); d.setGaz(1); d.setO2Mix(40); d.setFlow(12.5f); d.setAlliageBloc(1); },
         "<SCR rebreather><Tank_1><Aluminum> 0<At>0<"},
        {"flow", [](Plongee& d) { d.setRebreather(1); d.setGaz(1); d.setO2Mix(40); d.setFlow(12.5f); },
         "<Used gas>Nitrox 40<Flow>12.5 L/min.<"},
        {"closed circuit oxygen and diluent", [](Plongee& d) {
             d.setRebreather(3); d.setAlliageBloc(2); d.setVolumeBloc_2(3); d.setO2Mix_2(10); d.setHeMix_2(50); },
         "<CCR rebreather><Oxygen><Carbon> 0"},
        {"diluent trimix", [](Plongee& d) { d.setRebreather(2); d.setVolumeBloc_2(3); d.setO2Mix_2(10); d.setHeMix_2(50); },
         "<Diluent><Steel> 3<At>0<Tank pressure>"},
        {"tank 2 trimix", [](Plongee& d) { d.setVolumeBloc_2(3); d.setO2Mix_2(10); d.setHeMix_2(50); },
         "<Used gas>Trimix 10/50<Equipment>"},
        {"tank 2 nitrox", [](Plongee& d) { d.setVolumeBloc_2(3); d.setO2Mix_2(80); }, "<Tank_2><Steel> 3"},
        {"tank 2 triox", [](Plongee& d) { d.setVolumeBloc_2(3); d.setO2Mix_2(30); d.setHeMix_2(30); },
         "<Used gas>Triox 30/30<"},
        {"tank 2 heliox", [](Plongee& d) { d.setVolumeBloc_2(3); d.setO2Mix_2(30); d.setHeMix_2(70); },
         "<Used gas>Heliox 30<"},
        {"mix codes", [](Plongee& d) { d.setGaz(5); d.setO2Mix(18); d.setHeMix(30); }, "<Used gas>Heliair 18/30<"},
        {"mix code 3", [](Plongee& d) { d.setGaz(3); d.setO2Mix(20); }, "<Used gas>Heliox 20<"},
        {"mix code 4", [](Plongee& d) { d.setGaz(4); d.setO2Mix(30); d.setHeMix(20); }, "<Used gas>Triox 30/20<"},
        {"mix code 2", [](Plongee& d) { d.setGaz(2); d.setO2Mix(18); d.setHeMix(45); }, "<Used gas>Trimix 18/45<"},
        {"ponies", [](Plongee& d) {
             d.setDecoO2_Level_1(50); d.setPressDepartPony1(200); d.setPressFinPony1(120);
             d.setDecoO2_Level_3(100); d.setPressDepartPony3(180); d.setPressFinPony3(150); },
         "<Ponies>\n   - Deco 1 : 50 % O₂ (200-120 bar)\n   - Deco 3 : 100 % O₂ (180-150 bar)<Equipment>"},
        {"second pony without the first", [](Plongee& d) { d.setDecoO2_Level_2(80); d.setPressDepartPony2(150); },
         "<Used gas>Air\n   - Deco 2 : 80 % O₂ (150-0 bar)<Equipment>"},
        {"bail-out", [](Plongee& d) {
             d.setO2Bailout1(21); d.setHeBailout1(35); d.setPressDepartBailout1(200); d.setPressFinBailout1(190);
             d.setO2Bailout2(50); d.setPressDepartBailout2(180); },
         "\n\nBail-out\n   - Bail-out 1 : 21 % O₂ - 35 % He (200-190 bar)\n   - Bail-out 2 : 50 % O₂ - 0 % He "
         "(180-0 bar)<Equipment>"},
        {"tek, wet suit", [](Plongee&) {}, "<Configuration><Tek>\n   - <Wet suit><Weight>0 kg"},
        {"no tek shorty", [](Plongee& d) { d.setConfiguration(0); d.setCombinaison(2); },
         "<Configuration><No Tek>\n   - Shorty<Weight>"},
        {"t-shirt", [](Plongee& d) { d.setCombinaison(5); }, "<Tek>\n   - T-shirt<Weight>"},
        {"tropical", [](Plongee& d) { d.setCombinaison(6); }, "\n   - <Tropical suit><Weight>"},
        {"suit and configuration out of range", [](Plongee& d) { d.setConfiguration(2); d.setCombinaison(7); },
         "<Configuration><Weight>"},
        {"equipment items", [](Plongee& d) {
             d.setEquip_1(QStringLiteral("Fins")); d.setEquip_2(QStringLiteral("")); d.setEquip_12(QStringLiteral("Reel"));
             d.setLestage(6.5f); d.setNotes(QStringLiteral("Calm")); },
         "<Wet suit>\n   - Fins\n   - Reel<Weight>6.5 kg<Notes>Calm\n\n"},
    };
    const Localizer loc = keyedLocalizer();
    for (const Case& c : cases) {
        Plongee dive = baseDive();
        c.set(dive);
        const QString text = SynthesisReport(loc, c.us).dive(dive).plainText();
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.expected))) << c.what << "\n" << qPrintable(text);
    }
}

TEST(SynthesisReportTest, StylesSeparatorAndChoice)
{
    const Localizer loc = keyedLocalizer();
    const StyledText text = SynthesisReport(loc, false).dive(baseDive());
    EXPECT_TRUE(text.plainText().endsWith(QStringLiteral("\n\n") + QString(97, QChar(0x2022)) + QStringLiteral("\n\n")));
    // The label in no colour, its value blue; the title "<General>" red,
    // underlined from its sixth character.
    const std::string styled = registertesting::marked(text);
    EXPECT_EQ(styled.rfind("{d}<Dive number>{b}7{r}<Gene{R}ral>", 0), 0u) << styled.substr(0, 80);

    using R = SynthesisReport;
    EXPECT_EQ(R::rowsFor(R::SelectedDive, 3, -1), QList<int>());
    EXPECT_EQ(R::rowsFor(R::SelectedDive, 3, 3), QList<int>());
    EXPECT_EQ(R::rowsFor(R::SelectedDive, 3, 1), QList<int>{1});
    EXPECT_EQ(R::rowsFor(R::AllDives, 3, -1), (QList<int>{0, 1, 2}));
    EXPECT_EQ(R::rowsFor(R::AllDives, 0, 0), QList<int>());

    const QList<Plongee> dives(5, baseDive());
    qsizetype told = 0;
    const auto cancelled = SynthesisReport(loc, false).dives(dives, R::rowsFor(R::AllDives, 5, -1), [&](qsizetype done, qsizetype total) {
        told = done;
        EXPECT_EQ(total, 5);
        return done < 2;
    });
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(told, 2);
    const auto whole = SynthesisReport(loc, false).dives(dives, {4, 0});
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->plainText().count(QStringLiteral("<Dive number>")), 2);
}

} // namespace
