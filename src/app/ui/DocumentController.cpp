#include "app/ui/DocumentController.h"
#include "platform/InterfaceText.h"

#include "platform/context/AppContext.h"
#include "platform/context/DocumentTypes.h"
#include "app/LaunchPlan.h"
#include "app/ui/AppDelegate.h"
#include "app/ui/PreferenceCommands.h"
#include "app/ui/WindowHelpMenus.h"
#include "logbook/Carnet.h"
#include "calculators/ui/CalculatorWindows.h"
#include "exchange/ExchangeRegistry.h"
#include "exchange/ui/ExchangeImportAction.h"
#include "logbook/ui/CarnetListWindow.h"
#include "stats/ui/StatsWindows.h"
#include "profile/ui/ProfileWindows.h"
#include "platform/Alert.h"
#include "platform/AlertPresenter.h"
#include "platform/DocumentLock.h"
#include "platform/SafeSave.h"
#include "platform/SettingsStore.h"
#include "platform/ui/WindowKeys.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterDescription.h"
#include "registers/RegisterDocument.h"
#include "registers/ui/RegisterListWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

struct MyDocumentController::Document {
    // Declared in this order so that the windows go before their document.
    // A logbook has its profile windows; a register has neither of the two.
    std::unique_ptr<Carnet> carnet;
    std::unique_ptr<RegisterDocument> registerDocument;
    std::unique_ptr<ProfileWindows> profiles;
    std::unique_ptr<StatsWindows> stats;
    std::unique_ptr<CarnetListWindow> window;
    std::unique_ptr<RegisterListWindow> registerWindow;
    int untitledNumber = 0; // 1, 2... for new documents never saved

    RecordListDocument* document() const
    {
        return carnet ? static_cast<RecordListDocument*>(carnet.get()) : registerDocument.get();
    }
    DocumentWindow* listWindow() const
    {
        return window ? static_cast<DocumentWindow*>(window.get()) : registerWindow.get();
    }
};

