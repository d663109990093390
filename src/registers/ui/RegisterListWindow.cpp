#include "registers/ui/LevelDelegate.h"
#include "platform/InterfaceText.h"
#include "registers/ui/RegisterListWindow.h"
#include "platform/ui/WindowKeys.h"

#include "platform/context/AppContext.h"
#include "platform/ui/CommandToolBar.h"
#include "platform/ui/FileMenu.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterToolbars.h"
#include "registers/draw/RegisterListPrinter.h"
#include "registers/ui/RegisterEditWindow.h"
#include "registers/ui/RegisterSynthesisWindow.h"
#include "registers/ui/RegisterTableModel.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QTableView>

#include <algorithm>

RegisterListWindow::RegisterListWindow(RegisterDocument& document, QWidget* parent)
    : DocumentWindow(parent), m_document(document), m_model(new RegisterTableModel(document, this)),
      m_table(new QTableView(this)), m_count(new QLabel(this)), m_edit(new RegisterEditWindow(document, this)),
      m_synthesis(new RegisterSynthesisWindow(document, this))
{
    setObjectName(QStringLiteral("registerListWindow"));
    m_edit->setWindowFlag(Qt::Window);
    m_table->setModel(m_model);
    const QList<registers::Column>& columns = document.description().columns;
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns[i].levelMaximum > 0)
            m_table->setItemDelegateForColumn(int(i), new LevelDelegate(columns[i].levelMaximum, m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionsClickable(true);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::DescendingOrder); // not sorted yet
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setDefaultSectionSize(40);
    setCentralWidget(m_table);
    m_count->setObjectName(QStringLiteral("countLabel"));
    statusBar()->addWidget(m_count);

    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, &RegisterListWindow::headerClicked);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RegisterListWindow::tableSelectionChanged);
    connect(m_table, &QTableView::doubleClicked, this, [this] { m_document.editWindow(); });
    connect(&document, &RegisterDocument::recordsChanged, this, &RegisterListWindow::recordsChanged);
    connect(&document, &RegisterDocument::selectionChanged, this, &RegisterListWindow::followSelection);
    connect(&document, &RegisterDocument::editWindowRequested, this, &RegisterListWindow::showEditWindow);
    connect(&document, &RegisterDocument::modifiedChanged, this, &QWidget::setWindowModified);
    connect(m_edit, &RegisterEditWindow::synthesisRequested, this, &RegisterListWindow::showSynthesisWindow);
    windowkeys::addCloseKeys(m_edit, false);
    windowkeys::addCloseKeys(m_synthesis, true);

    buildToolBar();
    buildMenus();
    m_table->setWordWrap(false);
    recordsChanged();
    followSelection(m_document.currentIndex());
    setDocumentName(ui::text("Untitled"));
    resize(980, 520);
}

RegisterListWindow::~RegisterListWindow() { delete m_printer; }

void RegisterListWindow::buildToolBar()
{
    m_toolBar = new CommandToolBar(registertoolbars::listToolbar(m_document.description()), m_document.context(), this);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    for (const QString& id : m_toolBar->definition().allowedItems())
        if (QAction* action = m_toolBar->itemAction(id))
            connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
}

void RegisterListWindow::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(ui::text("&File"));
    QAction* print = printAction();
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addAction(print);
    m_pageSetupAction = new QAction(ui::text("Page Set&up…"), this);
    m_pageSetupAction->setObjectName(QStringLiteral("pageSetupCommand"));
    connect(m_pageSetupAction, &QAction::triggered, this, &RegisterListWindow::runPageLayout);
    connect(m_fileMenu, &QMenu::aboutToShow, this,
            [this] { filemenu::insertBeforeQuit(m_fileMenu, {m_pageSetupAction, printAction()}); });

    const registers::ToolbarItems& t = m_document.description().toolbars;
    QMenu* cards = menuBar()->addMenu(ui::text("&Cards"));
    cards->setObjectName(QStringLiteral("recordMenu"));
    for (const char* id : {t.newId, t.deleteId})
        cards->addAction(m_toolBar->itemAction(QLatin1String(id)));
    for (const char* id : {t.addId, t.insertId, t.updateId, registertoolbars::blankId})
        if (QAction* action = m_edit->commandToolBar()->itemAction(QLatin1String(id)))
            cards->addAction(action);
    cards->addSeparator();
    cards->addAction(ui::text("&Edit Window"), this, [this] { m_document.editWindow(); });
    cards->addAction(m_toolBar->itemAction(QLatin1String(registertoolbars::synthesisId)));
}

QAction* RegisterListWindow::printAction() const
{
    return m_toolBar->itemAction(QLatin1String(registertoolbars::printId));
}

