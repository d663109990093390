#include "logbook/ui/CarnetListWindow.h"
#include "platform/InterfaceText.h"

#include "platform/context/AppContext.h"
#include "platform/context/Notifications.h"
#include "platform/ui/WindowKeys.h"
#include "platform/ui/WindowTable.h"
#include "logbook/Carnet.h"
#include "logbook/DiveList.h"
#include "logbook/LogbookToolbar.h"
#include "platform/ui/FileMenu.h"
#include "platform/ui/CommandToolBar.h"
#include "logbook/ui/DiveEditWindow.h"
#include "logbook/ui/DiveSearchField.h"
#include "logbook/ui/DiveTableModel.h"
#include "logbook/ui/ListPrintController.h"
#include "logbook/ui/RenumberWindow.h"
#include "platform/SettingsStore.h"
#include "platform/TextFormat.h"

#include <QCloseEvent>
#include <QCursor>
#include <QHeaderView>
#include <QInputDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionHeader>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QToolTip>

namespace {

// The header's arrow points the way the list runs: down for a descending
// sort (deepest first), up for an ascending one. The platform's styles draw
// it the other way round, the macOS way.
class SortArrowStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option);
        if (element == PE_IndicatorHeaderArrow && header && header->sortIndicator != QStyleOptionHeader::None) {
            QStyleOptionHeader flipped(*header);
            flipped.sortIndicator = header->sortIndicator == QStyleOptionHeader::SortUp ? QStyleOptionHeader::SortDown
                                                                                       : QStyleOptionHeader::SortUp;
            QProxyStyle::drawPrimitive(element, &flipped, painter, widget);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

QStringList allColumnIds()
{
    QStringList ids;
    for (const DiveListColumn& column : divelist::columns())
        ids.append(QLatin1String(column.id));
    return ids;
}

} // namespace

CarnetListWindow::CarnetListWindow(Carnet& carnet, WindowTable& windows, QWidget* parent)
    : DocumentWindow(parent), m_carnet(carnet), m_windows(windows), m_model(new DiveTableModel(carnet, this)),
      m_table(new QTableView(this)), m_status(new QLabel(this)), m_found(new QLabel(this)), m_editWindow(new DiveEditWindow(carnet, this)),
      m_columns(allColumnIds())
{
    setObjectName(QStringLiteral("carnetListWindow"));

    m_table->setObjectName(QStringLiteral("diveTable"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A double click opens the dive window; a click on a selected cell or
    // F2 edits the cells that can be edited in place.
    m_table->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->setShowGrid(false);
    m_table->setCornerButtonEnabled(false);
    m_table->setTabKeyNavigation(false);
    // Fixed row heights: the view never measures rows, whatever their number.
    QHeaderView* rows = m_table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(std::max(fontMetrics().height() + 8, DiveListPictures::kSize + 4));

    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSectionsMovable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::DescendingOrder);
    header->setHighlightSections(false);
    auto* arrows = new SortArrowStyle;
    arrows->setParent(header);
    header->setStyle(arrows);
    sizeColumns();
    setCentralWidget(m_table);

    statusBar()->addWidget(m_status);
    m_found->setObjectName(QStringLiteral("foundDivesText"));
    statusBar()->addPermanentWidget(m_found);
    m_printing = new ListPrintController(m_carnet, this, [this] { return shownColumns(); });
    buildToolBar();
    buildMenus();

    // The columns shown come from the settings.
    displayColumns();

    connect(header, &QHeaderView::sectionClicked, this, &CarnetListWindow::headerClicked);
    connect(header, &QHeaderView::sectionMoved, this, &CarnetListWindow::columnMovedByUser);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { tableSelectionChanged(selected); });
    // A double click or Return.
    connect(m_table, &QTableView::activated, &m_carnet, &Carnet::editWindow);

    connect(&m_carnet, &Carnet::diveListChanged, this, &CarnetListWindow::diveListChanged);
    connect(&m_carnet, &Carnet::tableReloadRequested, m_model, &DiveTableModel::refreshCells);
    connect(&m_carnet, &Carnet::columnsChanged, this, &CarnetListWindow::displayColumns);
    connect(&m_carnet, &Carnet::selectionChanged, this, &CarnetListWindow::followCarnetSelection);
    connect(&m_carnet, &Carnet::formRefreshRequested, this, &CarnetListWindow::formRefreshed);
    connect(&m_carnet, &Carnet::editWindowRequested, this, &CarnetListWindow::showEditWindow);
    connect(&m_carnet, &Carnet::renumberWindowRequested, this, &CarnetListWindow::showRenumberWindow);
    connect(&m_carnet, &Carnet::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_editWindow, &DiveEditWindow::commandRequested, this, &CarnetListWindow::runCommand);
    windowkeys::addCloseKeys(m_editWindow, false);

    setWindowModified(m_carnet.isModified());
    setDocumentName(ui::text("Untitled"));
    formRefreshed();
    followCarnetSelection(m_carnet.currentIndex(), m_carnet.loadedIndex());
}

