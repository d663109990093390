#include "registers/ui/RegisterTableModel.h"

#include "platform/context/AppContext.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterTable.h"

#include <QColor>

RegisterTableModel::RegisterTableModel(RegisterDocument& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document)
{
    connect(&document, &RegisterDocument::recordsChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int RegisterTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_document.count();
}

int RegisterTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_document.description().columns.size());
}

QVariant RegisterTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const registers::Column& column = m_document.description().columns[index.column()];
    const RegisterRecord& record = m_document.records()[index.row()];
    switch (role) {
    case Qt::DisplayRole: return registertable::text(column, record, m_document.context().localizer());
    case Qt::ForegroundRole: {
        const std::optional<RgbaColour> c = registertable::colour(column, record);
        if (!c)
            return {};
        return QColor::fromRgbF(float(c->red), float(c->green), float(c->blue), float(c->alpha));
    }
    default: return {};
    }
}

QVariant RegisterTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    const registers::RegisterDescription& reg = m_document.description();
    return registertable::title(reg, reg.columns[section], m_document.context().localizer());
}

QString RegisterTableModel::columnId(int section) const
{
    const auto& columns = m_document.description().columns;
    return section >= 0 && section < columns.size() ? columns[section].id : QString();
}

int RegisterTableModel::sectionOf(const QString& columnId) const
{
    const auto& columns = m_document.description().columns;
    for (qsizetype i = 0; i < columns.size(); ++i)
        if (columns[i].id == columnId)
            return int(i);
    return -1;
}
