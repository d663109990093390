// Real files written by other programs (see ../shared/samples/SOURCES.md).
// The expected values below were read from the files by hand.
#include "exchange/UddfFileImport.h"
#include "logbook/Carnet.h"
#include "support/ContextFixture.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString samplesDir() { return QStringLiteral(ONDRIX_SAMPLES_DIR); }

struct Gas {
    int o2, he, code;
};

struct ExpectedDive {
    QDate day;
    QTime start;
    float depth;       // metres
    int minutes;
    int water, air;    // degrees Celsius, -50 when the file gives none
    Gas bottom;
    QList<Gas> levels; // stop levels 1, 2, ... (oxygen and helium)
    int pressureStart, pressureEnd, tankVolume; // bar, bar, litres; 0 when not given
    // Profile: sample count, its sampling code, the first depths, and
    // (sample, value) checks of depth, pressure and gas switch codes.
    int samples;
    int samplingCode;
    QList<float> firstDepths;
    QList<std::pair<int, float>> depthAt;
    QList<std::pair<int, float>> pressureAt;
    QList<std::pair<int, int>> gasSwitches; // every non-zero gas code
    QList<int> slowAt, ceilAt;               // ascent and error alarms
    QString site, place, computer, maker, serial;
};

struct SampleFile {
    const char* name;
    QList<ExpectedDive> dives;
};

// Each file's dives as the file writes them.
QList<SampleFile> sampleFiles()
{
    return {
        {"005_oc-trimix-two-deco-gases--perdix2.uddf",
         {{QDate(2026, 3, 26), QTime(11, 4), 58.7f, 72, 15, -50, Gas{19, 34, 2}, {Gas{72, 0, 1}, Gas{32, 0, 1}},
           197, 85, 0, 436, 0, {1.4f, 1.6f, 1.6f, 1.5f},
           {{435, 0.0f}, {434, 1.0f}},
           {{0, 197.46592f}, {435, 84.66765f}},
           {{0, 1}, {240, 3}, {350, 2}}, {}, {},
           QString(), QString(), QStringLiteral("Perdix 2"), QStringLiteral("Shearwater Research, Inc"),
           QStringLiteral("00000000")}}},
        {"issue_71_perdix_single_tank.uddf",
         {{QDate(2025, 12, 30), QTime(9, 32), 32.3f, 42, 24, -50, Gas{30, 0, 1}, {},
           200, 31, 0, 257, 0, {2.0f, 2.3f, 3.5f, 4.6f},
           {{256, 0.0f}, {254, 1.2f}},
           {{0, 0.0f}, {1, 200.22382f}, {256, 30.3369425f}},
           {{0, 1}}, {}, {},
           QStringLiteral("Duane"), QStringLiteral("Florida Keys"), QStringLiteral("Perdix AI"),
           QStringLiteral("Shearwater Research, Inc"), QStringLiteral("3717DD32")}}},
        {"test-uddf-export-events.uddf",
         // Waypoints at 30, 60, 90, 120, 180 and 240 s: every 30 s, with the
         // surface at 0 s and the 150 s and 210 s samples between waypoints.
         {{QDate(2026, 8, 23), QTime(12, 0), 30.0f, 4, -50, -50, Gas{21, 0, 0}, {Gas{32, 0, 1}},
           0, 0, 12, 9, 2, {0.0f, 10.0f, 10.0f, 15.0f, 20.0f, 25.0f, 30.0f, 30.0f, 30.0f},
           {}, {}, {{4, 2}, {6, 1}}, {1, 4}, {6, 8},
           QString(), QString(), QString(), QString(), QString()}}},
        {"TestDiveDivingLog5.08.uddf",
         // The older layout: waypoints every 30 s from 0 s.
         {{QDate(2011, 5, 17), QTime(11, 1), 24.7f, 32, 10, 14, Gas{21, 0, 0}, {},
           0, 0, 0, 65, 2, {0.0f, 2.74f, 4.88f, 8.53f},
           {{9, 24.69f}, {64, 0.0f}, {63, 2.13f}},
           {}, {}, {}, {},
           QString(), QString(), QString(), QString(), QString()}}},
    };
}

class UddfSamplesTest : public ContextFixture {};

} // namespace

