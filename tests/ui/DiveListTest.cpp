#include "ui/ShellFixture.h"

#include "platform/context/Notifications.h"
#include "logbook/Carnet.h"
#include "logbook/ui/CarnetListWindow.h"
#include "logbook/ui/DiveEditWindow.h"
#include "logbook/ui/DiveTableModel.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QTableView>

#include <functional>

using DiveListTest = ShellFixture;

namespace {

QColor colour(double r, double g, double b) { return QColor::fromRgbF(float(r), float(g), float(b)); }

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

QList<int> viewSelection(const CarnetListWindow* window)
{
    QList<int> rows;
    for (const QModelIndex& index : window->tableView()->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
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

// --- Cells ------------------------------------------------------------------------

struct CellCase {
    const char* name;
    QList<std::pair<QString, QVariant>> settings;
    std::function<void(Plongee&)> dive;
    const char* column;
    const char* text;
    std::optional<QColor> foreground; // none: the view's own
    std::optional<QColor> background;
    bool bold;
};

class DiveCellTest : public ShellFixture, public ::testing::WithParamInterface<CellCase> {};

const QColor kPink = colour(1, 0.8, 0.8);

} // namespace

TEST_P(DiveCellTest, TextAndColoursOfACell)
{
    const CellCase& c = GetParam();
    settings().setColour(QStringLiteral("foreign color"), RgbaColour::rgb(1, 0.8, 0.8));
    settings().setColour(QStringLiteral("low temperature color"), RgbaColour::rgb(0, 0.5, 1));
    settings().setColour(QStringLiteral("depth color"), RgbaColour::rgb(0, 0, 1));
    settings().setColour(QStringLiteral("time color"), RgbaColour::rgb(0.5, 0, 0.5));
    settings().setValue(QStringLiteral("depth time in color"), false);
    for (const auto& [key, value] : c.settings)
        settings().setValue(key, value);
    Plongee d = dive(14, QStringLiteral("Cassis"), 25.5f, 45);
    d.setTempEau(18);
    d.setCountryCode(QStringLiteral("FR"));
    c.dive(d);
    Carnet carnet(*context);
    carnet.setDives({d});
    DiveTableModel model(carnet);

    const QModelIndex cell = model.index(0, column(c.column));
    ASSERT_TRUE(cell.isValid());
    EXPECT_EQ(model.data(cell).toString(), QString::fromUtf8(c.text));
    const QVariant foreground = model.data(cell, Qt::ForegroundRole);
    const QVariant background = model.data(cell, Qt::BackgroundRole);
    EXPECT_EQ(foreground.isValid(), c.foreground.has_value());
    if (c.foreground && foreground.isValid()) {
        EXPECT_EQ(foreground.value<QBrush>().color(), *c.foreground);
    }
    EXPECT_EQ(background.isValid(), c.background.has_value());
    if (c.background && background.isValid()) {
        EXPECT_EQ(background.value<QBrush>().color(), *c.background);
    }
    const QVariant font = model.data(cell, Qt::FontRole);
    EXPECT_EQ(font.isValid() && font.value<QFont>().bold(), c.bold);
}

INSTANTIATE_TEST_SUITE_P(
    DiveList, DiveCellTest,
    // The rules are the formatter's (tested in core); here, that the model
    // hands its text, colours and boldness to the view's roles.
    ::testing::Values(
        CellCase{"PlainDepthInMetres", {}, [](Plongee&) {}, "profondeur", "25.5 m", {}, {}, false},
        CellCase{"DepthColoured", {{"depth time in color", true}}, [](Plongee&) {}, "profondeur", "25.5 m",
                 colour(0, 0, 1), {}, false},
        CellCase{"NitroxNumber", {{"mix in color", true}}, [](Plongee& d) { d.setGaz(1); d.setO2Mix(32); },
                 "noPlongee", "14", colour(1, 1, 0), colour(0, 0.7, 0), true},
        CellCase{"ForeignPlace", {{"foreign in color", true}, {"country code", "FR"}},
                 [](Plongee& d) { d.setCountryCode(QStringLiteral("IT")); }, "lieu", "Cassis", {}, kPink, false}),
    [](const auto& info) { return std::string(info.param.name); });

namespace {

struct PictureCase {
    const char* name;
    const char* column;
    std::function<void(Plongee&)> dive;
    bool shown;
};

class DivePictureTest : public ShellFixture, public ::testing::WithParamInterface<PictureCase> {};

} // namespace

TEST_P(DivePictureTest, PictureColumnsShowAPictureAndNoText)
{
    const PictureCase& c = GetParam();
    Plongee d = dive(1, QStringLiteral("Marseille"), 30, 40);
    c.dive(d);
    Carnet carnet(*context);
    carnet.setDives({d});
    DiveTableModel model(carnet);
    const QModelIndex cell = model.index(0, column(c.column));
    EXPECT_TRUE(model.data(cell).toString().isEmpty());
    const QVariant picture = model.data(cell, Qt::DecorationRole);
    EXPECT_EQ(picture.isValid(), c.shown);
    if (c.shown) {
        const QPixmap pixmap = picture.value<QPixmap>();
        EXPECT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(DiveListPictures::kSize, DiveListPictures::kSize));
    }
}

INSTANTIATE_TEST_SUITE_P(
    DiveList, DivePictureTest,
    ::testing::Values(PictureCase{"Heart", "inoubliable", [](Plongee& d) { d.setInoubliable(1); }, true},
                      PictureCase{"UnknownMark", "inoubliable", [](Plongee& d) { d.setInoubliable(9); }, false},
                      PictureCase{"Wreck", "epaves", [](Plongee& d) { d.setEpaves(QStringLiteral("Le Donator")); }, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiveListTest, ColourSettingsTakeEffectOnTheTableNotification)
{
    Carnet* carnet = controller->newDocument();
    Plongee d = dive(3, QStringLiteral("Niolon"), 20, 30);
    d.setGaz(1);
    carnet->setDives({d});
    DiveTableModel* model = controller->windowOf(carnet)->model();
    const QModelIndex gas = model->index(0, column("gaz"));
    EXPECT_FALSE(model->data(gas, Qt::BackgroundRole).isValid());

    settings().setValue(QStringLiteral("mix in color"), true);
    context->hub().post(notifications::updateTableView);
    EXPECT_EQ(model->data(gas, Qt::BackgroundRole).value<QBrush>().color(), colour(0, 0.7, 0));
}

namespace {

struct CellEditCase {
    const char* name;
    const char* column;
    const char* typed;
    const char* shown; // the cell afterwards
    const char* field;
    const char* formText; // what the dive window shows for the field
};

class CellEditTest : public ShellFixture, public ::testing::WithParamInterface<CellEditCase> {};

} // namespace

TEST_P(CellEditTest, AnEditedCellPassesTheFormRulesAndShowsInTheDiveWindow)
{
    const CellEditCase& c = GetParam();
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("cells.ondrix"), dives(3)));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    window->tableView()->selectRow(2);
    DiveTableModel* model = window->model();

    EXPECT_TRUE(model->setData(model->index(2, column(c.column)), QString::fromUtf8(c.typed)));
    EXPECT_EQ(model->cellText(2, QLatin1String(c.column)), QString::fromUtf8(c.shown));
    EXPECT_EQ(window->editWindow()->shownValue(QLatin1String(c.field)), QString::fromUtf8(c.formText));
    EXPECT_TRUE(carnet->isModified());
    EXPECT_EQ(viewSelection(window), QList<int>{2});
}

INSTANTIATE_TEST_SUITE_P(
    DiveList, CellEditTest,
    ::testing::Values(CellEditCase{"Place", "lieu", "Niolon", "Niolon", "lieu", "Niolon"},
                      CellEditCase{"DepthWithAComma", "profondeur", "38,5 m", "38.5 m", "profondeur", "38.5"},
                      CellEditCase{"WaterTooWarm", "tempEau", "101", "-", "tempEau", "-"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiveListTest, AnUnchangedOrUnreadableCellEditStoresNothing)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("same.ondrix"), dives(2)));
    DiveTableModel* model = controller->windowOf(carnet)->model();
    const QModelIndex depth = model->index(0, column("profondeur"));
    const QString before = model->data(depth).toString();
    EXPECT_FALSE(model->setData(depth, model->data(depth, Qt::EditRole)));
    EXPECT_TRUE(alerts.asked().isEmpty());
    EXPECT_FALSE(model->setData(depth, QStringLiteral("abc")));
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_EQ(alerts.asked().first().key, QStringLiteral("Dive refused"));
    EXPECT_EQ(model->data(depth).toString(), before);
    EXPECT_FALSE(carnet->isModified());
}

