// "Export UDDF 3.2": standard UDDF that the schema accepts, and that the
// importer reads back to the same dives, profile included.
#include "exchange/DiveImporter.h"
#include "exchange/Uddf32Writer.h"
#include "exchange/UddfFileImport.h"
#include "exchange/UddfMapping.h"
#include "logbook/Carnet.h"
#include "logbook/DiveForm.h"
#include "logbook/LogbookGenerator.h"
#include "support/ContextFixture.h"
#include "support/DiveFields.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <iostream>

namespace {

QString schemaPath()
{
    return QDir(QStringLiteral(ONDRIX_SAMPLES_DIR "/../uddf-schema")).filePath(QStringLiteral("uddf-3.2.3.xsd"));
}

// What a round trip keeps of each field. Not carried (UDDF has no element for
// it and its application blocks are only for the five programs the schema
// names): the blank form's value. Carried in part, and checked one by one
// below: the dates, the position, the kind of dive and the memorable mark
// (the second tank's gas is a reserved field). Every other field is carried.
const QStringList kNotCarried = QStringLiteral(
    "coeff pmBm countryCode bateau deco deco_TTS pressionBloc pressionBloc_2 flow decoSoftName decoAlgoType "
    "decoConservatism runtime meteo ventSecteur ventForce nocturne difficulte configuration").split(u' ');
const QStringList kCarried = [] {
    const QStringList partly = {"date", "heure", "gps", "typePlongee", "inoubliable", "gaz_2"};
    QStringList names = {"day"};
    for (const Plongee::FieldInfo& f : Plongee::fields())
        if (!kNotCarried.contains(QLatin1String(f.name)) && !partly.contains(QLatin1String(f.name)))
            names.append(QLatin1String(f.name));
    return names;
}();
// Kinds of dive that UDDF has a purpose for; the others come back "Other".
const QList<int> kCarriedKinds = {1, 3, 7, 8, 11, 12};

class Uddf32ExportTest : public ContextFixture {
protected:
    // A dive as the form stores it, the way every imported dive is built.
    Plongee throughForm(const Plongee& d)
    {
        DiveForm form(*context);
        form.load(d);
        form.refresh(-1, 1);
        Result<Plongee> built = form.build();
        EXPECT_TRUE(built.ok()) << built.error().toStdString();
        return built ? built.take() : d;
    }

    QList<Plongee> generated(int count, int samples, quint64 seed)
    {
        QList<Plongee> dives;
        for (const Plongee& d : logbookgenerator::generate(count, samples, seed))
            dives.append(throughForm(d));
        return dives;
    }

    ExportOutput exportDives(const QList<Plongee>& dives)
    {
        Uddf32Writer writer(context->localizer(), settings().boolValue(QStringLiteral("us units")));
        writer.setMoment(QDateTime(QDate(2024, 6, 1), QTime(10, 0)));
        return writer.write(dives);
    }

    QList<Plongee> importBack(QByteArray bytes)
    {
        Carnet carnet(*context);
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const auto outcome = uddffileimport::importDevice(carnet, buffer);
        EXPECT_TRUE(outcome.ok) << outcome.error.toStdString();
        return carnet.dives();
    }

    // xmllint's verdict on the bytes: empty when they validate.
    QString schemaErrors(const QByteArray& bytes)
    {
        const QString path = dir.filePath(QStringLiteral("export.uddf"));
        EXPECT_TRUE(writeFile(path, bytes));
        QProcess xmllint;
        xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"), schemaPath(), path});
        xmllint.waitForFinished(120000);
        return xmllint.exitCode() == 0 ? QString() : QString::fromUtf8(xmllint.readAllStandardError().left(2000));
    }

    bool canValidate()
    {
        return QFile::exists(schemaPath()) && !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty();
    }