TEST_F(UddfSamplesTest, EverySampleFileImportsWithTheValuesItHolds)
{
    if (!QDir(samplesDir()).exists())
        GTEST_SKIP() << "the sample folder " << samplesDir().toStdString() << " is absent";
    // Every .uddf file of the folder is described below.
    const QStringList present = QDir(samplesDir()).entryList({QStringLiteral("*.uddf")}, QDir::Files);
    QStringList described;
    for (const SampleFile& f : sampleFiles())
        described.append(QLatin1String(f.name));
    for (const QString& name : present)
        EXPECT_TRUE(described.contains(name)) << name.toStdString() << " has no expected values";

    for (const SampleFile& f : sampleFiles()) {
        SCOPED_TRACE(f.name);
        const QString path = QDir(samplesDir()).filePath(QLatin1String(f.name));
        if (!QFileInfo::exists(path))
            continue;
        Carnet carnet(*context);
        const auto outcome = uddffileimport::importFile(carnet, path);
        ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
        ASSERT_EQ(carnet.count(), f.dives.size());
        EXPECT_TRUE(carnet.isModified());
        for (qsizetype i = 0; i < f.dives.size(); ++i) {
            SCOPED_TRACE(i);
            const ExpectedDive& e = f.dives[i];
            const Plongee& d = carnet.dives()[i];
            EXPECT_EQ(d.noPlongee(), i + 1);
            EXPECT_EQ(d.date().date(), e.day);
            EXPECT_EQ(d.heure().time(), e.start);
            EXPECT_FLOAT_EQ(d.profondeur(), e.depth);
            EXPECT_EQ(d.temps(), e.minutes);
            EXPECT_EQ(d.tempEau(), e.water);
            EXPECT_EQ(d.tempAir(), e.air);
            EXPECT_EQ(d.o2Mix(), e.bottom.o2);
            EXPECT_EQ(d.heMix(), e.bottom.he);
            EXPECT_EQ(d.gaz(), e.bottom.code);
            const int levelO2[] = {d.decoO2_Level_1(), d.decoO2_Level_2(), d.decoO2_Level_3(), d.decoO2_Level_4(),
                                   d.decoO2_Level_5()};
            const int levelHe[] = {d.decoHe_Level_1(), d.decoHe_Level_2(), d.decoHe_Level_3(), d.decoHe_Level_4(),
                                   d.decoHe_Level_5()};
            for (int k = 0; k < 5; ++k) {
                EXPECT_EQ(levelO2[k], k < e.levels.size() ? e.levels[k].o2 : 0) << "stop level " << k + 1;
                EXPECT_EQ(levelHe[k], k < e.levels.size() ? e.levels[k].he : 0) << "stop level " << k + 1;
            }
            EXPECT_EQ(d.pressionDepart(), e.pressureStart);
            EXPECT_EQ(d.pressionFin(), e.pressureEnd);
            if (e.tankVolume) {
                EXPECT_EQ(d.volumeBloc(), e.tankVolume);
            }

            const QList<float> depths = *d.profilProfondeur();
            ASSERT_EQ(depths.size(), e.samples);
            EXPECT_EQ(d.samplingRate(), e.samplingCode);
            for (const QList<qint16>* flags : {&*d.ASC_Flag(), &*d.SLOW_Flag(), &*d.SURF_Flag(), &*d.CEIL_Flag(),
                                               &*d.GAZ_Flag()})
                EXPECT_EQ(flags->size(), e.samples);
            for (qsizetype k = 0; k < e.firstDepths.size(); ++k)
                EXPECT_FLOAT_EQ(depths[k], e.firstDepths[k]) << "sample " << k;
            for (const auto& [k, v] : e.depthAt)
                EXPECT_FLOAT_EQ(depths[k], v) << "sample " << k;
            if (e.pressureAt.isEmpty()) {
                EXPECT_EQ(*d.PRESS_Data(), QList<float>{0.0f});
            } else {
                ASSERT_EQ(d.PRESS_Data()->size(), e.samples);
                for (const auto& [k, v] : e.pressureAt)
                    EXPECT_FLOAT_EQ((*d.PRESS_Data())[k], v) << "pressure at sample " << k;
            }
            QList<std::pair<int, int>> switches;
            for (qsizetype k = 0; k < d.GAZ_Flag()->size(); ++k)
                if ((*d.GAZ_Flag())[k])
                    switches.append({int(k), (*d.GAZ_Flag())[k]});
            EXPECT_EQ(switches, e.gasSwitches);
            QList<int> slow, ceil;
            for (qsizetype k = 0; k < depths.size(); ++k) {
                if ((*d.SLOW_Flag())[k])
                    slow.append(int(k));
                if ((*d.CEIL_Flag())[k])
                    ceil.append(int(k));
                EXPECT_EQ((*d.ASC_Flag())[k], 0);
                EXPECT_EQ((*d.SURF_Flag())[k], 0);
            }
            EXPECT_EQ(slow, e.slowAt);
            EXPECT_EQ(ceil, e.ceilAt);
            if (!e.site.isNull()) {
                EXPECT_EQ(d.site(), e.site);
                EXPECT_EQ(d.lieu(), e.place);
            }
            if (!e.computer.isNull()) {
                EXPECT_EQ(d.ordinateur(), e.computer);
                EXPECT_EQ(d.fabricant(), e.maker);
                EXPECT_EQ(d.serie(), e.serial);
            }
        }
    }
}

TEST_F(UddfSamplesTest, NotesAreTheParagraphsOfTheDive)
{
    if (!QDir(samplesDir()).exists())
        GTEST_SKIP() << "the sample folder " << samplesDir().toStdString() << " is absent";
    const struct {
        const char* file;
        QString notes;
    } cases[] = {
        {"TestDiveDivingLog5.08.uddf",
         QStringLiteral("Second deep dive\nLinus and I planned and executed - Alex just watching\n"
                        "down to 80ft (overshot by one)\nthen the reverse sqeeze BS started again\n"
                        "So the rest of the dive is a loooong buoyancy exercise\n"
                        "Still, fun dive - but I skipped the next one and called it a day.")},
        // The dive's own notes only, not the computer's or the observations'.
        {"issue_71_perdix_single_tank.uddf",
         QStringLiteral("Summary:  \n\nEnvironment:  \n\nGas:  \n\nGear:  \n\nIssues:  \n")},
        {"test-uddf-export-events.uddf", QString()},
    };
    for (const auto& c : cases) {
        const QString path = QDir(samplesDir()).filePath(QLatin1String(c.file));
        if (!QFileInfo::exists(path))
            continue;
        Carnet carnet(*context);
        ASSERT_TRUE(uddffileimport::importFile(carnet, path).ok) << c.file;
        EXPECT_EQ(carnet.dives().last().notes().value_or(QStringLiteral("<absent>")), c.notes) << c.file;
    }
}
