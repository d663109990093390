#include "logbook/DiveChoices.h"
#include "logbook/DiveForm.h"
#include "platform/ArchiveFormat.h"
#include "support/ContextFixture.h"
#include "support/TestDives.h"

using namespace plongee;

namespace {

class DiveFormTest : public ContextFixture {
protected:
    std::unique_ptr<DiveForm> form;
    void SetUp() override
    {
        ContextFixture::SetUp();
        form = std::make_unique<DiveForm>(*context);
        form->blank();
    }
    void type(const char* field, const QString& text) { ASSERT_TRUE(form->typeText(QString::fromLatin1(field), text)); }
    // The dive the form builds, which the test expects to be accepted.
    Plongee built()
    {
        Result<Plongee> d = form->build();
        EXPECT_TRUE(d.ok()) << d.error().toStdString();
        return d ? d.take() : Plongee();
    }
};

} // namespace

TEST_F(DiveFormTest, StoreRulesCorrectTheFormAndTheDive)
{
    const struct {
        const char* field;
        const char* typed;
        qint32 stored;
        const char* shown;
    } cases[] = {
        {"coeff", "15", 0, "-"},        {"coeff", "20", 20, "20"},     {"coeff", "120", 120, "120"},
        {"coeff", "121", 0, "-"},       {"coeff", "-", 0, "-"},        {"tempEau", "101", -50, "-"},
        {"tempEau", "100", 100, "100"}, {"tempEau", "-5", -5, "-5"},   {"tempEau", "-6", -50, "-"},
        {"tempEau", "-", -50, "-"},     {"tempEau", " 12 °C", 12, " 12 °C"}, {"tempEau", "", -50, "-"},
        {"tempEau", "0", 0, "0"},       {"tempAir", "-50", -50, "-"},  {"tempAir", "140", 140, "140"},
        {"tempAir", "141", -50, "-"},   {"altitude", "4000", 4000, "4000"}, {"altitude", "4001", 0, "0"},
        {"altitude", "-1", 0, "0"},     {"temps", "-4", 0, "0"},       {"temps", "45", 45, "45"},
        {"o2Mix", "0", 21, "21"},       {"o2Mix", "32", 32, "32"},     {"o2Mix_2", "-3", 21, "21"},
        {"deco_TTS", "-", 0, "-"},      {"decoO2_Level_2", "-", 0, "-"}, {"decoTime_Level_3", "-2", 0, "0"},
        {"noPlongee", "999999", 999999, "999999"}, {"o2Mix", "32,5 %", 33, "32,5 %"}, {"temps", "45 min", 45, "45 min"},
        {"O2Bailout1", "100", 100, "100"},
    };
    for (const auto& c : cases) {
        form->blank();
        type(c.field, QString::fromUtf8(c.typed));
        const Plongee d = built();
        const int f = Plongee::fieldIndex(QString::fromLatin1(c.field));
        EXPECT_EQ(std::get<qint32>(d.value(f)), c.stored) << c.field << " typed " << c.typed;
        EXPECT_EQ(form->text(f), QString::fromUtf8(c.shown)) << c.field << " typed " << c.typed;
    }
}

TEST_F(DiveFormTest, RefusedTextStoresNothingAndKeepsTheForm)
{
    const struct {
        const char* field;
        const char* typed;
    } cases[] = {
        {"profondeur", "abc"},  {"tempEau", "abc"},
        {"noPlongee", "12abc"}, {"temps", "4O"},
        {"profondeur", "12 km"}, {"profondeur", "1e40"},
        {"profondeur", "2000.5"}, {"temps", "99999999999"},
        {"temps", "6001"}, {"noPlongee", "1000000"},
        {"o2Mix", "150"}, {"o2Mix_2", "101"},
        {"decoO2_Level_4", "101"},
        {"pressionFin", "1e40"}, {"volumeBloc", "-1"},
        {"O2Bailout2", "150"}, // last: a blank form keeps the bail-out values
    };
    for (const auto& c : cases) {
        form->blank();
        type("coeff", QStringLiteral("15")); // a correction that must not happen either
        type(c.field, QString::fromUtf8(c.typed));
        const qsizetype before = alerts.asked().size();
        const Result<Plongee> d = form->build();
        EXPECT_FALSE(d.ok()) << c.field << " typed " << c.typed;
        EXPECT_EQ(alertKeys().mid(before).value(0), QLatin1String("Dive refused")) << c.field << " typed " << c.typed;
        EXPECT_NE(d.error().indexOf(QLatin1String(c.field)), -1) << d.error().toStdString();
        EXPECT_EQ(alerts.asked().last().message, d.error());
        EXPECT_EQ(alerts.asked().last().table, QStringLiteral("Carnet"));
        EXPECT_EQ(form->text(Plongee::fieldIndex(QString::fromLatin1(c.field))), QString::fromUtf8(c.typed));
        EXPECT_EQ(form->text(idx_coeff), QStringLiteral("15"));
    }
}

