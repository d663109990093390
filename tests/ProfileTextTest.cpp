#include "logbook/Carnet.h"
#include "profile/ProfileText.h"
#include "support/ContextFixture.h"

#include <cmath>

using namespace plongee;

TEST(ProfileText, RenderAndParse)
{
    EXPECT_EQ(profiletext::render(QList<float>{12.5f, 18.0f}), QStringLiteral("12.5\n18.0"));
    EXPECT_EQ(profiletext::render(QList<qint16>{0, 1}), QStringLiteral("0\n1"));
    EXPECT_EQ(profiletext::parseDecimals(QStringLiteral("10\n20\n")), (QList<float>{10, 20}));
    EXPECT_EQ(profiletext::parseDecimals(QStringLiteral("10\n20\n\n  \n")), (QList<float>{10, 20}));
    const QList<float> withGap = profiletext::parseDecimals(QStringLiteral("10\n\nabc\n4.5m"));
    ASSERT_EQ(withGap.size(), 4);
    EXPECT_TRUE(std::isnan(withGap[1]));
    EXPECT_TRUE(std::isnan(withGap[2]));
    EXPECT_EQ(withGap[3], 4.5f);
    EXPECT_EQ(profiletext::parseIntegers(QStringLiteral("1\nx\n3 \n99999\n")), (QList<qint16>{1, 0, 3, 32767}));
    EXPECT_TRUE(profiletext::parseDecimals(QString()).isEmpty());
}

namespace {
class ProfileImportTest : public ContextFixture {
protected:
    std::unique_ptr<Carnet> carnet;
    void SetUp() override
    {
        ContextFixture::SetUp();
        carnet = std::make_unique<Carnet>(*context);
        carnet->newDive();
        carnet->addDive();
        carnet->setSelection({0}, 0);
    }
};
} // namespace

TEST_F(ProfileImportTest, ReplacesTheChosenListsAndStoresTheDive)
{
    std::array<std::optional<QString>, 7> lists;
    lists[0] = QStringLiteral("0\n12.5\n18\n0\n");
    lists[5] = QStringLiteral("1\n0\n0\n0");
    ASSERT_TRUE(carnet->importProfil(lists));
    const Plongee& d = carnet->dives()[0];
    EXPECT_EQ(d.profilProfondeur(), (QList<float>{0, 12.5f, 18, 0}));
    EXPECT_EQ(d.GAZ_Flag(), (QList<qint16>{1, 0, 0, 0}));
    EXPECT_EQ(d.ASC_Flag(), QList<qint16>{0}); // left as it was: no data
    const Carnet::ProfileInfo info = carnet->profileInfo();
    EXPECT_EQ(info.texts[0], QStringLiteral("0.0\n12.5\n18.0\n0.0"));
    EXPECT_EQ(info.counts[0], QStringLiteral("4 values"));
    EXPECT_EQ(info.texts[1], QString());
    EXPECT_EQ(info.counts[1], QStringLiteral("No data"));
    EXPECT_TRUE(carnet->isModified());
}

TEST_F(ProfileImportTest, ListsOfOtherLengthsAreRefused)
{
    std::array<std::optional<QString>, 7> lists;
    lists[0] = QStringLiteral("0\n10\n0");
    lists[6] = QStringLiteral("200\n150");
    EXPECT_FALSE(carnet->importProfil(lists));
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Profile lengths")});
    EXPECT_EQ(carnet->dives()[0].profilProfondeur(), QList<float>{0});
    EXPECT_EQ(carnet->form().workingProfile().profilProfondeur, QList<float>{0});
}

TEST_F(ProfileImportTest, WithNoSelectedDiveOnlyTheFormChanges)
{
    carnet->newDive();
    std::array<std::optional<QString>, 7> lists;
    lists[0] = QStringLiteral("0\n10\n0");
    EXPECT_TRUE(carnet->importProfil(lists));
    EXPECT_EQ(carnet->dives()[0].profilProfondeur(), QList<float>{0});
    EXPECT_EQ(carnet->form().workingProfile().profilProfondeur, (QList<float>{0, 10, 0}));
    carnet->addDive();
    EXPECT_EQ(carnet->dives()[1].profilProfondeur(), (QList<float>{0, 10, 0}));
}
