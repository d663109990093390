#pragma once

#include "stats/StatsGraph.h"

#include <QWidget>
#include <memory>

class GraphView;
class Localizer;
class QLabel;
class QPrinter;
class QPushButton;

// The statistics graph window: the graph, the readout of the pointer and
// printing.
class GraphWindow : public QWidget {
    Q_OBJECT

public:
    explicit GraphWindow(const Localizer& localizer, QWidget* parent = nullptr);
    ~GraphWindow() override;

    GraphView* view() const { return m_view; }
    QLabel* readoutLabel() const { return m_readout; }
    QPushButton* printButton() const { return m_print; }

public slots:
    void print();

private:
    GraphView* m_view;
    QLabel* m_readout;
    QPushButton* m_print;
    std::unique_ptr<QPrinter> m_printer;
};
