#include "logbook/ui/ColumnLayout.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

const QStringList kLayout = {"a", "b", "c", "d", "e", "f"};

struct Step {
    const char* id;
    bool visible;
};

struct LayoutCase {
    const char* name;
    QList<Step> steps;
    QStringList shown;
};

class ColumnLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

} // namespace

TEST_P(ColumnLayoutTest, ShowingAndHidingKeepsTheRememberedOrder)
{
    ColumnLayout layout(kLayout);
    for (const Step& step : GetParam().steps)
        layout.setVisible(QLatin1String(step.id), step.visible);
    EXPECT_EQ(layout.shown(), GetParam().shown) << layout.shown().join(QLatin1Char(' ')).toStdString();
    // Hidden or not, every column keeps a place.
    EXPECT_EQ(layout.order().size(), kLayout.size());
}

INSTANTIATE_TEST_SUITE_P(
    ColumnLayout, ColumnLayoutTest,
    ::testing::Values(
        LayoutCase{"NothingChanged", {}, kLayout},
        LayoutCase{"HideOne", {{"c", false}}, {"a", "b", "d", "e", "f"}},
        LayoutCase{"HideAndShowAgain", {{"c", false}, {"c", true}}, kLayout},
        LayoutCase{"ShowingTheThirdOfThreeHiddenPutsItFirst",
                   {{"a", false}, {"b", false}, {"c", false}, {"c", true}},
                   {"c", "d", "e", "f"}},
        LayoutCase{"ShowingTheLastWithOneShownAppendsIt",
                   {{"b", false}, {"c", false}, {"d", false}, {"e", false}, {"f", false}, {"f", true}},
                   {"a", "f"}},
        LayoutCase{"ShowingInAnotherOrderKeepsTheLayoutOrder",
                   {{"b", false}, {"d", false}, {"d", true}, {"b", true}},
                   kLayout},
        LayoutCase{"HidingTwiceIsHidingOnce", {{"e", false}, {"e", false}, {"e", true}}, kLayout},
        LayoutCase{"ShowingAShownColumnDoesNothing", {{"a", true}}, kLayout},
        LayoutCase{"AnUnknownColumnIsIgnored", {{"z", true}, {"z", false}}, kLayout}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColumnLayout, TheOrderIsRememberedAtTheFirstShowOrHide)
{
    ColumnLayout layout(kLayout);
    EXPECT_TRUE(layout.remembered().isEmpty());
    layout.moveTo(QStringLiteral("f"), 0); // dragged before any show or hide
    layout.setVisible(QStringLiteral("b"), false);
    EXPECT_EQ(layout.remembered(), (QStringList{"f", "a", "b", "c", "d", "e"}));
    layout.moveTo(QStringLiteral("a"), 5); // dragged afterwards: not remembered
    EXPECT_EQ(layout.remembered(), (QStringList{"f", "a", "b", "c", "d", "e"}));
    EXPECT_EQ(layout.shown(), (QStringList{"f", "c", "d", "e", "a"}));
    // "b" goes back to its remembered index among every column.
    layout.setVisible(QStringLiteral("b"), true);
    EXPECT_EQ(layout.order(), (QStringList{"f", "c", "b", "d", "e", "a"}));
}

TEST(ColumnLayout, ApplyingVisibilitiesGoesInTheGivenOrder)
{
    ColumnLayout layout(kLayout);
    layout.setVisibility({{"a", false}, {"b", true}, {"c", false}});
    EXPECT_EQ(layout.shown(), (QStringList{"b", "d", "e", "f"}));
    EXPECT_FALSE(layout.isShown(QStringLiteral("a")));
    EXPECT_TRUE(layout.isShown(QStringLiteral("b")));
    EXPECT_FALSE(layout.isShown(QStringLiteral("z")));
}