void RegisterListWindow::runCommand(const QString& id)
{
    const registers::ToolbarItems& t = m_document.description().toolbars;
    if (id == QLatin1String(registertoolbars::saveId)) {
        // The File menu's Save is the document controller's.
        for (QAction* action : m_fileMenu->actions())
            if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_S))
                return action->trigger();
    } else if (id == QLatin1String(registertoolbars::printId)) {
        printList();
    } else if (id == QLatin1String(t.newId)) {
        m_document.newRecord();
    } else if (id == QLatin1String(t.deleteId)) {
        m_document.deleteRecords();
    } else if (id == QLatin1String(registertoolbars::synthesisId)) {
        showSynthesisWindow();
    }
}

QString RegisterListWindow::countText() const { return m_count->text(); }

void RegisterListWindow::recordsChanged()
{
    m_count->setText(m_document.countText());
    // Columns widen to their texts (the first thousand rows), never narrow.
    QHeaderView* header = m_table->horizontalHeader();
    const QFontMetrics metrics(m_table->font());
    const int rows = std::min(m_model->rowCount(), 1000);
    for (int c = 0; c < m_model->columnCount(); ++c) {
        int widest = header->sectionSizeHint(c);
        for (int r = 0; r < rows; ++r)
            widest = std::max(widest, metrics.horizontalAdvance(m_model->index(r, c).data().toString()) + 16);
        header->resizeSection(c, std::max(header->sectionSize(c), widest));
    }
    m_toolBar->updateEnabling(m_document.count());
    m_edit->updateEnabling();
    followSelection(m_document.currentIndex());
}

void RegisterListWindow::headerClicked(int section)
{
    const QString id = m_model->columnId(section);
    if (id.isEmpty())
        return;
    m_document.sortByColumn(id);
    m_table->horizontalHeader()->setSortIndicator(section, m_document.lastSortAscending() ? Qt::AscendingOrder
                                                                                         : Qt::DescendingOrder);
}

void RegisterListWindow::tableSelectionChanged()
{
    if (m_following)
        return;
    QList<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        rows.append(index.row());
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    const int row = current.isValid() && rows.contains(current.row()) ? current.row() : (rows.isEmpty() ? -1 : rows.last());
    m_document.setSelection(rows, row);
}

// The view shows the document's selection, whatever changed it (a sort,
// a command, the previous and next buttons).
void RegisterListWindow::followSelection(int currentIndex)
{
    m_following = true;
    QItemSelectionModel* selection = m_table->selectionModel();
    QItemSelection rows;
    for (const int r : m_document.selectedRows())
        rows.select(m_model->index(r, 0), m_model->index(r, m_model->columnCount() - 1));
    selection->select(rows, QItemSelectionModel::ClearAndSelect);
    if (currentIndex >= 0) {
        selection->setCurrentIndex(m_model->index(currentIndex, 0), QItemSelectionModel::NoUpdate);
        m_table->scrollTo(m_model->index(currentIndex, 0));
    }
    m_following = false;
    m_edit->updateEnabling();
}

void RegisterListWindow::showEditWindow()
{
    windowkeys::present(m_edit);
}

void RegisterListWindow::showSynthesisWindow()
{
    m_synthesis->show();
    m_synthesis->raise();
    m_synthesis->activateWindow();
    // Rebuilt each time it is shown, so it never shows a stale text.
    m_synthesis->rebuild();
}

void RegisterListWindow::printList()
{
    if (m_document.count() == 0)
        return;
    m_document.setSelection({}, -1);
    if (!m_printer)
        m_printer = new QPrinter(QPrinter::HighResolution);
    TablePrinter::applyPageSettings(*m_printer, registerlistprinter::pageSettings(m_document.description()));
    m_printer->setDocName(m_documentName);
    QPrintDialog dialog(m_printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    TablePrinter table = registerlistprinter::printer(m_document.description(), m_document.records(),
                                                      m_document.context().localizer(), font());
    table.setTitle(m_documentName);
    table.print(*m_printer);
}

void RegisterListWindow::runPageLayout()
{
    if (!m_printer)
        m_printer = new QPrinter(QPrinter::HighResolution);
    QPageSetupDialog dialog(m_printer, this);
    dialog.exec();
}

void RegisterListWindow::setDocumentName(const QString& name)
{
    m_documentName = name;
    const registers::RegisterDescription& reg = m_document.description();
    setWindowTitle(titleFor(name, m_document.context().localizer().text(reg.titleKey, reg.table)));
    m_edit->setDocumentName(name);
    m_synthesis->setDocumentName(name);
}

void RegisterListWindow::closing()
{
    m_edit->hide();
    m_synthesis->close();
}
