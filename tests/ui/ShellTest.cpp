#include "ui/ShellFixture.h"

#include "platform/context/DocumentTypes.h"
#include "platform/context/RecentDocuments.h"
#include "app/ui/MemoWindow.h"
#include "logbook/LogbookArchive.h"
#include "platform/SafeSave.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>

namespace {
enum SaveAnswer { Save = 0, DontSave = 1, Cancel = 2 }; // the save prompt's buttons
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
    EXPECT_TRUE(window->isVisible() && !window->isWindowModified() && alerts.asked().isEmpty());
    ASSERT_EQ(window->model()->rowCount(), 3);
    EXPECT_EQ(QStringList({window->statusText(), window->windowTitle(), window->editWindow()->shownValue(QStringLiteral("lieu"))}),
              QStringList({"3 dives", "three.ondrix[*] — Ondrix", "Giens"}));
    EXPECT_EQ(selectedRows(window), QList<int>{2});
    EXPECT_EQ(controller->recentDocuments().mostRecent(), file);

    // Opened again, even by another spelling of its path: the same
    // logbook, not read over its changes.
    carnet->setModified(true);
    EXPECT_EQ(controller->openDocument(dir.path() + QStringLiteral("/./sub/../three.ondrix")), carnet);
    EXPECT_EQ(controller->documents().size(), 1);
    EXPECT_TRUE(carnet->isModified() && window->isWindowModified());
}