CarnetListWindow::~CarnetListWindow() = default;

void CarnetListWindow::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(ui::text("&File"));

    m_diveMenu = menuBar()->addMenu(ui::text("&Dive"));
    m_diveMenu->setObjectName(QStringLiteral("diveMenu"));
    const auto add = [this](Command c, const QString& text, QList<QKeySequence> keys, auto slot) {
        QAction* action = m_diveMenu->addAction(text);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, slot);
        m_commands[c] = action;
        return action;
    };
    const auto form = [this](DiveEditWindow::Action a) { return [this, a] { m_editWindow->perform(a); }; };
    add(NewDiveCommand, ui::text("&New Dive"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N)}, form(DiveEditWindow::NewDive));
    add(AddDiveCommand, ui::text("&Add Dive"), {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
        form(DiveEditWindow::AddDive));
    add(InsertDiveCommand, ui::text("&Insert Dive"), {}, form(DiveEditWindow::InsertDive));
    add(UpdateDiveCommand, ui::text("&Update Dive"), {QKeySequence(Qt::CTRL | Qt::Key_U)}, form(DiveEditWindow::UpdateDive));
    add(DeleteDiveCommand, ui::text("De&lete Dive"), {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Backspace)},
        form(DiveEditWindow::DeleteDive));
    m_diveMenu->addSeparator();
    add(PreviousDiveCommand, ui::text("&Previous Dive"), {QKeySequence(Qt::CTRL | Qt::Key_Up), QKeySequence(Qt::ALT | Qt::Key_Up)},
        form(DiveEditWindow::PreviousDive));
    add(NextDiveCommand, ui::text("Ne&xt Dive"), {QKeySequence(Qt::CTRL | Qt::Key_Down), QKeySequence(Qt::ALT | Qt::Key_Down)},
        form(DiveEditWindow::NextDive));
    m_diveMenu->addSeparator();
    add(EditWindowCommand, ui::text("&Edit Dive Window"), {QKeySequence(Qt::CTRL | Qt::Key_E)},
        &CarnetListWindow::showEditWindow);
    add(RenumberCommand, ui::text("&Renumber Dives…"), {}, [this] { m_carnet.context().hub().post(notifications::renumDives, this); });

    // The toolbars' commands, the same actions as their items: the menu
    // items follow the items' enabling.
    if (QAction* erase = m_editWindow->commandToolBar()->itemAction(QStringLiteral("blankFields"))) {
        erase->setText(ui::text("&Erase Form"));
        m_diveMenu->insertAction(m_commands[PreviousDiveCommand], erase);
        m_diveMenu->insertSeparator(m_commands[PreviousDiveCommand]);
    }
    const auto item = [this](const char* id, const QString& text) {
        QAction* action = m_toolBar->itemAction(QLatin1String(id));
        if (action) {
            action->setText(text);
            m_diveMenu->addAction(action);
        }
        return action;
    };
    m_diveMenu->addSeparator();
    item("profil", ui::text("&Profile"));
    item("profilData", ui::text("Profile &Data"));
    m_diveMenu->addSeparator();
    item("importUDCF", ui::text("Import U&DCF…"));
    item("importUDDF", ui::text("Import UDD&F…"));
    m_diveMenu->addSeparator();
    item("synthese", ui::text("S&ynthesis Card"));
    item("statistics", ui::text("S&tatistics"));
    m_diveMenu->addSeparator();
    m_findAction = m_diveMenu->addAction(ui::text("&Find…"), this, &CarnetListWindow::focusSearchField);
    m_findAction->setObjectName(QStringLiteral("findCommand"));
    m_findAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    m_diveMenu->addMenu(m_search->scopeMenu());

    // Page set-up and printing join the File menu when the window first
    // shows, the controller having filled it; their shortcuts work from now.
    QAction* print = printAction();
    print->setText(ui::text("&Print…"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addAction(print);
    m_pageSetupAction = new QAction(ui::text("Page Set&up…"), this);
    m_pageSetupAction->setObjectName(QStringLiteral("pageSetupCommand"));
    m_pageSetupAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    connect(m_pageSetupAction, &QAction::triggered, this, &CarnetListWindow::runPageLayout);
    addAction(m_pageSetupAction);
    connect(m_fileMenu, &QMenu::aboutToShow, this, &CarnetListWindow::completeFileMenu);
}

void CarnetListWindow::buildToolBar()
{
    m_toolBar = new CommandToolBar(LogbookToolbar(LogbookToolbar::listToolbarId), m_carnet.context(), this);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_search = new DiveSearchField;
    m_toolBar->setSearchField(m_search);
    connect(m_search, &DiveSearchField::findRequested, this, &CarnetListWindow::findTextWithField);
    for (const QString& id : m_toolBar->definition().allowedItems())
        if (QAction* action = m_toolBar->itemAction(id))
            connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
    updateEnabling();
}

void CarnetListWindow::completeFileMenu()
{
    filemenu::insertBeforeQuit(m_fileMenu, {m_pageSetupAction, printAction()});
}

QAction* CarnetListWindow::printAction() const { return m_toolBar->itemAction(QStringLiteral("imprimer")); }

void CarnetListWindow::updateEnabling()
{
    const int count = m_carnet.count();
    m_toolBar->updateEnabling(count);
    m_editWindow->commandToolBar()->updateEnabling(count);
}

void CarnetListWindow::setCommandHandler(const QString& id, std::function<void()> handler)
{
    if (handler)
        m_handlers.insert(id, std::move(handler));
    else
        m_handlers.remove(id);
}

void CarnetListWindow::runCommand(const QString& id)
{
    if (const auto handler = m_handlers.constFind(id); handler != m_handlers.cend()) {
        (*handler)();
        return;
    }
    if (id == u"saveDocument")
        saveFromMenu();
    else if (id == u"imprimer")
        printLogbook();
    else if (id == u"newDive")
        m_editWindow->perform(DiveEditWindow::NewDive);
    else if (id == u"deleteDive")
        m_editWindow->perform(DiveEditWindow::DeleteDive);
    else if (const LogbookToolbar::Item* item = LogbookToolbar::item(id)) {
        // A window still to come.
        const QString message =
            ui::text("%1 is not available yet.").arg(LogbookToolbar::label(*item, m_carnet.context().localizer()));
        statusBar()->showMessage(message, 5000);
        QToolTip::showText(QCursor::pos(), message);
    }
}

void CarnetListWindow::saveFromMenu()
{
    // The File menu's Save is the document controller's.
    for (QAction* action : m_fileMenu->actions()) {
        if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_S)) {
            action->trigger();
            return;
        }
    }
}