namespace {

// The statistics windows reached from the Dive menu besides its toolbar
// items: the graph, the statistics text and the previous dives.
void addStatisticsItems(QMenu* menu, StatsWindows& stats, const Localizer& loc)
{
    const auto add = [&](const char* key, const char* name, auto slot) {
        QAction* action = menu->addAction(loc.text(QLatin1String(key), QStringLiteral("Carnet")));
        action->setObjectName(QLatin1String(name));
        QObject::connect(action, &QAction::triggered, &stats, slot);
    };
    QAction* find = menu->findChild<QAction*>(QStringLiteral("findCommand"));
    const QList<QAction*> before = menu->actions();
    add("Menu statistics graph", "displayGraphesWindow", &StatsWindows::displayGraphesWindow);
    add("Menu statistics text", "statsSynthesisWindow", &StatsWindows::statsSynthesisWindow);
    add("Menu starting values", "showEditStatisticsWindow", &StatsWindows::showEditStatisticsWindow);
    // Beside the statistics item, before the find group.
    if (find && before.contains(find)) {
        const qsizetype at = before.indexOf(find) - 1;
        QAction* anchor = at >= 0 ? before[at] : find;
        for (QAction* added : menu->actions().mid(before.size()))
            menu->insertAction(anchor, added);
    }
}

QString fileNameOf(const QString& path) { return QFileInfo(path).fileName(); }

QString folderOf(const QString& path)
{
    QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    if (folder == home || folder.startsWith(home + QDir::separator()))
        folder = QStringLiteral("~") + folder.mid(home.size());
    return folder;
}

bool samePath(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    if (RecentDocuments::normalised(a) == RecentDocuments::normalised(b))
        return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

} // namespace

const QList<MyDocumentController::NewCommand>& MyDocumentController::newCommands()
{
    using C = MyDocumentController;
    static const QList<NewCommand> commands = [] {
        const std::pair<DocumentKind, void (C::*)()> commandSlots[] = {
            {DocumentKind::Logbook, &C::newCarnetDocumentMenuAction},
            {DocumentKind::Papers, &C::newDocumentDocumentMenuAction},
            {DocumentKind::Equipment, &C::newMaterielDocumentMenuAction},
            {DocumentKind::Rebreather, &C::newRebreatherDocumentMenuAction},
            {DocumentKind::Consumables, &C::newConsommablesDocumentMenuAction},
            {DocumentKind::Compressor, &C::newCompresseurDocumentMenuAction},
            {DocumentKind::Wrecks, &C::newEpavesDocumentMenuAction},
            {DocumentKind::Budget, &C::newBudgetDocumentMenuAction},
            {DocumentKind::Firms, &C::newEntrepriseDocumentMenuAction},
            {DocumentKind::Structures, &C::newStructureDocumentMenuAction},
        };
        QList<NewCommand> list;
        for (const auto& [kind, slot] : commandSlots) {
            const DocumentType& type = DocumentTypes::of(kind);
            QString command = type.newCommand;
            if (command.endsWith(QLatin1Char(':')))
                command.chop(1);
            list.append({command, type.id, slot});
        }
        return list;
    }();
    return commands;
}

QString MyDocumentController::fileFilter()
{
    return QStringLiteral("Ondrix documents (*.ondrix *.ondrix-wrecks);;Ondrix logbooks (*.ondrix);;"
                          "Ondrix wreck repertories (*.ondrix-wrecks);;All files (*)");
}

MyDocumentController::MyDocumentController(AppContext& context, QObject* parent)
    : QObject(parent), m_context(context), m_exchange(std::make_unique<ExchangeRegistry>(context)), m_appDelegate(std::make_unique<AppDelegate>(context)),
      m_recent(context.settings())
{
    registerCalculatorWindows(*m_appDelegate, context.localizer());
    m_chooseOpenPath = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileName(parent, ui::text("Open"), folder, fileFilter());
    };
    m_chooseSavePath = [](QWidget* parent, const QString& suggestion) {
        QFileDialog dialog(parent, ui::text("Save Logbook"), suggestion, fileFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(DocumentTypes::of(DocumentKind::Logbook).fileSuffix);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        return dialog.selectedFiles().value(0);
    };
}

MyDocumentController::~MyDocumentController()
{
    // The windows go before the delegate whose commands they call.
    m_released.clear();
    m_documents.clear();
}

// --- Types and new documents ------------------------------------------------

QString MyDocumentController::defaultType() const
{
    return m_defaultType.isEmpty() ? Carnet::logbookTypeId() : m_defaultType;
}

void MyDocumentController::setDefaultType(const QString& typeId)
{
    m_defaultType = DocumentTypes::byId(typeId) ? typeId : QString();
}

bool MyDocumentController::canCreate(const QString& typeId) const
{
    return typeId == Carnet::logbookTypeId() || registers::descriptionOf(typeId);
}

Carnet* MyDocumentController::newDocument() { return qobject_cast<Carnet*>(createDocument()); }

RecordListDocument* MyDocumentController::createDocument()
{
    const QString type = defaultType();
    if (type == Carnet::logbookTypeId())
        return newLogbook();
    if (const registers::RegisterDescription* reg = registers::descriptionOf(type))
        return adopt(std::make_unique<RegisterDocument>(m_context, *reg));
    const DocumentType* known = DocumentTypes::byId(type);
    const QString name = known ? DocumentTypes::displayName(*known, m_context.localizer()) : type;
    say(QStringLiteral("Document type not available"),
        ui::text("New “%1” documents are not available yet.").arg(name));
    return nullptr;
}

void MyDocumentController::runNewCommand(const QString& typeId)
{
    setDefaultType(typeId);
    createDocument();
    setDefaultType(QString());
}

void MyDocumentController::newCarnetDocumentMenuAction() { runNewCommand(DocumentTypes::of(DocumentKind::Logbook).id); }
void MyDocumentController::newDocumentDocumentMenuAction() { runNewCommand(DocumentTypes::of(DocumentKind::Papers).id); }
void MyDocumentController::newMaterielDocumentMenuAction() { runNewCommand(DocumentTypes::of(DocumentKind::Equipment).id); }
void MyDocumentController::newRebreatherDocumentMenuAction() { runNewCommand(DocumentTypes::of(DocumentKind::Rebreather).id); }
void MyDocumentController::newConsommablesDocumentMenuAction() { runNewCommand(DocumentTypes::of(DocumentKind::Consumables).id); }
void MyDocumentController::newCompresseurDocumentMenuAction() { runNewCommand(DocumentTypes::of(DocumentKind::Compressor).id); }
void MyDocumentController::newEpavesDocumentMenuAction() { runNewCommand(DocumentTypes::of(DocumentKind::Wrecks).id); }
void MyDocumentController::newBudgetDocumentMenuAction() { runNewCommand(DocumentTypes::of(DocumentKind::Budget).id); }
void MyDocumentController::newEntrepriseDocumentMenuAction() { runNewCommand(DocumentTypes::of(DocumentKind::Firms).id); }
void MyDocumentController::newStructureDocumentMenuAction() { runNewCommand(DocumentTypes::of(DocumentKind::Structures).id); }

Carnet* MyDocumentController::newLogbook()
{
    auto carnet = std::make_unique<Carnet>(m_context);
    return adopt(std::move(carnet));
}

// --- Launch -----------------------------------------------------------------

bool MyDocumentController::applicationOpenUntitledFile()
{
    LaunchPlan plan = LaunchPlan::decide(m_context.settings(), m_recent);
    if (plan.showMemo)
        m_appDelegate->showMemoWindow();
    if (!plan.openPath.isEmpty()) {
        if (openRecentDocument(plan.openPath))
            return true;
        plan = plan.afterFailedOpen();
    }
    if (plan.newLogbook) {
        setDefaultType(Carnet::logbookTypeId());
        newDocument();
        setDefaultType(QString());
    }
    return true;
}

// --- Open -------------------------------------------------------------------

QList<Carnet*> MyDocumentController::documents() const
{
    QList<Carnet*> list;
    for (const auto& document : m_documents)
        if (document->carnet)
            list.append(document->carnet.get());
    return list;
}

QList<RegisterDocument*> MyDocumentController::registers() const
{
    QList<RegisterDocument*> list;
    for (const auto& document : m_documents)
        if (document->registerDocument)
            list.append(document->registerDocument.get());
    return list;
}

MyDocumentController::Document* MyDocumentController::find(const RecordListDocument* record) const
{
    for (const auto& document : m_documents)
        if (document->document() == record)
            return document.get();
    return nullptr;
}

CarnetListWindow* MyDocumentController::windowOf(const Carnet* carnet) const
{
    const Document* document = find(carnet);
    return document ? document->window.get() : nullptr;
}

RegisterListWindow* MyDocumentController::windowOf(const RegisterDocument* record) const
{
    const Document* document = find(record);
    return document ? document->registerWindow.get() : nullptr;
}

DocumentWindow* MyDocumentController::listWindowOf(const RecordListDocument* record) const
{
    const Document* document = find(record);
    return document ? document->listWindow() : nullptr;
}

RecordListDocument* MyDocumentController::documentAt(const QString& path) const
{
    for (const auto& document : m_documents)
        if (samePath(document->document()->filePath(), path))
            return document->document();
    return nullptr;
}

Carnet* MyDocumentController::openDocument(const QString& path) { return qobject_cast<Carnet*>(openFile(path)); }

RecordListDocument* MyDocumentController::openFile(const QString& path)
{
    const QString absolute = RecentDocuments::normalised(path);
    if (RecordListDocument* open = documentAt(absolute)) {
        windowkeys::present(listWindowOf(open));
        m_recent.add(open->filePath());
        return open;
    }

    // The file's header names its type: a register opens in its own
    // document, anything else is read as a logbook (which says why not).
    std::unique_ptr<Carnet> carnet;
    std::unique_ptr<RegisterDocument> record;
    RecordListDocument* reading = nullptr;
    if (const registers::RegisterDescription* reg = registerarchive::registerOfFile(absolute)) {
        record = std::make_unique<RegisterDocument>(m_context, *reg);
        reading = record.get();
    } else {
        carnet = std::make_unique<Carnet>(m_context);
        reading = carnet.get();
    }
    QString error;
    if (!reading->openFile(absolute, &error)) {
        say(QStringLiteral("Document could not be opened"),
            ui::text("The %1 “%2” could not be opened: %3").arg(noun(reading), fileNameOf(absolute), error));
        return nullptr;
    }
    m_recent.add(absolute);

    // A new logbook still empty and untouched gives its place to the opened document.
    RecordListDocument* pristine = nullptr;
    if (m_documents.size() == 1) {
        RecordListDocument* only = m_documents.front()->document();
        if (only->filePath().isEmpty() && !only->isModified() && only->count() == 0)
            pristine = only;
    }
    RecordListDocument* opened = carnet ? static_cast<RecordListDocument*>(adopt(std::move(carnet)))
                                        : adopt(std::move(record));
    if (pristine)
        closeDocument(pristine);
    return opened;
}

RecordListDocument* MyDocumentController::openRecentDocument(const QString& path)
{
    const QString absolute = RecentDocuments::normalised(path);
    if (!documentAt(absolute) && !QFileInfo::exists(absolute)) {
        m_recent.remove(absolute);
        say(QStringLiteral("Recent document missing"),
            ui::text("The document “%1” could not be opened: it is no longer in the folder “%2”. "
               "It has been removed from the recent documents.")
                .arg(fileNameOf(absolute), folderOf(absolute)));
        return nullptr;
    }
    RecordListDocument* opened = openFile(absolute);
    if (!opened)
        m_recent.remove(absolute);
    return opened;
}

void MyDocumentController::openDocumentWithDialog()
{
    QWidget* parent = qobject_cast<QWidget*>(QGuiApplication::focusObject());
    const QString recent = m_recent.mostRecent();
    const QString folder = recent.isEmpty() ? QDir::homePath() : QFileInfo(recent).absolutePath();
    const QString path = m_chooseOpenPath(parent ? parent->window() : nullptr, folder);
    if (!path.isEmpty())
        openFile(path);
}

Carnet* MyDocumentController::adopt(std::unique_ptr<Carnet> carnet)
{
    auto document = std::make_unique<Document>();
    document->carnet = std::move(carnet);
    Carnet* logbook = document->carnet.get();
    logbook->setExporter(m_exchange.get());
    if (logbook->filePath().isEmpty())
        document->untitledNumber = ++m_untitledCount;
    document->profiles = std::make_unique<ProfileWindows>(*logbook);
    document->window = std::make_unique<CarnetListWindow>(*logbook, *m_appDelegate);
    CarnetListWindow* window = document->window.get();
    equip(window, window->fileMenu(), logbook);
    window->setCommandHandler(QStringLiteral("profil"), [logbook] { logbook->displayProfilWindow(); });
    window->setCommandHandler(QStringLiteral("profilData"), [logbook] { logbook->profilInfo(); });
    StatsWindows* stats = (document->stats = std::make_unique<StatsWindows>(*logbook)).get();
    window->setCommandHandler(QStringLiteral("statistics"), [stats] { stats->showStatisticsWindow(); });
    window->setCommandHandler(QStringLiteral("synthese"), [stats] { stats->divesForSynthesisWindow(); });
    addStatisticsItems(window->diveMenu(), *stats, logbook->context().localizer());
    window->setCommandHandler(QStringLiteral("importUDDF"), [window, logbook] {
        importExchangeFileInteractively(window, *logbook,
                                        {ui::text("Import UDDF"), ui::text("UDDF files (*.uddf *.xml *.txt)")});
    });
    window->setCommandHandler(QStringLiteral("importUDCF"), [window, logbook] {
        importExchangeFileInteractively(window, *logbook,
                                        {ui::text("Import UDCF"), ui::text("UDCF files (*.udcf *.xml *.txt)")});
    });
    m_documents.push_back(std::move(document));
    place(window, logbook);
    return logbook;
}

RegisterDocument* MyDocumentController::adopt(std::unique_ptr<RegisterDocument> record)
{
    auto document = std::make_unique<Document>();
    document->registerDocument = std::move(record);
    RegisterDocument* opened = document->registerDocument.get();
    if (opened->filePath().isEmpty())
        document->untitledNumber = ++m_untitledCount;
    document->registerWindow = std::make_unique<RegisterListWindow>(*opened);
    RegisterListWindow* window = document->registerWindow.get();
    equip(window, window->fileMenu(), opened);
    m_documents.push_back(std::move(document));
    place(window, opened);
    return opened;
}

void MyDocumentController::equip(DocumentWindow* window, QMenu* fileMenu, RecordListDocument* record)
{
    fillFileMenu(fileMenu, record);
    preferencecommands::addEditMenu(window->menuBar(), fileMenu, *m_appDelegate, m_context);
    addCalculatorMenu(window->menuBar(), *m_appDelegate);
    addWindowAndHelpMenus(window);
    window->setCloseGuard([this, record] {
        if (!confirmClose(record))
            return false;
        release(record);
        return true;
    });
}

void MyDocumentController::addWindowAndHelpMenus(DocumentWindow* window)
{
    windowmenus::addWindowMenu(window->menuBar(), [this] { m_appDelegate->showMemoWindow(); });
    windowmenus::addHelpMenu(window->menuBar(),
                             {.settingsFile = m_context.settings().fileName(),
                              .recentDocuments = [this] { return m_recent.list(); }});
}

void MyDocumentController::place(DocumentWindow* window, RecordListDocument* record)
{
    // Each new window a step down and right of the previous one.
    const int step = 28 * int((m_documents.size() - 1) % 8);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window->move(available.topLeft() + QPoint(40 + step, 40 + step));
    }
    setDocumentName(find(record));
    window->show();
    window->raise();
    window->activateWindow();
}

