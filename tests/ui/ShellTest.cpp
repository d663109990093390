#include "ui/ShellFixture.h"

#include "platform/context/DocumentTypes.h"
#include "platform/context/RecentDocuments.h"
#include "app/ui/AppDelegate.h"
#include "app/ui/MemoWindow.h"
#include "logbook/Carnet.h"
#include "logbook/LogbookArchive.h"
#include "logbook/ui/CarnetListWindow.h"
#include "logbook/ui/DiveEditWindow.h"
#include "logbook/ui/DiveTableModel.h"
#include "logbook/ui/RenumberWindow.h"
#include "platform/SafeSave.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace {

QByteArray contents(const QString& file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

QList<int> selectedRows(const CarnetListWindow* window)
{
    QList<int> rows;
    for (const QModelIndex& index : window->tableView()->selectionModel()->selectedRows())
        rows.append(index.row());
    return rows;
}

// Answers of the save prompt, by button.
enum SaveAnswer { Save = 0, DontSave = 1, Cancel = 2 };

} // namespace

using ShellTest = ShellFixture;

TEST_F(ShellTest, OpeningALogbookShowsItsRowsAndSelectsTheLastDive)
{
    const QString file = writeLogbook(QStringLiteral("three.ondrix"),
                                      {dive(7, QStringLiteral("Port-Cros"), 32.5f, 41),
                                       dive(8, QStringLiteral("Porquerolles"), 18.0f, 55),
                                       dive(9, QStringLiteral("Giens"), 25.5f, 47)});
    Carnet* carnet = controller->openDocument(file);
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());

    ASSERT_EQ(window->model()->rowCount(), 3);
    EXPECT_EQ(window->model()->cellText(0, QStringLiteral("noPlongee")), QStringLiteral("7"));
    EXPECT_EQ(window->model()->cellText(1, QStringLiteral("lieu")), QStringLiteral("Porquerolles"));
    EXPECT_EQ(window->model()->cellText(2, QStringLiteral("profondeur")), QStringLiteral("25.5 m"));
    EXPECT_EQ(window->statusText(), QStringLiteral("3 dives"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("three.ondrix[*]"));
    EXPECT_FALSE(window->isWindowModified());

    EXPECT_EQ(carnet->currentIndex(), 2);
    EXPECT_EQ(carnet->loadedIndex(), 2);
    EXPECT_EQ(selectedRows(window), QList<int>{2});
    EXPECT_EQ(window->editWindow()->shownIndex(), 2);
    EXPECT_EQ(window->editWindow()->shownValue(QStringLiteral("noPlongee")), QStringLiteral("9"));
    EXPECT_EQ(window->editWindow()->shownValue(QStringLiteral("lieu")), QStringLiteral("Giens"));

    EXPECT_EQ(controller->recentDocuments().mostRecent(), file);
    EXPECT_TRUE(alerts.asked().isEmpty());
}

TEST_F(ShellTest, TheLastDiveOfALongLogbookIsScrolledIntoView)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("long.ondrix"), dives(400)));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    QTableView* table = window->tableView();
    ASSERT_TRUE(waitFor([&] { return window->isVisible(); }));
    QCoreApplication::processEvents();

    const QRect last = table->visualRect(window->model()->index(399, 0));
    EXPECT_TRUE(table->viewport()->rect().intersects(last));
    const QRect first = table->visualRect(window->model()->index(0, 0));
    EXPECT_FALSE(table->viewport()->rect().intersects(first));
}

TEST_F(ShellTest, SelectionFollowsBetweenTheListAndTheLogbook)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("five.ondrix"), dives(5)));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);

    window->tableView()->selectRow(1);
    EXPECT_EQ(carnet->currentIndex(), 1);
    EXPECT_EQ(window->editWindow()->shownValue(QStringLiteral("noPlongee")), QStringLiteral("2"));

    carnet->setCurrentIndex(3);
    EXPECT_EQ(selectedRows(window), QList<int>{3});
    EXPECT_EQ(window->editWindow()->shownIndex(), 3);

    window->tableView()->clearSelection();
    EXPECT_EQ(carnet->currentIndex(), -1);
    EXPECT_EQ(window->editWindow()->shownIndex(), 3); // the form keeps the dive
}

