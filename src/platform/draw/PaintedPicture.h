#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>

#include <QTransform>

class QPagedPaintDevice;
class QPainter;

// Pictures and printed pages of a drawing fitted into a rectangle (the
// profile, the statistics graph): an opaque picture on white, its PNG
// bytes, the place of the drawing on a page and a one-page A4 PDF.
namespace paintedpicture {

using Paint = std::function<void(QPainter& painter, const QRectF& target)>;

// Canvas points (origin bottom left, y up) to a target rectangle: the
// canvas fitted in with its proportions kept, centred, the right way up.
QTransform canvasTransform(const QRectF& target, QSizeF canvas);

QImage image(QSize size, const Paint& paint);
QByteArray png(QSize size, const Paint& paint);

// Where a canvas of a size in points goes on a page's printable area at a
// scale (fitted across when the page is narrower): centred across, at the
// top, in the painter's coordinates of the page.
QRectF pageTarget(const QPagedPaintDevice& device, QSizeF canvas, double scale);

// One A4 page: `prepare` sets the page layout up, then the drawing is
// painted into pageTarget(canvas, scale).
QByteArray onePagePdf(const QString& title, const std::function<void(QPagedPaintDevice&)>& prepare, QSizeF canvas,
                      double scale, const Paint& paint);

} // namespace paintedpicture
