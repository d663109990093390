#include "platform/Localizer.h"
#include "registers/EpavesRegister.h"
#include "registers/PapersRegister.h"
#include "registers/RegisterToolbars.h"

#include <gtest/gtest.h>

// A register's toolbars: which items wait for a card, in the wrecks and in
// the papers, whose items have names of their own.
TEST(RegisterToolbarsTest, ItemsAndTheirEnabling)
{
    const ToolbarDefinition wrecks = registertoolbars::listToolbar(epaves::description());
    const ToolbarDefinition wreck = registertoolbars::editToolbar(epaves::description());
    const ToolbarDefinition papers = registertoolbars::listToolbar(diversdocs::description());
    const ToolbarDefinition paper = registertoolbars::editToolbar(diversdocs::description());
    const struct { const ToolbarDefinition& toolbar; const char* id; bool enabledWhenEmpty; } cases[] = {
        {wrecks, "saveDocument", true}, {wrecks, "imprimer", false},   {wrecks, "newWreck", true},
        {wrecks, "deleteWreck", false}, {wrecks, "synthese", false},   {wreck, "addWreck", true},
        {wreck, "insertWreck", false},  {wreck, "updateWreck", false}, {wreck, "blankFields", true},
        {wreck, "customise", true},     {papers, "deleteDoc", false},  {papers, "newDoc", true},
        {paper, "insertDoc", false},    {paper, "updateDoc", false},   {paper, "addDoc", true},
    };
    Localizer english(QStringLiteral("en"));
    for (const auto& c : cases) {
        const QString id = QLatin1String(c.id);
        SCOPED_TRACE(c.id);
        ASSERT_NE(c.toolbar.find(id), nullptr);
        EXPECT_EQ(c.toolbar.enabled(id, 0), c.enabledWhenEmpty);
        EXPECT_TRUE(c.toolbar.enabled(id, 1));
        EXPECT_NE(ToolbarDefinition::label(*c.toolbar.find(id), english), QStringLiteral("error !"));
    }
    EXPECT_EQ(wrecks.find(QStringLiteral("newDive")), nullptr);
}