TEST_F(ShellTest, ANewLogbookIsUntitledAndShowsTheModifiedMark)
{
    Carnet* carnet = controller->newDocument();
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Untitled[*]"));
    EXPECT_EQ(window->statusText(), QStringLiteral("0 dives"));
    EXPECT_EQ(window->editWindow()->shownIndex(), -1);

    carnet->setModified(true);
    EXPECT_TRUE(window->isWindowModified());

    Carnet* second = controller->newDocument();
    EXPECT_EQ(controller->windowOf(second)->windowTitle(), QStringLiteral("Untitled 2[*]"));
}

namespace {

struct ClosePromptCase {
    const char* name;
    SaveAnswer answer;
    bool closes;
    bool saves;
};

class ClosePromptTest : public ShellFixture, public ::testing::WithParamInterface<ClosePromptCase> {};

} // namespace

TEST_P(ClosePromptTest, ClosingAModifiedLogbookAsksFirst)
{
    const ClosePromptCase& c = GetParam();
    const QString file = writeLogbook(QStringLiteral("two.ondrix"), dives(2));
    const QByteArray before = contents(file);
    Carnet* carnet = controller->openDocument(file);
    ASSERT_NE(carnet, nullptr);
    carnet->dives().append(dive(3, QStringLiteral("Added"), 12.0f, 30));
    carnet->setModified(true);

    alerts.queueAnswer(c.answer);
    EXPECT_EQ(controller->closeDocument(carnet), c.closes);

    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_EQ(alerts.asked().first().buttons.size(), 3);
    EXPECT_TRUE(alerts.asked().first().message.contains(QStringLiteral("two.ondrix")));
    EXPECT_EQ(controller->documents().size(), c.closes ? 0 : 1);
    EXPECT_EQ(contents(file) != before, c.saves);
    if (c.saves) {
        auto saved = logbookarchive::decode(contents(file));
        ASSERT_TRUE(saved.ok());
        EXPECT_EQ(saved->size(), 3);
    }
}

INSTANTIATE_TEST_SUITE_P(Shell, ClosePromptTest,
                         ::testing::Values(ClosePromptCase{"Save", Save, true, true},
                                           ClosePromptCase{"DontSave", DontSave, true, false},
                                           ClosePromptCase{"Cancel", Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTest, ClosingAnUnchangedLogbookAsksNothing)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("one.ondrix"), dives(1)));
    ASSERT_NE(carnet, nullptr);
    EXPECT_TRUE(controller->closeDocument(carnet));
    EXPECT_TRUE(alerts.asked().isEmpty());
    EXPECT_TRUE(controller->documents().isEmpty());
}

TEST_F(ShellTest, ClosingTheWindowGoesThroughTheSamePrompt)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("one.ondrix"), dives(1)));
    ASSERT_NE(carnet, nullptr);
    carnet->setModified(true);
    CarnetListWindow* window = controller->windowOf(carnet);

    alerts.queueAnswer(Cancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(controller->documents().size(), 1);

    alerts.queueAnswer(DontSave);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(controller->documents().isEmpty());
    QCoreApplication::processEvents(); // the closed document is released
}

TEST_F(ShellTest, AFailedSaveKeepsTheLogbookModifiedAndSaysWhy)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("one.ondrix"), dives(1)));
    ASSERT_NE(carnet, nullptr);
    carnet->setFilePath(path(QStringLiteral("missing-folder/one.ondrix")));
    carnet->setModified(true);

    EXPECT_FALSE(controller->saveDocument(carnet));
    EXPECT_TRUE(carnet->isModified());
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_TRUE(alerts.asked().first().message.startsWith(QStringLiteral("The logbook “one.ondrix” could not be saved: ")))
        << alerts.asked().first().message.toStdString();
    EXPECT_GT(alerts.asked().first().message.size(), 50); // with the reason

    // Answering Save at the close prompt, the failure keeps the window open.
    alerts.queueAnswer(Save);
    EXPECT_FALSE(controller->closeDocument(carnet));
    EXPECT_EQ(controller->documents().size(), 1);
}