void MyDocumentController::setDocumentName(Document* document)
{
    document->listWindow()->setDocumentName(displayName(document->document()));
}

// --- Save and close -----------------------------------------------------------

QString MyDocumentController::noun(const RecordListDocument* document)
{
    if (const auto* record = qobject_cast<const RegisterDocument*>(document)) {
        QString name = record->description().documentNoun; // "a wreck repertory", "an equipment inventory"
        if (name.startsWith(QLatin1String("a ")))
            name = name.mid(2);
        else if (name.startsWith(QLatin1String("an ")))
            name = name.mid(3);
        return ui::text(name.toUtf8().constData());
    }
    return ui::text("logbook");
}

QString MyDocumentController::displayName(const RecordListDocument* record) const
{
    if (!record->filePath().isEmpty())
        return fileNameOf(record->filePath());
    const Document* document = find(record);
    const int number = document ? document->untitledNumber : 1;
    return number <= 1 ? ui::text("Untitled") : ui::text("Untitled %1").arg(number);
}

QString MyDocumentController::suggestedSavePath(const RecordListDocument* record) const
{
    if (!record->filePath().isEmpty())
        return record->filePath();
    const QString recent = m_recent.mostRecent();
    const QString folder = recent.isEmpty() ? QDir::homePath() : QFileInfo(recent).absolutePath();
    const DocumentType* type = DocumentTypes::byId(record->typeId());
    const QString suffix = type ? type->fileSuffix : DocumentTypes::of(DocumentKind::Logbook).fileSuffix;
    return QDir(folder).filePath(displayName(record) + QLatin1Char('.') + suffix);
}

