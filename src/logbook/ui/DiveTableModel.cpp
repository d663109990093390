#include "logbook/ui/DiveTableModel.h"

#include "app/AppContext.h"
#include "logbook/Carnet.h"
#include "platform/NumberText.h"
#include "platform/SettingsStore.h"

DiveTableModel::DiveTableModel(Carnet& carnet, QObject* parent) : QAbstractTableModel(parent), m_carnet(carnet)
{
    readUnitSettings();
}

void DiveTableModel::readUnitSettings()
{
    const SettingsStore& settings = m_carnet.context().settings();
    m_displayUnits = settings.boolValue(QStringLiteral("display units"));
    m_usUnits = settings.boolValue(QStringLiteral("us units"));
}

int DiveTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_carnet.count();
}

int DiveTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString DiveTableModel::cellText(int row, Column column) const
{
    if (row < 0 || row >= m_carnet.count())
        return {};
    const Plongee& dive = m_carnet.dives().at(row);
    switch (column) {
    case Number:
        return QString::number(dive.noPlongee());
    case Date:
        return dive.date().isValid() ? dive.date().toLocalTime().toString(QStringLiteral("dd/MM/yyyy")) : QString();
    case Place:
        return dive.lieu().value_or(QString());
    case Site:
        return dive.site().value_or(QString());
    case Time:
        return dive.heure().isValid() ? dive.heure().toLocalTime().toString(QStringLiteral("HH:mm")) : QString();
    case Depth: {
        const QString depth = numbertext::shortest(dive.profondeur());
        if (!m_displayUnits)
            return depth;
        return m_usUnits ? depth + QStringLiteral(" ft") : depth + QStringLiteral(" m");
    }
    case Duration:
        return m_displayUnits ? QStringLiteral("%1 '").arg(dive.temps()) : QString::number(dive.temps());
    case ColumnCount:
        break;
    }
    return {};
}

QVariant DiveTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_carnet.count() || index.column() >= ColumnCount)
        return {};
    const auto column = Column(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cellText(index.row(), column);
    case Qt::TextAlignmentRole:
        if (column == Number || column == Depth || column == Duration)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant DiveTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (Column(section)) {
    case Number: return tr("No.");
    case Date: return tr("Date");
    case Place: return tr("Place");
    case Site: return tr("Site");
    case Time: return tr("Time");
    case Depth: return tr("Depth");
    case Duration: return tr("Duration");
    case ColumnCount: break;
    }
    return {};
}

QString DiveTableModel::widthSample(Column column)
{
    switch (column) {
    case Number: return QStringLiteral("00000");
    case Date: return QStringLiteral("00/00/0000");
    case Place: return QStringLiteral("Marseille, Calanques de Cassis");
    case Site: return QStringLiteral("Tombant de la Grande Vache");
    case Time: return QStringLiteral("00:00");
    case Depth: return QStringLiteral("000.0 m");
    case Duration: return QStringLiteral("000 '");
    case ColumnCount: break;
    }
    return {};
}

void DiveTableModel::reload()
{
    beginResetModel();
    readUnitSettings();
    endResetModel();
}

void DiveTableModel::refreshCells()
{
    readUnitSettings();
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}
