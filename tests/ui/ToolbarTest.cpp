#include "ui/ShellFixture.h"

#include "logbook/Carnet.h"
#include "logbook/LogbookToolbar.h"
#include "logbook/ui/CarnetListWindow.h"
#include "logbook/ui/CommandToolBar.h"
#include "logbook/ui/DiveEditWindow.h"
#include "logbook/ui/DiveSearchField.h"
#include "logbook/ui/ToolbarPalette.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

#include <vector>

using ToolbarTest = ShellFixture;

namespace {

// Rows as a standard vector: compared element by element, empty or not.
std::vector<int> rowsOf(const QList<int>& rows) { return std::vector<int>(rows.begin(), rows.end()); }

std::vector<int> viewSelection(const CarnetListWindow* window)
{
    std::vector<int> rows;
    for (const QModelIndex& index : window->tableView()->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void pressReturn(QWidget* widget)
{
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

std::string joined(const QStringList& list) { return list.join(QLatin1Char(',')).toStdString(); }

// Unticks every row of the palette.
void untickAll(ToolbarPalette* palette)
{
    for (int i = 0; i < palette->list()->count(); ++i)
        palette->list()->item(i)->setCheckState(Qt::Unchecked);
}

} // namespace

TEST_F(ToolbarTest, ItemsNeedingDivesAreDisabledOnlyInAnEmptyLogbook)
{
    // (An untouched new logbook gives way to a file opened after it.)
    Carnet* full = controller->openDocument(writeLogbook(QStringLiteral("full.ondrix"), dives(3)));
    Carnet* empty = controller->newDocument();
    ASSERT_NE(empty, nullptr);
    ASSERT_NE(full, nullptr);
    // The rule itself is the toolbar table's; here, that both toolbars and
    // their buttons follow it.
    const struct {
        const char* id;
        bool editToolbar;
        bool enabledWhenEmpty;
    } cases[] = {{"imprimer", false, false}, {"newDive", false, true}, {"updateDive", true, false}};
    for (const auto& c : cases) {
        for (Carnet* carnet : {empty, full}) {
            CarnetListWindow* window = controller->windowOf(carnet);
            ASSERT_NE(window, nullptr);
            CommandToolBar* toolbar =
                c.editToolbar ? window->editWindow()->commandToolBar() : window->logbookToolBar();
            QAction* action = toolbar->itemAction(QLatin1String(c.id));
            ASSERT_NE(action, nullptr) << c.id;
            const bool expected = carnet == full || c.enabledWhenEmpty;
            EXPECT_EQ(action->isEnabled(), expected) << c.id << (carnet == full ? " full" : " empty");
            if (QWidget* button = toolbar->buttonOf(QLatin1String(c.id))) {
                EXPECT_EQ(button->isEnabled(), expected) << c.id;
            }
        }
    }
    // The search field and the customise item stay enabled.
    CarnetListWindow* emptyWindow = controller->windowOf(empty);
    EXPECT_TRUE(emptyWindow->searchField()->isEnabled());
    EXPECT_TRUE(emptyWindow->logbookToolBar()->customiseAction()->isEnabled());

    // The first dive enables the items; the menu's print follows.
    empty->newDive();
    empty->addDive();
    EXPECT_TRUE(emptyWindow->logbookToolBar()->itemAction(QStringLiteral("imprimer"))->isEnabled());
    EXPECT_TRUE(emptyWindow->printAction()->isEnabled());
    EXPECT_TRUE(emptyWindow->editWindow()->commandToolBar()->itemAction(QStringLiteral("updateDive"))->isEnabled());
}

TEST_F(ToolbarTest, BothToolbarsShowTheirDefaultSetWithPicturesAndTexts)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("full.ondrix"), dives(2)));
    CarnetListWindow* window = controller->windowOf(carnet);
    for (CommandToolBar* toolbar : {window->logbookToolBar(), window->editWindow()->commandToolBar()}) {
        EXPECT_EQ(joined(toolbar->shownItems()), joined(toolbar->definition().defaultItems()));
        for (const QString& id : toolbar->shownItems()) {
            const LogbookToolbar::Item* item = LogbookToolbar::item(id);
            ASSERT_NE(item, nullptr);
            if (item->kind != LogbookToolbar::Kind::Command)
                continue;
            QAction* action = toolbar->itemAction(id);
            ASSERT_NE(action, nullptr) << joined({id});
            EXPECT_FALSE(action->icon().isNull()) << joined({id});
            EXPECT_FALSE(action->iconText().isEmpty()) << joined({id});
            EXPECT_FALSE(action->toolTip().isEmpty()) << joined({id});
            EXPECT_NE(toolbar->buttonOf(id), nullptr) << joined({id});
        }
    }
    EXPECT_EQ(window->logbookToolBar()->buttonOf(QStringLiteral("rechercher")), window->searchField());
}

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
        const LogbookToolbar& definition = toolbar->definition();

        // Take every item away but the first offered one.
        toolbar->customise();
        ToolbarPalette* palette = toolbar->customisationPalette();
        ASSERT_NE(palette, nullptr);
        untickAll(palette);
        palette->list()->item(palette->list()->count() - 1)->setCheckState(Qt::Checked);
        const QStringList chosen = palette->chosen();
        ASSERT_EQ(chosen.size(), 1);
        palette->accept();
        EXPECT_EQ(toolbar->shownItems(), chosen);
        EXPECT_EQ(settings().stringListValue(definition.settingsKey()), chosen);
        // The other logbook's toolbar of the same kind follows.
        EXPECT_EQ(toolbarOf(second)->shownItems(), chosen);

        toolbar->customise();
        palette = toolbar->customisationPalette();
        ASSERT_NE(palette, nullptr);
        palette->restoreButton()->click();
        EXPECT_EQ(joined(palette->chosen()), joined(definition.defaultItems()));
        palette->accept();
        EXPECT_EQ(joined(toolbar->shownItems()), joined(definition.defaultItems()));
        EXPECT_FALSE(settings().hasStoredValue(definition.settingsKey()));
        for (const QString& id : definition.defaultItems())
            if (toolbar->itemAction(id)) {
                EXPECT_NE(toolbar->buttonOf(id), nullptr) << id.toStdString();
            }
    }
}

