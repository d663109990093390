// Real files written by other programs (see ../shared/samples/SOURCES.md).
// The expected values below were read from the files by hand.
#include "exchange/UddfFileImport.h"
#include "logbook/Carnet.h"
#include "support/ContextFixture.h"
#include "support/DiveFields.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString samplesDir() { return QStringLiteral(ONDRIX_SAMPLES_DIR); }

// Each file's dive as the file writes it (one dive per file); temperatures
// of -50 where the file gives none.
const struct {
    const char* name;
    const char* fields;
} kFiles[] = {
    {"005_oc-trimix-two-deco-gases--perdix2.uddf",
     "day=2026-03-26; start=11:04:00; profondeur=58.7; temps=72; tempEau=15; tempAir=-50; o2Mix=19; heMix=34; gaz=2; "
     "levels=72/0 32/0; pressionDepart=197; pressionFin=85; profilProfondeur#=436; samplingRate=0; "
     "profilProfondeur[0:4]=1.4,1.6,1.6,1.5; profilProfondeur[434:436]=1,0; PRESS_Data#=436; "
     "PRESS_Data[0]=197.46593; PRESS_Data[435]=84.66765; GAZ_Flag@=0:1 240:3 350:2; SLOW_Flag@=; CEIL_Flag@=; "
     "ordinateur=Perdix 2; fabricant=Shearwater Research, Inc; serie=00000000"},
    // The dive's own notes only, not the computer's or the observations'.
    {"issue_71_perdix_single_tank.uddf",
     "day=2025-12-30; start=09:32:00; profondeur=32.3; temps=42; tempEau=24; tempAir=-50; o2Mix=30; heMix=0; gaz=1; "
     "levels=; pressionDepart=200; pressionFin=31; profilProfondeur#=257; samplingRate=0; "
     "profilProfondeur[0:4]=2,2.3,3.5,4.6; profilProfondeur[254]=1.2; profilProfondeur[256]=0; PRESS_Data#=257; "
     "PRESS_Data[0:2]=0,200.22382; PRESS_Data[256]=30.336943; GAZ_Flag@=0:1; SLOW_Flag@=; CEIL_Flag@=; site=Duane; "
     "lieu=Florida Keys; ordinateur=Perdix AI; fabricant=Shearwater Research, Inc; serie=3717DD32; "
     "notes=Summary:  \n\nEnvironment:  \n\nGas:  \n\nGear:  \n\nIssues:  \n"},
    // Waypoints at 30, 60, 90, 120, 180 and 240 s: every 30 s, with the
    // surface at 0 s and the 150 s and 210 s samples between waypoints.
    {"test-uddf-export-events.uddf",
     "day=2026-08-23; start=12:00:00; profondeur=30; temps=4; tempEau=-50; tempAir=-50; o2Mix=21; heMix=0; gaz=0; "
     "levels=32/0; pressionDepart=0; pressionFin=0; volumeBloc=12; profilProfondeur=[0,10,10,15,20,25,30,30,30]; "
     "samplingRate=2; PRESS_Data=[0]; GAZ_Flag@=4:2 6:1; SLOW_Flag@=1:1 4:1; CEIL_Flag@=6:1 8:1; notes="},
    // The older layout: waypoints every 30 s from 0 s.
    {"TestDiveDivingLog5.08.uddf",
     "day=2011-05-17; start=11:01:00; profondeur=24.7; temps=32; tempEau=10; tempAir=14; o2Mix=21; heMix=0; gaz=0; "
     "levels=; pressionDepart=0; pressionFin=0; profilProfondeur#=65; samplingRate=2; "
     "profilProfondeur[0:4]=0,2.74,4.88,8.53; profilProfondeur[9]=24.69; profilProfondeur[63:65]=2.13,0; "
     "PRESS_Data=[0]; GAZ_Flag@=; SLOW_Flag@=; CEIL_Flag@=; "
     "notes=Second deep dive\nLinus and I planned and executed - Alex just watching\ndown to 80ft (overshot by one)\n"
     "then the reverse sqeeze BS started again\nSo the rest of the dive is a loooong buoyancy exercise\n"
     "Still, fun dive - but I skipped the next one and called it a day."},
};

class UddfSamplesTest : public ContextFixture {};

} // namespace

TEST_F(UddfSamplesTest, EverySampleFileImportsWithTheValuesItHolds)
{
    if (!QDir(samplesDir()).exists())
        GTEST_SKIP() << "the sample folder " << samplesDir().toStdString() << " is absent";
    for (const QString& name : QDir(samplesDir()).entryList({QStringLiteral("*.uddf")}, QDir::Files))
        EXPECT_TRUE(std::any_of(std::begin(kFiles), std::end(kFiles), [&](const auto& f) { return name == f.name; }))
            << name.toStdString() << " has no expected values";

    for (const auto& f : kFiles) {
        SCOPED_TRACE(f.name);
        const QString path = QDir(samplesDir()).filePath(QLatin1String(f.name));
        if (!QFileInfo::exists(path))
            continue;
        Carnet carnet(*context);
        const auto outcome = uddffileimport::importFile(carnet, path);
        ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
        ASSERT_EQ(carnet.count(), 1);
        EXPECT_TRUE(carnet.isModified());
        const Plongee& d = carnet.dives()[0];
        // No ascent or surface alarms, a flag for every sample.
        const QString expected = QLatin1String(f.fields) + "; noPlongee=1; ASC_Flag@=; SURF_Flag@=";
        EXPECT_EQ(fieldsLike(d, expected), expected.toStdString());
        const QString samples = fieldsOf(d, QStringLiteral("profilProfondeur#")).section(u'=', 1);
        for (const char* flags : {"ASC_Flag#", "SLOW_Flag#", "SURF_Flag#", "CEIL_Flag#", "GAZ_Flag#"})
            EXPECT_EQ(fieldsOf(d, QString::fromLatin1(flags)).section(u'=', 1), samples) << flags;
    }
}