// --- Sorting ----------------------------------------------------------------------

TEST_F(DiveListTest, HeaderClicksSortThroughTheLogbookAndTheSelectionFollowsTheDive)
{
    Carnet* carnet = controller->openDocument(writeLogbook(
        QStringLiteral("sort.ondrix"), {dive(1, QStringLiteral("A"), 20, 30), dive(2, QStringLiteral("B"), 35, 40),
                                        dive(3, QStringLiteral("C"), 12, 50), dive(4, QStringLiteral("D"), 28, 60)}));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    window->showEditWindow();
    QHeaderView* header = window->tableView()->horizontalHeader();
    window->tableView()->selectRow(0); // dive 1, 20 m
    const auto depths = [&] {
        QStringList texts;
        for (int row = 0; row < window->model()->rowCount(); ++row)
            texts.append(window->model()->cellText(row, QStringLiteral("profondeur")));
        return texts.join(QLatin1Char(' '));
    };
    const auto selectedDive = [&] {
        const QList<int> rows = viewSelection(window);
        return rows.size() == 1 ? carnet->dives().at(rows.first()).noPlongee() : -1;
    };

    clickHeader(header, column("profondeur"));
    EXPECT_EQ(depths(), QStringLiteral("35 m 28 m 20 m 12 m"));
    EXPECT_EQ(header->sortIndicatorSection(), column("profondeur"));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(selectedDive(), 1);
    EXPECT_EQ(carnet->currentIndex(), 2);
    EXPECT_EQ(window->editWindow()->shownValue(QStringLiteral("noPlongee")), QStringLiteral("1"));

    clickHeader(header, column("profondeur"));
    EXPECT_EQ(depths(), QStringLiteral("12 m 20 m 28 m 35 m"));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_EQ(selectedDive(), 1);
    EXPECT_EQ(carnet->currentIndex(), 1);
    EXPECT_EQ(window->editWindow()->shownValue(QStringLiteral("noPlongee")), QStringLiteral("1"));
}

