#include "stats/ui/StatsWindows.h"

#include "logbook/Carnet.h"
#include "platform/SettingsStore.h"
#include "platform/ui/WindowKeys.h"
#include "platform/context/AppContext.h"
#include "stats/StartingValues.h"
#include "stats/Statistics.h"
#include "stats/StatsGraph.h"
#include "stats/ui/GraphView.h"
#include "stats/ui/GraphWindow.h"
#include "stats/ui/ReportChoiceWindow.h"
#include "stats/ui/StartingValuesWindow.h"
#include "stats/ui/StatisticsWindow.h"
#include "stats/ui/StatsTexts.h"
#include "stats/ui/StyledTextWindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>

namespace {

template <typename W> void bringForward(W& window)
{
    if (!window.property("closeKeys").toBool()) {
        window.setProperty("closeKeys", true);
        windowkeys::addCloseKeys(&window, true);
    }
    windowkeys::present(&window);
}

} // namespace

StatsWindows::StatsWindows(Carnet& carnet) : m_carnet(carnet)
{
    connect(&carnet, &Carnet::diveListChanged, this, &StatsWindows::updateStatistics);
    connect(&carnet, &Carnet::tableReloadRequested, this, &StatsWindows::updateStatistics);
    connect(&carnet, &Carnet::synthesisRefreshRequested, this, &StatsWindows::followDive);
    connect(&carnet, &Carnet::selectionChanged, this, &StatsWindows::followDive);
}

StatsWindows::~StatsWindows() = default;

Statistics StatsWindows::compute() const
{
    return Statistics::compute(m_carnet.dives(), StartingValues::load(m_carnet.context().settings()),
                               !m_previousLeftOut);
}

void StatsWindows::updateStatistics()
{
    if (!m_statistics && !m_graph && !m_text)
        return;
    const Statistics s = compute();
    if (m_statistics)
        m_statistics->display(s);
    if (m_graph)
        m_graph->view()->setGraph(
            StatsGraph(s.shares(), StatsGraph::Style::fromSettings(m_carnet.context().settings())));
}

void StatsWindows::setPreviousLeftOut(bool leftOut)
{
    m_previousLeftOut = leftOut;
    if (m_statistics && m_statistics->previousDivesNoSwitch()->isChecked() != leftOut)
        m_statistics->previousDivesNoSwitch()->setChecked(leftOut);
    updateStatistics();
}

void StatsWindows::showStatisticsWindow()
{
    if (!m_statistics) {
        m_statistics = std::make_unique<StatisticsWindow>(m_carnet.context().localizer());
        m_statistics->previousDivesNoSwitch()->setChecked(m_previousLeftOut);
        connect(m_statistics.get(), &StatisticsWindow::switchChanged, this, &StatsWindows::setPreviousLeftOut);
        connect(m_statistics->startingValuesButton(), &QPushButton::clicked, this,
                &StatsWindows::showEditStatisticsWindow);
        connect(m_statistics->textButton(), &QPushButton::clicked, this, &StatsWindows::statsSynthesisWindow);
        connect(m_statistics->graphButton(), &QPushButton::clicked, this, &StatsWindows::displayGraphesWindow);
    }
    bringForward(*m_statistics);
    updateStatistics();
}

void StatsWindows::showEditStatisticsWindow()
{
    if (!m_starting) {
        m_starting = std::make_unique<StartingValuesWindow>(m_carnet.context());
        connect(m_starting.get(), &StartingValuesWindow::stored, this, &StatsWindows::updateStatistics);
    }
    m_starting->reload();
    bringForward(*m_starting);
}

void StatsWindows::fillStatisticsField()
{
    const QString name = m_carnet.filePath().isEmpty() ? QString() : QFileInfo(m_carnet.filePath()).fileName();
    m_text->setText(compute().text(m_carnet.context().localizer(), name, QDateTime::currentDateTime()));
}

void StatsWindows::statsSynthesisWindow()
{
    if (!m_text) {
        m_text = std::make_unique<StyledTextWindow>(m_carnet.context().localizer(), QStringLiteral("synthStatWindow"));
        m_text->setWindowTitle(statstexts::text(m_carnet.context().localizer(), "Statistics text title"));
        // Printing prints the text as it is rebuilt.
        connect(m_text->printButton(), &QPushButton::pressed, this, &StatsWindows::fillStatisticsField);
    }
    fillStatisticsField();
    bringForward(*m_text);
}

void StatsWindows::displayGraphesWindow()
{
    if (!m_graph) {
        m_graph = std::make_unique<GraphWindow>(m_carnet.context().localizer());
        m_graph->resize(940, 560);
    }
    bringForward(*m_graph);
    updateStatistics();
}

ReportChoiceWindow* StatsWindows::reportChoiceWindow()
{
    if (!m_chooser)
        m_chooser = std::make_unique<ReportChoiceWindow>(m_carnet.context().localizer());
    const int current = m_carnet.currentIndex();
    m_chooser->setHasSelection(current >= 0 && current < m_carnet.count());
    return m_chooser.get();
}

void StatsWindows::divesForSynthesisWindow()
{
    ReportChoiceWindow* chooser = reportChoiceWindow();
    if (chooser->exec() == QDialog::Accepted)
        syntheseWindow(chooser->choice());
}

bool StatsWindows::syntheseWindow(SynthesisReport::Choice choice)
{
    AppContext& context = m_carnet.context();
    const Localizer& loc = context.localizer();
    m_reportChoice = choice;
    const QList<int> rows = SynthesisReport::rowsFor(choice, m_carnet.count(), m_carnet.currentIndex());
    const SynthesisReport report(loc, context.settings().boolValue(QStringLiteral("us units")));
    QProgressDialog progress(statstexts::text(loc, "Report progress"),
                             loc.text(QStringLiteral("Cancel"), QStringLiteral("Main"), QStringLiteral("Cancel")), 0,
                             int(rows.size()));
    progress.setMinimumDuration(300);
    progress.setWindowModality(Qt::ApplicationModal);
    const auto built = report.dives(m_carnet.dives(), rows, [&](qsizetype done, qsizetype) {
        if (done % 20 == 0) {
            progress.setValue(int(done));
            QCoreApplication::processEvents();
        }
        return !progress.wasCanceled();
    });
    progress.reset();
    if (!built)
        return false;
    if (!m_report) {
        m_report = std::make_unique<StyledTextWindow>(loc, QStringLiteral("syntheseWindow"));
        m_report->setWindowTitle(statstexts::text(loc, "Report title"));
    }
    m_report->setText(*built);
    bringForward(*m_report);
    return true;
}

void StatsWindows::followDive()
{
    // An open report of the selected dive follows the dive shown.
    if (m_report && m_report->isVisible() && m_reportChoice == SynthesisReport::SelectedDive) {
        const SynthesisReport report(m_carnet.context().localizer(),
                                     m_carnet.context().settings().boolValue(QStringLiteral("us units")));
        const QList<int> rows =
            SynthesisReport::rowsFor(SynthesisReport::SelectedDive, m_carnet.count(), m_carnet.currentIndex());
        m_report->setText(*report.dives(m_carnet.dives(), rows));
    }
}