QString CarnetListWindow::foundText() const { return m_found->text(); }

void CarnetListWindow::findTextWithField(const QString& field, const QString& text)
{
    // The dive window's pending edits are the form's before the search.
    m_editWindow->commitToForm();
    m_found->setText(m_carnet.findTextWithField(field, text));
}

void CarnetListWindow::focusSearchField()
{
    if (m_toolBar->isVisible() && m_toolBar->isShown(LogbookToolbar::searchId)) {
        activateWindow();
        m_search->focusText();
        return;
    }
    // The find field is not in the toolbar: ask for the text.
    bool ok = false;
    const QString text = QInputDialog::getText(this, ui::text("Find"),
                                               ui::text("Find in %1:").arg(DiveSearchField::scopeTitle(m_search->scope())),
                                               QLineEdit::Normal, m_search->text(), &ok);
    if (!ok)
        return;
    m_search->lineEdit()->setText(text);
    m_search->find();
}

QList<ListPrinter::Column> CarnetListWindow::shownColumns() const
{
    const QHeaderView* header = m_table->horizontalHeader();
    QList<ListPrinter::Column> columns;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            columns.append({logical, double(header->sectionSize(logical))});
    }
    return columns;
}

void CarnetListWindow::printLogbook()
{
    if (m_carnet.count() == 0)
        return;
    m_editWindow->commitToForm();
    m_printing->setTitle(m_documentName);
    m_printing->print();
}

