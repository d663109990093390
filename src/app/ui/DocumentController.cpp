#include "app/ui/DocumentController.h"

#include "platform/context/AppContext.h"
#include "platform/context/DocumentTypes.h"
#include "app/LaunchPlan.h"
#include "app/ui/AppDelegate.h"
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
    // Declared in this order so that the windows go before the logbook.
    std::unique_ptr<Carnet> carnet;
    std::unique_ptr<ProfileWindows> profiles;
    std::unique_ptr<StatsWindows> stats;
    std::unique_ptr<CarnetListWindow> window;
    int untitledNumber = 0; // 1, 2... for new documents never saved
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
    return QStringLiteral("Ondrix logbooks (*.ondrix);;All files (*)");
}

MyDocumentController::MyDocumentController(AppContext& context, QObject* parent)
    : QObject(parent), m_context(context), m_exchange(std::make_unique<ExchangeRegistry>(context)), m_appDelegate(std::make_unique<AppDelegate>(context)),
      m_recent(context.settings())
{
    registerCalculatorWindows(*m_appDelegate, context.localizer());
    m_chooseOpenPath = [](QWidget* parent, const QString& folder) {
        return QFileDialog::getOpenFileName(parent, tr("Open"), folder, fileFilter());
    };
    m_chooseSavePath = [](QWidget* parent, const QString& suggestion) {
        QFileDialog dialog(parent, tr("Save Logbook"), suggestion, fileFilter());
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

bool MyDocumentController::canCreate(const QString& typeId) const { return typeId == Carnet::logbookTypeId(); }

Carnet* MyDocumentController::newDocument()
{
    const QString type = defaultType();
    if (canCreate(type))
        return newLogbook();
    const DocumentType* known = DocumentTypes::byId(type);
    const QString name = known ? DocumentTypes::displayName(*known, m_context.localizer()) : type;
    say(QStringLiteral("Document type not available"),
        tr("New “%1” documents are not available yet.").arg(name));
    return nullptr;
}

void MyDocumentController::runNewCommand(const QString& typeId)
{
    setDefaultType(typeId);
    newDocument();
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
        list.append(document->carnet.get());
    return list;
}

MyDocumentController::Document* MyDocumentController::find(const Carnet* carnet) const
{
    for (const auto& document : m_documents)
        if (document->carnet.get() == carnet)
            return document.get();
    return nullptr;
}

CarnetListWindow* MyDocumentController::windowOf(const Carnet* carnet) const
{
    const Document* document = find(carnet);
    return document ? document->window.get() : nullptr;
}

Carnet* MyDocumentController::documentAt(const QString& path) const
{
    for (const auto& document : m_documents)
        if (samePath(document->carnet->filePath(), path))
            return document->carnet.get();
    return nullptr;
}

Carnet* MyDocumentController::openDocument(const QString& path)
{
    const QString absolute = RecentDocuments::normalised(path);
    if (Carnet* open = documentAt(absolute)) {
        CarnetListWindow* window = windowOf(open);
        window->show();
        window->raise();
        window->activateWindow();
        m_recent.add(open->filePath());
        return open;
    }

    auto carnet = std::make_unique<Carnet>(m_context);
    QString error;
    if (!carnet->openFile(absolute, &error)) {
        say(QStringLiteral("Document could not be opened"),
            tr("The logbook “%1” could not be opened: %2").arg(fileNameOf(absolute), error));
        return nullptr;
    }
    m_recent.add(absolute);

    // A new logbook still empty and untouched gives its place to the opened one.
    Carnet* pristine = nullptr;
    if (m_documents.size() == 1) {
        Carnet* only = m_documents.front()->carnet.get();
        if (only->filePath().isEmpty() && !only->isModified() && only->count() == 0)
            pristine = only;
    }
    Carnet* opened = adopt(std::move(carnet));
    if (pristine)
        closeDocument(pristine);
    return opened;
}

Carnet* MyDocumentController::openRecentDocument(const QString& path)
{
    const QString absolute = RecentDocuments::normalised(path);
    if (!documentAt(absolute) && !QFileInfo::exists(absolute)) {
        m_recent.remove(absolute);
        say(QStringLiteral("Recent document missing"),
            tr("The logbook “%1” could not be opened: it is no longer in the folder “%2”. "
               "It has been removed from the recent documents.")
                .arg(fileNameOf(absolute), folderOf(absolute)));
        return nullptr;
    }
    Carnet* opened = openDocument(absolute);
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
        openDocument(path);
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
    fillFileMenu(window->fileMenu(), logbook);
    addCalculatorMenu(window->menuBar(), *m_appDelegate);
    window->setCommandHandler(QStringLiteral("profil"), [logbook] { logbook->displayProfilWindow(); });
    window->setCommandHandler(QStringLiteral("profilData"), [logbook] { logbook->profilInfo(); });
    StatsWindows* stats = (document->stats = std::make_unique<StatsWindows>(*logbook)).get();
    window->setCommandHandler(QStringLiteral("statistics"), [stats] { stats->showStatisticsWindow(); });
    window->setCommandHandler(QStringLiteral("synthese"), [stats] { stats->divesForSynthesisWindow(); });
    addStatisticsItems(window->diveMenu(), *stats, logbook->context().localizer());
    window->setCommandHandler(QStringLiteral("importUDDF"), [window, logbook] {
        importExchangeFileInteractively(window, *logbook,
                                        {tr("Import UDDF"), tr("UDDF files (*.uddf *.xml *.txt)")});
    });
    window->setCommandHandler(QStringLiteral("importUDCF"), [window, logbook] {
        importExchangeFileInteractively(window, *logbook,
                                        {tr("Import UDCF"), tr("UDCF files (*.udcf *.xml *.txt)")});
    });
    window->setCloseGuard([this, logbook] {
        if (!confirmClose(logbook))
            return false;
        release(logbook);
        return true;
    });

    // Each new window a step down and right of the previous one.
    const int step = 28 * int(m_documents.size() % 8);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        window->move(available.topLeft() + QPoint(40 + step, 40 + step));
    }

    m_documents.push_back(std::move(document));
    window->setDocumentName(displayName(logbook));
    window->show();
    window->raise();
    window->activateWindow();
    return logbook;
}

// --- Save and close -----------------------------------------------------------

QString MyDocumentController::displayName(const Carnet* carnet) const
{
    if (!carnet->filePath().isEmpty())
        return fileNameOf(carnet->filePath());
    const Document* document = find(carnet);
    const int number = document ? document->untitledNumber : 1;
    return number <= 1 ? tr("Untitled") : tr("Untitled %1").arg(number);
}

QString MyDocumentController::suggestedSavePath(const Carnet* carnet) const
{
    if (!carnet->filePath().isEmpty())
        return carnet->filePath();
    const QString recent = m_recent.mostRecent();
    const QString folder = recent.isEmpty() ? QDir::homePath() : QFileInfo(recent).absolutePath();
    return QDir(folder).filePath(displayName(carnet) + QLatin1Char('.')
                                 + DocumentTypes::of(DocumentKind::Logbook).fileSuffix);
}

bool MyDocumentController::saveDocument(Carnet* carnet)
{
    if (!find(carnet))
        return false;
    if (carnet->filePath().isEmpty())
        return saveDocumentAs(carnet);
    if (!writeLogbook(carnet, carnet->filePath()))
        return false;
    m_recent.add(carnet->filePath());
    return true;
}

bool MyDocumentController::writeLogbook(Carnet* carnet, const QString& path)
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
    const SaveResult saved = carnet->saveToFile(path, Carnet::logbookTypeId());
    if (!saved.ok) {
        say(QStringLiteral("Document could not be saved"),
            tr("The logbook “%1” could not be saved: %2").arg(fileNameOf(path), saved.error));
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

bool MyDocumentController::saveDocumentAs(Carnet* carnet)
{
    Document* document = find(carnet);
    if (!document)
        return false;
    const QString chosen = m_chooseSavePath(document->window.get(), suggestedSavePath(carnet));
    if (chosen.isEmpty())
        return false;
    const QString path = RecentDocuments::normalised(chosen);
    const Carnet* other = documentAt(path);
    if (other && other != carnet) {
        say(QStringLiteral("Document is open"),
            tr("The logbook “%1” is open in another window. Close it first, or choose another name.")
                .arg(fileNameOf(path)));
        return false;
    }
    if (!writeLogbook(carnet, path))
        return false;
    document->untitledNumber = 0;
    document->window->setDocumentName(displayName(carnet));
    m_recent.add(path);
    return true;
}

bool MyDocumentController::canRevert(const Carnet* carnet)
{
    return carnet && !carnet->filePath().isEmpty() && carnet->isModified();
}

bool MyDocumentController::revertDocumentToSaved(Carnet* carnet)
{
    if (!find(carnet) || !canRevert(carnet))
        return false;
    const QString name = fileNameOf(carnet->filePath());
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
    if (!carnet->openFile(carnet->filePath(), &error)) {
        const QString failed = QStringLiteral("Revert failed");
        say(failed, mainText(failed, QStringLiteral("The logbook “%1” could not be read again: %2. "
                                                    "It stays open as it was, with its changes."))
                        .arg(name, error));
        return false;
    }
    return true;
}

bool MyDocumentController::confirmClose(Carnet* carnet)
{
    if (!carnet->isModified())
        return true;
    const int answer = say(QStringLiteral("Save changes"),
                           tr("Do you want to save the changes made to the logbook “%1”?\n"
                              "Your changes will be lost if you don't save them.")
                               .arg(displayName(carnet)),
                           {tr("Save"), tr("Don't Save"),
                            m_context.localizer().text(QStringLiteral("Cancel"), QStringLiteral("Main"),
                                                       QStringLiteral("Cancel"))});
    switch (answer) {
    case 0: return saveDocument(carnet);
    case 1: return true;
    default: return false;
    }
}

void MyDocumentController::release(const Carnet* carnet)
{
    for (auto it = m_documents.begin(); it != m_documents.end(); ++it) {
        if ((*it)->carnet.get() == carnet) {
            // The window may be inside its own close event: it goes later.
            m_released.push_back(std::move(*it));
            m_documents.erase(it);
            QTimer::singleShot(0, this, [this] { m_released.clear(); });
            return;
        }
    }
}

bool MyDocumentController::closeDocument(Carnet* carnet)
{
    CarnetListWindow* window = windowOf(carnet);
    return window && window->close();
}

bool MyDocumentController::closeAllDocuments()
{
    // Most recent first, as the windows are stacked.
    const QList<Carnet*> open = documents();
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

void MyDocumentController::fillFileMenu(QMenu* menu, Carnet* carnet)
{
    QMenu* newMenu = menu->addMenu(tr("&New"));
    newMenu->setObjectName(QStringLiteral("newMenu"));
    fillNewMenu(newMenu);
    QAction* action = menu->addAction(tr("&Open…"), this, &MyDocumentController::openDocumentWithDialog);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QMenu* recent = menu->addMenu(tr("Open &Recent"));
    recent->setObjectName(QStringLiteral("openRecentMenu"));
    recent->setToolTipsVisible(true);
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecentMenu(recent); });
    fillRecentMenu(recent);
    menu->addSeparator();
    action = menu->addAction(tr("&Close"), this, [this, carnet] { closeDocument(carnet); });
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    action = menu->addAction(tr("&Save"), this, [this, carnet] { saveDocument(carnet); });
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    action = menu->addAction(tr("Save &As…"), this, [this, carnet] { saveDocumentAs(carnet); });
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction* revert = menu->addAction(tr("Re&vert to Saved"), this, [this, carnet] { revertDocumentToSaved(carnet); });
    revert->setObjectName(QStringLiteral("revertToSavedAction"));
    // Follows the changed mark; the menu checks again as it opens, since
    // the file a document is bound to changes without a signal.
    const auto follow = [revert, carnet] { revert->setEnabled(canRevert(carnet)); };
    follow();
    connect(carnet, &Carnet::modifiedChanged, revert, follow);
    connect(menu, &QMenu::aboutToShow, revert, follow);
    menu->addSeparator();
    // The handheld logbook has no toolbar item: its import lives here.
    QAction* handheld = menu->addAction(tr("Import &Handheld Logbook…"), this, [this, carnet] {
        if (Document* document = find(carnet))
            importExchangeFileInteractively(document->window.get(), *carnet,
                                            {tr("Import Handheld Logbook"), tr("Logbook files (*.xml *.txt)")});
    });
    handheld->setObjectName(QStringLiteral("importHandheldAction"));
    menu->addSeparator();
    action = menu->addAction(tr("&Quit"), this, &MyDocumentController::quit);
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
        menu->addAction(tr("No recent documents"))->setEnabled(false);
    menu->addSeparator();
    QAction* clear = menu->addAction(tr("Clear Menu"), this, [this] { m_recent.clear(); });
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