bool MyDocumentController::saveDocument(RecordListDocument* record)
{
    if (!find(record))
        return false;
    if (record->filePath().isEmpty())
        return saveDocumentAs(record);
    if (!writeDocument(record, record->filePath()))
        return false;
    m_recent.add(record->filePath());
    return true;
}

bool MyDocumentController::writeDocument(RecordListDocument* record, const QString& path)
{
    const Localizer& texts = m_context.localizer();
    DocumentLock lock(path);
    QString error;
    if (!lock.acquire(DocumentLock::kPatience, &error)) {
        const QString key = QStringLiteral("Document is locked");
        say(key, texts.text(key, QStringLiteral("Main"),
                            QStringLiteral("The logbook “%1” was not saved: another program is changing it. "
                                           "Try again when it is done.\n(%2)"))
                     .arg(fileNameOf(path), error));
        return false;
    }
    const SaveResult saved = record->save(path);
    if (!saved.ok) {
        say(QStringLiteral("Document could not be saved"),
            ui::text("The %1 “%2” could not be saved: %3").arg(noun(record), fileNameOf(path), saved.error));
        return false;
    }
    if (!saved.durable) {
        const QString key = QStringLiteral("Saved not durable");
        say(key, texts.text(key, QStringLiteral("Main"),
                            QStringLiteral("“%1” was saved, but the system could not confirm that it is safely on "
                                           "disk (%2). Save it again before relying on it."))
                     .arg(fileNameOf(path), saved.error));
    }
    return true;
}

