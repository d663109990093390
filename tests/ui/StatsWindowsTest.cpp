#include "ui/ShellFixture.h"

#include "stats/StartingValues.h"
#include "stats/ui/GraphView.h"
#include "stats/ui/GraphWindow.h"
#include "stats/ui/ReportChoiceWindow.h"
#include "stats/ui/StartingValuesWindow.h"
#include "stats/ui/StatisticsWindow.h"
#include "stats/ui/StatsWindows.h"
#include "stats/ui/StyledTextWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextEdit>

namespace {

using StatsWindowsTest = ShellFixture;

// The toolbar items open the statistics and the report's chooser; the
// windows follow the logbook, the switch and the stored starting values.
TEST_F(StatsWindowsTest, WindowsFollowTheLogbookAndRefuseBadStartingValues)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("s.ondrix"), dives(4)));
    ASSERT_NE(carnet, nullptr);
    controller->windowOf(carnet)->runCommand(QStringLiteral("statistics"));
    StatisticsWindow* statistics = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<StatisticsWindow*>(w); s && s->isVisible())
            statistics = s;
    ASSERT_NE(statistics, nullptr);
    EXPECT_EQ(statistics->valueField(Statistics::TotalDives)->text(), QStringLiteral("4 dives"));

    StatsWindows stats(*carnet);
    stats.showStatisticsWindow();
    stats.showEditStatisticsWindow();
    StartingValuesWindow* start = stats.startingValuesWindow();
    start->field(QStringLiteral("total plongees"))->setText(QStringLiteral("6"));
    start->field(QStringLiteral("bio"))->setText(QStringLiteral("4.5"));
    EXPECT_FALSE(start->validateStatisticsValues());
    EXPECT_EQ(alertKeys().last(), QStringLiteral("Starting value refused"));
    EXPECT_FALSE(settings().hasStoredValue(StartingValues::settingsKey()));
    start->field(QStringLiteral("bio"))->setText(QString());
    EXPECT_TRUE(start->validateStatisticsValues());
    EXPECT_EQ(stats.statisticsWindow()->valueField(Statistics::TotalDives)->text(), QStringLiteral("10 dives"));
    stats.statisticsWindow()->previousDivesNoSwitch()->setChecked(true);
    EXPECT_EQ(stats.statisticsWindow()->valueField(Statistics::TotalDives)->text(), QStringLiteral("4 dives"));

    carnet->setCurrentIndex(-1);
    ReportChoiceWindow* chooser = stats.reportChoiceWindow();
    EXPECT_FALSE(chooser->selectedDiveButton()->isEnabled());
    EXPECT_EQ(chooser->choice(), SynthesisReport::AllDives);
    carnet->setCurrentIndex(1);
    chooser = stats.reportChoiceWindow();
    EXPECT_TRUE(chooser->selectedDiveButton()->isEnabled());
    ASSERT_TRUE(stats.syntheseWindow(SynthesisReport::SelectedDive));
    EXPECT_TRUE(stats.reportWindow()->view()->toPlainText().contains(QStringLiteral("Place 2")));
    carnet->setCurrentIndex(2);
    EXPECT_TRUE(stats.reportWindow()->view()->toPlainText().contains(QStringLiteral("Place 3")));

    stats.displayGraphesWindow();
    GraphView* view = stats.graphWindow()->view();
    double depthShares = 0; // the seven depth bands
    for (int bar = 0; bar < 7; ++bar)
        depthShares += view->graph().bars()[bar].share;
    EXPECT_EQ(depthShares, 100.0);
    carnet->setDives({});
    emit carnet->diveListChanged();
    EXPECT_EQ(view->graph().bars()[7].share, 0.0);
}

} // namespace
