#include "ui/ShellFixture.h"

#include "logbook/Carnet.h"
#include "logbook/ui/CarnetListWindow.h"
#include "logbook/ui/DiveEditWindow.h"
#include "logbook/ui/DiveTableModel.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QTabWidget>
#include <QTableView>

using DiveListTest = ShellFixture;

namespace {

struct CellCase {
    const char* name;
    bool displayUnits;
    bool usUnits;
    float depth;
    int minutes;
    const char* depthText;
    const char* durationText;
};

class DiveCellTest : public ShellFixture, public ::testing::WithParamInterface<CellCase> {};

} // namespace

TEST_P(DiveCellTest, DepthAndDurationFollowTheUnitSettings)
{
    const CellCase& c = GetParam();
    settings().setValue(QStringLiteral("display units"), c.displayUnits);
    settings().setValue(QStringLiteral("us units"), c.usUnits);
    Carnet carnet(*context);
    carnet.setDives({dive(1, QStringLiteral("Cassis"), c.depth, c.minutes)});
    DiveTableModel model(carnet);
    EXPECT_EQ(model.cellText(0, DiveTableModel::Depth), QString::fromUtf8(c.depthText));
    EXPECT_EQ(model.cellText(0, DiveTableModel::Duration), QString::fromUtf8(c.durationText));
    EXPECT_EQ(model.data(model.index(0, DiveTableModel::Depth)).toString(), QString::fromUtf8(c.depthText));
}