    void expectSameCarriedFields(const QList<Plongee>& original, const QList<Plongee>& back)
    {
        ASSERT_EQ(back.size(), original.size());
        DiveForm blankForm(*context);
        blankForm.blank();
        const Plongee blankDive = blankForm.build().take();
        const QString blank = fieldsOf(blankDive, kNotCarried);
        // The position, unless the text is the empty form's template.
        const auto where = [&](const Plongee& d) {
            return d.gps() == blankDive.gps() ? std::nullopt : uddfmapping::position(d.gps().value_or(QString()));
        };
        for (qsizetype i = 0; i < original.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(fieldsOf(back[i], kCarried).toStdString(), fieldsOf(original[i], kCarried).toStdString());
            EXPECT_EQ(fieldsOf(back[i], kNotCarried).toStdString(), blank.toStdString());
            const int kind = original[i].typePlongee();
            EXPECT_EQ(back[i].typePlongee(), kCarriedKinds.contains(kind) ? kind : 8);
            const auto there = where(original[i]), here = where(back[i]);
            ASSERT_EQ(here.has_value(), there.has_value());
            if (there) {
                EXPECT_NEAR(here->latitude, there->latitude, 1e-5);
                EXPECT_NEAR(here->longitude, there->longitude, 1e-5);
            }
            EXPECT_EQ(back[i].heure().time().toString(u"hh:mm"), original[i].heure().time().toString(u"hh:mm"));
            EXPECT_EQ(back[i].heure().time().second(), 0);
            EXPECT_EQ(back[i].inoubliable() == 1, original[i].inoubliable() == 1);
        }
    }
};

// Dives with what the generator leaves out: odd gases, texts to escape,
// buddies that do not split, a dive without a profile or a number.
QList<Plongee> oddDives()
{
    QList<Plongee> dives;
    const char* gases[] = {"gaz=3; o2Mix=21; heMix=79", "gaz=4; o2Mix=30; heMix=30", "gaz=5; o2Mix=17; heMix=20",
                           "gaz=2; o2Mix=10; heMix=70", "gaz=1; o2Mix=100; heMix=0"};
    for (int n = 1; n <= 5; ++n) {
        Plongee d;
        d.setDate(QDateTime(QDate(2019, 7, n), QTime(12, 0)));
        d.setHeure(QDateTime(QDate(2019, 7, n), QTime(8 + n, 15)));
        setFields(d, QStringLiteral("noPlongee=%1; %2; o2Mix_2=21; profondeur=%3; temps=%4; tempEau=-50; tempAir=-50; "
                                    "visibilite=7; gpsSystem=1; surface=--:--; samplingRate=6; fabricant=Maker & Sons; "
                                    "ordinateur=Model <%5>; serie=S%1")
                         .arg(n).arg(QLatin1String(gases[n - 1])).arg(40.5 + n).arg(33 + n).arg(n % 2));
        d.setProfilProfondeur(QList<float>{0, 3.5f, 7.25f, 2, 0});
        for (const auto set : {&Plongee::setASC_Flag, &Plongee::setSLOW_Flag, &Plongee::setSURF_Flag,
                               &Plongee::setCEIL_Flag})
            (d.*set)(QList<qint16>(5, 0));
        d.setGAZ_Flag(QList<qint16>{1, 0, 0, 0, 0});
        d.setPRESS_Data(QList<float>{0}); // no pressure recorded
        dives.append(d);
    }
    dives[0].setNotes(QStringLiteral("First line\r\nSecond <line> & \"more\"\n\nafter a blank line\t tab"));
    setFields(dives[0], QStringLiteral("partenaires=Anne,Bruno; site=Sec <de> l'Ile & co; surface=12:05"));
    setFields(dives[1], QString::fromUtf8("partenaires=Anne, Bruno, Chloé; lieu=Banyuls; pays=France; inoubliable=1; "
                                          "visibilite=8"));
    dives[2].setNoPlongee(0);
    dives[2].setProfilProfondeur(QList<float>{0.0f});
    for (const auto set : {&Plongee::setASC_Flag, &Plongee::setSLOW_Flag, &Plongee::setSURF_Flag,
                           &Plongee::setCEIL_Flag, &Plongee::setGAZ_Flag})
        (dives[2].*set)(QList<qint16>{0});
    setFields(dives[3], QStringLiteral("decoO2_Level_1=80; decoO2_Level_2=50; decoHe_Level_2=15; volPony1=7; "
                                       "pressDepartPony1=210; pressFinPony1=120"));
    dives[3].setGAZ_Flag(QList<qint16>{1, 0, 3, 2, 0});
    dives[3].setSLOW_Flag(QList<qint16>{0, 1, 0, 0, 0});
    dives[3].setSURF_Flag(QList<qint16>{0, 0, 0, 0, 1});
    dives[3].setASC_Flag(QList<qint16>{0, 0, 1, 0, 0});
    dives[3].setCEIL_Flag(QList<qint16>{0, 0, 1, 1, 0});
    dives[4].setNotes(QStringLiteral("bell \x07 and \x1b escape, ") + QChar(0xFFFF) + QStringLiteral(" gone"));
    return dives;
}

} // namespace