TEST_F(ShellTest, TheLastDiveOfALongLogbookIsScrolledIntoView)
{
    CarnetListWindow* window = controller->windowOf(controller->openDocument(writeLogbook(QStringLiteral("long.ondrix"), dives(400))));
    ASSERT_NE(window, nullptr);
    QTableView* table = window->tableView();
    ASSERT_TRUE(waitFor([&] { return window->isVisible(); }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(table->viewport()->rect().intersects(table->visualRect(window->model()->index(399, 0))));
    EXPECT_FALSE(table->viewport()->rect().intersects(table->visualRect(window->model()->index(0, 0))));
}

TEST_F(ShellTest, NewLogbooksAreUntitledAndAnUntouchedOneGivesWayToAnOpenedOne)
{
    CarnetListWindow* window = controller->windowOf(controller->newDocument());
    ASSERT_NE(window, nullptr);
    Carnet* second = controller->newDocument();
    EXPECT_EQ(QStringList({window->windowTitle(), window->statusText(), controller->windowOf(second)->windowTitle()}),
              QStringList({"Untitled[*] — Ondrix", "0 dives", "Untitled 2[*] — Ondrix"}));
    EXPECT_EQ(window->editWindow()->shownIndex(), -1);
    ASSERT_TRUE(controller->closeDocument(second));

    Carnet* opened = controller->openDocument(writeLogbook(QStringLiteral("a.ondrix"), dives(2)));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(controller->documents(), QList<Carnet*>{opened});
    // A new logbook the diver has touched stays.
    controller->newDocument()->setModified(true);
    ASSERT_NE(controller->openDocument(writeLogbook(QStringLiteral("b.ondrix"), dives(1))), nullptr);
    EXPECT_EQ(controller->documents().size(), 3);
}

// Closing asks first when the logbook changed, through the controller or
// the window's close box; answering Save writes the file.
TEST_F(ShellTest, ClosingAsksFirstWhenTheLogbookChanged)
{
    const struct { const char* name; bool modified; int answer /* -1: not asked */; bool byWindow, closes, saves; } cases[] = {{"unchanged", false, -1, false, true, false},     {"save", true, Save, false, true, true},
                 {"don't save", true, DontSave, true, true, false}, {"cancel", true, Cancel, false, false, false},
                 {"cancel at the close box", true, Cancel, true, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = writeLogbook(QStringLiteral("two.ondrix"), dives(2));
        const QByteArray before = fileContent(file);
        Carnet* carnet = controller->openDocument(file);
        ASSERT_NE(carnet, nullptr);
        if (c.modified) {
            carnet->dives().append(dive(3, QStringLiteral("Added"), 12.0f, 30));
            carnet->setModified(true);
        }
        const qsizetype asked = alerts.asked().size();
        if (c.answer >= 0)
            alerts.queueAnswer(c.answer);
        EXPECT_EQ(c.byWindow ? controller->windowOf(carnet)->close() : controller->closeDocument(carnet), c.closes);
        ASSERT_EQ(alerts.asked().size(), asked + (c.answer >= 0 ? 1 : 0));
        EXPECT_TRUE(c.answer < 0 || (alerts.asked().last().buttons.size() == 3 && alertMessages().last().contains(QStringLiteral("two.ondrix"))));
        EXPECT_EQ(controller->documents().size(), c.closes ? 0 : 1);
        EXPECT_EQ(fileContent(file) != before, c.saves);
        const auto saved = logbookarchive::decode(fileContent(file));
        EXPECT_EQ(saved.ok() ? saved->size() : -1, c.saves ? 3 : 2);
        if (!c.closes) {
            carnet->setModified(false);
            ASSERT_TRUE(controller->closeDocument(carnet));
        }
        QCoreApplication::processEvents(); // the closed document is released
    }
}

TEST_F(ShellTest, AFailedSaveKeepsTheLogbookModifiedAndSaysWhy)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("one.ondrix"), dives(1)));
    ASSERT_NE(carnet, nullptr);
    carnet->setFilePath(path(QStringLiteral("missing-folder/one.ondrix")));
    carnet->setModified(true);
    EXPECT_FALSE(controller->saveDocument(carnet));
    EXPECT_TRUE(carnet->isModified());
    ASSERT_EQ(alertMessages().size(), 1);
    EXPECT_TRUE(alertMessages().first().startsWith(QStringLiteral("The logbook “one.ondrix” could not be saved: "))) << alertMessages().first().toStdString();
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

    // Cancelled: nothing changes, nothing is said.
    controller->setSavePathChooser([](QWidget*, const QString&) { return QString(); });
    EXPECT_FALSE(controller->saveDocument(carnet));
    EXPECT_TRUE(carnet->isModified() && carnet->filePath().isEmpty() && alerts.asked().isEmpty());

    const QString file = path(QStringLiteral("saved.ondrix"));
    QStringList suggested;
    controller->setSavePathChooser([&](QWidget*, const QString& suggestion) {
        suggested.append(QFileInfo(suggestion).fileName());
        return file;
    });
    ASSERT_TRUE(controller->saveDocument(carnet));
    EXPECT_FALSE(carnet->isModified());
    EXPECT_EQ(controller->windowOf(carnet)->windowTitle(), QStringLiteral("saved.ondrix[*] — Ondrix"));
    EXPECT_EQ(controller->recentDocuments().mostRecent(), file);
    // A second save goes to the bound file without asking.
    carnet->setModified(true);
    ASSERT_TRUE(controller->saveDocument(carnet));
    EXPECT_EQ(suggested, QStringList{QStringLiteral("Untitled.ondrix")});

    ASSERT_TRUE(controller->closeDocument(carnet));
    Carnet* reopened = controller->openDocument(file);
    ASSERT_TRUE(reopened && reopened->count() == original.size());
    EXPECT_TRUE(reopened->dives().last().identical(original.last()));

    // Save As onto a logbook open in another window is refused.
    Carnet* other = controller->newDocument();
    other->setModified(true);
    const QByteArray before = fileContent(file);
    EXPECT_FALSE(controller->saveDocumentAs(other));
    EXPECT_EQ(fileContent(file), before);
    EXPECT_EQ(alertMessages().size(), 1);
    EXPECT_TRUE(alertMessages().last().contains(QStringLiteral("open in another window")));
}

TEST_F(ShellTest, AFileThatIsNoLogbookIsRefusedWithTheReason)
{
    const QString file = path(QStringLiteral("notes.txt"));
    ASSERT_TRUE(saveFileAtomically(file, "just some text, not a logbook").ok);
    EXPECT_EQ(controller->openDocument(file), nullptr);
    EXPECT_TRUE(controller->documents().isEmpty() && controller->recentDocuments().list().isEmpty());
    ASSERT_EQ(alertMessages().size(), 1);
    EXPECT_TRUE(alertMessages().first().startsWith(QStringLiteral("The logbook “notes.txt” could not be opened: ")));
}