TEST_F(ShellTest, SavingAnUntitledLogbookAsksForAFileAndReopensWithTheSameDives)
{
    Carnet* carnet = controller->newDocument();
    ASSERT_NE(carnet, nullptr);
    const QList<Plongee> original = dives(6);
    carnet->setDives(original);
    carnet->setModified(true);

    const QString file = path(QStringLiteral("saved.ondrix"));
    int asked = 0;
    controller->setSavePathChooser([&](QWidget*, const QString& suggestion) {
        ++asked;
        EXPECT_TRUE(suggestion.endsWith(QStringLiteral("Untitled.ondrix"))) << suggestion.toStdString();
        return file;
    });
    ASSERT_TRUE(controller->saveDocument(carnet));
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(carnet->isModified());
    EXPECT_EQ(controller->windowOf(carnet)->windowTitle(), QStringLiteral("saved.ondrix[*]"));
    EXPECT_EQ(controller->recentDocuments().mostRecent(), file);

    // A second save goes to the bound file without asking.
    carnet->setModified(true);
    ASSERT_TRUE(controller->saveDocument(carnet));
    EXPECT_EQ(asked, 1);

    ASSERT_TRUE(controller->closeDocument(carnet));
    Carnet* reopened = controller->openDocument(file);
    ASSERT_NE(reopened, nullptr);
    ASSERT_EQ(reopened->count(), original.size());
    for (int i = 0; i < original.size(); ++i)
        EXPECT_TRUE(reopened->dives().at(i).identical(original.at(i))) << i;
    EXPECT_EQ(reopened->loadedIndex(), original.size() - 1);
}

TEST_F(ShellTest, CancellingSaveAsLeavesTheLogbookAsItWas)
{
    Carnet* carnet = controller->newDocument();
    carnet->setModified(true);
    controller->setSavePathChooser([](QWidget*, const QString&) { return QString(); });
    EXPECT_FALSE(controller->saveDocument(carnet));
    EXPECT_TRUE(carnet->isModified());
    EXPECT_TRUE(carnet->filePath().isEmpty());
    EXPECT_TRUE(alerts.asked().isEmpty());
}

TEST_F(ShellTest, SaveAsOntoALogbookOpenInAnotherWindowIsRefused)
{
    const QString file = writeLogbook(QStringLiteral("open.ondrix"), dives(2));
    const QByteArray before = contents(file);
    ASSERT_NE(controller->openDocument(file), nullptr);
    Carnet* other = controller->newDocument();
    other->setModified(true);
    controller->setSavePathChooser([&](QWidget*, const QString&) { return file; });

    EXPECT_FALSE(controller->saveDocumentAs(other));
    EXPECT_EQ(contents(file), before);
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_TRUE(alerts.asked().first().message.contains(QStringLiteral("open in another window")));
}

TEST_F(ShellTest, OpeningAnOpenLogbookAgainBringsItsWindowForward)
{
    const QString file = writeLogbook(QStringLiteral("twice.ondrix"), dives(2));
    Carnet* first = controller->openDocument(file);
    ASSERT_NE(first, nullptr);
    first->setModified(true); // reopening must not reload over the changes
    Carnet* again = controller->openDocument(dir.path() + QStringLiteral("/./sub/../twice.ondrix"));
    EXPECT_EQ(again, first);
    EXPECT_EQ(controller->documents().size(), 1);
    EXPECT_TRUE(first->isModified());
}

