#include "platform/Localizer.h"
#include "registers/EpavesRegister.h"
#include "registers/RegisterToolbars.h"

#include <gtest/gtest.h>

// A register's toolbars: their items in order, and which wait for a card.
TEST(RegisterToolbarsTest, ItemsAndTheirEnabling)
{
    const auto& reg = epaves::description();
    const ToolbarDefinition list = registertoolbars::listToolbar(reg);
    const ToolbarDefinition edit = registertoolbars::editToolbar(reg);
    EXPECT_EQ(list.id(), QStringLiteral("wreckTableViewWindowToolbar"));
    EXPECT_EQ(list.defaultItems().join(u','), QStringLiteral("saveDocument,imprimer,separator,newWreck,deleteWreck,"
                                                             "synthese,separator,customise,flexibleSpace"));
    EXPECT_EQ(edit.defaultItems().join(u','), QStringLiteral("addWreck,insertWreck,updateWreck,blankFields,synthese,"
                                                             "separator,customise,flexibleSpace"));
    const struct {
        const ToolbarDefinition& toolbar;
        const char* id;
        bool enabledWhenEmpty;
        const char* picture;
    } cases[] = {
        {list, "saveDocument", true, "enregistrer"}, {list, "imprimer", false, "imprimante"},
        {list, "newWreck", true, "ajouterEp"},       {list, "deleteWreck", false, "supprimerEp"},
        {list, "synthese", false, "texte"},          {edit, "addWreck", true, "ajouterEp"},
        {edit, "insertWreck", false, "insererEp"},   {edit, "updateWreck", false, "validerEp"},
        {edit, "blankFields", true, "raz"},          {edit, "customise", true, "customise"},
    };
    Localizer english(QStringLiteral("en"));
    for (const auto& c : cases) {
        const QString id = QLatin1String(c.id);
        SCOPED_TRACE(c.id);
        ASSERT_NE(c.toolbar.find(id), nullptr);
        EXPECT_STREQ(c.toolbar.find(id)->picture, c.picture);
        EXPECT_EQ(c.toolbar.enabled(id, 0), c.enabledWhenEmpty);
        EXPECT_TRUE(c.toolbar.enabled(id, 1));
        EXPECT_NE(ToolbarDefinition::label(*c.toolbar.find(id), english), QStringLiteral("error !"));
    }
    EXPECT_EQ(list.find(QStringLiteral("newDive")), nullptr);
}
