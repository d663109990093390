#include "logbook/DiveChoices.h"
#include "logbook/DiveForm.h"
#include "platform/ArchiveFormat.h"
#include "support/ContextFixture.h"
#include "support/DiveFields.h"
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
    // Sets the fields of `like` ("name=text; name=text") from their texts.
    static Plongee with(Plongee d, const QString& like)
    {
        setFields(d, like);
        return d;
    }
    // The form shows the texts of `like`.
    void expectShown(const QString& like)
    {
        QStringList shown;
        for (const QString& name : fieldNames(like))
            shown.append(name + u'=' + form->text(Plongee::fieldIndex(name)));
        EXPECT_EQ(shown.join(QStringLiteral("; ")).toStdString(), like.toStdString());
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
    // A text field left empty stores an empty text, not none.
    const QString stored = QStringLiteral("profondeur=0; lestage=4.5; decoDepth_Level_2=4.5; flow=17.7; lieu=  Cassis ; site=; gaz_2=0");
    EXPECT_EQ(fieldsLike(built(), stored), stored.toStdString());
    EXPECT_EQ(form->text(idx_profondeur), QStringLiteral("0"));
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
    settings().setValue(QStringLiteral("ordinateur"), QStringLiteral("Vyper"));
    form->blank();
    expectShown(QStringLiteral("decoDepth_Level_1=4; decoDepth_Level_5=20; volumeBloc=15; countryCode=FR; tempEau=-; tempAir=-; ordinateur=Vyper"));
    QList<int> tags;
    for (const int f : {idx_meteo, idx_courant, idx_typePlongee, idx_gpsSystem, idx_configuration})
        tags.append(form->tag(f));
    EXPECT_EQ(tags, (QList<int>{7, 6, 8, 1, 1}));
    // A dive built from a blank form carries a one-sample profile.
    const QString stored = QStringLiteral("tempEau=-50; coeff=0; o2Mix=21; profilProfondeur=[0]; GAZ_Flag=[0]");
    EXPECT_EQ(fieldsLike(built(), stored), stored.toStdString());
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
    Plongee d = with(Plongee(), QStringLiteral("coeff=0; tempEau=-50; tempAir=18; deco_TTS=0; decoO2_Level_1=4; decoO2_Level_2=50; "
                                               "decoDepth_Level_2=0; decoDepth_Level_3=7.5; profondeur=33.3; lieu=Cassis"));
    form->load(d);
    expectShown(QStringLiteral("coeff=-; tempEau=-; tempAir=18; deco_TTS=-; decoO2_Level_1=-; decoO2_Level_2=50; "
                               "decoHe_Level_1=0; decoDepth_Level_2=6; decoDepth_Level_3=7.5; profondeur=33.3"));
    // A dive stored without gas codes gets one zero per depth sample.
    d.setProfilProfondeur(QList<float>{1, 2, 3});
    form->load(d);
    EXPECT_EQ(form->workingProfile().gazFlag, (QList<qint16>{0, 0, 0}));
}

TEST_F(DiveFormTest, UnknownChoiceTagsShowNoItemAndSurvive)
{
    const QString tags = QStringLiteral("ventSecteur=42; visibilite=-3; meteo=99");
    form->load(with(Plongee(), tags));
    EXPECT_EQ(divechoices::positionOf(idx_ventSecteur, form->tag(idx_ventSecteur)), -1);
    EXPECT_EQ(divechoices::positionOf(idx_visibilite, form->tag(idx_visibilite)), -1);
    EXPECT_EQ(divechoices::positionOf(idx_visibilite, 8), 0);
    EXPECT_EQ(divechoices::positionOf(idx_ventSecteur, 3), 3);
    EXPECT_EQ(fieldsLike(built(), tags), tags.toStdString());
}

TEST_F(DiveFormTest, LoadThenBuildKeepsEveryValueThatPassesTheRules)
{
    // Values inside every range, so that no rule changes them.
    Plongee d = with(plausibleDive(1), QStringLiteral("coeff=80; tempEau=14; tempAir=20; altitude=300; o2Mix=32; heMix=0; o2Mix_2=50; "
                                                      "heMix_2=0; pressionDepart=200; pressionFin=50; pressionDepart_2=200; "
                                                      "pressionFin_2=100; deco_TTS=12; nocturne=1; difficulte=3; gaz=1; rebreather=0"));
    for (int f = idx_decoO2_Level_1; f <= idx_decoHe_Level_5; ++f)
        d.setValue(f, qint32(f < idx_decoHe_Level_1 ? 50 : 10));
    for (int f = idx_deco_Level_3_sw; f <= idx_deco_Level_5_sw; ++f)
        d.setValue(f, qint32(1));
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
    const auto arrows = [&] { return QList<bool>{form->derived().previousEnabled, form->derived().nextEnabled}; };
    EXPECT_EQ(arrows(), (QList<bool>{false, true}));
    EXPECT_EQ(form->derived().totalText, QStringLiteral("3 dives"));

    type("gaz", "3");
    type("o2Mix", "20");
    form->refresh(2, 3);
    EXPECT_EQ(form->text(idx_heMix), QStringLiteral("80"));
    EXPECT_EQ(form->nitrogenText(1), QStringLiteral("0"));
    EXPECT_EQ(arrows(), (QList<bool>{true, false}));

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
    EXPECT_EQ((QStringList{form->derived().tank1Label, form->derived().tank2Label}), (QStringList{"OXYGEN :", "DILUENT :"}));
    EXPECT_EQ(form->derived().totalText, QStringLiteral("One dive"));
    EXPECT_EQ(arrows(), (QList<bool>{false, false}));

    // The difficulty in words, and the planning pane of a planned dive only.
    QStringList shown;
    for (const char* typed : {"0", "4", "5", "-1"}) {
        form->setTag(idx_difficulte, QString::fromLatin1(typed).toInt());
        form->setTag(idx_deco, typed[0] == '5' ? 3 : 2);
        form->refresh(-1, 1);
        shown.append(form->derived().difficultyText + (form->derived().planningEnabled ? u'+' : u'-'));
    }
    EXPECT_EQ(shown, (QStringList{"Very easy-", "Very hard-", "Extreme+", "-"}));
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
    EXPECT_EQ((QList<int>{form->derived().surfCount, form->derived().slowCount, form->derived().gazCount}), (QList<int>{2, 2, 2}));
    EXPECT_FLOAT_EQ(form->derived().maxDepth, 12);
    EXPECT_FLOAT_EQ(form->derived().averageDepth, 4.8f);
    EXPECT_EQ(form->derived().samplingText, QStringLiteral("Sampling: 1 s"));
    EXPECT_EQ(form->derived().pointsText, QStringLiteral("5 recorded points"));
}
