#include "logbook/Carnet.h"
#include "profile/ProfileText.h"
#include "support/ContextFixture.h"

#include <cmath>

using namespace plongee;

namespace {
// Compared as vectors: two empty lists, one of them never allocated, are equal.
template <typename T> std::vector<T> vec(const QList<T>& list) { return std::vector<T>(list.begin(), list.end()); }
} // namespace

TEST(ProfileText, RenderAndParse)
{
    EXPECT_EQ(profiletext::render(QList<float>{12.5f, 18.0f}), QStringLiteral("12.5\n18.0"));
    EXPECT_EQ(profiletext::render(QList<qint16>{0, 1}), QStringLiteral("0\n1"));
    const struct {
        const char* text;
        QList<float> values; // when every line is taken
        qsizetype badLine;
    } depths[] = {
        {"10\n20\n", {10, 20}, 0},
        {"10\n20\n\n  \n", {10, 20}, 0},
        {" 4.5 m\n12,5\n0\n2000\n1e3", {4.5f, 12.5f, 0, 2000, 1000}, 0},
        {"", {}, 0},
        {"10\n\n20", {}, 2},
        {"10\nabc", {}, 2},
        {"1e39", {}, 1},
        {"nan", {}, 1},
        {"3\n-0.1", {}, 2},
        {"2000.1", {}, 1},
        {"12.5 ft", {}, 1},
    };
    for (const auto& c : depths) {
        SCOPED_TRACE(c.text);
        const auto lines = profiletext::readDecimals(QString::fromUtf8(c.text), divebounds::kSampleDepth);
        EXPECT_EQ(lines.badLine, c.badLine);
        EXPECT_EQ(vec(lines.values), vec(c.values));
        // Text that is taken reads the same through the logbook's parser.
        if (lines.ok()) {
            EXPECT_EQ(vec(profiletext::parseDecimals(QString::fromUtf8(c.text))), vec(c.values));
        }
    }
    const struct {
        const char* text;
        divebounds::Range range;
        QList<qint16> values;
        qsizetype badLine;
    } codes[] = {
        {"0\n1\n1 \n", divebounds::kEventFlag, {0, 1, 1}, 0},
        {"0\n2", divebounds::kEventFlag, {}, 2},
        {"-1", divebounds::kEventFlag, {}, 1},
        {"1\nx", divebounds::kEventFlag, {}, 2},
        {"0.5", divebounds::kEventFlag, {}, 1},
        {"6\n0\n1,0", divebounds::kGasCode, {6, 0, 1}, 0},
        {"7", divebounds::kGasCode, {}, 1},
        {"99999", divebounds::kGasCode, {}, 1},
    };
    for (const auto& c : codes) {
        SCOPED_TRACE(c.text);
        const auto lines = profiletext::readIntegers(QString::fromUtf8(c.text), c.range);
        EXPECT_EQ(lines.badLine, c.badLine);
        EXPECT_EQ(vec(lines.values), vec(c.values));
    }
    EXPECT_EQ(profiletext::readIntegers(QStringLiteral("0\n  seven  "), divebounds::kGasCode).badText, QStringLiteral("seven"));
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
    // Imports the given texts into their lists, by list number.
    bool importLists(std::initializer_list<std::pair<size_t, const char*>> texts)
    {
        std::array<std::optional<QString>, 7> lists;
        for (const auto& [list, text] : texts)
            lists[list] = QString::fromUtf8(text);
        return carnet->importProfil(lists);
    }
};
} // namespace

TEST_F(ProfileImportTest, ReplacesTheChosenListsAndStoresTheDive)
{
    ASSERT_TRUE(importLists({{0, "0\n12.5\n18\n0\n"}, {5, "1\n0\n0\n0"}}));
    const Plongee& d = carnet->dives()[0];
    EXPECT_EQ(d.profilProfondeur(), (QList<float>{0, 12.5f, 18, 0}));
    EXPECT_EQ(d.GAZ_Flag(), (QList<qint16>{1, 0, 0, 0}));
    EXPECT_EQ(d.ASC_Flag(), QList<qint16>{0}); // left as it was: no data
    const Carnet::ProfileInfo info = carnet->profileInfo();
    EXPECT_EQ(QStringList({info.texts[0], info.counts[0], info.texts[1], info.counts[1]}),
              QStringList({"0.0\n12.5\n18.0\n0.0", "4 values", "", "No data"}));
    EXPECT_TRUE(carnet->isModified());
}

TEST_F(ProfileImportTest, ListsOfOtherLengthsAreRefused)
{
    EXPECT_FALSE(importLists({{0, "0\n10\n0"}, {6, "200\n150"}}));
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Profile lengths")});
    EXPECT_EQ(carnet->dives()[0].profilProfondeur(), QList<float>{0});
    EXPECT_EQ(carnet->form().workingProfile().profilProfondeur, QList<float>{0});
}

TEST_F(ProfileImportTest, ALineNoListCanHoldChangesNothing)
{
    const struct {
        size_t list;
        const char* text;
    } cases[] = {{0, "0\n1e39\n0"}, {0, "0\nabc\n0"}, {1, "0\n2\n0"}, {5, "7"}, {6, "-1"}};
    for (const auto& c : cases) {
        EXPECT_FALSE(importLists({{0, "0\n10\n0"}, {c.list, c.text}})) << c.text;
        EXPECT_EQ(carnet->form().workingProfile().profilProfondeur, QList<float>{0}) << c.text;
    }
    EXPECT_EQ(alertKeys().size(), 5);
    EXPECT_EQ(alertKeys().value(0), QStringLiteral("Profile refused"));
}

TEST_F(ProfileImportTest, WithNoSelectedDiveOnlyTheFormChanges)
{
    carnet->newDive();
    EXPECT_TRUE(importLists({{0, "0\n10"}}));
    EXPECT_EQ(carnet->dives()[0].profilProfondeur(), QList<float>{0});
    EXPECT_EQ(carnet->form().workingProfile().profilProfondeur, (QList<float>{0, 10}));
    EXPECT_EQ(carnet->profileInfo().texts[0], QStringLiteral("0.0\n10.0")); // two samples are data
    EXPECT_EQ(carnet->profileInfo().counts[0], QStringLiteral("2 values"));
    carnet->addDive();
    EXPECT_EQ(carnet->dives()[1].profilProfondeur(), (QList<float>{0, 10}));
}