// Revert to Saved asks first; a file that cannot be read again leaves the
// logbook with its changes and says why (the reading errors themselves are
// the archive's, tested headless).
TEST_F(ShellTest, RevertToSavedReadsTheFileAgainOrKeepsTheLogbookAsItIs)
{
    const QString file = writeLogbook(QStringLiteral("two.ondrix"), dives(2));
    const QByteArray saved = fileContent(file);
    Carnet* carnet = controller->openDocument(file);
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    QAction* revert = window->fileMenu()->findChild<QAction*>(QStringLiteral("revertToSavedAction"));
    ASSERT_NE(revert, nullptr);
    EXPECT_FALSE(revert->isEnabled()); // nothing changed yet
    const auto change = [&] {
        carnet->newDive();
        ASSERT_TRUE(carnet->addDive());
        EXPECT_TRUE(revert->isEnabled());
    };

    change();
    alerts.queueAnswer(1); // Cancel
    revert->trigger();
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Revert to saved")});
    EXPECT_TRUE(alerts.asked().last().message.contains(QStringLiteral("“two.ondrix”")));
    EXPECT_EQ(carnet->count(), 3);

    QFile::remove(file);
    revert->trigger(); // OK, but the file is gone
    EXPECT_EQ(alertKeys().mid(1), (QStringList{QStringLiteral("Revert to saved"), QStringLiteral("Revert failed")}));
    EXPECT_TRUE(alerts.asked().last().message.contains(QStringLiteral("could not be read again: ")));
    EXPECT_TRUE(carnet->count() == 3 && carnet->isModified());

    ASSERT_TRUE(saveFileAtomically(file, saved).ok);
    revert->trigger();
    EXPECT_EQ(alerts.asked().size(), 4);
    EXPECT_EQ(QList<int>({int(carnet->count()), window->model()->rowCount()}), QList<int>({2, 2}));
    EXPECT_FALSE(carnet->isModified() || revert->isEnabled());
    // Read again, the last dive is selected and shown.
    EXPECT_EQ(std::tuple(selectedRows(window), window->editWindow()->shownIndex()), std::tuple(QList<int>{1}, 1));

    // A logbook never saved has nothing to revert to.
    Carnet* untitled = controller->newDocument();
    untitled->newDive();
    ASSERT_TRUE(untitled->addDive());
    EXPECT_FALSE(controller->windowOf(untitled)->fileMenu()->findChild<QAction*>(QStringLiteral("revertToSavedAction"))->isEnabled());
    EXPECT_FALSE(controller->revertDocumentToSaved(untitled));
    EXPECT_EQ(untitled->count(), 1);
}

