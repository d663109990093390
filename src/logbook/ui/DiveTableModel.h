#pragma once

#include "logbook/DiveList.h"
#include "logbook/ui/DiveListPictures.h"

#include <QAbstractTableModel>
#include <QFont>

#include <memory>

class Carnet;

// The rows of the dive list, one per dive in list order, and its fifteen
// columns. Every cell (text, picture, colours, bold) is made when the view
// asks for it, so a logbook of any size costs only what is on screen.
// Editing a cell goes through the logbook's form rules; sorting is the
// logbook's, which reorders its dives.
class DiveTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit DiveTableModel(Carnet& carnet, QObject* parent = nullptr);
    ~DiveTableModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The column of an identifier ("lieu", "profondeur"...), -1 for none.
    static int columnOf(const QString& id);
    static QString columnId(int column);
    // Whether the cells of a column can be edited in place.
    static bool isEditable(int column);

    // The text of one cell, as the list shows it.
    QString cellText(int row, int column) const;
    QString cellText(int row, const QString& columnId) const { return cellText(row, columnOf(columnId)); }
    // A text as wide as the column's usual contents, to size the column.
    static QString widthSample(int column);

    const DiveListPictures& pictures() const { return m_pictures; }
    // The key (table "Carnet") of what a memory mark's picture means; empty
    // for no mark.
    static QString memoryTipKey(int mark);

public slots:
    // The rows changed: their number, their order or their values.
    void reload();
    // The settings changed: colours, units and texts are read again.
    void refreshCells();

private:
    QString editText(int row, int column) const;

    Carnet& m_carnet;
    std::unique_ptr<DiveListFormatter> m_formatter;
    QString memoryText(const QString& key) const;

    DiveListPictures m_pictures;
    QFont m_boldFont;
    int m_rows = 0;
};