INSTANTIATE_TEST_SUITE_P(
    DiveList, DiveCellTest,
    ::testing::Values(CellCase{"Metric", true, false, 25.5f, 45, "25.5 m", "45 '"},
                      CellCase{"WholeMetres", true, false, 25.0f, 45, "25 m", "45 '"},
                      CellCase{"TenthsKeptShort", true, false, 12.4f, 7, "12.4 m", "7 '"},
                      CellCase{"Feet", true, true, 98.0f, 60, "98 ft", "60 '"},
                      CellCase{"BareNumbers", false, false, 25.5f, 45, "25.5", "45"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiveListTest, DateTimeAndTextCells)
{
    Carnet carnet(*context);
    Plongee d = dive(12, QStringLiteral("Banyuls"), 20.0f, 40);
    d.setDate(QDateTime(QDate(2019, 3, 4), QTime(12, 0)));
    d.setHeure(QDateTime(QDate(2019, 3, 4), QTime(8, 7)));
    d.setSite(std::nullopt);
    carnet.setDives({d, Plongee()});
    DiveTableModel model(carnet);

    EXPECT_EQ(model.cellText(0, DiveTableModel::Number), QStringLiteral("12"));
    EXPECT_EQ(model.cellText(0, DiveTableModel::Date), QStringLiteral("04/03/2019"));
    EXPECT_EQ(model.cellText(0, DiveTableModel::Time), QStringLiteral("08:07"));
    EXPECT_EQ(model.cellText(0, DiveTableModel::Place), QStringLiteral("Banyuls"));
    EXPECT_EQ(model.cellText(0, DiveTableModel::Site), QString());
    // A blank record: no date, no time, no texts.
    EXPECT_EQ(model.cellText(1, DiveTableModel::Date), QString());
    EXPECT_EQ(model.cellText(1, DiveTableModel::Time), QString());
    EXPECT_EQ(model.cellText(1, DiveTableModel::Place), QString());
}

TEST_F(DiveListTest, TheListFollowsChangesOfTheDives)
{
    Carnet* carnet = controller->newDocument();
    CarnetListWindow* window = controller->windowOf(carnet);
    carnet->setDives(dives(4));
    EXPECT_EQ(window->model()->rowCount(), 4);
    EXPECT_EQ(window->statusText(), QStringLiteral("4 dives"));
    carnet->setDives(dives(1));
    EXPECT_EQ(window->model()->rowCount(), 1);
    EXPECT_EQ(window->statusText(), QStringLiteral("1 dive"));
}

TEST_F(DiveListTest, TenThousandDivesOpenQuickly)
{
    const QString file = writeLogbook(QStringLiteral("big.ondrix"), dives(10000));
    QElapsedTimer timer;
    timer.start();
    Carnet* carnet = controller->openDocument(file);
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    ASSERT_TRUE(waitFor([&] { return window->isVisible(); }));
    QCoreApplication::processEvents();
    window->tableView()->viewport()->repaint();
    window->tableView()->selectRow(5000);
    window->tableView()->viewport()->repaint();
    // Generous: a view that measured or built every row would take far longer.
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_EQ(carnet->currentIndex(), 5000);
}

// --- Dive window ----------------------------------------------------------------

TEST_F(DiveListTest, EveryFieldOfTheRecordIsOnExactlyOnePage)
{
    QSet<QString> placed;
    int shown = 0;
    for (int page = 0; page < DiveEditWindow::PageCount; ++page) {
        for (const QString& name : DiveEditWindow::fieldsOnPage(DiveEditWindow::Page(page))) {
            EXPECT_FALSE(placed.contains(name)) << name.toStdString();
            placed.insert(name);
            ++shown;
            // Named by a page, not just gathered at the end of the first one.
            EXPECT_NE(DiveEditWindow::pageOf(name), DiveEditWindow::PageCount) << name.toStdString();
        }
    }
    EXPECT_EQ(shown, Plongee::FieldCount);
}

namespace {

struct PageCase {
    const char* field;
    DiveEditWindow::Page page;
};

class DivePageTest : public ::testing::TestWithParam<PageCase> {};

} // namespace

TEST_P(DivePageTest, FieldsGoToTheirPage)
{
    EXPECT_EQ(DiveEditWindow::pageOf(QString::fromLatin1(GetParam().field)), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(
    DiveWindow, DivePageTest,
    ::testing::Values(PageCase{"noPlongee", DiveEditWindow::DivePage}, PageCase{"profondeur", DiveEditWindow::DivePage},
                      PageCase{"tempEau", DiveEditWindow::ConditionsPage},
                      PageCase{"visibilite", DiveEditWindow::ConditionsPage},
                      PageCase{"o2Mix_2", DiveEditWindow::GasesPage}, PageCase{"HeBailout2", DiveEditWindow::GasesPage},
                      PageCase{"pressFinPony3", DiveEditWindow::GasesPage},
                      PageCase{"decoDepth_Level_5", DiveEditWindow::DecompressionPage},
                      PageCase{"deco_Level_3_sw", DiveEditWindow::DecompressionPage},
                      PageCase{"equip_12", DiveEditWindow::EquipmentPage},
                      PageCase{"lestage", DiveEditWindow::EquipmentPage},
                      PageCase{"notes", DiveEditWindow::NotesPage}, PageCase{"GAZ_Flag", DiveEditWindow::NotesPage}),
    [](const auto& info) { return std::string(info.param.field); });

TEST_F(DiveListTest, TheDiveWindowHasTheSixPages)
{
    Carnet carnet(*context);
    DiveEditWindow window(carnet);
    const QStringList expected = {QStringLiteral("Dive"),      QStringLiteral("Conditions"),
                                  QStringLiteral("Gases"),     QStringLiteral("Decompression"),
                                  QStringLiteral("Equipment"), QStringLiteral("Notes & profile")};
    ASSERT_EQ(window.tabs()->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(window.tabs()->tabText(i).replace(QStringLiteral("&&"), QStringLiteral("&")), expected.at(i));
}

TEST_F(DiveListTest, TheDiveWindowShowsTheLoadedDiveOrABlankPage)
{
    Carnet carnet(*context);
    DiveEditWindow window(carnet);
    EXPECT_EQ(window.shownIndex(), -1);
    EXPECT_FALSE(window.tabs()->isVisibleTo(&window));

    Plongee d = dive(31, QStringLiteral("Ponza"), 41.7f, 52);
    d.setProfilProfondeur(QList<float>{0.0f, 10.0f, 20.0f, 5.0f});
    d.setASC_Flag(QList<qint16>{0});
    d.setNotes(QStringLiteral("Octopus under the arch"));
    carnet.setDives({dive(30, QStringLiteral("Elba"), 12.0f, 30), d});
    carnet.selectLastDive(1, false);

    EXPECT_EQ(window.shownIndex(), 1);
    EXPECT_TRUE(window.tabs()->isVisibleTo(&window));
    EXPECT_EQ(window.shownValue(QStringLiteral("noPlongee")), QStringLiteral("31"));
    EXPECT_EQ(window.shownValue(QStringLiteral("profondeur")), QStringLiteral("41.7"));
    EXPECT_EQ(window.shownValue(QStringLiteral("date")), QStringLiteral("04/06/2021"));
    EXPECT_EQ(window.shownValue(QStringLiteral("heure")), QStringLiteral("09:36"));
    EXPECT_EQ(window.shownValue(QStringLiteral("notes")), QStringLiteral("Octopus under the arch"));
    EXPECT_EQ(window.shownValue(QStringLiteral("profilProfondeur")), QStringLiteral("4 samples"));
    EXPECT_EQ(window.shownValue(QStringLiteral("ASC_Flag")), QStringLiteral("no profile"));
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("31")));

    carnet.setCurrentIndex(0);
    EXPECT_EQ(window.shownValue(QStringLiteral("lieu")), QStringLiteral("Elba"));

    carnet.setDives({});
    EXPECT_EQ(window.shownIndex(), -1);
    EXPECT_EQ(window.shownValue(QStringLiteral("lieu")), QString());
}