TEST_F(ShellTest, AnUntouchedNewLogbookGivesItsPlaceToTheOpenedOne)
{
    Carnet* untitled = controller->newDocument();
    ASSERT_NE(untitled, nullptr);
    Carnet* opened = controller->openDocument(writeLogbook(QStringLiteral("a.ondrix"), dives(2)));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(controller->documents(), QList<Carnet*>{opened});

    // A new logbook the diver has touched stays.
    Carnet* touched = controller->newDocument();
    touched->setModified(true);
    ASSERT_NE(controller->openDocument(writeLogbook(QStringLiteral("b.ondrix"), dives(1))), nullptr);
    EXPECT_EQ(controller->documents().size(), 3);
}

TEST_F(ShellTest, AFileThatIsNoLogbookIsRefusedWithTheReason)
{
    const QString file = path(QStringLiteral("notes.txt"));
    ASSERT_TRUE(saveFileAtomically(file, "just some text, not a logbook").ok);
    EXPECT_EQ(controller->openDocument(file), nullptr);
    EXPECT_TRUE(controller->documents().isEmpty());
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_TRUE(alerts.asked().first().message.startsWith(QStringLiteral("The logbook “notes.txt” could not be opened: ")));
    EXPECT_TRUE(controller->recentDocuments().list().isEmpty());
}