TEST_F(ShellTest, QuitAsksForEachModifiedLogbookAndCancelStopsIt)
{
    const auto open = [&](const char* name) { return controller->openDocument(writeLogbook(QLatin1String(name), dives(1))); };
    Carnet *a = open("a.ondrix"), *b = open("b.ondrix"), *c = open("c.ondrix");
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

// What the launch opens is LaunchPlan's rule (LaunchTest); here, that the
// controller carries it out and a recent document that fails says why.
TEST_F(ShellTest, LaunchOpensWhatThePlanSays)
{
    // The recent document is written as a logbook, missing, or damaged; `says` is the alert's start, if any.
    const struct { const char* name; const char* recent; bool memo; const char* says; } cases[] = {
        {"first launch", nullptr, false, nullptr},
        {"the most recent and the memo", "newer.ondrix", true, nullptr},
        {"vanished", "gone.ondrix", false, "The document “gone.ondrix” could not be opened"},
        {"damaged", "damaged.ondrix", false, "The logbook “damaged.ondrix” could not be opened: "},
    };
    int row = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // Each launch with settings of its own.
        controller.reset();
        context = std::make_unique<AppContext>(
            std::make_unique<SettingsStore>(path(QStringLiteral("launch%1.ini").arg(++row))), alerts, QStringLiteral("en"));
        controller = std::make_unique<MyDocumentController>(*context);
        const qsizetype asked = alerts.asked().size();
        const QString kept = writeLogbook(QStringLiteral("kept.ondrix"), dives(1));
        const QString recent = c.recent ? path(QLatin1String(c.recent)) : QString();
        if (c.recent) {
            QByteArray bytes = *logbookarchive::encode(dives(3));
            if (recent.contains(QStringLiteral("damaged")))
                bytes.truncate(bytes.size() / 2);
            if (!recent.contains(QStringLiteral("gone"))) {
                ASSERT_TRUE(saveFileAtomically(recent, bytes).ok);
            }
            controller->recentDocuments().add(kept);
            controller->recentDocuments().add(recent);
        }
        settings().setValue(QStringLiteral("pense bete"), c.memo);

        EXPECT_TRUE(controller->applicationOpenUntitledFile());
        ASSERT_EQ(controller->documents().size(), 1);
        const bool opens = c.recent && !c.says;
        EXPECT_EQ(controller->documents().first()->filePath(), opens ? recent : QString());
        QWidget* memo = controller->appDelegate().existingWindow(WindowTable::memoCommand());
        EXPECT_EQ(memo && memo->isVisible(), c.memo);
        ASSERT_EQ(alerts.asked().size(), asked + (c.says ? 1 : 0));
        EXPECT_TRUE(!c.says || alertMessages().last().startsWith(QString::fromUtf8(c.says))) << alertMessages().last().toStdString();
        EXPECT_TRUE(QString(c.recent) != QStringLiteral("gone.ondrix") || controller->recentDocuments().list() == QStringList{kept});
    }
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
    const QList<QAction*> entries = recent->actions();
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](QAction* a) { return a->data().toString() == gone; });
    ASSERT_NE(entry, entries.end());
    (*entry)->trigger();
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_TRUE(alertMessages().first().contains(QStringLiteral("gone.ondrix")) &&
                alertMessages().first().contains(QStringLiteral("removed from the recent documents")));
    EXPECT_EQ(controller->recentDocuments().list(), QStringList{kept});
    EXPECT_EQ(controller->documents().size(), 1);
}

// The New menu has an entry per type, in the order of the types; only the
// types this version builds (the logbook, the wreck repertory) can be chosen there. Called directly, a command
// of a type not built yet says so. Each command resets the default type.
TEST_F(ShellTest, TheNewMenuAndEachNewDocumentCommand)
{
    const QMenu* newMenu =
        controller->windowOf(controller->newDocument())->fileMenu()->findChild<QMenu*>(QStringLiteral("newMenu"));
    ASSERT_NE(newMenu, nullptr);
    const auto& commands = MyDocumentController::newCommands();
    ASSERT_EQ(newMenu->actions().size(), commands.size());
    for (qsizetype i = 0; i < commands.size(); ++i) {
        const MyDocumentController::NewCommand& command = commands[i];
        SCOPED_TRACE(command.command.toStdString());
        const DocumentType* type = DocumentTypes::byId(command.typeId);
        ASSERT_NE(type, nullptr);
        const bool built = controller->canCreate(command.typeId);
        QAction* action = newMenu->actions()[i];
        EXPECT_FALSE(action->text().isEmpty());
        EXPECT_EQ(std::tuple(action->objectName(), action->isEnabled()), std::tuple(command.command, built));
        EXPECT_EQ(action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_N), command.typeId == Carnet::logbookTypeId());
        const qsizetype documents = controller->documents().size() + controller->registers().size();
        const qsizetype asked = alerts.asked().size();
        if (built)
            action->trigger();
        else
            (controller.get()->*command.slot)();
        EXPECT_EQ(controller->documents().size() + controller->registers().size(), documents + (built ? 1 : 0));
        ASSERT_EQ(alerts.asked().size(), asked + (built ? 0 : 1));
        EXPECT_TRUE(built || alertMessages().last().contains(DocumentTypes::displayName(*type, context->localizer())));
        EXPECT_EQ(controller->defaultType(), Carnet::logbookTypeId());
    }
    // The default type takes known types only.
    const qsizetype registers = controller->registers().size();
    controller->setDefaultType(QStringLiteral("wrecks"));
    EXPECT_EQ(controller->newDocument(), nullptr); // a repertory, not a logbook
    EXPECT_EQ(controller->registers().size(), registers + 1);
    controller->setDefaultType(QStringLiteral("no such type"));
    EXPECT_EQ(controller->defaultType(), Carnet::logbookTypeId());
    EXPECT_NE(controller->newDocument(), nullptr);
}