// --- Columns ------------------------------------------------------------------------

namespace {

void setColumnSettings(SettingsStore& settings, const QStringList& hidden)
{
    for (const DiveListColumn& c : divelist::columns())
        settings.setValue(QLatin1String(c.settingKey), !hidden.contains(QLatin1String(c.id)));
}

} // namespace

// Where a column comes back is ColumnLayout's rule; here, that the settings
// reach the view on the notification.
TEST_F(DiveListTest, ColumnsFollowTheSettings)
{
    Carnet* carnet = controller->newDocument();
    CarnetListWindow* window = controller->windowOf(carnet);
    QStringList all;
    for (const DiveListColumn& c : divelist::columns())
        all.append(QLatin1String(c.id));
    EXPECT_EQ(shownColumns(window), all.mid(0, 14)); // the apparatus column is hidden by default
    setColumnSettings(settings(), {"noPlongee", "date", "lieu"});
    context->hub().post(notifications::updateColumnsTableView);
    EXPECT_EQ(shownColumns(window), all.mid(3));
    setColumnSettings(settings(), {"noPlongee", "date"});
    context->hub().post(notifications::updateColumnsTableView);
    EXPECT_EQ(shownColumns(window), QStringList{"lieu"} + all.mid(3));
}

// --- Selection and keyboard ---------------------------------------------------------

