#include "stats/draw/GraphPainter.h"

#include "profile/draw/ProfilePainter.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

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
    const double scale = std::min(target.width() / Graph::kCanvasWidth, target.height() / Graph::kCanvasHeight);
    const double left = target.left() + (target.width() - Graph::kCanvasWidth * scale) / 2;
    const double top = target.top() + (target.height() - Graph::kCanvasHeight * scale) / 2;
    return QTransform(scale, 0, 0, -scale, left, top + Graph::kCanvasHeight * scale);
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
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    paint(painter, graph, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return picture;
}

QByteArray GraphPainter::png(const StatsGraph& graph, QSize size)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image(graph, size).save(&buffer, "PNG");
    return bytes;
}

void GraphPainter::paintPage(QPainter& painter, const QPagedPaintDevice& device, const StatsGraph& graph)
{
    const double pointsToDevice = device.logicalDpiX() / 72.0;
    const double available = device.width();
    double scale = ProfilePainter::kPrintScale * pointsToDevice;
    if (Graph::kCanvasWidth * scale > available)
        scale = available / Graph::kCanvasWidth;
    const double width = Graph::kCanvasWidth * scale;
    paint(painter, graph, QRectF((available - width) / 2, 0, width, Graph::kCanvasHeight * scale));
}

QByteArray GraphPainter::pdf(const StatsGraph& graph, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Ondrix"));
        writer.setTitle(title);
        writer.setPageSize(QPageSize(QPageSize::A4));
        ProfilePainter::preparePage(writer);
        QPainter painter(&writer);
        paintPage(painter, writer, graph);
        painter.end();
    }
    return bytes;
}
