#include "ui/ShellFixture.h"

#include "logbook/LogbookToolbar.h"
#include "platform/ui/CommandToolBar.h"
#include "logbook/ui/DiveSearchField.h"
#include "platform/ui/ToolbarPalette.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

#include <array>
#include <vector>

using ToolbarTest = ShellFixture;

namespace {

std::string joined(const QStringList& list) { return list.join(QLatin1Char(',')).toStdString(); }

} // namespace

// The rules are the toolbar table's (LogbookToolbarTest); here, that both
// toolbars, their buttons and the menus follow them.
TEST_F(ToolbarTest, ItemsNeedingDivesAreDisabledOnlyInAnEmptyLogbook)
{
    // (An untouched new logbook gives way to a file opened after it.)
    Carnet* full = controller->openDocument(writeLogbook(QStringLiteral("full.ondrix"), dives(3)));
    Carnet* empty = controller->newDocument();
    ASSERT_TRUE(full && empty);
    const struct { const char* id; bool editToolbar, enabledWhenEmpty; } cases[] = {{"imprimer", false, false}, {"newDive", false, true}, {"updateDive", true, false}};
    for (const auto& c : cases) {
        for (Carnet* carnet : {empty, full}) {
            CarnetListWindow* window = controller->windowOf(carnet);
            CommandToolBar* toolbar = c.editToolbar ? window->editWindow()->commandToolBar() : window->logbookToolBar();
            QAction* action = toolbar->itemAction(QLatin1String(c.id));
            ASSERT_NE(action, nullptr) << c.id;
            const bool expected = carnet == full || c.enabledWhenEmpty;
            QWidget* button = toolbar->buttonOf(QLatin1String(c.id));
            EXPECT_EQ(std::tuple(action->isEnabled(), button ? button->isEnabled() : expected), std::tuple(expected, expected))
                << c.id << (carnet == full ? " full" : " empty");
        }
    }
    CarnetListWindow* emptyWindow = controller->windowOf(empty);
    EXPECT_TRUE(emptyWindow->searchField()->isEnabled() && emptyWindow->logbookToolBar()->customiseAction()->isEnabled() &&
                !emptyWindow->printAction()->isEnabled());
    // The first dive enables the items; the menu's print follows.
    empty->newDive();
    empty->addDive();
    EXPECT_TRUE(emptyWindow->logbookToolBar()->itemAction(QStringLiteral("imprimer"))->isEnabled() &&
                emptyWindow->printAction()->isEnabled());

    // Both toolbars show their default set, each command with its picture,
    // text, tip and button.
    CarnetListWindow* window = controller->windowOf(full);
    for (CommandToolBar* toolbar : {window->logbookToolBar(), window->editWindow()->commandToolBar()}) {
        EXPECT_EQ(joined(toolbar->shownItems()), joined(toolbar->definition().defaultItems()));
        for (const QString& id : toolbar->shownItems()) {
            QAction* action = toolbar->itemAction(id);
            if (LogbookToolbar::item(id)->kind == LogbookToolbar::Kind::Command) {
                EXPECT_FALSE(!action || action->icon().isNull() || action->iconText().isEmpty() || action->toolTip().isEmpty() ||
                             !toolbar->buttonOf(id))
                    << joined({id});
            }
        }
    }
    EXPECT_EQ(window->logbookToolBar()->buttonOf(QStringLiteral("rechercher")), window->searchField());
}

