#include "logbook/ui/ColumnLayout.h"

#include <gtest/gtest.h>

namespace {

const QStringList kLayout = {"a", "b", "c", "d", "e", "f"};

} // namespace

TEST(ColumnLayout, ShowingAndHidingKeepsTheRememberedOrder)
{
    const struct {
        const char* name;
        QList<std::pair<const char*, bool>> steps; // column, visible
        QStringList shown;
    } cases[] = {
        {"nothing changed", {}, kLayout},
        {"hide one", {{"c", false}}, {"a", "b", "d", "e", "f"}},
        {"hide and show again", {{"c", false}, {"c", true}}, kLayout},
        {"the third of three hidden comes back first", {{"a", false}, {"b", false}, {"c", false}, {"c", true}}, {"c", "d", "e", "f"}},
        {"the last with one shown is appended",
         {{"b", false}, {"c", false}, {"d", false}, {"e", false}, {"f", false}, {"f", true}},
         {"a", "f"}},
        {"shown in another order, the layout order", {{"b", false}, {"d", false}, {"d", true}, {"b", true}}, kLayout},
        {"hiding twice is hiding once", {{"e", false}, {"e", false}, {"e", true}}, kLayout},
        {"showing a shown column does nothing", {{"a", true}}, kLayout},
        {"an unknown column is ignored", {{"z", true}, {"z", false}}, kLayout},
    };
    for (const auto& c : cases) {
        ColumnLayout layout(kLayout);
        for (const auto& [id, visible] : c.steps)
            layout.setVisible(QLatin1String(id), visible);
        EXPECT_EQ(layout.shown(), c.shown) << c.name << ": " << layout.shown().join(u' ').toStdString();
        EXPECT_EQ(layout.order().size(), kLayout.size()) << c.name; // hidden or not, every column keeps a place
    }
    // Applying visibilities goes in the given order.
    ColumnLayout layout(kLayout);
    layout.setVisibility({{"a", false}, {"b", true}, {"c", false}});
    EXPECT_EQ(layout.shown(), (QStringList{"b", "d", "e", "f"}));
    EXPECT_FALSE(layout.isShown(QStringLiteral("z")));
}

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
