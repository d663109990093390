#include "logbook/ui/DiveListPictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace {

void drawHeart(QPainter& p)
{
    QPainterPath heart;
    heart.moveTo(8, 14);
    heart.cubicTo(1, 9, 1.5, 2.5, 5, 2.5);
    heart.cubicTo(6.8, 2.5, 7.7, 3.8, 8, 5);
    heart.cubicTo(8.3, 3.8, 9.2, 2.5, 11, 2.5);
    heart.cubicTo(14.5, 2.5, 15, 9, 8, 14);
    p.setPen(QPen(QColor(150, 0, 0), 0.8));
    p.setBrush(QColor(220, 20, 30));
    p.drawPath(heart);
}

void drawPoint(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 70, 160));
    p.drawEllipse(QPointF(8, 8), 3.5, 3.5);
}

void drawCross(QPainter& p)
{
    p.setPen(QPen(QColor(40, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void drawSkull(QPainter& p)
{
    const QColor ink(30, 30, 30);
    p.setPen(QPen(ink, 1.0));
    p.setBrush(QColor(245, 245, 240));
    QPainterPath head;
    head.addEllipse(QRectF(2.5, 1.5, 11, 10));
    head.addRoundedRect(QRectF(5, 8.5, 6, 5.5), 1.2, 1.2);
    p.drawPath(head.simplified());
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QRectF(4.6, 5, 2.8, 3));
    p.drawEllipse(QRectF(8.6, 5, 2.8, 3));
    QPainterPath nose;
    nose.moveTo(8, 8.3);
    nose.lineTo(7.2, 10);
    nose.lineTo(8.8, 10);
    nose.closeSubpath();
    p.drawPath(nose);
    p.setPen(QPen(ink, 0.8));
    for (const double x : {6.8, 8.0, 9.2})
        p.drawLine(QPointF(x, 11.8), QPointF(x, 14));
}

void drawWreck(QPainter& p)
{
    // A sunken hull lying askew on the bottom, its mast broken.
    const QColor wood(120, 70, 30);
    p.setPen(QPen(wood.darker(150), 0.9));
    p.setBrush(QColor(165, 105, 50));
    QPainterPath hull;
    hull.moveTo(0.8, 6.5);
    hull.lineTo(15.2, 8.5);
    hull.lineTo(12.5, 13.2);
    hull.lineTo(3.0, 12.2);
    hull.closeSubpath();
    p.drawPath(hull);
    p.setPen(QPen(wood.darker(150), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7.0, 7.3), QPointF(9.8, 1.2));
    p.drawLine(QPointF(9.8, 1.2), QPointF(12.5, 2.8));
    p.setPen(QPen(QColor(30, 100, 190), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.8, 14.8), QPointF(15.2, 14.8));
}

} // namespace

const QPixmap& DiveListPictures::picture(const QString& name) const
{
    static const QPixmap none;
    if (name.isEmpty())
        return none;
    auto found = m_cache.find(name);
    if (found == m_cache.end())
        found = m_cache.insert(name, draw(name));
    return found.value();
}

QPixmap DiveListPictures::draw(const QString& name)
{
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(QSize(kSize, kSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (name == QLatin1String("coeur"))
        drawHeart(p);
    else if (name == QLatin1String("point"))
        drawPoint(p);
    else if (name == QLatin1String("croix"))
        drawCross(p);
    else if (name == QLatin1String("death"))
        drawSkull(p);
    else if (name == QLatin1String("epave"))
        drawWreck(p);
    else
        return QPixmap();
    return pixmap;
}
