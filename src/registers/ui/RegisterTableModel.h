#pragma once

#include <QAbstractTableModel>

class RegisterDocument;

// The list window's table of a register document: one row per record, the
// columns of its description, each cell its text and text colour. It only
// reads the document; a click on a header sorts the document itself.
class RegisterTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit RegisterTableModel(RegisterDocument& document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The column identifier of a section, empty for none.
    QString columnId(int section) const;
    int sectionOf(const QString& columnId) const;

private:
    RegisterDocument& m_document;
};