// A kept window is created once and keeps its fields; the memo's text and
// its launch switch live in the settings.
TEST_F(ShellTest, TheMemoIsAKeptWindowWithItsTextInTheSettings)
{
    AppDelegate& delegate = controller->appDelegate();
    auto* memo = qobject_cast<MemoWindow*>(delegate.showWindow(WindowTable::memoCommand()));
    ASSERT_NE(memo, nullptr);
    memo->editor()->setPlainText(QStringLiteral("Buy batteries"));
    // Stored shortly after the change, without closing.
    EXPECT_TRUE(waitFor([&] { return settings().stringValue(MemoWindow::textSettingKey()) == QStringLiteral("Buy batteries"); }));
    memo->editor()->setPlainText(QStringLiteral("Buy batteries\nFill the tanks"));
    memo->showAtLaunchBox()->setChecked(true);
    memo->close(); // closing stores at once
    EXPECT_FALSE(memo->isVisible());
    EXPECT_TRUE(settings().stringValue(MemoWindow::textSettingKey()) == QStringLiteral("Buy batteries\nFill the tanks") &&
                settings().boolValue(QStringLiteral("pense bete")));

    EXPECT_TRUE(delegate.showWindow(WindowTable::memoCommand()) == memo && memo->isVisible());
    EXPECT_EQ(delegate.showWindow(QStringLiteral("noSuchWindow")), nullptr);
    SettingsStore reread(settings().fileName());
    MemoWindow again(reread);
    EXPECT_EQ(std::tuple(again.editor()->toPlainText(), again.showAtLaunchBox()->isChecked()),
              std::tuple(QStringLiteral("Buy batteries\nFill the tanks"), true));
}

TEST_F(ShellTest, SideWindowsCloseFromTheKeyboardAndOpenInsideTheScreen)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("keys.ondrix"), dives(2)));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* list = controller->windowOf(carnet);
    const auto opened = [](const char* name) {
        const QWidgetList tops = QApplication::topLevelWidgets();
        const auto top = std::find_if(tops.begin(), tops.end(), [&](QWidget* w) { return w->objectName() == QLatin1String(name); });
        return top == tops.end() ? nullptr : *top;
    };
    const struct { const char* window; std::function<QWidget*()> open; bool escape; } rows[] = {
        {"edit form", [&] { list->showEditWindow(); return static_cast<QWidget*>(list->editWindow()); }, false},
        {"profile", [&] { carnet->displayProfilWindow(); return opened("profilWindow"); }, true},
        {"profile data", [&] { carnet->profilInfo(); return opened("editProfilWindow"); }, true},
        {"calculator", [&] { return controller->appDelegate().showWindow(QStringLiteral("displayConversionsGPSWindow")); }, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.window);
        QWidget* window = row.open();
        ASSERT_NE(window, nullptr);
        const QRect available = window->screen()->availableGeometry();
        EXPECT_TRUE(available.contains(QRect(window->pos(), window->size()))) << window->pos().y() << '+' << window->height();
        auto* close = window->findChild<QAction*>(QStringLiteral("closeWindowAction"), Qt::FindDirectChildrenOnly);
        ASSERT_NE(close, nullptr);
        EXPECT_EQ(std::tuple(close->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)), close->shortcuts().contains(QKeySequence(Qt::Key_Escape))),
                  std::tuple(true, row.escape));
        close->trigger();
        EXPECT_FALSE(window->isVisible());
    }
}