void CarnetListWindow::runPageLayout() { m_printing->pageSetup(); }

void CarnetListWindow::sizeColumns()
{
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    // A wider window gives its room to the last column.
    header->setStretchLastSection(true);
    const QFontMetrics cells = m_table->fontMetrics();
    QFont bold = m_table->font();
    bold.setBold(true);
    const QFontMetrics boldCells(bold);
    const QFontMetrics titles = header->fontMetrics();
    constexpr int padding = 18;
    constexpr int sortArrow = 14;
    for (int column = 0; column < m_model->columnCount(); ++column) {
        const int width =
            std::max(boldCells.horizontalAdvance(DiveTableModel::widthSample(column)),
                     titles.horizontalAdvance(m_model->headerData(column, Qt::Horizontal).toString()) + sortArrow)
            + padding;
        header->resizeSection(column, std::max(width, cells.height() + padding));
    }
}

void CarnetListWindow::displayColumns()
{
    QList<std::pair<QString, bool>> visibility;
    const SettingsStore& settings = m_carnet.context().settings();
    for (const DiveListColumn& column : divelist::columns())
        visibility.append({QLatin1String(column.id), settings.boolValue(QLatin1String(column.settingKey))});
    m_columns.setVisibility(visibility);
    applyColumnLayout();
}

void CarnetListWindow::setColumnVisible(const QString& id, bool visible)
{
    m_columns.setVisible(id, visible);
    applyColumnLayout();
}

void CarnetListWindow::applyColumnLayout()
{
    QHeaderView* header = m_table->horizontalHeader();
    m_applyingColumns = true;
    const QStringList& order = m_columns.order();
    for (int visual = 0; visual < order.size(); ++visual) {
        const int logical = DiveTableModel::columnOf(order[visual]);
        if (logical < 0)
            continue;
        const int from = header->visualIndex(logical);
        if (from != visual)
            header->moveSection(from, visual);
        header->setSectionHidden(logical, !m_columns.isShown(order[visual]));
    }
    m_applyingColumns = false;

    // The window as wide as the columns shown, within the screen.
    int width = 0;
    for (int logical = 0; logical < header->count(); ++logical)
        if (!header->isSectionHidden(logical))
            width += header->sectionSize(logical);
    width += m_table->verticalScrollBar()->sizeHint().width() + 2 * m_table->frameWidth() + 4;
    if (const QScreen* screen = this->screen())
        width = std::min(width, screen->availableGeometry().width() - 80);
    if (!isVisible())
        resize(width, 600);
}

void CarnetListWindow::columnMovedByUser()
{
    if (m_applyingColumns)
        return;
    const QHeaderView* header = m_table->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual)
        m_columns.moveTo(DiveTableModel::columnId(header->logicalIndex(visual)), visual);
}