// The palette's choice is stored, reaches the other logbook's toolbar of the
// same kind, and Restore brings back every default item with its button; the
// context menu shows and hides items and restores the set too.
TEST_F(ToolbarTest, CustomisingIsKeptAndRestoringBringsBackEveryDefaultItem)
{
    Carnet* first = controller->openDocument(writeLogbook(QStringLiteral("first.ondrix"), dives(2)));
    Carnet* second = controller->openDocument(writeLogbook(QStringLiteral("second.ondrix"), dives(2)));
    for (const bool editToolbar : {true, false}) {
        const auto toolbarOf = [&](Carnet* carnet) {
            CarnetListWindow* window = controller->windowOf(carnet);
            return editToolbar ? window->editWindow()->commandToolBar() : window->logbookToolBar();
        };
        CommandToolBar* toolbar = toolbarOf(first);
        const ToolbarDefinition& definition = toolbar->definition();
        toolbar->customise();
        ToolbarPalette* palette = toolbar->customisationPalette();
        ASSERT_NE(palette, nullptr);
        for (int i = 0; i < palette->list()->count(); ++i)
            palette->list()->item(i)->setCheckState(i + 1 == palette->list()->count() ? Qt::Checked : Qt::Unchecked);
        const QStringList chosen = palette->chosen();
        ASSERT_EQ(chosen.size(), 1);
        palette->accept();
        EXPECT_EQ(toolbar->shownItems(), chosen);
        EXPECT_EQ(settings().stringListValue(definition.settingsKey()), chosen);
        EXPECT_EQ(toolbarOf(second)->shownItems(), chosen);

        toolbar->customise();
        toolbar->customisationPalette()->restoreButton()->click();
        toolbar->customisationPalette()->accept();
        EXPECT_EQ(joined(toolbar->shownItems()), joined(definition.defaultItems()));
        EXPECT_FALSE(settings().hasStoredValue(definition.settingsKey()));
        for (const QString& id : definition.defaultItems())
            EXPECT_TRUE(!toolbar->itemAction(id) || toolbar->buttonOf(id)) << id.toStdString();
    }

    CommandToolBar* toolbar = controller->windowOf(first)->logbookToolBar();
    for (const bool show : {false, true}) {
        QMenu menu;
        toolbar->fillContextMenu(&menu);
        QAction* entry = menu.findChild<QAction*>(QStringLiteral("show_rechercher"));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->isChecked(), !show);
        entry->trigger();
        EXPECT_EQ(toolbar->isShown(QStringLiteral("rechercher")), show);
    }
    QMenu menu;
    toolbar->fillContextMenu(&menu);
    menu.findChild<QAction*>(QStringLiteral("show_profil"))->trigger();
    menu.findChild<QAction*>(QStringLiteral("restoreDefaultSet"))->trigger();
    EXPECT_EQ(toolbar->shownItems(), toolbar->definition().defaultItems());
}

// What matches is FindTest's rule; here, that Return or a scope chosen in
// the menu selects the dives found and shows the count.
TEST_F(ToolbarTest, TheSearchFieldSelectsTheDivesFoundAndShowsTheCount)
{
    QList<Plongee> list = dives(4);
    for (int i = 0; i < 4; ++i) {
        list[i].setNotes(QString::fromUtf8(std::array{"Un Mérou énorme", "mérou au tombant", "Sar", "rien"}[i]));
        list[i].setOrdinateur(i == 3 ? QStringLiteral("Vega") : QStringLiteral("Nitek"));
    }
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("find.ondrix"), list));
    CarnetListWindow* window = controller->windowOf(carnet);
    DiveSearchField* search = window->searchField();
    EXPECT_EQ(search->scope(), QStringLiteral("notes"));
    // The scope is chosen in the menu, or the text typed with Return for none.
    const struct { const char* scope; const char* text; QList<int> rows; const char* count; } cases[] = {
        {nullptr, "MÉROU", {0, 1}, "2 dives found"},
        {"ordinateur", "vega", {3}, "One dive found"},
        {"bateau", "a", {}, "0 dives found"},
    };
    for (const auto& c : cases) {
        search->lineEdit()->setText(QString::fromUtf8(c.text));
        if (c.scope) {
            QAction* item = search->scopeMenu()->findChild<QAction*>(QStringLiteral("findIn_") + QLatin1String(c.scope));
            ASSERT_NE(item, nullptr) << c.scope;
            item->trigger();
            EXPECT_EQ(search->scope(), QLatin1String(c.scope));
        } else {
            pressKey(search->lineEdit(), Qt::Key_Return);
        }
        // As vectors: Qt's own comparison of two empty lists trips UBSan.
        const auto rows = [](const QList<int>& l) { return std::vector<int>(l.begin(), l.end()); };
        EXPECT_EQ(std::tuple(rows(selectedRows(window)), rows(carnet->selectedRows()), window->foundText()),
                  std::tuple(rows(c.rows), rows(c.rows), QString::fromUtf8(c.count))) << c.text;
    }
}

