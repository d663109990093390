#pragma once

#include "stats/StatsGraph.h"

#include <QWidget>

// Shows the statistics graph and tells where the pointer is over it.
class GraphView : public QWidget {
    Q_OBJECT

public:
    explicit GraphView(QWidget* parent = nullptr);

    void setGraph(const StatsGraph& graph);
    const StatsGraph& graph() const { return m_graph; }
    QSize sizeHint() const override { return {900, 480}; }

signals:
    void pointerMoved(const StatsGraph::Readout& readout);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    StatsGraph m_graph;
};