bool MyDocumentController::saveDocumentAs(RecordListDocument* record)
{
    Document* document = find(record);
    if (!document)
        return false;
    const QString chosen = m_chooseSavePath(document->listWindow(), suggestedSavePath(record));
    if (chosen.isEmpty())
        return false;
    const QString path = RecentDocuments::normalised(chosen);
    const RecordListDocument* other = documentAt(path);
    if (other && other != record) {
        say(QStringLiteral("Document is open"),
            ui::text("The %1 “%2” is open in another window. Close it first, or choose another name.")
                .arg(noun(other), fileNameOf(path)));
        return false;
    }
    if (!writeDocument(record, path))
        return false;
    document->untitledNumber = 0;
    setDocumentName(document);
    m_recent.add(path);
    return true;
}

bool MyDocumentController::canRevert(const RecordListDocument* record)
{
    return record && !record->filePath().isEmpty() && record->isModified();
}

bool MyDocumentController::revertDocumentToSaved(RecordListDocument* record)
{
    if (!find(record) || !canRevert(record))
        return false;
    const QString name = fileNameOf(record->filePath());
    const QString ask = QStringLiteral("Revert to saved");
    const int answer = say(ask,
                           mainText(ask, QStringLiteral("Revert the logbook “%1” to its last saved version? "
                                                        "The changes made since it was saved will be lost."))
                               .arg(name),
                           {mainText(QStringLiteral("OK"), QStringLiteral("OK")),
                            mainText(QStringLiteral("Cancel"), QStringLiteral("Cancel"))});
    if (answer != 0)
        return false;
    // Reading fails before anything of the document changes.
    QString error;
    if (!record->openFile(record->filePath(), &error)) {
        const QString failed = QStringLiteral("Revert failed");
        say(failed, mainText(failed, QStringLiteral("The logbook “%1” could not be read again: %2. "
                                                    "It stays open as it was, with its changes."))
                        .arg(name, error));
        return false;
    }
    return true;
}

