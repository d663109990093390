#pragma once

#include "stats/Statistics.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class Localizer;

// The statistics window of a logbook: one count and one percentage per
// category, the totals, extremes, averages and temperatures, the switch
// that leaves the previous dives out and the buttons to the starting
// values, the statistics text and the graph. It shows what it is given.
class StatisticsWindow : public QWidget {
    Q_OBJECT

public:
    explicit StatisticsWindow(const Localizer& localizer, QWidget* parent = nullptr);

    void display(const Statistics& statistics);
    QCheckBox* previousDivesNoSwitch() const { return m_switch; }
    QLabel* countField(Statistics::Category c) const { return m_counts[c]; }
    QLabel* percentField(Statistics::Category c) const { return m_percents[c]; }
    QLabel* valueField(Statistics::Value v) const { return m_values[v]; }
    QPushButton* startingValuesButton() const { return m_startingValues; }
    QPushButton* textButton() const { return m_text; }
    QPushButton* graphButton() const { return m_graph; }

signals:
    void switchChanged(bool previousLeftOut);

private:
    const Localizer& m_loc;
    std::array<QLabel*, Statistics::CategoryCount> m_counts{};
    std::array<QLabel*, Statistics::CategoryCount> m_percents{};
    std::array<QLabel*, Statistics::ValueCount> m_values{};
    QCheckBox* m_switch;
    QPushButton* m_startingValues;
    QPushButton* m_text;
    QPushButton* m_graph;
};
