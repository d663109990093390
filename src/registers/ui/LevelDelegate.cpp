#include "registers/ui/LevelDelegate.h"

#include <QPainter>
#include <algorithm>

LevelDelegate::LevelDelegate(double maximum, QObject* parent) : QStyledItemDelegate(parent), m_maximum(maximum) {}

void LevelDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    QStyledItemDelegate::paint(painter, background, index);

    bool ok = false;
    const double value = index.data(Qt::DisplayRole).toString().toDouble(&ok);
    if (!ok || m_maximum <= 0)
        return;
    const double share = std::clamp(value / m_maximum, 0.0, 1.0);
    const QRectF frame = QRectF(option.rect).adjusted(3, 4, -3, -4);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor(120, 120, 120), 1));
    painter->setBrush(QColor(235, 235, 235));
    painter->drawRoundedRect(frame, 2, 2);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(70, 130, 200));
    painter->drawRoundedRect(QRectF(frame.topLeft(), QSizeF(frame.width() * share, frame.height())).adjusted(1, 1, 0, -1),
                             1.5, 1.5);
    painter->restore();
}
