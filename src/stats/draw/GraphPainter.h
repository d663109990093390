#pragma once

#include "stats/StatsGraph.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QTransform>

class QPainter;
class QPagedPaintDevice;

// Paints the statistics graph with QPainter on any device: the canvas
// (origin bottom left, y up) fitted into the target with its proportions
// kept, centred, texts upright.
class GraphPainter {
public:
    static QTransform canvasTransform(const QRectF& target);
    static void paint(QPainter& painter, const StatsGraph& graph, const QRectF& target);

    static QImage image(const StatsGraph& graph, QSize size);
    static QByteArray png(const StatsGraph& graph, QSize size);

    // The printed page: portrait, the page margins of the profile, the view
    // at 75 % centred across and at the top.
    static void paintPage(QPainter& painter, const QPagedPaintDevice& device, const StatsGraph& graph);
    static QByteArray pdf(const StatsGraph& graph, const QString& title = QString());
};