// Where an item comes back is the toolbar's rule; here, that the menu reaches it.
TEST_F(ToolbarTest, TheContextMenuShowsAndHidesItems)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("full.ondrix"), dives(2)));
    CommandToolBar* toolbar = controller->windowOf(carnet)->logbookToolBar();
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
    EXPECT_FALSE(settings().hasStoredValue(toolbar->definition().settingsKey()));
}

TEST_F(ToolbarTest, TheSearchFieldSelectsTheDivesFoundAndShowsTheCount)
{
    QList<Plongee> list = dives(4);
    const char* notes[] = {"Un Mérou énorme", "mérou au tombant", "Sar", "rien"};
    for (int i = 0; i < 4; ++i) {
        list[i].setNotes(QString::fromUtf8(notes[i]));
        list[i].setOrdinateur(i == 3 ? QStringLiteral("Vega") : QStringLiteral("Nitek"));
    }
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("find.ondrix"), list));
    CarnetListWindow* window = controller->windowOf(carnet);
    DiveSearchField* search = window->searchField();
    EXPECT_EQ(search->scope(), QStringLiteral("notes"));

    const struct {
        const char* scope; // chosen in the menu, or typed with Return for none
        const char* text;
        QList<int> rows;
        const char* count;
    } cases[] = {
        {nullptr, "MÉROU", {0, 1}, "2 dives found"},
        {nullptr, "sar", {2}, "One dive found"},
        {"ordinateur", "vega", {3}, "One dive found"},
        {"bateau", "a", {}, "0 dives found"},
    };
    for (const auto& c : cases) {
        search->lineEdit()->setText(QString::fromUtf8(c.text));
        if (c.scope) {
            const QString name = QStringLiteral("findIn_") + QLatin1String(c.scope);
            QAction* item = search->scopeMenu()->findChild<QAction*>(name);
            ASSERT_NE(item, nullptr) << c.scope;
            item->trigger();
            EXPECT_EQ(search->scope(), QLatin1String(c.scope));
        } else {
            pressReturn(search->lineEdit());
        }
        EXPECT_EQ(viewSelection(window), rowsOf(c.rows)) << c.text;
        EXPECT_EQ(rowsOf(carnet->selectedRows()), rowsOf(c.rows)) << c.text;
        EXPECT_EQ(window->foundText(), QString::fromUtf8(c.count)) << c.text;
    }
}

TEST_F(ToolbarTest, FindInTheMenuPutsTheKeyboardInTheSearchField)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("full.ondrix"), dives(2)));
    CarnetListWindow* window = controller->windowOf(carnet);
    window->activateWindow();
    ASSERT_TRUE(waitFor([&] { return window->isActiveWindow(); }));
    window->searchField()->lineEdit()->setText(QStringLiteral("abc"));
    QAction* find = window->findAction();
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(find->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    find->trigger();
    EXPECT_TRUE(waitFor([&] { return QApplication::focusWidget() == window->searchField()->lineEdit(); }));
    EXPECT_EQ(window->searchField()->lineEdit()->selectedText(), QStringLiteral("abc"));
}

