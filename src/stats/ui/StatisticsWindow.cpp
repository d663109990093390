#include "stats/ui/StatisticsWindow.h"

#include "stats/ui/StatsTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The label key of each category in the window.
const char* labelKey(Statistics::Category c)
{
    static const char* const keys[Statistics::CategoryCount] = {
        "Statistics bio",    "Statistics quarry", "Statistics drift",   "Statistics wrecks",
        "Statistics recreational", "Statistics training", "Statistics night", "Statistics photo",
        "Statistics recuperation", "Statistics ice", "Statistics cave",   "Statistics tek",
        "Statistics work",   "Statistics video",  "Statistics other",   "Statistics co",
        "Statistics scr",    "Statistics ccr",    "Statistics air",     "Statistics nitrox",
        "Statistics trimix", "Statistics heliox", "Statistics prof_1",  "Statistics prof_2",
        "Statistics prof_3", "Statistics prof_4", "Statistics prof_5",  "Statistics prof_6",
        "Statistics prof_7"};
    return keys[c];
}

const char* valueKey(Statistics::Value v)
{
    static const char* const keys[Statistics::ValueCount] = {
        "Statistics total",    "Statistics prof max", "Statistics temps max", "Statistics somme prof",
        "Statistics somme temps", "Statistics prof moy", "Statistics temps moy", "Statistics temp min",
        "Statistics temp max", "Statistics temp moy"};
    return keys[v];
}

} // namespace

StatisticsWindow::StatisticsWindow(const Localizer& loc, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_loc(loc),
      m_switch(new QCheckBox(statstexts::text(loc, "Statistics previous switch"), this)),
      m_startingValues(new QPushButton(statstexts::text(loc, "Statistics starting values button"), this)),
      m_text(new QPushButton(statstexts::text(loc, "Statistics text button"), this)),
      m_graph(new QPushButton(statstexts::text(loc, "Statistics graph button"), this))
{
    setObjectName(QStringLiteral("statisticsWindow"));
    setWindowTitle(statstexts::text(loc, "Statistics"));
    m_switch->setObjectName(QStringLiteral("previousDivesNoSwitch"));
    const auto group = [&](const char* title, int first, int last) {
        auto* box = new QGroupBox(statstexts::label(loc, QLatin1String(title)), this);
        auto* grid = new QGridLayout(box);
        for (int c = first; c <= last; ++c) {
            const auto category = Statistics::Category(c);
            const int row = c - first;
            grid->addWidget(new QLabel(statstexts::label(loc, QLatin1String(labelKey(category))), box), row, 0);
            m_counts[c] = new QLabel(box);
            m_counts[c]->setObjectName(QLatin1String(Statistics::countFieldOf(category)));
            m_counts[c]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_percents[c] = new QLabel(box);
            m_percents[c]->setObjectName(QString::fromLatin1(Statistics::countFieldOf(category))
                                             .replace(QStringLiteral("stat"), QStringLiteral("statP_")));
            m_percents[c]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_percents[c]->setMinimumWidth(60);
            grid->addWidget(m_counts[c], row, 1);
            grid->addWidget(m_percents[c], row, 2);
        }
        grid->setRowStretch(last - first + 1, 1);
        return box;
    };
    auto* summary = new QGroupBox(statstexts::label(loc, QStringLiteral("Statistics min max")), this);
    auto* grid = new QGridLayout(summary);
    for (int v = 0; v < Statistics::ValueCount; ++v) {
        const auto value = Statistics::Value(v);
        grid->addWidget(new QLabel(statstexts::label(loc, QLatin1String(valueKey(value))), summary), v, 0);
        m_values[v] = new QLabel(summary);
        m_values[v]->setObjectName(QLatin1String(Statistics::valueFieldOf(value)));
        grid->addWidget(m_values[v], v, 1);
    }
    grid->setRowStretch(Statistics::ValueCount, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(group("Statistics gas", Statistics::Air, Statistics::Heliox));
    right->addWidget(group("Statistics circuit", Statistics::CO, Statistics::CCR));
    right->addWidget(group("Statistics depth", Statistics::Prof1, Statistics::Prof7));
    auto* columns = new QHBoxLayout;
    columns->addWidget(group("Statistics dive type", Statistics::Bio, Statistics::Autre));
    columns->addLayout(right);
    columns->addWidget(summary);

    auto* help = new QLabel(statstexts::text(loc, "Statistics help"), this);
    help->setObjectName(QStringLiteral("statisticsHelp"));
    help->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_switch);
    buttons->addStretch(1);
    buttons->addWidget(m_startingValues);
    buttons->addWidget(m_text);
    buttons->addWidget(m_graph);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(help);
    layout->addLayout(buttons);
    connect(m_switch, &QCheckBox::toggled, this, &StatisticsWindow::switchChanged);
}

void StatisticsWindow::display(const Statistics& s)
{
    for (int c = 0; c < Statistics::CategoryCount; ++c) {
        m_counts[c]->setText(QString::number(s.count(Statistics::Category(c))));
        m_percents[c]->setText(s.percentText(Statistics::Category(c)));
    }
    for (int v = 0; v < Statistics::ValueCount; ++v)
        m_values[v]->setText(s.valueText(Statistics::Value(v), m_loc));
}
