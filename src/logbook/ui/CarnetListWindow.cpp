#include "logbook/ui/CarnetListWindow.h"

#include "app/ui/AppDelegate.h"
#include "logbook/Carnet.h"
#include "logbook/ui/DiveEditWindow.h"
#include "logbook/ui/DiveTableModel.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

CarnetListWindow::CarnetListWindow(Carnet& carnet, AppDelegate& appDelegate, QWidget* parent)
    : QMainWindow(parent), m_carnet(carnet), m_appDelegate(appDelegate), m_model(new DiveTableModel(carnet, this)),
      m_table(new QTableView(this)), m_status(new QLabel(this)), m_editWindow(new DiveEditWindow(carnet, this))
{
    setObjectName(QStringLiteral("carnetListWindow"));

    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->setShowGrid(false);
    m_table->setCornerButtonEnabled(false);
    // Fixed row heights: the view never measures rows, whatever their number.
    QHeaderView* rows = m_table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 8);
    sizeColumns();
    setCentralWidget(m_table);

    statusBar()->addWidget(m_status);
    buildMenus();

    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CarnetListWindow::tableSelectionChanged);
    connect(m_table, &QTableView::doubleClicked, this, &CarnetListWindow::showEditWindow);

    connect(&m_carnet, &Carnet::diveListChanged, this, [this] {
        m_model->reload();
        updateStatus();
    });
    connect(&m_carnet, &Carnet::tableReloadRequested, m_model, &DiveTableModel::refreshCells);
    connect(&m_carnet, &Carnet::selectionChanged, this, &CarnetListWindow::followCarnetSelection);
    connect(&m_carnet, &Carnet::renumberWindowRequested, this, &CarnetListWindow::showRenumberWindow);
    connect(&m_carnet, &Carnet::modifiedChanged, this, &QWidget::setWindowModified);

    setWindowModified(m_carnet.isModified());
    setDocumentName(tr("Untitled"));
    updateStatus();
    followCarnetSelection(m_carnet.currentIndex(), m_carnet.loadedIndex());
}

CarnetListWindow::~CarnetListWindow() = default;

void CarnetListWindow::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(tr("&File"));

    QMenu* logbook = menuBar()->addMenu(tr("&Logbook"));
    QAction* edit = logbook->addAction(tr("&Edit dive window"), this, &CarnetListWindow::showEditWindow);
    edit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    logbook->addAction(tr("&Renumber dives…"), this, [this] { m_appDelegate.sendRenumDivesNotification(this); });

    QMenu* window = menuBar()->addMenu(tr("&Window"));
    window->addAction(tr("&Memo"), &m_appDelegate, &AppDelegate::showMemoWindow);
}

void CarnetListWindow::sizeColumns()
{
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(true);
    const QFontMetrics cells = m_table->fontMetrics();
    const QFontMetrics titles = header->fontMetrics();
    constexpr int padding = 24;
    int total = 0;
    for (int column = 0; column < DiveTableModel::ColumnCount; ++column) {
        const auto c = DiveTableModel::Column(column);
        const int width = std::max(cells.horizontalAdvance(DiveTableModel::widthSample(c)),
                                   titles.horizontalAdvance(m_model->headerData(column, Qt::Horizontal).toString()))
                        + padding;
        header->resizeSection(column, width);
        total += width;
    }
    resize(total + 40, 560);
}

void CarnetListWindow::setDocumentName(const QString& name)
{
    m_documentName = name;
    setWindowTitle(name + QStringLiteral("[*]"));
    m_editWindow->setDocumentName(name);
    if (m_renumberWindow)
        m_renumberWindow->setWindowTitle(tr("%1 — Renumber dives").arg(name));
}

QString CarnetListWindow::statusText() const { return m_status->text(); }

void CarnetListWindow::updateStatus()
{
    const int count = m_carnet.count();
    m_status->setText(count == 1 ? tr("1 dive") : tr("%1 dives").arg(count));
}

void CarnetListWindow::tableSelectionChanged()
{
    if (m_followingView)
        return;
    const QModelIndexList selected = m_table->selectionModel()->selectedRows();
    int row = -1;
    if (!selected.isEmpty()) {
        // With several rows selected, the one the user selected last.
        const QModelIndex current = m_table->selectionModel()->currentIndex();
        row = current.isValid() && m_table->selectionModel()->isRowSelected(current.row(), {})
                  ? current.row()
                  : selected.last().row();
    }
    m_followingView = true;
    m_carnet.setCurrentIndex(row);
    m_followingView = false;
}

void CarnetListWindow::followCarnetSelection(int currentIndex, int loadedIndex)
{
    if (m_followingView)
        return; // the change came from the view itself
    m_followingView = true;
    QItemSelectionModel* selection = m_table->selectionModel();
    if (currentIndex >= 0 && currentIndex < m_model->rowCount()) {
        const QModelIndex index = m_model->index(currentIndex, 0);
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selection->clearSelection();
    }
    m_followingView = false;
    scrollToRow(currentIndex >= 0 ? currentIndex : loadedIndex);
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
    m_table->scrollTo(m_model->index(row, 0), QAbstractItemView::EnsureVisible);
}

void CarnetListWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_pendingScrollRow >= 0) {
        const int row = m_pendingScrollRow;
        m_pendingScrollRow = -1;
        m_table->scrollTo(m_model->index(row, 0), QAbstractItemView::EnsureVisible);
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
    m_editWindow->show();
    m_editWindow->raise();
    m_editWindow->activateWindow();
}

void CarnetListWindow::showRenumberWindow()
{
    if (!m_renumberWindow) {
        m_renumberWindow = new QWidget(this, Qt::Dialog);
        m_renumberWindow->setObjectName(QStringLiteral("renumberWindow"));
        auto* firstNumber = new QSpinBox(m_renumberWindow);
        firstNumber->setObjectName(QStringLiteral("firstNumber"));
        firstNumber->setRange(0, 999999);
        firstNumber->setValue(1);
        auto* renumber = new QPushButton(tr("Renumber"), m_renumberWindow);
        renumber->setObjectName(QStringLiteral("renumberButton"));
        renumber->setEnabled(false);
        renumber->setToolTip(tr("Renumbering comes with the dive form"));

        auto* explanation = new QLabel(tr("Gives the dives consecutive numbers in list order, "
                                          "starting from the first number."),
                                       m_renumberWindow);
        explanation->setWordWrap(true);
        auto* form = new QFormLayout;
        form->addRow(tr("First number"), firstNumber);
        auto* layout = new QVBoxLayout(m_renumberWindow);
        layout->addWidget(explanation);
        layout->addLayout(form);
        layout->addWidget(renumber, 0, Qt::AlignRight);
        m_renumberWindow->setWindowTitle(tr("%1 — Renumber dives").arg(m_documentName));
        m_renumberWindow->resize(340, m_renumberWindow->sizeHint().height());
    }
    m_renumberWindow->show();
    m_renumberWindow->raise();
    m_renumberWindow->activateWindow();
}

void CarnetListWindow::closeWithoutAsking()
{
    m_closingAnswered = true;
    close();
}

void CarnetListWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closingAnswered && m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    m_closingAnswered = true;
    m_editWindow->close();
    if (m_renumberWindow)
        m_renumberWindow->close();
    event->accept();
}