TEST_F(DiveFormTest, ATextTheArchiveCannotHoldIsRefused)
{
    type("notes", QString(qsizetype(archive::kMaxStringBytes / 2 + 1), QChar(u'é'))); // two bytes each in UTF-8
    EXPECT_FALSE(form->build().ok());
    type("notes", QString(qsizetype(archive::kMaxStringBytes / 2), QChar(u'e')));
    EXPECT_TRUE(form->build().ok());
}

TEST_F(DiveFormTest, TypedControlsRefuseWhatNoControlCanShow)
{
    const struct {
        const char* field;
        const char* typed;
        bool taken;
    } cases[] = {
        {"visibilite", "99", false}, {"visibilite", "8", true},  {"visibilite", "abc", false},
        {"difficulte", "9", false},  {"difficulte", "5", true},  {"difficulte", "-1", false},
        {"ventSecteur", "8", true},  {"ventSecteur", "9", false}, {"gaz", "2.5", false},
        {"nocturne", "maybe", false}, {"nocturne", "off", true}, {"nocturne", "1", true},
        {"date", "2020-02-31", false}, {"date", "31/02/2020", false}, {"date", "2020-02-29", true},
        {"date", "29/02/2020", true}, {"date", "1899-12-31", false}, {"date", "2201-01-01", false},
        {"heure", "25:00", false},   {"heure", "09:30", true},    {"nosuchfield", "1", false},
        {"profilProfondeur", "1", false}, {"date", "someday", false}, {"date", "2024-02-29", true},
        {"nocturne", "on", true},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_EQ(form->typeText(QString::fromLatin1(c.field), QLatin1String(c.typed), &error), c.taken)
            << c.field << "=" << c.typed;
        EXPECT_EQ(error.isEmpty(), c.taken) << c.field << "=" << c.typed;
    }
    EXPECT_EQ(form->dateTime(idx_date).date(), QDate(2024, 2, 29));
    EXPECT_TRUE(form->isOn(idx_nocturne));
}

TEST_F(DiveFormTest, DecimalFieldsAndTexts)
{
    type("profondeur", "-3.5");
    type("lestage", "0.0");
    built();
    EXPECT_EQ(form->text(idx_lestage), QStringLiteral("0.0")); // zero is kept as typed
    type("lestage", "-2");
    EXPECT_EQ(built().lestage(), 0.0f); // a negative weight is none
    EXPECT_EQ(form->text(idx_lestage), QStringLiteral("0"));
    type("lestage", "4,5 kg");
    type("decoDepth_Level_2", "4.5");
    type("flow", "17,7");
    type("lieu", "  Cassis ");
    const Plongee d = built();
    EXPECT_EQ(d.profondeur(), 0.0f);
    EXPECT_EQ(form->text(idx_profondeur), QStringLiteral("0"));
    EXPECT_EQ(d.lestage(), 4.5f);
    EXPECT_EQ(d.decoDepth_Level_2(), 4.5f);
    EXPECT_EQ(d.flow(), 17.7f);
    EXPECT_EQ(d.lieu(), QStringLiteral("  Cassis "));
    EXPECT_EQ(d.site(), QString()); // a text field left empty stores an empty text
    EXPECT_TRUE(d.site().has_value());
    EXPECT_EQ(d.gaz_2(), 0);
}

