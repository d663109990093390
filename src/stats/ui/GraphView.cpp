#include "stats/ui/GraphView.h"

#include "stats/draw/GraphPainter.h"

#include <QMouseEvent>
#include <QPainter>

GraphView::GraphView(QWidget* parent) : QWidget(parent), m_graph({}, {})
{
    setObjectName(QStringLiteral("graphesView"));
    setMouseTracking(true);
    setMinimumSize(450, 240);
}

void GraphView::setGraph(const StatsGraph& graph)
{
    m_graph = graph;
    update();
    // What the pointer read belongs to the graph before.
    emit pointerMoved({});
}

void GraphView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    GraphPainter::paint(painter, m_graph, QRectF(rect()));
}

void GraphView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF p = GraphPainter::canvasTransform(QRectF(rect())).inverted().map(event->position());
    emit pointerMoved(m_graph.readout({p.x(), p.y()}));
}