// The menus hold the commands with their shortcuts; the buttons run the
// logbook's commands, which can be plugged in.
TEST_F(ToolbarTest, MenusHoldTheCommandsWithTheirShortcutsAndButtonsRunThem)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("full.ondrix"), dives(3)));
    CarnetListWindow* window = controller->windowOf(carnet);
    QMenu* file = window->fileMenu();
    emit file->aboutToShow();
    emit file->aboutToShow(); // filled once only
    const QList<QAction*> items = file->actions();
    const auto quit = std::find_if(items.begin(), items.end(), [](QAction* a) { return a->menuRole() == QAction::QuitRole; });
    ASSERT_NE(quit, items.end());
    // Page Setup, then Print once, before Quit.
    const qsizetype print = items.indexOf(window->printAction()), setup = items.indexOf(window->pageSetupAction());
    EXPECT_EQ(items.count(window->printAction()), 1);
    EXPECT_TRUE(0 <= setup && setup < print && print < quit - items.begin()) << setup << " " << print;
    EXPECT_EQ(std::tuple(window->printAction()->shortcut(), window->pageSetupAction()->shortcut()),
              std::tuple(QKeySequence(Qt::CTRL | Qt::Key_P), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)));

    // The toolbar's commands stand in the Dive menu too, as the same actions.
    const QList<QAction*> dive = window->diveMenu()->actions();
    for (const char* id : {"profil", "profilData", "importUDCF", "importUDDF", "synthese", "statistics"})
        EXPECT_TRUE(dive.contains(window->logbookToolBar()->itemAction(QLatin1String(id)))) << id;
    EXPECT_TRUE(dive.contains(window->findAction()) && dive.contains(window->searchField()->scopeMenu()->menuAction()));

    // Find puts the keyboard in the search field, its text selected.
    window->activateWindow();
    ASSERT_TRUE(waitFor([&] { return window->isActiveWindow(); }));
    window->searchField()->lineEdit()->setText(QStringLiteral("abc"));
    EXPECT_EQ(window->findAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    window->findAction()->trigger();
    EXPECT_TRUE(waitFor([&] { return QApplication::focusWidget() == window->searchField()->lineEdit(); }));
    EXPECT_EQ(window->searchField()->lineEdit()->selectedText(), QStringLiteral("abc"));

    CommandToolBar* list = window->logbookToolBar();
    CommandToolBar* edit = window->editWindow()->commandToolBar();
    carnet->setSelection({2}, 2);
    list->itemAction(QStringLiteral("newDive"))->trigger();
    EXPECT_TRUE(carnet->selectedRows().isEmpty() && window->editWindow()->isVisible());
    EXPECT_EQ(carnet->form().text(plongee::idx_noPlongee), QStringLiteral("4"));
    carnet->setSelection({1}, 1);
    edit->itemAction(QStringLiteral("blankFields"))->trigger(); // blanks the form, keeps the selection
    EXPECT_TRUE(carnet->form().text(plongee::idx_lieu).isEmpty() && carnet->selectedRows() == QList<int>{1});
    carnet->form().typeText(u"lieu", QStringLiteral("Planier"));
    window->editWindow()->showForm();
    edit->itemAction(QStringLiteral("addDiveToList"))->trigger();
    ASSERT_EQ(carnet->count(), 4);
    EXPECT_EQ(carnet->dives().last().lieu(), QStringLiteral("Planier"));

    list->itemAction(QStringLiteral("saveDocument"))->trigger(); // the File menu's Save
    EXPECT_FALSE(carnet->isModified());

    int runs = 0;
    window->setCommandHandler(QStringLiteral("profil"), [&runs] { ++runs; });
    window->statusBar()->clearMessage();
    list->itemAction(QStringLiteral("profil"))->trigger();
    edit->itemAction(QStringLiteral("profil"))->trigger();
    EXPECT_TRUE(runs == 2 && window->statusBar()->currentMessage().isEmpty()) << runs;
}