TEST_F(DiveFormTest, EveryMixHasItsHeliumChecked)
{
    const struct {
        const char* o2Field;
        const char* heField;
        const char* o2;
        const char* he;
        qint32 stored;
        const char* alert;
    } cases[] = {
        {"o2Mix", "heMix", "21", "86", 0, "Oxygen helium percent"}, // 21 + 86 > 100
        {"o2Mix", "heMix", "10", "86", 86, ""},
        {"o2Mix", "heMix", "10", "87", 0, "Helium percent"},
        {"o2Mix", "heMix", "10", "-1", 0, "Helium percent"},
        {"o2Mix", "heMix", "50", "50", 50, ""},
        {"o2Mix", "heMix", "50", "51", 0, "Oxygen helium percent"},
        {"o2Mix_2", "heMix_2", "50", "51", 0, "Oxygen helium percent"},
        {"O2Bailout1", "HeBailout1", "21", "80", 0, "Oxygen helium percent"},
        {"O2Bailout2", "HeBailout2", "10", "90", 0, "Helium percent"},
        {"decoO2_Level_1", "decoHe_Level_1", "50", "60", 0, "Oxygen helium percent"},
        {"decoO2_Level_5", "decoHe_Level_5", "18", "45", 45, ""},
    };
    for (const auto& c : cases) {
        form->blank();
        const qsizetype before = alerts.asked().size();
        type(c.o2Field, QLatin1String(c.o2));
        type(c.heField, QLatin1String(c.he));
        const Plongee d = built();
        EXPECT_EQ(std::get<qint32>(d.value(Plongee::fieldIndex(QString::fromLatin1(c.heField)))), c.stored) << c.heField << " " << c.o2 << "/" << c.he;
        const QStringList keys = alertKeys().mid(before);
        if (*c.alert)
            EXPECT_EQ(keys, QStringList{QLatin1String(c.alert)}) << c.heField << " " << c.o2 << "/" << c.he;
        else
            EXPECT_TRUE(keys.isEmpty()) << c.heField << " " << c.o2 << "/" << c.he;
    }
}

