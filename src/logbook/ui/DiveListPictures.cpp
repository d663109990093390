#include "logbook/ui/DiveListPictures.h"

#include "logbook/draw/ListPrinter.h"

#include <QGuiApplication>
#include <QPainter>

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
    // The same drawings as on printed pages.
    if (!ListPrinter::hasPicture(name))
        return QPixmap();
    ListPrinter::paintPicture(p, name, QRectF(0, 0, kSize, kSize));
    return pixmap;
}