// Revert to Saved asks first; a file that cannot be read again leaves the
// logbook with its changes and says why.
TEST_F(ShellTest, RevertToSavedReadsTheFileAgainOrKeepsTheLogbookAsItIs)
{
    const QString file = writeLogbook(QStringLiteral("two.ondrix"), dives(2));
    const QByteArray saved = contents(file);
    Carnet* carnet = controller->openDocument(file);
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    QAction* revert = window->fileMenu()->findChild<QAction*>(QStringLiteral("revertToSavedAction"));
    ASSERT_NE(revert, nullptr);
    EXPECT_FALSE(revert->isEnabled()); // nothing changed yet

    const struct {
        const char* name;
        int answer;                      // 0 OK, 1 Cancel
        std::function<void()> meanwhile; // what happens to the file before the revert
        const char* says;                // after the question; none when reverted or cancelled
    } cases[] = {
        {"cancelled", 1, [] {}, nullptr},
        {"vanished", 0, [&] { QFile::remove(file); }, "could not be read again: "},
        {"not a logbook", 0, [&] { saveFileAtomically(file, "not a logbook"); }, "not an Ondrix document"},
        {"folder",
         0,
         [&] {
             QFile::remove(file);
             QDir().mkdir(file);
         },
         "is a folder"},
        {"reverted",
         0,
         [&] {
             QDir().rmdir(file);
             saveFileAtomically(file, saved);
         },
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        carnet->newDive();
        ASSERT_TRUE(carnet->addDive());
        const int changed = carnet->count();
        EXPECT_TRUE(revert->isEnabled());
        c.meanwhile();
        alerts.queueAnswer(c.answer);
        const qsizetype asked = alerts.asked().size();
        revert->trigger();

        ASSERT_EQ(alerts.asked().size(), asked + (c.says ? 2 : 1));
        EXPECT_EQ(alerts.asked()[asked].key, QStringLiteral("Revert to saved"));
        EXPECT_TRUE(alerts.asked()[asked].message.contains(QStringLiteral("“two.ondrix”")));
        const bool reverted = !c.says && c.answer == 0;
        if (c.says) {
            EXPECT_EQ(alerts.asked().last().key, QStringLiteral("Revert failed"));
            EXPECT_TRUE(alerts.asked().last().message.contains(QLatin1String(c.says))) << alerts.asked().last().message.toStdString();
        }
        EXPECT_EQ(carnet->count(), reverted ? 2 : changed);
        EXPECT_EQ(window->model()->rowCount(), carnet->count());
        EXPECT_EQ(carnet->isModified(), !reverted);
        EXPECT_EQ(revert->isEnabled(), !reverted);
        EXPECT_EQ(carnet->filePath(), file);
    }
    // Read again, the last dive is selected and shown.
    EXPECT_EQ(selectedRows(window), QList<int>{1});
    EXPECT_EQ(window->editWindow()->shownIndex(), 1);

    // A logbook never saved has nothing to revert to.
    Carnet* untitled = controller->newDocument();
    untitled->newDive();
    ASSERT_TRUE(untitled->addDive());
    QAction* none = controller->windowOf(untitled)->fileMenu()->findChild<QAction*>(QStringLiteral("revertToSavedAction"));
    EXPECT_FALSE(none->isEnabled());
    EXPECT_FALSE(controller->revertDocumentToSaved(untitled));
    EXPECT_EQ(untitled->count(), 1);
}

TEST_F(ShellTest, QuitAsksForEachModifiedLogbookAndCancelStopsIt)
{
    Carnet* a = controller->openDocument(writeLogbook(QStringLiteral("a.ondrix"), dives(1)));
    Carnet* b = controller->openDocument(writeLogbook(QStringLiteral("b.ondrix"), dives(1)));
    Carnet* c = controller->openDocument(writeLogbook(QStringLiteral("c.ondrix"), dives(1)));
    ASSERT_TRUE(a && b && c);
    a->setModified(true);
    c->setModified(true);

    // Most recent first: c is not saved, then the quit is cancelled at a.
    alerts.queueAnswer(DontSave);
    alerts.queueAnswer(Cancel);
    EXPECT_FALSE(controller->closeAllDocuments());
    EXPECT_EQ(alerts.asked().size(), 2);
    EXPECT_EQ(controller->documents(), QList<Carnet*>{a});

    alerts.queueAnswer(DontSave);
    EXPECT_TRUE(controller->closeAllDocuments());
    EXPECT_TRUE(controller->documents().isEmpty());
}

// --- Launch -------------------------------------------------------------------

TEST_F(ShellTest, FirstLaunchOpensANewLogbook)
{
    EXPECT_TRUE(controller->applicationOpenUntitledFile());
    ASSERT_EQ(controller->documents().size(), 1);
    EXPECT_TRUE(controller->documents().first()->filePath().isEmpty());
    EXPECT_TRUE(alerts.asked().isEmpty());
    EXPECT_EQ(controller->appDelegate().existingWindow(WindowTable::memoCommand()), nullptr);
}

TEST_F(ShellTest, LaunchOpensTheMostRecentDocumentAndTheMemoWhenAskedFor)
{
    const QString older = writeLogbook(QStringLiteral("older.ondrix"), dives(1));
    const QString newer = writeLogbook(QStringLiteral("newer.ondrix"), dives(2));
    controller->recentDocuments().add(older);
    controller->recentDocuments().add(newer);
    settings().setValue(QStringLiteral("pense bete"), true);

    controller->applicationOpenUntitledFile();
    ASSERT_EQ(controller->documents().size(), 1);
    EXPECT_EQ(controller->documents().first()->filePath(), newer);
    QWidget* memo = controller->appDelegate().existingWindow(WindowTable::memoCommand());
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isVisible());
}

TEST_F(ShellTest, LaunchWithAVanishedRecentDocumentSaysSoAndOpensANewLogbook)
{
    const QString gone = path(QStringLiteral("gone.ondrix"));
    const QString kept = writeLogbook(QStringLiteral("kept.ondrix"), dives(1));
    controller->recentDocuments().add(kept);
    controller->recentDocuments().add(gone);

    controller->applicationOpenUntitledFile();
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_TRUE(alertMessages().first().contains(QStringLiteral("“gone.ondrix” could not be opened")))
        << alertMessages().first().toStdString();
    ASSERT_EQ(controller->documents().size(), 1);
    EXPECT_TRUE(controller->documents().first()->filePath().isEmpty());
    EXPECT_EQ(controller->recentDocuments().list(), QStringList{kept});
}

