#include "stats/draw/GraphPainter.h"

#include "platform/draw/PaintedPicture.h"
#include "profile/draw/ProfilePainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {

using Graph = StatsGraph;

QColor toColour(const RgbaColour& c, double alpha)
{
    return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.alpha * alpha));
}

QFont labelFont()
{
    QFont f;
    f.setFamilies({QStringLiteral("Lucida Grande"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("Sans Serif")});
    f.setPixelSize(11);
    return f;
}

QColor barFill(Graph::Group group)
{
    switch (group) {
    case Graph::Group::Depth: return QColor(0, 0, 255);
    case Graph::Group::Air: return QColor(Qt::white);
    case Graph::Group::Nitrox: return QColor(0, 200, 0);
    case Graph::Group::Trimix: return QColor(153, 102, 51);
    }
    return QColor(Qt::black);
}

QLineF lineOf(const Graph::Line& l) { return QLineF(l.from.x, l.from.y, l.to.x, l.to.y); }

void drawLines(QPainter& painter, const QList<Graph::Line>& lines, const QPen& pen)
{
    painter.setPen(pen);
    for (const Graph::Line& l : lines)
        painter.drawLine(lineOf(l));
}

// Texts are drawn upright at their canvas point, the point being the bottom
// left of the text.
void drawLabel(QPainter& painter, const QTransform& canvas, const Graph::Label& label, const QFont& font)
{
    const QPointF at = canvas.map(QPointF(label.at.x, label.at.y));
    painter.save();
    painter.resetTransform();
    painter.translate(at);
    painter.scale(canvas.m11(), canvas.m11());
    painter.drawText(QPointF(0, -QFontMetricsF(font).descent()), label.text);
    painter.restore();
}

} // namespace

QTransform GraphPainter::canvasTransform(const QRectF& target)
{
    return paintedpicture::canvasTransform(target, QSizeF(Graph::kCanvasWidth, Graph::kCanvasHeight));
}

void GraphPainter::paint(QPainter& painter, const StatsGraph& graph, const QRectF& target)
{
    if (target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(target, Qt::IntersectClip);
    const StatsGraph::Style& style = graph.style();
    painter.fillRect(target, toColour(style.background, style.backgroundAlpha));
    const QTransform base = painter.transform();
    const QTransform canvas = canvasTransform(target) * base;
    painter.setTransform(canvas);

    QPen outline(Qt::black);
    outline.setCosmetic(true);
    for (const StatsGraph::Bar& bar : graph.bars()) {
        painter.setPen(outline);
        painter.setBrush(barFill(bar.group));
        painter.drawRect(QRectF(bar.left, Graph::kOriginY, Graph::kBarWidth, bar.height));
    }
    painter.setBrush(Qt::NoBrush);
    drawLines(painter, graph.axes(), outline);
    drawLines(painter, graph.ticks(), outline);
    QPen dashed(Qt::black, 0.1);
    dashed.setDashPattern({5 / 0.1, 3 / 0.1});
    drawLines(painter, graph.guideLines(), dashed);

    const QFont font = labelFont();
    painter.setFont(font);
    painter.setPen(toColour(style.labels, 1));
    for (const StatsGraph::Label& label : graph.categoryLabels())
        drawLabel(painter, canvas, label, font);
    for (const StatsGraph::Label& label : graph.tickLabels())
        drawLabel(painter, canvas, label, font);
    painter.setPen(Qt::black);
    for (const StatsGraph::Bar& bar : graph.bars())
        drawLabel(painter, canvas, bar.value, font);
    painter.restore();
}

QImage GraphPainter::image(const StatsGraph& graph, QSize size)
{
    return paintedpicture::image(size, [&](QPainter& p, const QRectF& target) { paint(p, graph, target); });
}

QByteArray GraphPainter::png(const StatsGraph& graph, QSize size)
{
    return paintedpicture::png(size, [&](QPainter& p, const QRectF& target) { paint(p, graph, target); });
}

void GraphPainter::paintPage(QPainter& painter, const QPagedPaintDevice& device, const StatsGraph& graph)
{
    paint(painter, graph,
          paintedpicture::pageTarget(device, QSizeF(Graph::kCanvasWidth, Graph::kCanvasHeight),
                                     ProfilePainter::kPrintScale));
}

QByteArray GraphPainter::pdf(const StatsGraph& graph, const QString& title)
{
    return paintedpicture::onePagePdf(title, &ProfilePainter::preparePage,
                                      QSizeF(Graph::kCanvasWidth, Graph::kCanvasHeight), ProfilePainter::kPrintScale,
                                      [&](QPainter& p, const QRectF& target) { paint(p, graph, target); });
}