bool MyDocumentController::confirmClose(RecordListDocument* record)
{
    if (!record->isModified())
        return true;
    const int answer = say(QStringLiteral("Save changes"),
                           ui::text("Do you want to save the changes made to the %1 “%2”?\n"
                              "Your changes will be lost if you don't save them.")
                               .arg(noun(record), displayName(record)),
                           {ui::text("Save"), ui::text("Don't Save"),
                            m_context.localizer().text(QStringLiteral("Cancel"), QStringLiteral("Main"),
                                                       QStringLiteral("Cancel"))});
    switch (answer) {
    case 0: return saveDocument(record);
    case 1: return true;
    default: return false;
    }
}

void MyDocumentController::release(const RecordListDocument* record)
{
    for (auto it = m_documents.begin(); it != m_documents.end(); ++it) {
        if ((*it)->document() == record) {
            // The window may be inside its own close event: it goes later.
            m_released.push_back(std::move(*it));
            m_documents.erase(it);
            QTimer::singleShot(0, this, [this] { m_released.clear(); });
            return;
        }
    }
}

bool MyDocumentController::closeDocument(RecordListDocument* record)
{
    DocumentWindow* window = listWindowOf(record);
    return window && window->close();
}

bool MyDocumentController::closeAllDocuments()
{
    // Most recent first, as the windows are stacked.
    QList<RecordListDocument*> open;
    for (const auto& document : m_documents)
        open.append(document->document());
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        if (!closeDocument(*it))
            return false;
    return true;
}

void MyDocumentController::quit()
{
    if (!closeAllDocuments())
        return;
    m_appDelegate->closeWindows();
    QCoreApplication::quit();
}

// --- Menus --------------------------------------------------------------------

