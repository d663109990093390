#include "profile/draw/ProfilePainter.h"

#include "platform/draw/PaintedPicture.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPagedPaintDevice>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <variant>

namespace {

using Scene = ProfileScene;

QColor toColour(const RgbaColour& c) { return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.alpha)); }

QFont fontFor(Scene::Font font)
{
    QFont f;
    if (font == Scene::Font::Small) {
        f.setFamilies({QStringLiteral("Lucida Grande"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                       QStringLiteral("Sans Serif")});
        f.setPixelSize(11);
    } else {
        f.setFamilies({QStringLiteral("Helvetica"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                       QStringLiteral("Sans Serif")});
        f.setPixelSize(12);
    }
    return f;
}

QPolygonF polygonOf(const Scene::Polyline& line)
{
    QPolygonF polygon;
    polygon.reserve(line.size());
    for (const Scene::Point& p : line)
        polygon.append(QPointF(p.x, p.y));
    return polygon;
}

// A polyline of more points than the device has pixel columns under it
// draws the same through fewer points: in each column, its first, lowest,
// highest and last points, in their order along the line.
QPolygonF devicePolygon(const Scene::Polyline& line, const QTransform& toDevice)
{
    const qsizetype n = line.size();
    if (n < 64)
        return polygonOf(line);
    const double span = std::abs(toDevice.map(QPointF(line.first().x, 0)).x() - toDevice.map(QPointF(line.last().x, 0)).x());
    if (double(n) < 4 * (span + 2))
        return polygonOf(line);
    const double sx = toDevice.m11(), dx = toDevice.dx();
    QPolygonF polygon;
    polygon.reserve(qsizetype(4 * (span + 2)));
    qsizetype begin = 0;
    while (begin < n) {
        const double column = std::floor(line[begin].x * sx + dx);
        qsizetype end = begin + 1, low = begin, high = begin;
        while (end < n && std::floor(line[end].x * sx + dx) == column) {
            if (line[end].y < line[low].y)
                low = end;
            if (line[end].y > line[high].y)
                high = end;
            ++end;
        }
        qsizetype kept[4] = {begin, std::min(low, high), std::max(low, high), end - 1};
        qsizetype last = -1;
        for (const qsizetype k : kept)
            if (k != last) {
                polygon.append(QPointF(line[k].x, line[k].y));
                last = k;
            }
        begin = end;
    }
    return polygon;
}

void paintPath(QPainter& painter, const Scene::Path& path, const QTransform& toDevice)
{
    if (path.lines.isEmpty())
        return;
    if (path.op == Scene::Path::Op::Fill) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(toColour(path.colour));
        const Qt::FillRule rule = path.evenOdd ? Qt::OddEvenFill : Qt::WindingFill;
        if (path.lines.size() == 1) {
            painter.drawPolygon(devicePolygon(path.lines.first(), toDevice), rule);
        } else {
            QPainterPath shape;
            shape.setFillRule(rule);
            for (const Scene::Polyline& line : path.lines)
                shape.addPolygon(devicePolygon(line, toDevice));
            painter.drawPath(shape);
        }
        return;
    }
    QPen pen(toColour(path.colour));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::BevelJoin);
    // On screen and in pictures a line of at most a pixel and a half is
    // drawn one pixel wide, which the raster engine does many times
    // faster; printers and PDFs get the true width.
    const double scale = std::sqrt(std::abs(toDevice.determinant()));
    const bool raster = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const bool hairline = raster && path.width * scale * ratio <= 1.5;
    // Qt counts dashes in pen widths, the scene in points.
    const double dashUnit = hairline ? 1 / scale : path.width;
    if (hairline) {
        pen.setCosmetic(true);
        pen.setWidthF(1);
    } else {
        pen.setWidthF(path.width);
    }
    if (!path.dash.isEmpty()) {
        QList<qreal> pattern;
        for (const double d : path.dash)
            pattern.append(d / dashUnit);
        pen.setDashPattern(pattern);
    }
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    QList<QLineF> segments;
    for (const Scene::Polyline& line : path.lines) {
        if (line.size() == 2)
            segments.append(QLineF(line[0].x, line[0].y, line[1].x, line[1].y));
        else if (line.size() > 2)
            painter.drawPolyline(devicePolygon(line, toDevice));
    }
    if (!segments.isEmpty())
        painter.drawLines(segments);
}