TEST_F(ShellTest, LaunchWithAnUnreadableRecentDocumentSaysWhyAndOpensANewLogbook)
{
    const QString damaged = path(QStringLiteral("damaged.ondrix"));
    QByteArray bytes = *logbookarchive::encode(dives(3));
    bytes.truncate(bytes.size() / 2);
    ASSERT_TRUE(saveFileAtomically(damaged, bytes).ok);
    controller->recentDocuments().add(damaged);

    controller->applicationOpenUntitledFile();
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_TRUE(alertMessages().first().startsWith(QStringLiteral("The logbook “damaged.ondrix” could not be opened: ")));
    ASSERT_EQ(controller->documents().size(), 1);
    EXPECT_TRUE(controller->documents().first()->filePath().isEmpty());
}

TEST_F(ShellTest, OpenRecentOfAVanishedFileSaysSoAndDropsTheEntry)
{
    const QString gone = path(QStringLiteral("gone.ondrix"));
    const QString kept = writeLogbook(QStringLiteral("kept.ondrix"), dives(1));
    controller->recentDocuments().add(gone);
    controller->recentDocuments().add(kept);
    Carnet* open = controller->openDocument(kept);
    ASSERT_NE(open, nullptr);

    // The entry as the File menu offers it.
    QMenu* recent = controller->windowOf(open)->fileMenu()->findChild<QMenu*>(QStringLiteral("openRecentMenu"));
    ASSERT_NE(recent, nullptr);
    emit recent->aboutToShow();
    QAction* entry = nullptr;
    for (QAction* action : recent->actions())
        if (action->data().toString() == gone)
            entry = action;
    ASSERT_NE(entry, nullptr);
    entry->trigger();

    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_TRUE(alertMessages().first().contains(QStringLiteral("gone.ondrix")));
    EXPECT_TRUE(alertMessages().first().contains(QStringLiteral("removed from the recent documents")));
    EXPECT_EQ(controller->recentDocuments().list(), QStringList{kept});
    EXPECT_EQ(controller->documents().size(), 1);
}

// --- New-document commands ------------------------------------------------------

// The New menu has an entry per type, in the order of the types; only the
// types this version builds can be chosen there, and choosing one asks
// nothing. Called directly, a command of a type not built yet says so. Each
// command resets the default type.
TEST_F(ShellTest, TheNewMenuAndEachNewDocumentCommand)
{
    const QMenu* newMenu =
        controller->windowOf(controller->newDocument())->fileMenu()->findChild<QMenu*>(QStringLiteral("newMenu"));
    ASSERT_NE(newMenu, nullptr);
    const QList<QAction*> actions = newMenu->actions();
    const auto& commands = MyDocumentController::newCommands();
    ASSERT_EQ(commands.size(), 10);
    ASSERT_EQ(actions.size(), commands.size());
    QStringList names;
    for (qsizetype i = 0; i < commands.size(); ++i) {
        const MyDocumentController::NewCommand& command = commands[i];
        SCOPED_TRACE(command.command.toStdString());
        const DocumentType* type = DocumentTypes::byId(command.typeId);
        ASSERT_NE(type, nullptr);
        EXPECT_EQ(command.command + QLatin1Char(':'), type->newCommand);
        const bool built = command.typeId == Carnet::logbookTypeId();
        QAction* action = actions[i];
        names.append(action->text());
        EXPECT_EQ(action->objectName(), command.command);
        EXPECT_EQ(action->isEnabled(), built);
        EXPECT_EQ(action->shortcut(), built ? QKeySequence(Qt::CTRL | Qt::Key_N) : QKeySequence());

        const qsizetype documentsBefore = controller->documents().size();
        const qsizetype alertsBefore = alerts.asked().size();
        action->trigger();
        EXPECT_EQ(controller->documents().size(), documentsBefore + (built ? 1 : 0));
        EXPECT_EQ(alerts.asked().size(), alertsBefore);
        if (!built) {
            (controller.get()->*command.slot)();
            EXPECT_EQ(controller->documents().size(), documentsBefore);
            ASSERT_EQ(alerts.asked().size(), alertsBefore + 1);
            EXPECT_TRUE(alerts.asked().last().message.contains(DocumentTypes::displayName(*type, context->localizer())))
                << alerts.asked().last().message.toStdString();
        }
        EXPECT_EQ(controller->defaultType(), Carnet::logbookTypeId());
    }
    EXPECT_EQ(names.join(u'|'), QStringLiteral("Dive logbook|Miscellaneous documents|Equipment inventory|"
                                               "Rebreather service log|Consumables|Compressor maintenance|"
                                               "Wreck repertory|Budget forecast|Firms|Diving structures"));
    // A plain New after them all creates a logbook.
    EXPECT_NE(controller->newDocument(), nullptr);
}