// In the logbook's units or in US units, the export is in SI units, the
// schema accepts it and it reads back to the same dives.
TEST_F(Uddf32ExportTest, TheExportValidatesAndGivesBackEveryCarriedFieldWhateverTheUnits)
{
    const bool validate = canValidate();
    if (!validate)
        std::cout << "xmllint or the UDDF schema (" << schemaPath().toStdString() << ") is absent: not validated\n";
    for (const bool usUnits : {false, true}) {
        SCOPED_TRACE(usUnits ? "US units" : "metric");
        settings().setValue(QStringLiteral("us units"), usUnits);
        QList<Plongee> dives = usUnits ? generated(30, 60, 5) : generated(40, 120, 11);
        for (const Plongee& d : oddDives())
            dives.append(throughForm(d));
        // The numbers follow one another, as the importer numbers them.
        for (qsizetype i = 0; i < dives.size(); ++i)
            dives[i].setNoPlongee(int(i) + 1);
        const ExportOutput out = exportDives(dives);
        ASSERT_TRUE(out.report.isEmpty()) << out.report.join(u'\n').toStdString();
        if (validate) {
            EXPECT_EQ(schemaErrors(out.bytes), QString());
        }
        dives.last().setNotes(QStringLiteral("bell  and  escape,  gone")); // characters XML forbids are left out
        expectSameCarriedFields(dives, importBack(out.bytes));
    }
    // An empty logbook, and one whose dives are all left out, still make a
    // valid document.
    if (validate) {
        EXPECT_EQ(schemaErrors(exportDives({}).bytes), QString());
        EXPECT_EQ(schemaErrors(exportDives({Plongee()}).bytes), QString());
    }
    // 100 ft is 30.48 m; 68 °F is 293.15 K.
    Plongee d = generated(1, 40, 5).first();
    d.setProfondeur(100.0f);
    d.setTempEau(68);
    const QByteArray bytes = exportDives({d}).bytes;
    EXPECT_TRUE(bytes.contains("<greatestdepth>30.48</greatestdepth>")) << bytes.left(4000).toStdString();
    EXPECT_TRUE(bytes.contains("<lowesttemperature>293.15</lowesttemperature>"));
}

TEST_F(Uddf32ExportTest, WhatCannotBeWrittenIsLeftOutAndReported)
{
    QList<Plongee> dives = oddDives();
    setFields(dives[0], QStringLiteral("o2Mix=80; heMix=30"));
    setFields(dives[1], QStringLiteral("decoO2_Level_3=60; decoHe_Level_3=50"));
    dives[2].setDate(QDateTime());
    dives[2].setHeure(QDateTime());
    setFields(dives[3], QStringLiteral("volBailout1=3; HeBailout1=100"));
    const ExportOutput out = exportDives(dives);
    EXPECT_EQ(out.report.join(u'\n').toStdString(),
              "dive 1 (row 0): 80 % oxygen and 30 % helium make more than 100 %; its mix is left out\n"
              "dive 2 (row 1): the gas of stop level 3: 60 % oxygen and 50 % helium make more than 100 %; it is left out\n"
              "dive 0 (row 2): it has no date; it is left out\n"
              "dive 4 (row 3): the gas of bail-out cylinder 1: it holds no oxygen; it is left out");
    EXPECT_FALSE(out.bytes.contains("<n2>-"));
    const QList<Plongee> back = importBack(out.bytes);
    ASSERT_EQ(back.size(), dives.size() - 1);
    EXPECT_EQ(back[0].o2Mix(), 21) << "no mix: the form's air";
    EXPECT_EQ(fieldsLike(back[2], "volBailout1=3; O2Bailout1=0; HeBailout1=0"), "volBailout1=3; O2Bailout1=0; HeBailout1=0");
    if (canValidate()) {
        EXPECT_EQ(schemaErrors(out.bytes), QString());
    }
}

