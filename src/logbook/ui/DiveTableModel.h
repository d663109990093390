#pragma once

#include <QAbstractTableModel>

class Carnet;

// The rows of the dive list, one per dive in list order. Cell texts are
// made when the view asks for them, so a logbook of any size costs only
// what is on screen.
class DiveTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Number, Date, Place, Site, Time, Depth, Duration, ColumnCount };

    explicit DiveTableModel(Carnet& carnet, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The text of one cell, as the list shows it.
    QString cellText(int row, Column column) const;
    // A text as wide as the column's usual contents, to size the column.
    static QString widthSample(Column column);

public slots:
    // The dives were replaced, added or removed.
    void reload();
    // Same rows, but the unit settings or the values may have changed.
    void refreshCells();

private:
    void readUnitSettings();

    Carnet& m_carnet;
    bool m_displayUnits = true;
    bool m_usUnits = false;
};
