// "Export UDDF 3.2": standard UDDF that the schema accepts, and that the
// importer reads back to the same dives, profile included.
#include "exchange/DiveImporter.h"
#include "exchange/Uddf32Writer.h"
#include "exchange/UddfFileImport.h"
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

namespace {

QString schemaPath()
{
    return QDir(QStringLiteral(ONDRIX_SAMPLES_DIR "/../uddf-schema")).filePath(QStringLiteral("uddf-3.2.3.xsd"));
}

// The fields UDDF carries, compared value for value after a round trip.
const QStringList kCarried = QStringLiteral(
    "noPlongee lieu site pays partenaires structure surface profondeur temps altitude tempEau tempAir visibilite notes "
    "lestage o2Mix heMix gaz volumeBloc pressionDepart pressionFin decoO2_Level_1 decoO2_Level_2 decoO2_Level_3 "
    "decoO2_Level_4 decoO2_Level_5 decoHe_Level_1 decoHe_Level_2 decoHe_Level_3 decoHe_Level_4 decoHe_Level_5 "
    "volPony1 volPony2 volPony3 pressDepartPony1 pressDepartPony2 pressDepartPony3 pressFinPony1 pressFinPony2 "
    "pressFinPony3 samplingRate fabricant ordinateur serie equip_1 equip_2 equip_3 equip_4 equip_5 equip_6 equip_7 "
    "equip_8 equip_9 equip_10 equip_11 equip_12 profilProfondeur ASC_Flag SLOW_Flag SURF_Flag CEIL_Flag GAZ_Flag "
    "PRESS_Data day").split(u' ');

class Uddf32ExportTest : public ContextFixture {
protected:
    // A dive as the form stores it, the way every imported dive is built.
    Plongee throughForm(const Plongee& d)
    {
        DiveForm form(*context);
        form.load(d);
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
        for (qsizetype i = 0; i < original.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(fieldsOf(back[i], kCarried).toStdString(), fieldsOf(original[i], kCarried).toStdString());
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
    const struct {
        int gaz, o2, he;
    } gases[] = {{3, 21, 79}, {4, 30, 30}, {5, 17, 20}, {2, 10, 70}, {1, 100, 0}};
    int n = 0;
    for (const auto& g : gases) {
        Plongee d;
        d.setNoPlongee(++n);
        d.setDate(QDateTime(QDate(2019, 7, n), QTime(12, 0)));
        d.setHeure(QDateTime(QDate(2019, 7, n), QTime(8 + n, 15)));
        d.setGaz(g.gaz);
        d.setO2Mix(g.o2);
        d.setHeMix(g.he);
        d.setO2Mix_2(21);
        d.setProfondeur(40.5f + float(n));
        d.setTemps(33 + n);
        d.setTempEau(-50);
        d.setTempAir(-50);
        d.setVisibilite(7);
        d.setSurface(QStringLiteral("--:--"));
        d.setSamplingRate(6);
        d.setFabricant(QStringLiteral("Maker & Sons"));
        d.setOrdinateur(QStringLiteral("Model <%1>").arg(n % 2));
        d.setSerie(QStringLiteral("S%1").arg(n));
        d.setProfilProfondeur(QList<float>{0, 3.5f, 7.25f, 2, 0});
        const QList<qint16> none(5, 0);
        d.setASC_Flag(none);
        d.setSLOW_Flag(none);
        d.setSURF_Flag(none);
        d.setCEIL_Flag(none);
        d.setGAZ_Flag(QList<qint16>{1, 0, 0, 0, 0});
        d.setPRESS_Data(QList<float>{0}); // no pressure recorded
        dives.append(d);
    }
    dives[0].setNotes(QStringLiteral("First line\r\nSecond <line> & \"more\"\n\nafter a blank line\t tab"));
    dives[0].setPartenaires(QStringLiteral("Anne,Bruno"));
    dives[0].setSite(QStringLiteral("Sec <de> l'Ile & co"));
    dives[0].setSurface(QStringLiteral("12:05"));
    dives[1].setPartenaires(QStringLiteral("Anne, Bruno, Chloé"));
    dives[1].setLieu(QStringLiteral("Banyuls"));
    dives[1].setPays(QStringLiteral("France"));
    dives[1].setInoubliable(1);
    dives[1].setVisibilite(8);
    dives[2].setNoPlongee(0);
    dives[2].setProfilProfondeur(QList<float>{0.0f});
    for (const auto set : {&Plongee::setASC_Flag, &Plongee::setSLOW_Flag, &Plongee::setSURF_Flag,
                           &Plongee::setCEIL_Flag, &Plongee::setGAZ_Flag})
        (dives[2].*set)(QList<qint16>{0});
    dives[3].setDecoO2_Level_1(80);
    dives[3].setDecoO2_Level_2(50);
    dives[3].setDecoHe_Level_2(15);
    dives[3].setVolPony1(7);
    dives[3].setPressDepartPony1(210);
    dives[3].setPressFinPony1(120);
    dives[3].setGAZ_Flag(QList<qint16>{1, 0, 3, 2, 0});
    dives[3].setSLOW_Flag(QList<qint16>{0, 1, 0, 0, 0});
    dives[3].setSURF_Flag(QList<qint16>{0, 0, 0, 0, 1});
    dives[3].setASC_Flag(QList<qint16>{0, 0, 1, 0, 0});
    dives[3].setCEIL_Flag(QList<qint16>{0, 0, 1, 1, 0});
    dives[4].setNotes(QStringLiteral("bell \x07 and \x1b escape, ") + QChar(0xFFFF) + QStringLiteral(" gone"));
    return dives;
}

} // namespace

TEST_F(Uddf32ExportTest, TheExportValidatesAgainstTheSchema)
{
    if (!canValidate())
        GTEST_SKIP() << "xmllint or the UDDF schema (" << schemaPath().toStdString() << ") is absent";
    QList<Plongee> dives = generated(25, 40, 7);
    for (const Plongee& d : oddDives())
        dives.append(throughForm(d));
    const ExportOutput out = exportDives(dives);
    EXPECT_EQ(schemaErrors(out.bytes), QString());
    EXPECT_TRUE(out.report.isEmpty()) << out.report.join(u'\n').toStdString();

    // An empty logbook, and one whose dives are all left out, still make a
    // valid document.
    EXPECT_EQ(schemaErrors(exportDives({}).bytes), QString());
    EXPECT_EQ(schemaErrors(exportDives({Plongee()}).bytes), QString());
}

TEST_F(Uddf32ExportTest, ImportingTheExportGivesBackEveryCarriedField)
{
    QList<Plongee> dives = generated(40, 120, 11);
    QList<Plongee> odd = oddDives();
    odd[4].setNotes(QStringLiteral("clean notes")); // forbidden characters are left out, see below
    for (const Plongee& d : odd)
        dives.append(throughForm(d));
    // The numbers follow one another, as the importer numbers them.
    for (qsizetype i = 0; i < dives.size(); ++i)
        dives[i].setNoPlongee(int(i) + 1);
    const ExportOutput out = exportDives(dives);
    ASSERT_TRUE(out.report.isEmpty()) << out.report.join(u'\n').toStdString();
    expectSameCarriedFields(dives, importBack(out.bytes));
}

TEST_F(Uddf32ExportTest, TheExportIsInSiUnitsWhateverTheLogbooksUnits)
{
    settings().setValue(QStringLiteral("us units"), true);
    QList<Plongee> dives = generated(30, 60, 5);
    const ExportOutput out = exportDives(dives);
    expectSameCarriedFields(dives, importBack(out.bytes));

    // 100 ft is 30.48 m; 68 °F is 293.15 K.
    Plongee d = dives.first();
    d.setProfondeur(100.0f);
    d.setTempEau(68);
    const QByteArray bytes = exportDives({d}).bytes;
    EXPECT_TRUE(bytes.contains("<greatestdepth>30.48</greatestdepth>")) << bytes.left(4000).toStdString();
    EXPECT_TRUE(bytes.contains("<lowesttemperature>293.15</lowesttemperature>"));
}

TEST_F(Uddf32ExportTest, WhatCannotBeWrittenIsLeftOutAndReported)
{
    QList<Plongee> dives = oddDives();
    dives[0].setO2Mix(80);
    dives[0].setHeMix(30);
    dives[1].setDecoO2_Level_3(60);
    dives[1].setDecoHe_Level_3(50);
    dives[2].setDate(QDateTime());
    dives[2].setHeure(QDateTime());
    const ExportOutput out = exportDives(dives);
    ASSERT_EQ(out.report.size(), 3) << out.report.join(u'\n').toStdString();
    EXPECT_EQ(out.report[0], QStringLiteral("dive 1 (row 0): 80 % oxygen and 30 % helium make more than 100 %; its mix is left out"));
    EXPECT_EQ(out.report[1], QStringLiteral("dive 2 (row 1): the gas of stop level 3: 60 % oxygen and 50 % helium make more than 100 %; it is left out"));
    EXPECT_EQ(out.report[2], QStringLiteral("dive 0 (row 2): it has no date; it is left out"));
    EXPECT_FALSE(out.bytes.contains("<n2>-"));
    const QList<Plongee> back = importBack(out.bytes);
    ASSERT_EQ(back.size(), dives.size() - 1);
    EXPECT_EQ(back[0].o2Mix(), 21) << "no mix: the form's air";
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