TEST_F(Uddf32ExportTest, ForbiddenCharactersAreLeftOutAndOneSampleIsNoProfile)
{
    QList<Plongee> dives = oddDives();
    dives[2].setProfilProfondeur(QList<float>{12.0f});
    const QList<Plongee> back = importBack(exportDives(dives).bytes);
    ASSERT_EQ(back.size(), dives.size());
    EXPECT_EQ(back[4].notes(), QStringLiteral("bell  and  escape,  gone"));
    EXPECT_EQ(back[2].profilProfondeur(), QList<float>{0.0f});
}

TEST_F(Uddf32ExportTest, AnyGeneratedLogbookImportsBackWhole)
{
    for (const quint64 seed : {1u, 17u, 2024u}) {
        SCOPED_TRACE(seed);
        const QList<Plongee> dives = logbookgenerator::generate(200, 600, seed);
        const ExportOutput out = exportDives(dives);
        EXPECT_TRUE(out.report.isEmpty()) << out.report.join(u'\n').toStdString();
        EXPECT_EQ(importBack(out.bytes).size(), dives.size());
    }
}

TEST_F(Uddf32ExportTest, PositionsSetPointsAndStopsReadAsWritten)
{
    const struct {
        const char* typed;
        const char* back; // "" when the text is no position
    } positions[] = {
        {"43°12.345' N 005°21.000' E", "43°12.345' N 005°21.000' E"},
        {"8°30.5' S 115°05' W", "08°30.500' S 115°05.000' W"},
        {"32 N 33 E", "32°00.000' N 033°00.000' E"},
        {"43.5, -5.25", "43°30.000' N 005°15.000' W"},
        {"91 N 10 E", ""},
        {"10, 181", ""},
        {"somewhere off Porquerolles", ""},
        {"43°61' N 5°00' E", ""},
    };
    for (const auto& c : positions) {
        const auto p = uddfmapping::position(QString::fromUtf8(c.typed));
        EXPECT_EQ(p ? uddfmapping::positionText(*p) : QString(), QString::fromUtf8(c.back)) << c.typed;
    }
    for (int tag = 0; tag <= 11; ++tag) {
        const auto pascals = uddfmapping::setPointPascals(tag);
        EXPECT_EQ(pascals.has_value(), tag >= 1 && tag <= 10) << tag;
        if (pascals) {
            EXPECT_EQ(uddfmapping::setPointTag(*pascals + 4000), tag);
        }
    }

    // A wreck dive in US units on an eCCR, stops made at levels 1 and 2.
    settings().setValue(QStringLiteral("us units"), true);
    Plongee d = generated(1, 40, 3).first();
    d.setEpaves(QStringLiteral("Le Donator"));
    d.setGps(QString::fromUtf8("43°01.000' N 006°22.000' E"));
    // The oxygen of a closed circuit; the diluent in the second tank.
    setFields(d, QStringLiteral("rebreather=3; gaz=1; ppO2=3; combinaison=3; deco_Level_1_sw=1; decoDepth_Level_1=10; "
                                "decoTime_Level_1=4; deco_Level_2_sw=1; decoDepth_Level_2=20; decoTime_Level_2=2; "
                                "volBailout2=7; pressDepartBailout2=180; O2Bailout2=18; HeBailout2=45; volumeBloc_2=3; "
                                "alliageBloc_2=2; pressionDepart_2=200; pressionFin_2=150; o2Mix_2=10; heMix_2=70"));
    d = throughForm(d);
    const QByteArray bytes = exportDives({d}).bytes;
    for (const char* written : {"<decostop kind=\"mandatory\" decodepth=\"3.048\" duration=\"240\"/>",
                                "<setpo2 setby=\"user\">140000</setpo2>", "<divemode type=\"closedcircuit\"/>",
                                "<nosuit/>", "<latitude>43.016666", "<wreck>"})
        EXPECT_TRUE(bytes.contains(written)) << written;
    expectSameCarriedFields({d}, importBack(bytes));
    if (canValidate()) {
        EXPECT_EQ(schemaErrors(bytes), QString());
    }
}