TEST_F(ToolbarTest, MenusHoldTheCommandsWithTheirShortcuts)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("full.ondrix"), dives(2)));
    CarnetListWindow* window = controller->windowOf(carnet);
    QMenu* file = window->fileMenu();
    emit file->aboutToShow();
    QStringList texts;
    QAction* quit = nullptr;
    for (QAction* action : file->actions()) {
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        if (action->menuRole() == QAction::QuitRole)
            quit = action;
    }
    ASSERT_NE(quit, nullptr);
    const qsizetype print = file->actions().indexOf(window->printAction());
    const qsizetype setup = file->actions().indexOf(window->pageSetupAction());
    ASSERT_GE(print, 0) << joined(texts);
    ASSERT_GE(setup, 0) << joined(texts);
    EXPECT_LT(setup, print);
    EXPECT_LT(print, file->actions().indexOf(quit));
    emit file->aboutToShow(); // once only
    EXPECT_EQ(file->actions().count(window->printAction()), 1);
    EXPECT_EQ(window->printAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(window->pageSetupAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));

    // The toolbar's commands stand in the Dive menu too, as the same actions.
    const QList<QAction*> dive = window->diveMenu()->actions();
    for (const char* id : {"profil", "profilData", "importUDCF", "importUDDF", "synthese", "statistics"})
        EXPECT_TRUE(dive.contains(window->logbookToolBar()->itemAction(QLatin1String(id)))) << id;
    EXPECT_TRUE(dive.contains(window->findAction()));
    EXPECT_TRUE(dive.contains(window->searchField()->scopeMenu()->menuAction()));
}

TEST_F(ToolbarTest, CommandsStillToComeSaySoAndCanBePluggedIn)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("full.ondrix"), dives(2)));
    CarnetListWindow* window = controller->windowOf(carnet);
    window->statusBar()->clearMessage();
    window->editWindow()->commandToolBar()->itemAction(QStringLiteral("importUDCF"))->trigger();
    EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("not available yet")));

    int runs = 0;
    window->setCommandHandler(QStringLiteral("profil"), [&runs] { ++runs; });
    window->statusBar()->clearMessage();
    window->logbookToolBar()->itemAction(QStringLiteral("profil"))->trigger();
    window->editWindow()->commandToolBar()->itemAction(QStringLiteral("profil"))->trigger();
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
}

TEST_F(ToolbarTest, TheEditToolbarRunsTheFormsCommands)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("full.ondrix"), dives(3)));
    CarnetListWindow* window = controller->windowOf(carnet);
    CommandToolBar* toolbar = window->editWindow()->commandToolBar();
    carnet->setSelection({1}, 1);
    ASSERT_EQ(carnet->form().text(plongee::idx_lieu), QStringLiteral("Place 2"));

    // Erase blanks the form and keeps the selection.
    toolbar->itemAction(QStringLiteral("blankFields"))->trigger();
    EXPECT_TRUE(carnet->form().text(plongee::idx_lieu).isEmpty());
    EXPECT_EQ(rowsOf(carnet->selectedRows()), std::vector<int>{1});
    EXPECT_EQ(carnet->count(), 3);

    carnet->form().typeText(u"lieu", QStringLiteral("Planier"));
    window->editWindow()->showForm();
    toolbar->itemAction(QStringLiteral("addDiveToList"))->trigger();
    ASSERT_EQ(carnet->count(), 4);
    EXPECT_EQ(carnet->dives().last().lieu(), QStringLiteral("Planier"));
}

TEST_F(ToolbarTest, ListToolbarCommands)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("full.ondrix"), dives(3)));
    CarnetListWindow* window = controller->windowOf(carnet);
    carnet->setSelection({2}, 2);
    window->logbookToolBar()->itemAction(QStringLiteral("newDive"))->trigger();
    EXPECT_TRUE(carnet->selectedRows().isEmpty());
    EXPECT_EQ(carnet->form().text(plongee::idx_noPlongee), QStringLiteral("4"));
    EXPECT_TRUE(window->editWindow()->isVisible());

    // Save is the File menu's Save.
    carnet->setModified(true);
    window->logbookToolBar()->itemAction(QStringLiteral("saveDocument"))->trigger();
    EXPECT_FALSE(carnet->isModified());
}

