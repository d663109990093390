// The list window's wiring: the model hands the formatter's texts and styles
// to the view, edits and clicks reach the logbook, the logbook's changes reach
// the view. The rules themselves are tested headless (DiveListTest, CarnetTest).
#include "ui/ShellFixture.h"

#include "platform/context/Notifications.h"

#include <QBrush>
#include <QFont>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPixmap>

using DiveListTest = ShellFixture;

namespace {

int column(const char* id) { return DiveTableModel::columnOf(QLatin1String(id)); }

// A click in the middle of a header section, as the mouse gives it.
void clickHeader(QHeaderView* header, int logical)
{
    const QPoint at(header->sectionViewportPosition(logical) + header->sectionSize(logical) / 2, header->height() / 2);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, header->viewport()->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &event);
    }
}

// The shown columns, left to right.
QStringList shownColumns(const CarnetListWindow* window)
{
    const QHeaderView* header = window->tableView()->horizontalHeader();
    QStringList ids;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            ids.append(DiveTableModel::columnId(logical));
    }
    return ids;
}

} // namespace

// The formatter's texts and styles (DiveListTest, headless) reach the view's
// roles; a colour setting takes effect on the table notification, a column
// setting on the columns one.
TEST_F(DiveListTest, TheModelHandsTextStyleAndPictureToTheViewAndColumnsFollowTheSettings)
{
    settings().setValue(QStringLiteral("depth time in color"), false);
    Plongee d = dive(14, QStringLiteral("Cassis"), 25.5f, 45);
    d.setGaz(1);
    d.setInoubliable(1);
    Carnet* carnet = controller->newDocument();
    carnet->setDives({d});
    DiveTableModel* model = controller->windowOf(carnet)->model();
    const QModelIndex depth = model->index(0, column("profondeur"));
    const QModelIndex number = model->index(0, column("noPlongee"));
    EXPECT_EQ(model->data(depth).toString(), QStringLiteral("25.5 m"));
    EXPECT_FALSE(model->data(depth, Qt::ForegroundRole).isValid() || model->data(number, Qt::BackgroundRole).isValid());
    settings().setValue(QStringLiteral("mix in color"), true);
    context->hub().post(notifications::updateTableView);
    EXPECT_EQ(std::tuple(model->data(number, Qt::ForegroundRole).value<QBrush>().color(), model->data(number, Qt::BackgroundRole).value<QBrush>().color()),
              std::tuple(QColor::fromRgbF(1, 1, 0), QColor::fromRgbF(0, 0.7f, 0)));
    EXPECT_TRUE(model->data(number, Qt::FontRole).value<QFont>().bold());
    const QModelIndex heart = model->index(0, column("inoubliable"));
    EXPECT_TRUE(model->data(heart).toString().isEmpty());
    EXPECT_EQ(model->data(heart, Qt::DecorationRole).value<QPixmap>().deviceIndependentSize().toSize(),
              QSize(DiveListPictures::kSize, DiveListPictures::kSize));

    // The columns follow the settings.
    CarnetListWindow* window = controller->windowOf(carnet);
    QStringList all;
    for (const DiveListColumn& c : divelist::columns())
        all.append(QLatin1String(c.id));
    EXPECT_EQ(shownColumns(window), all.mid(0, 14)); // the apparatus column is hidden by default
    for (const DiveListColumn& c : divelist::columns())
        settings().setValue(QLatin1String(c.settingKey), !QStringList({"noPlongee", "date", "lieu"}).contains(QLatin1String(c.id)));
    context->hub().post(notifications::updateColumnsTableView);
    EXPECT_EQ(shownColumns(window), all.mid(3)); // where they come back is ColumnLayoutTest's
}

// The rules of a cell edit are CarnetActionsTest's; here, that the view's
// edit reaches them and the result reaches the dive window.
TEST_F(DiveListTest, AnEditedCellGoesThroughTheFormAndShowsInTheDiveWindow)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("cells.ondrix"), dives(3)));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    window->tableView()->selectRow(2);
    DiveTableModel* model = window->model();
    const QModelIndex depth = model->index(2, column("profondeur"));
    EXPECT_FALSE(model->setData(depth, QStringLiteral("abc")));
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Dive refused")});
    EXPECT_FALSE(carnet->isModified());
    EXPECT_TRUE(model->setData(depth, QStringLiteral("38,5 m")));
    EXPECT_EQ(QStringList({model->cellText(2, QStringLiteral("profondeur")), window->editWindow()->shownValue(QStringLiteral("profondeur"))}),
              QStringList({"38.5 m", "38.5"}));
    EXPECT_TRUE(carnet->isModified());
    EXPECT_EQ(selectedRows(window), QList<int>{2});
}

