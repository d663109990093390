#include "ShellFixture.h"

#include "logbook/DiveList.h"
#include "platform/ui/PickListWindow.h"
#include "platform/ui/PreferencesWindow.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

using PreferencesWindowTest = ShellFixture;

TEST_F(PreferencesWindowTest, EditMenuOpensThePreferencesWhoseChangesTheOpenLogbookFollows)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("two.ondrix"), dives(2)));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    auto* menu = window->findChild<QMenu*>(QStringLiteral("editMenu"));
    ASSERT_NE(menu, nullptr);
    QAction* prefs = menu->findChild<QAction*>(QStringLiteral("showPreferencePanel"));
    ASSERT_NE(prefs, nullptr);
    EXPECT_TRUE(prefs->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Comma)));
    auto* lists = menu->findChild<QMenu*>(QStringLiteral("pickListsMenu"));
    ASSERT_NE(lists, nullptr);
    EXPECT_EQ(lists->actions().size(), 16);

    prefs->trigger();
    auto* shown = qobject_cast<PreferencesWindow*>(controller->appDelegate().existingWindow(QStringLiteral("showPreferencePanel")));
    ASSERT_NE(shown, nullptr);
    // What is typed stays through a visit to another pane.
    auto* volume = shown->findChild<QLineEdit*>(QStringLiteral("volumeBlocField"));
    typeKeys(volume, QStringLiteral("17"));
    shown->goView(PreferencesForm::Pane::Profile);
    shown->goView(PreferencesForm::Pane::General);
    EXPECT_EQ(volume->text(), QStringLiteral("17"));

    // The gas column appears in the open logbook as soon as its switch is on.
    const int gas = divelist::columnOf(u"gaz");
    const bool hiddenBefore = window->tableView()->isColumnHidden(gas);
    shown->findChild<QCheckBox*>(QStringLiteral("gazColumnSwitch"))->click();
    EXPECT_NE(window->tableView()->isColumnHidden(gas), hiddenBefore);
}

TEST_F(PreferencesWindowTest, PickListWindowAddsAndCounts)
{
    Carnet* carnet = controller->newDocument();
    auto* menu = controller->windowOf(carnet)->findChild<QMenu*>(QStringLiteral("pickListsMenu"));
    ASSERT_NE(menu, nullptr);
    menu->findChild<QAction*>(QStringLiteral("countryCode"))->trigger();
    QWidget* editor = controller->appDelegate().existingWindow(QStringLiteral("showPaysWindow"));
    ASSERT_NE(editor, nullptr);
    typeKeys(editor->findChild<QLineEdit*>(QStringLiteral("countryCode field")), QStringLiteral("FRA"));
    editor->findChild<QPushButton*>(QStringLiteral("countryCode add"))->click();
    EXPECT_EQ(editor->findChild<QListWidget*>(QStringLiteral("countryCode table"))->count(), 1);
    EXPECT_EQ(editor->findChild<QLabel*>(QStringLiteral("countryCode count"))->text(), QStringLiteral("Entries: 1"));
    EXPECT_EQ(editor->findChild<QListWidget*>(QStringLiteral("pays table"))->count(), 0);
    EXPECT_EQ(settings().stringListValue(QStringLiteral("countryCode")), QStringList{QStringLiteral("FRA")});
}

} // namespace
