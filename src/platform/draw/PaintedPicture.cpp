#include "platform/draw/PaintedPicture.h"
#include "platform/draw/PdfBytes.h"

#include <QBuffer>

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace paintedpicture {

QTransform canvasTransform(const QRectF& target, QSizeF canvas)
{
    const double scale = std::min(target.width() / canvas.width(), target.height() / canvas.height());
    const double left = target.left() + (target.width() - canvas.width() * scale) / 2;
    const double top = target.top() + (target.height() - canvas.height() * scale) / 2;
    // x' = left + x s; y' = top + (H - y) s
    return QTransform(scale, 0, 0, -scale, left, top + canvas.height() * scale);
}

QImage image(QSize size, const Paint& paint)
{
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return picture;
}

QByteArray png(QSize size, const Paint& paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image(size, paint).save(&buffer, "PNG");
    return bytes;
}

QRectF pageTarget(const QPagedPaintDevice& device, QSizeF canvas, double scale)
{
    // The painter starts at the top left of the printable area.
    const double pointsToDevice = device.logicalDpiX() / 72.0;
    const double available = device.width();
    double s = scale * pointsToDevice;
    if (canvas.width() * s > available)
        s = available / canvas.width();
    const double width = canvas.width() * s;
    return QRectF((available - width) / 2, 0, width, canvas.height() * s);
}

QByteArray onePagePdf(const QString& title, const std::function<void(QPagedPaintDevice&)>& prepare, QSizeF canvas,
                      double scale, const Paint& paint)
{
    return pdfBytes(title, [&](QPdfWriter& writer) {
        prepare(writer);
        QPainter painter(&writer);
        paint(painter, pageTarget(writer, canvas, scale));
        painter.end();
        return true;
    });
}

} // namespace paintedpicture