void CarnetListWindow::headerClicked(int logicalIndex)
{
    const QString id = DiveTableModel::columnId(logicalIndex);
    if (id.isEmpty())
        return;
    m_carnet.sortByColumn(id);
    m_table->horizontalHeader()->setSortIndicator(
        logicalIndex, m_carnet.lastSortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CarnetListWindow::setDocumentName(const QString& name)
{
    m_documentName = name;
    setWindowTitle(titleFor(name));
    m_editWindow->setDocumentName(name);
    if (m_renumberWindow)
        m_renumberWindow->setDocumentName(name);
}

QString CarnetListWindow::statusText() const { return m_status->text(); }

void CarnetListWindow::updateStatus()
{
    const Localizer& localizer = m_carnet.context().localizer();
    const int count = m_carnet.count();
    m_status->setText(count == 1 ? localizer.text(QStringLiteral("One dive"), QStringLiteral("Carnet"))
                                 : formatText(localizer.text(QStringLiteral("Total dives"), QStringLiteral("Carnet")),
                                              {count}));
}

void CarnetListWindow::formRefreshed()
{
    updateStatus();
    updateEnabling();
    const DiveForm::Derived& derived = m_carnet.form().derived();
    m_commands[PreviousDiveCommand]->setEnabled(derived.previousEnabled);
    m_commands[NextDiveCommand]->setEnabled(derived.nextEnabled);
}

void CarnetListWindow::diveListChanged()
{
    const int rowsBefore = m_model->rowCount();
    m_model->reload();
    if (m_model->rowCount() != rowsBefore) {
        // The rows were taken afresh: the view's selection is the logbook's again.
        followCarnetSelection(m_carnet.currentIndex(), -1);
    }
    updateStatus();
    updateEnabling();
}

void CarnetListWindow::tableSelectionChanged(const QItemSelection& selected)
{
    if (m_followingCarnet)
        return;
    const QItemSelectionModel* model = m_table->selectionModel();
    QList<int> rows;
    for (const QItemSelectionRange& range : model->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.append(row);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    // The row selected last: the clicked row, or the row the keyboard
    // moved to (the selection changes before the view's current row does).
    int current = -1;
    const QModelIndex currentIndex = model->currentIndex();
    if (currentIndex.isValid() && selected.contains(currentIndex))
        current = currentIndex.row();
    else if (!selected.isEmpty())
        current = selected.last().bottom();
    else if (std::binary_search(rows.begin(), rows.end(), m_carnet.currentIndex()))
        current = m_carnet.currentIndex();

    m_followingCarnet = true;
    m_carnet.setSelection(rows, current);
    m_followingCarnet = false;
}

int CarnetListWindow::firstShownColumn() const
{
    const QHeaderView* header = m_table->horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            return logical;
    }
    return 0;
}

void CarnetListWindow::followCarnetSelection(int currentIndex, int loadedIndex)
{
    if (m_followingCarnet)
        return; // the change came from the view itself
    m_followingCarnet = true;
    QItemSelectionModel* model = m_table->selectionModel();
    QItemSelection selection;
    const QList<int>& rows = m_carnet.selectedRows();
    const int rowCount = m_model->rowCount();
    const int lastColumn = m_model->columnCount() - 1;
    for (qsizetype i = 0; i < rows.size();) {
        // One range per run of consecutive rows.
        qsizetype j = i;
        while (j + 1 < rows.size() && rows[j + 1] == rows[j] + 1)
            ++j;
        if (rows[i] >= 0 && rows[j] < rowCount)
            selection.select(m_model->index(rows[i], 0), m_model->index(rows[j], lastColumn));
        i = j + 1;
    }
    model->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const int focusRow = currentIndex >= 0 ? currentIndex : loadedIndex;
    if (focusRow >= 0 && focusRow < rowCount) {
        // The keyboard goes on from the dive shown in the form.
        const int column = model->currentIndex().isValid() ? model->currentIndex().column() : firstShownColumn();
        model->setCurrentIndex(m_model->index(focusRow, column), QItemSelectionModel::NoUpdate);
    }
    m_followingCarnet = false;
    scrollToRow(focusRow);
}

void CarnetListWindow::scrollToRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    if (!isVisible()) {
        // Scrolling needs the view's real size: done when the window shows.
        m_pendingScrollRow = row;
        return;
    }
    m_pendingScrollRow = -1;
    m_table->scrollTo(m_model->index(row, firstShownColumn()), QAbstractItemView::EnsureVisible);
}

void CarnetListWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    completeFileMenu();
    if (m_pendingScrollRow >= 0) {
        const int row = m_pendingScrollRow;
        m_pendingScrollRow = -1;
        m_table->scrollTo(m_model->index(row, firstShownColumn()), QAbstractItemView::EnsureVisible);
    }
}

void CarnetListWindow::showEditWindow()
{
    if (!m_editWindow->isVisible()) {
        // Beside the list the first time, on the same screen.
        const QRect frame = frameGeometry();
        QPoint place(frame.right() + 8, frame.top());
        if (const QScreen* screen = this->screen()) {
            const QRect available = screen->availableGeometry();
            if (place.x() + m_editWindow->width() > available.right())
                place.setX(std::max(available.left(), available.right() - m_editWindow->width()));
        }
        m_editWindow->move(place);
    }
    windowkeys::present(m_editWindow);
}

void CarnetListWindow::showRenumberWindow()
{
    if (!m_renumberWindow) {
        m_renumberWindow = new RenumberWindow(this);
        m_renumberWindow->setDocumentName(m_documentName);
        connect(m_renumberWindow, &RenumberWindow::renumberRequested, m_editWindow, &DiveEditWindow::renumber);
        windowkeys::addCloseKeys(m_renumberWindow, true);
    }
    windowkeys::present(m_renumberWindow);
}

void CarnetListWindow::closing()
{
    m_editWindow->closeWithoutStoring();
    if (m_renumberWindow)
        m_renumberWindow->close();
}