void MyDocumentController::fillFileMenu(QMenu* menu, RecordListDocument* carnet)
{
    QMenu* newMenu = menu->addMenu(ui::text("&New"));
    newMenu->setObjectName(QStringLiteral("newMenu"));
    fillNewMenu(newMenu);
    QAction* action = menu->addAction(ui::text("&Open…"), this, &MyDocumentController::openDocumentWithDialog);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QMenu* recent = menu->addMenu(ui::text("Open &Recent"));
    recent->setObjectName(QStringLiteral("openRecentMenu"));
    recent->setToolTipsVisible(true);
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecentMenu(recent); });
    fillRecentMenu(recent);
    menu->addSeparator();
    action = menu->addAction(ui::text("&Close"), this, [this, carnet] { closeDocument(carnet); });
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    action = menu->addAction(ui::text("&Save"), this, [this, carnet] { saveDocument(carnet); });
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    action = menu->addAction(ui::text("Save &As…"), this, [this, carnet] { saveDocumentAs(carnet); });
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction* revert = menu->addAction(ui::text("Re&vert to Saved"), this, [this, carnet] { revertDocumentToSaved(carnet); });
    revert->setObjectName(QStringLiteral("revertToSavedAction"));
    // Follows the changed mark; the menu checks again as it opens, since
    // the file a document is bound to changes without a signal.
    const auto follow = [revert, carnet] { revert->setEnabled(canRevert(carnet)); };
    follow();
    connect(carnet, &RecordListDocument::modifiedChanged, revert, follow);
    connect(menu, &QMenu::aboutToShow, revert, follow);
    menu->addSeparator();
    // The handheld logbook has no toolbar item: its import lives here.
    if (auto* logbook = dynamic_cast<Carnet*>(carnet)) {
        QAction* handheld = menu->addAction(ui::text("Import &Handheld Logbook…"), this, [this, logbook] {
            if (Document* document = find(logbook))
                importExchangeFileInteractively(document->window.get(), *logbook,
                                                {ui::text("Import Handheld Logbook"), ui::text("Logbook files (*.xml *.txt)")});
        });
        handheld->setObjectName(QStringLiteral("importHandheldAction"));
        menu->addSeparator();
    }
    action = menu->addAction(ui::text("&Quit"), this, &MyDocumentController::quit);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    action->setMenuRole(QAction::QuitRole);
}

// One entry per document type, in the order of the types; the types this
// version cannot create yet are shown disabled.
void MyDocumentController::fillNewMenu(QMenu* menu)
{
    for (const NewCommand& command : newCommands()) {
        const DocumentType* type = DocumentTypes::byId(command.typeId);
        QAction* action = menu->addAction(DocumentTypes::displayName(*type, m_context.localizer()), this, command.slot);
        action->setObjectName(command.command);
        action->setEnabled(canCreate(command.typeId));
        if (command.typeId == Carnet::logbookTypeId())
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    }
}

void MyDocumentController::fillRecentMenu(QMenu* menu)
{
    menu->clear();
    const QStringList entries = m_recent.list();
    for (const QString& path : entries) {
        QAction* action = menu->addAction(QStringLiteral("%1  (%2)").arg(fileNameOf(path), folderOf(path)));
        action->setData(path);
        action->setToolTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openRecentDocument(path); });
    }
    if (entries.isEmpty())
        menu->addAction(ui::text("No recent documents"))->setEnabled(false);
    menu->addSeparator();
    QAction* clear = menu->addAction(ui::text("Clear Menu"), this, [this] { m_recent.clear(); });
    clear->setEnabled(!entries.isEmpty());
}

QString MyDocumentController::mainText(const QString& key, const QString& fallback) const
{
    return m_context.localizer().text(key, QStringLiteral("Main"), fallback);
}

int MyDocumentController::say(const QString& key, const QString& message, const QStringList& buttons)
{
    Alert alert;
    alert.key = key;
    alert.table = QStringLiteral("Main");
    alert.message = message;
    alert.buttons = buttons.isEmpty()
                        ? QStringList{m_context.localizer().text(QStringLiteral("OK"), QStringLiteral("Main"),
                                                                 QStringLiteral("OK"))}
                        : buttons;
    return m_context.alerts().ask(alert);
}