TEST_F(ShellTest, DefaultTypeTakesKnownTypesOnly)
{
    controller->setDefaultType(QStringLiteral("wrecks"));
    EXPECT_EQ(controller->defaultType(), QStringLiteral("wrecks"));
    EXPECT_EQ(controller->newDocument(), nullptr);
    controller->setDefaultType(QStringLiteral("no such type"));
    EXPECT_EQ(controller->defaultType(), Carnet::logbookTypeId());
}

// --- Kept windows -----------------------------------------------------------------

TEST_F(ShellTest, AKeptWindowIsCreatedOnceAndKeepsItsFields)
{
    AppDelegate& delegate = controller->appDelegate();
    auto* memo = qobject_cast<MemoWindow*>(delegate.showWindow(WindowTable::memoCommand()));
    ASSERT_NE(memo, nullptr);
    memo->editor()->setPlainText(QStringLiteral("Check the O-rings"));
    memo->close();
    EXPECT_FALSE(memo->isVisible());

    EXPECT_EQ(delegate.showWindow(WindowTable::memoCommand()), memo);
    EXPECT_TRUE(memo->isVisible());
    EXPECT_EQ(memo->editor()->toPlainText(), QStringLiteral("Check the O-rings"));
    EXPECT_EQ(delegate.showWindow(QStringLiteral("noSuchWindow")), nullptr);
}

TEST_F(ShellTest, TheMemoTextIsKeptInTheSettings)
{
    {
        MemoWindow memo(settings());
        memo.show();
        memo.editor()->setPlainText(QStringLiteral("Buy batteries"));
        // Stored shortly after the change, without closing.
        EXPECT_TRUE(waitFor([&] {
            return settings().stringValue(MemoWindow::textSettingKey()) == QStringLiteral("Buy batteries");
        }));
        memo.editor()->setPlainText(QStringLiteral("Buy batteries\nFill the tanks"));
        memo.close(); // closing stores at once
        EXPECT_EQ(settings().stringValue(MemoWindow::textSettingKey()), QStringLiteral("Buy batteries\nFill the tanks"));
        memo.showAtLaunchBox()->setChecked(true);
    }
    EXPECT_TRUE(settings().boolValue(QStringLiteral("pense bete")));
    SettingsStore reread(settings().fileName());
    MemoWindow again(reread);
    EXPECT_EQ(again.editor()->toPlainText(), QStringLiteral("Buy batteries\nFill the tanks"));
    EXPECT_TRUE(again.showAtLaunchBox()->isChecked());
}

TEST_F(ShellTest, RenumberCommandBringsForwardTheRenumberWindowOfEveryLogbook)
{
    Carnet* a = controller->openDocument(writeLogbook(QStringLiteral("a.ondrix"), dives(2)));
    Carnet* b = controller->newDocument();
    b->setModified(true);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(controller->windowOf(a)->renumberWindow(), nullptr);

    controller->appDelegate().sendRenumDivesNotification(nullptr);
    for (Carnet* carnet : {a, b}) {
        RenumberWindow* renumber = controller->windowOf(carnet)->renumberWindow();
        ASSERT_NE(renumber, nullptr);
        EXPECT_TRUE(renumber->isVisible());
        auto* button = renumber->findChild<QPushButton*>(QStringLiteral("renumberButton"));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isEnabled());
    }
}
