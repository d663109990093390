#pragma once

#include "stats/SynthesisReport.h"

#include <QObject>
#include <memory>

class Carnet;
class GraphWindow;
class ReportChoiceWindow;
class StartingValuesWindow;
class StatisticsWindow;
class StyledTextWindow;
class Statistics;

// The statistics and synthesis windows of one logbook, made the first time
// they are asked for and kept while it is open: the statistics window, the
// starting values, the statistics text, the statistics graph, the report's
// chooser and the report. The open ones follow the logbook's changes.
class StatsWindows : public QObject {
    Q_OBJECT

public:
    explicit StatsWindows(Carnet& carnet);
    ~StatsWindows() override;

    void showStatisticsWindow();
    void showEditStatisticsWindow();
    void statsSynthesisWindow();
    void displayGraphesWindow();
    // The chooser; OK builds and shows the report.
    void divesForSynthesisWindow();
    // Builds the report of a choice with progress; false when cancelled.
    bool syntheseWindow(SynthesisReport::Choice choice);

    StatisticsWindow* statisticsWindow() const { return m_statistics.get(); }
    StartingValuesWindow* startingValuesWindow() const { return m_starting.get(); }
    StyledTextWindow* statisticsTextWindow() const { return m_text.get(); }
    GraphWindow* graphWindow() const { return m_graph.get(); }
    ReportChoiceWindow* reportChoiceWindow();
    StyledTextWindow* reportWindow() const { return m_report.get(); }

    // Recomputes what the open windows show.
    void updateStatistics();
    bool previousLeftOut() const { return m_previousLeftOut; }
    void setPreviousLeftOut(bool leftOut);

private:
    Statistics compute() const;
    void fillStatisticsField();
    void followDive();

    Carnet& m_carnet;
    bool m_previousLeftOut = false;
    SynthesisReport::Choice m_reportChoice = SynthesisReport::AllDives;
    std::unique_ptr<StatisticsWindow> m_statistics;
    std::unique_ptr<StartingValuesWindow> m_starting;
    std::unique_ptr<StyledTextWindow> m_text;
    std::unique_ptr<GraphWindow> m_graph;
    std::unique_ptr<ReportChoiceWindow> m_chooser;
    std::unique_ptr<StyledTextWindow> m_report;
};