TEST_F(DiveListTest, HeaderClicksSortThroughTheLogbookAndTheSelectionFollowsTheDive)
{
    Carnet* carnet = controller->openDocument(writeLogbook(
        QStringLiteral("sort.ondrix"), {dive(1, QStringLiteral("A"), 20, 30), dive(2, QStringLiteral("B"), 35, 40),
                                        dive(3, QStringLiteral("C"), 12, 50), dive(4, QStringLiteral("D"), 28, 60)}));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    QHeaderView* header = window->tableView()->horizontalHeader();
    window->tableView()->selectRow(0); // dive 1, 20 m
    clickHeader(header, column("profondeur"));
    QStringList depths;
    for (int row = 0; row < window->model()->rowCount(); ++row)
        depths.append(window->model()->cellText(row, QStringLiteral("profondeur")));
    EXPECT_EQ(depths.join(u' '), QStringLiteral("35 m 28 m 20 m 12 m"));
    EXPECT_EQ(std::tuple(header->sortIndicatorSection(), header->sortIndicatorOrder()), std::tuple(column("profondeur"), Qt::DescendingOrder));
    EXPECT_EQ(selectedRows(window), QList<int>{2});
    EXPECT_EQ(window->editWindow()->shownValue(QStringLiteral("noPlongee")), QStringLiteral("1"));
}

TEST_F(DiveListTest, TheSelectionGoesBothWaysAndAnUpdateRepaintsOnlyItsRow)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("multi.ondrix"), dives(6)));
    CarnetListWindow* window = controller->windowOf(carnet);
    QItemSelectionModel* selection = window->tableView()->selectionModel();
    DiveTableModel* model = window->model();
    selection->setCurrentIndex(model->index(4, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selection->setCurrentIndex(model->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(std::tuple(carnet->selectedRows(), carnet->currentIndex()), std::tuple(QList<int>{1, 4}, 1));
    EXPECT_EQ(window->editWindow()->shownValue(QStringLiteral("noPlongee")), QStringLiteral("2"));

    carnet->setSelection({0, 2, 3}, 2);
    EXPECT_EQ(selectedRows(window), (QList<int>{0, 2, 3}));
    EXPECT_EQ(std::tuple(selection->currentIndex().row(), window->editWindow()->shownIndex()), std::tuple(2, 2));
    window->tableView()->clearSelection();
    EXPECT_EQ(std::tuple(carnet->currentIndex(), window->editWindow()->shownIndex()), std::tuple(-1, 2)); // the form keeps the dive

    // Updating a dive repaints its row without taking the rows afresh.
    int resets = 0;
    QObject::connect(window->model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    window->tableView()->selectRow(2);
    carnet->form().setText(plongee::idx_lieu, QStringLiteral("Sormiou"));
    carnet->updateDive();
    EXPECT_EQ(std::tuple(resets, window->model()->cellText(2, QStringLiteral("lieu")), selectedRows(window)),
              std::tuple(0, QStringLiteral("Sormiou"), QList<int>{2}));
    // Rows that come or go are taken afresh, and the selection stays the logbook's.
    carnet->insertDive();
    EXPECT_EQ(std::tuple(resets, window->model()->rowCount()), std::tuple(1, 7));
    EXPECT_EQ(selectedRows(window), carnet->selectedRows());
}

TEST_F(DiveListTest, KeysArrowsAndDeleteReachTheLogbook)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("keys.ondrix"), dives(3)));
    CarnetListWindow* window = controller->windowOf(carnet);
    QTableView* table = window->tableView();
    QAction* previous = window->command(CarnetListWindow::PreviousDiveCommand);
    QAction* next = window->command(CarnetListWindow::NextDiveCommand);
    EXPECT_FALSE(next->isEnabled()); // the last dive is selected
    pressKey(table, Qt::Key_Up);
    pressKey(table, Qt::Key_Up);
    EXPECT_TRUE(carnet->currentIndex() == 0 && !previous->isEnabled());
    pressKey(table, Qt::Key_Down);
    EXPECT_EQ(selectedRows(window), QList<int>{1});
    next->trigger();
    EXPECT_EQ(selectedRows(window), QList<int>{2});
    EXPECT_TRUE(carnet->isModified() && !window->editWindow()->isVisible()); // the arrows store the form first
    pressKey(table, Qt::Key_Return);
    EXPECT_TRUE(window->editWindow()->isVisible());

    QAction* erase = window->command(CarnetListWindow::DeleteDiveCommand);
    EXPECT_TRUE(erase->shortcuts().contains(QKeySequence(Qt::Key_Delete)) && erase->shortcuts().contains(QKeySequence(Qt::Key_Backspace)));
    carnet->setSelection({0, 2}, 2);
    erase->trigger(); // OK
    EXPECT_EQ(alerts.asked().last().key, QStringLiteral("Erase dive"));
    EXPECT_EQ(std::tuple(window->model()->rowCount(), window->statusText()), std::tuple(1, QStringLiteral("One dive")));
}