// Runs `draw` in upright coordinates of canvas points with the origin at a
// canvas point, y growing downward.
template <typename Draw>
void upright(QPainter& painter, const QTransform& base, const QTransform& canvas, Scene::Point at, Draw draw)
{
    painter.save();
    const QPointF origin = canvas.map(QPointF(at.x, at.y));
    QTransform local;
    local.translate(origin.x(), origin.y());
    local.scale(canvas.m11(), canvas.m11());
    painter.setTransform(local * base);
    draw();
    painter.restore();
}

} // namespace

QTransform ProfilePainter::canvasTransform(const QRectF& target)
{
    return paintedpicture::canvasTransform(target, QSizeF(Scene::kCanvasWidth, Scene::kCanvasHeight));
}

void ProfilePainter::paint(QPainter& painter, const ProfileScene& scene, const QRectF& target)
{
    if (target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Like a view, nothing is drawn outside its own rectangle.
    painter.setClipRect(target, Qt::IntersectClip);
    const QTransform base = painter.transform();
    const QTransform canvas = canvasTransform(target);
    const QTransform toDevice = canvas * base;

    for (const Scene::Item& item : scene.items()) {
        if (const auto* background = std::get_if<Scene::Background>(&item)) {
            painter.setTransform(base);
            painter.fillRect(target, toColour(background->colour));
        } else if (const auto* gradient = std::get_if<Scene::Gradient>(&item)) {
            painter.setTransform(toDevice);
            QLinearGradient fill(QPointF(0, gradient->bottomLeft.y), QPointF(0, gradient->topRight.y));
            fill.setColorAt(0, toColour(gradient->bottom));
            fill.setColorAt(1, toColour(gradient->top));
            painter.fillRect(QRectF(QPointF(gradient->bottomLeft.x, gradient->bottomLeft.y),
                                    QPointF(gradient->topRight.x, gradient->topRight.y))
                                 .normalized(),
                             fill);
        } else if (const auto* path = std::get_if<Scene::Path>(&item)) {
            painter.setTransform(toDevice);
            paintPath(painter, *path, toDevice);
        } else if (const auto* text = std::get_if<Scene::Text>(&item)) {
            upright(painter, base, canvas, text->at, [&] {
                const QFont font = fontFor(text->font);
                painter.setFont(font);
                painter.setPen(toColour(text->colour));
                // The scene gives the bottom left of the text's box.
                painter.drawText(QPointF(0, -QFontMetricsF(font).descent()), text->text);
            });
        } else if (const auto* picture = std::get_if<Scene::Picture>(&item)) {
            upright(painter, base, canvas, picture->at, [&] { drawIcon(painter, picture->image); });
        }
    }
    painter.restore();
}

QImage ProfilePainter::image(const ProfileScene& scene, QSize size)
{
    return paintedpicture::image(size, [&](QPainter& p, const QRectF& target) { paint(p, scene, target); });
}

QByteArray ProfilePainter::png(const ProfileScene& scene, QSize size)
{
    return paintedpicture::png(size, [&](QPainter& p, const QRectF& target) { paint(p, scene, target); });
}

void ProfilePainter::preparePage(QPagedPaintDevice& device)
{
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Point);
    layout.setOrientation(QPageLayout::Portrait);
    layout.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    layout.setMargins(QMarginsF(kMarginLeft, kMarginTop, kMarginRight, kMarginBottom));
    device.setPageLayout(layout);
}

void ProfilePainter::paintPage(QPainter& painter, const QPagedPaintDevice& device, const ProfileScene& scene)
{
    paint(painter, scene,
          paintedpicture::pageTarget(device, QSizeF(Scene::kCanvasWidth, Scene::kCanvasHeight), kPrintScale));
}

