#pragma once

#include <QStyledItemDelegate>

// Paints a list cell holding a number as a level indicator from 0 to a
// maximum: a bar filled in proportion, the number itself not shown.
class LevelDelegate : public QStyledItemDelegate {
public:
    LevelDelegate(double maximum, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    double m_maximum;
};