TEST_F(DiveListTest, SeveralSelectedRowsGoToTheLogbookWithTheOneSelectedLast)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("multi.ondrix"), dives(6)));
    CarnetListWindow* window = controller->windowOf(carnet);
    QItemSelectionModel* selection = window->tableView()->selectionModel();
    DiveTableModel* model = window->model();
    selection->setCurrentIndex(model->index(4, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selection->setCurrentIndex(model->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(carnet->selectedRows(), (QList<int>{1, 4}));
    EXPECT_EQ(carnet->currentIndex(), 1);
    EXPECT_EQ(window->editWindow()->shownValue(QStringLiteral("noPlongee")), QStringLiteral("2"));

    // And back: the logbook's selection shows in the view.
    carnet->setSelection({0, 2, 3}, 2);
    EXPECT_EQ(viewSelection(window), (QList<int>{0, 2, 3}));
    EXPECT_EQ(selection->currentIndex().row(), 2);
}

TEST_F(DiveListTest, ArrowKeysMoveTheSelectionAndReturnOpensTheDiveWindow)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("keys.ondrix"), dives(5)));
    CarnetListWindow* window = controller->windowOf(carnet);
    QTableView* table = window->tableView();
    EXPECT_EQ(viewSelection(window), QList<int>{4}); // opening selects the last dive
    table->selectRow(1);
    const auto press = [&](int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(table, &event);
    };
    press(Qt::Key_Down);
    EXPECT_EQ(carnet->currentIndex(), 2);
    EXPECT_EQ(viewSelection(window), QList<int>{2});
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(carnet->currentIndex(), 0);
    EXPECT_EQ(window->editWindow()->shownValue(QStringLiteral("noPlongee")), QStringLiteral("1"));

    EXPECT_FALSE(window->editWindow()->isVisible());
    press(Qt::Key_Return);
    EXPECT_TRUE(window->editWindow()->isVisible());
}

TEST_F(DiveListTest, DeleteAsksAndRemovesTheSelectedDives)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("delete.ondrix"), dives(5)));
    CarnetListWindow* window = controller->windowOf(carnet);
    carnet->setSelection({1, 3}, 3);
    QAction* erase = window->command(CarnetListWindow::DeleteDiveCommand);
    EXPECT_TRUE(erase->shortcuts().contains(QKeySequence(Qt::Key_Delete)));
    EXPECT_TRUE(erase->shortcuts().contains(QKeySequence(Qt::Key_Backspace)));

    alerts.queueAnswer(1); // Cancel
    erase->trigger();
    EXPECT_EQ(carnet->count(), 5);
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_EQ(alerts.asked().first().key, QStringLiteral("Erase dive"));

    erase->trigger(); // OK
    EXPECT_EQ(carnet->count(), 3);
    EXPECT_EQ(window->model()->rowCount(), 3);
    EXPECT_TRUE(viewSelection(window).isEmpty());
    EXPECT_EQ(window->statusText(), QStringLiteral("3 dives"));
    EXPECT_EQ(window->model()->cellText(1, QStringLiteral("noPlongee")), QStringLiteral("3"));
}

TEST_F(DiveListTest, UpdatingADiveRepaintsItsRowWithoutTakingTheRowsAfresh)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("update.ondrix"), dives(4)));
    CarnetListWindow* window = controller->windowOf(carnet);
    int resets = 0;
    QObject::connect(window->model(), &QAbstractItemModel::modelReset, [&] { ++resets; });
    window->tableView()->selectRow(2);
    carnet->form().setText(plongee::idx_lieu, QStringLiteral("Sormiou"));
    carnet->updateDive();
    EXPECT_EQ(resets, 0);
    EXPECT_EQ(window->model()->cellText(2, QStringLiteral("lieu")), QStringLiteral("Sormiou"));
    EXPECT_EQ(viewSelection(window), QList<int>{2});

    // Rows that come or go are taken afresh, and the selection stays the logbook's.
    carnet->insertDive();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(window->model()->rowCount(), 5);
    EXPECT_EQ(viewSelection(window), carnet->selectedRows());
}

TEST_F(DiveListTest, PreviousAndNextFollowTheSelection)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("nav.ondrix"), dives(3)));
    CarnetListWindow* window = controller->windowOf(carnet);
    QAction* previous = window->command(CarnetListWindow::PreviousDiveCommand);
    QAction* next = window->command(CarnetListWindow::NextDiveCommand);
    EXPECT_TRUE(previous->isEnabled()); // the last dive is selected
    EXPECT_FALSE(next->isEnabled());
    window->tableView()->selectRow(0);
    EXPECT_FALSE(previous->isEnabled());
    EXPECT_TRUE(next->isEnabled());
    next->trigger();
    EXPECT_EQ(viewSelection(window), QList<int>{1});
    EXPECT_TRUE(previous->isEnabled());
    next->trigger();
    EXPECT_EQ(viewSelection(window), QList<int>{2});
    EXPECT_FALSE(next->isEnabled());
    previous->trigger();
    EXPECT_EQ(carnet->currentIndex(), 1);
    EXPECT_TRUE(carnet->isModified()); // the arrows store the form first
}