QByteArray ProfilePainter::pdf(const ProfileScene& scene, const QString& title)
{
    return paintedpicture::onePagePdf(title, &preparePage, QSizeF(Scene::kCanvasWidth, Scene::kCanvasHeight),
                                      kPrintScale,
                                      [&](QPainter& p, const QRectF& target) { paint(p, scene, target); });
}

QSizeF ProfilePainter::iconSize(ProfileScene::Image image)
{
    switch (image) {
    case Scene::Image::Asc: return {10, 10};
    case Scene::Image::Slow:
    case Scene::Image::Ceil: return {14, 13};
    case Scene::Image::Gas: return {52, 12};
    case Scene::Image::GasO2: return {28, 12};
    }
    return {};
}

void ProfilePainter::drawIcon(QPainter& painter, ProfileScene::Image image)
{
    const QSizeF size = iconSize(image);
    const double w = size.width(), h = size.height();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen outline(QColor(40, 40, 40));
    outline.setWidthF(0.8);
    switch (image) {
    case Scene::Image::Asc: {
        // A stop: a yellow disc crossed by a level bar.
        painter.setPen(outline);
        painter.setBrush(QColor(255, 214, 0));
        painter.drawEllipse(QRectF(0.5, -h + 0.5, w - 1, h - 1));
        painter.setPen(QPen(QColor(40, 40, 40), 1.4));
        painter.drawLine(QPointF(2.5, -h / 2), QPointF(w - 2.5, -h / 2));
        break;
    }
    case Scene::Image::Slow:
    case Scene::Image::Ceil: {
        // A warning triangle: orange for the ascent speed, red for the
        // ceiling, with an up arrow or an exclamation mark.
        const bool ceiling = image == Scene::Image::Ceil;
        const QPolygonF triangle{QPointF(w / 2, -h + 0.5), QPointF(w - 0.5, -0.5), QPointF(0.5, -0.5)};
        painter.setPen(outline);
        painter.setBrush(ceiling ? QColor(220, 30, 30) : QColor(255, 150, 0));
        painter.drawPolygon(triangle);
        painter.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap));
        if (ceiling) {
            painter.drawLine(QPointF(w / 2, -h + 4.5), QPointF(w / 2, -4.5));
            painter.drawPoint(QPointF(w / 2, -2.5));
        } else {
            painter.drawLine(QPointF(w / 2, -h + 5), QPointF(w / 2, -2.5));
            painter.drawLine(QPointF(w / 2, -h + 5), QPointF(w / 2 - 2.2, -h + 7.5));
            painter.drawLine(QPointF(w / 2, -h + 5), QPointF(w / 2 + 2.2, -h + 7.5));
        }
        break;
    }
    case Scene::Image::Gas:
    case Scene::Image::GasO2: {
        // A cylinder and an arrow pointing at the sample of the switch:
        // green for a nitrox or the bottom gas, white for oxygen.
        const bool oxygen = image == Scene::Image::GasO2;
        const double bodyLength = oxygen ? 10 : 14;
        painter.setPen(outline);
        painter.setBrush(oxygen ? QColor(Qt::white) : QColor(30, 160, 70));
        painter.drawRoundedRect(QRectF(0.5, -h + 2.5, bodyLength, h - 5), 2.5, 2.5);
        painter.drawRect(QRectF(bodyLength + 0.5, -h / 2 - 1.5, 2, 3));
        const double tip = w - 0.5;
        painter.setPen(QPen(QColor(30, 120, 60), 1.3));
        painter.drawLine(QPointF(bodyLength + 3, -h / 2), QPointF(tip - 1, -h / 2));
        painter.setBrush(QColor(30, 120, 60));
        painter.drawPolygon(QPolygonF{QPointF(tip, -h / 2), QPointF(tip - 5, -h / 2 - 3.5), QPointF(tip - 5, -h / 2 + 3.5)});
        break;
    }
    }
    painter.restore();
}