TEST_F(DiveFormTest, PressureAlertStoresAnyway)
{
    type("pressionDepart", "200");
    type("pressionFin", "210");
    const Plongee d = built();
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Pressure in out")});
    // A warning is the logbook's table's, with one OK button.
    EXPECT_EQ(alerts.asked().first().table, QStringLiteral("Carnet"));
    EXPECT_EQ(alerts.asked().first().buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(d.pressionFin(), 210);
    form->blank();
    type("pressionDepart", "200");
    type("pressionFin", "50");
    built();
    EXPECT_EQ(alertKeys().size(), 1);
}

TEST_F(DiveFormTest, BlankTakesTheDefaults)
{
    settings().setValue(QStringLiteral("stop interval"), QStringLiteral("4"));
    settings().setValue(QStringLiteral("tank volume"), 15);
    settings().setValue(QStringLiteral("country code"), QStringLiteral("FR"));
    form->blank();
    EXPECT_EQ(form->text(idx_decoDepth_Level_1), QStringLiteral("4"));
    EXPECT_EQ(form->text(idx_decoDepth_Level_5), QStringLiteral("20"));
    EXPECT_EQ(form->text(idx_volumeBloc), QStringLiteral("15"));
    EXPECT_EQ(form->text(idx_countryCode), QStringLiteral("FR"));
    EXPECT_EQ(form->text(idx_tempEau), QStringLiteral("-"));
    EXPECT_EQ(form->text(idx_tempAir), QStringLiteral("-"));
    EXPECT_EQ(form->tag(idx_meteo), 7);
    EXPECT_EQ(form->tag(idx_courant), 6);
    EXPECT_EQ(form->tag(idx_typePlongee), 8);
    EXPECT_EQ(form->tag(idx_gpsSystem), 1);
    EXPECT_EQ(form->tag(idx_configuration), 1);
    const Plongee d = built();
    EXPECT_EQ(d.tempEau(), -50);
    EXPECT_EQ(d.coeff(), 0);
    EXPECT_EQ(d.o2Mix(), 21);
    // A dive built from a blank form carries a one-sample profile.
    EXPECT_EQ(d.profilProfondeur(), QList<float>{0.0f});
    EXPECT_EQ(d.GAZ_Flag(), QList<qint16>{0});
}

TEST_F(DiveFormTest, BlankKeepsBailoutAndSamplingOfTheDiveShownBefore)
{
    Plongee shown = plausibleDive(2);
    form->load(shown);
    form->blank();
    const Plongee d = built();
    EXPECT_EQ(d.volBailout1(), shown.volBailout1());
    EXPECT_EQ(d.HeBailout2(), shown.HeBailout2());
    EXPECT_EQ(d.samplingRate(), shown.samplingRate());
    EXPECT_EQ(d.volPony1(), 0);
}

TEST_F(DiveFormTest, LoadShowsTheStoredValues)
{
    Plongee d;
    d.setCoeff(0);
    d.setTempEau(-50);
    d.setTempAir(18);
    d.setDeco_TTS(0);
    d.setDecoO2_Level_1(4);
    d.setDecoO2_Level_2(50);
    d.setDecoDepth_Level_2(0);
    d.setDecoDepth_Level_3(7.5f);
    d.setProfondeur(33.3f);
    d.setLieu(QStringLiteral("Cassis"));
    form->load(d);
    EXPECT_EQ(form->text(idx_coeff), QStringLiteral("-"));
    EXPECT_EQ(form->text(idx_tempEau), QStringLiteral("-"));
    EXPECT_EQ(form->text(idx_tempAir), QStringLiteral("18"));
    EXPECT_EQ(form->text(idx_deco_TTS), QStringLiteral("-"));
    EXPECT_EQ(form->text(idx_decoO2_Level_1), QStringLiteral("-"));
    EXPECT_EQ(form->text(idx_decoO2_Level_2), QStringLiteral("50"));
    EXPECT_EQ(form->text(idx_decoHe_Level_1), QStringLiteral("0"));
    EXPECT_EQ(form->text(idx_decoDepth_Level_2), QStringLiteral("6"));
    EXPECT_EQ(form->text(idx_decoDepth_Level_3), QStringLiteral("7.5"));
    EXPECT_EQ(form->text(idx_profondeur), QStringLiteral("33.3"));
    // A dive stored without gas codes gets one zero per depth sample.
    d.setProfilProfondeur(QList<float>{1, 2, 3});
    form->load(d);
    EXPECT_EQ(form->workingProfile().gazFlag, (QList<qint16>{0, 0, 0}));
}

TEST_F(DiveFormTest, UnknownChoiceTagsShowNoItemAndSurvive)
{
    Plongee d;
    d.setVentSecteur(42);
    d.setVisibilite(-3);
    d.setMeteo(99);
    form->load(d);
    EXPECT_EQ(divechoices::positionOf(idx_ventSecteur, form->tag(idx_ventSecteur)), -1);
    EXPECT_EQ(divechoices::positionOf(idx_visibilite, form->tag(idx_visibilite)), -1);
    EXPECT_EQ(divechoices::positionOf(idx_visibilite, 8), 0);
    EXPECT_EQ(divechoices::positionOf(idx_ventSecteur, 3), 3);
    const Plongee back = built();
    EXPECT_EQ(back.ventSecteur(), 42);
    EXPECT_EQ(back.visibilite(), -3);
    EXPECT_EQ(back.meteo(), 99);
}

TEST_F(DiveFormTest, LoadThenBuildKeepsEveryValueThatPassesTheRules)
{
    Plongee d = plausibleDive(1);
    // Values inside every range, so that no rule changes them.
    d.setCoeff(80);
    d.setTempEau(14);
    d.setTempAir(20);
    d.setAltitude(300);
    d.setO2Mix(32);
    d.setHeMix(0);
    d.setO2Mix_2(50);
    d.setHeMix_2(0);
    d.setPressionDepart(200);
    d.setPressionFin(50);
    d.setPressionDepart_2(200);
    d.setPressionFin_2(100);
    d.setDeco_TTS(12);
    for (int f = idx_decoO2_Level_1; f <= idx_decoHe_Level_5; ++f)
        d.setValue(f, qint32(f < idx_decoHe_Level_1 ? 50 : 10));
    for (int f = idx_deco_Level_3_sw; f <= idx_deco_Level_5_sw; ++f)
        d.setValue(f, qint32(1));
    d.setNocturne(1);
    d.setDifficulte(3);
    d.setGaz(1);
    d.setRebreather(0);
    form->load(d);
    form->refresh(-1, 1);
    const Plongee back = built();
    EXPECT_TRUE(alerts.asked().isEmpty());
    for (int f = 0; f < Plongee::FieldCount; ++f)
        EXPECT_EQ(back.value(f), d.value(f)) << Plongee::field(f).name;
}

TEST_F(DiveFormTest, RefreshDerivesLabelsAndFractions)
{
    type("gaz", "1");
    type("o2Mix", "32");
    type("heMix", "20");
    form->refresh(0, 3);
    EXPECT_EQ(form->text(idx_heMix), QStringLiteral("0"));
    EXPECT_EQ(form->nitrogenText(1), QStringLiteral("68"));
    EXPECT_EQ(form->derived().gasSummary, QStringLiteral("Nitrox 32"));
    EXPECT_FALSE(form->derived().previousEnabled);
    EXPECT_TRUE(form->derived().nextEnabled);
    EXPECT_EQ(form->derived().totalText, QStringLiteral("3 dives"));

    type("gaz", "3");
    type("o2Mix", "20");
    form->refresh(2, 3);
    EXPECT_EQ(form->text(idx_heMix), QStringLiteral("80"));
    EXPECT_EQ(form->nitrogenText(1), QStringLiteral("0"));
    EXPECT_TRUE(form->derived().previousEnabled);
    EXPECT_FALSE(form->derived().nextEnabled);

    // Which mixes take oxygen and helium, code by code.
    for (int gas = 0; gas <= 5; ++gas) {
        type("gaz", QString::number(gas));
        form->refresh(2, 3);
        EXPECT_EQ(form->derived().o2Enabled, gas >= 1 && gas <= 5) << gas;
        EXPECT_EQ(form->derived().heEnabled, gas == 2 || gas == 4 || gas == 5) << gas;
    }

    type("rebreather", "3");
    form->refresh(-1, 1);
    EXPECT_EQ(form->text(idx_o2Mix), QStringLiteral("100"));
    EXPECT_EQ(form->derived().tank2Label, QStringLiteral("DILUENT :"));
    EXPECT_EQ(form->derived().totalText, QStringLiteral("One dive"));
    EXPECT_FALSE(form->derived().previousEnabled);
    EXPECT_FALSE(form->derived().nextEnabled);
}

TEST_F(DiveFormTest, ProfileSummaryCountsIntermediateSurfacings)
{
    Plongee d;
    d.setProfilProfondeur(QList<float>{0, 10, 2, 12, 0});
    d.setSURF_Flag(QList<qint16>{0, 0, 1, 1, 1});
    d.setSLOW_Flag(QList<qint16>{0, 1, 1});
    d.setGAZ_Flag(QList<qint16>{1, 0, 0, 3, 0});
    d.setSamplingRate(6);
    form->load(d);
    form->refresh(-1, 1);
    EXPECT_EQ(form->derived().surfCount, 2);
    EXPECT_EQ(form->derived().slowCount, 2);
    EXPECT_EQ(form->derived().gazCount, 2);
    EXPECT_FLOAT_EQ(form->derived().maxDepth, 12);
    EXPECT_FLOAT_EQ(form->derived().averageDepth, 4.8f);
    EXPECT_EQ(form->derived().samplingText, QStringLiteral("Sampling: 1 s"));
    EXPECT_EQ(form->derived().pointsText, QStringLiteral("5 recorded points"));
}
