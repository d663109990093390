#include "logbook/ui/DiveTableModel.h"

#include "platform/context/AppContext.h"
#include "logbook/Carnet.h"
#include "platform/NumberText.h"

#include <QBrush>
#include <QColor>

namespace {

QColor toColor(const RgbaColour& c) { return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.alpha)); }

} // namespace

DiveTableModel::DiveTableModel(Carnet& carnet, QObject* parent)
    : QAbstractTableModel(parent), m_carnet(carnet),
      m_formatter(std::make_unique<DiveListFormatter>(carnet.context().settings(), carnet.context().localizer())),
      m_rows(carnet.count())
{
    m_boldFont.setBold(true);
}

DiveTableModel::~DiveTableModel() = default;

int DiveTableModel::columnOf(const QString& id) { return divelist::columnOf(id); }

QString DiveTableModel::columnId(int column)
{
    const auto& columns = divelist::columns();
    return column >= 0 && column < columns.size() ? QLatin1String(columns[column].id) : QString();
}

bool DiveTableModel::isEditable(int column)
{
    static constexpr const char* editable[] = {"noPlongee", "lieu", "site", "profondeur", "temps", "tempEau"};
    const QString id = columnId(column);
    for (const char* e : editable)
        if (id == QLatin1String(e))
            return true;
    return false;
}

int DiveTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int DiveTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(divelist::columns().size());
}

QString DiveTableModel::cellText(int row, int column) const
{
    if (row < 0 || row >= m_carnet.count() || column < 0 || column >= columnCount())
        return {};
    return m_formatter->text(m_carnet.dives().at(row), column);
}

QString DiveTableModel::editText(int row, int column) const
{
    const Plongee& dive = m_carnet.dives().at(row);
    switch (divelist::columns()[column].field) {
    case plongee::idx_noPlongee: return QString::number(dive.noPlongee());
    case plongee::idx_profondeur: return numbertext::shortest(dive.profondeur());
    case plongee::idx_temps: return QString::number(dive.temps());
    case plongee::idx_tempEau: return dive.tempEau() == -50 ? QStringLiteral("-") : QString::number(dive.tempEau());
    case plongee::idx_lieu: return dive.lieu().value_or(QString());
    case plongee::idx_site: return dive.site().value_or(QString());
    default: return cellText(row, column);
    }
}

QVariant DiveTableModel::data(const QModelIndex& index, int role) const
{
    const int row = index.row();
    const int column = index.column();
    // The dives may have changed a moment before the rows are reloaded.
    if (!index.isValid() || row >= m_carnet.count() || column >= columnCount())
        return {};
    const Plongee& dive = m_carnet.dives().at(row);
    switch (role) {
    case Qt::DisplayRole: return m_formatter->text(dive, column);
    case Qt::ToolTipRole:
        // The wreck column shows a picture: its tooltip names the wrecks.
        if (divelist::columns()[column].field == plongee::idx_epaves && dive.epaves() && !dive.epaves()->isEmpty())
            return *dive.epaves();
        // The memory column's pictures say what they mean.
        if (divelist::columns()[column].field == plongee::idx_inoubliable) {
            const QString key = memoryTipKey(dive.inoubliable());
            return key.isEmpty() ? QVariant() : QVariant(memoryText(key));
        }
        return {};
    case Qt::EditRole: return editText(row, column);
    case Qt::DecorationRole: {
        const QPixmap& picture = m_pictures.picture(m_formatter->picture(dive, column));
        return picture.isNull() ? QVariant() : QVariant(picture);
    }
    case Qt::ForegroundRole: {
        const DiveCellStyle style = m_formatter->style(dive, column);
        return style.text ? QVariant(QBrush(toColor(*style.text))) : QVariant();
    }
    case Qt::BackgroundRole: {
        const DiveCellStyle style = m_formatter->style(dive, column);
        return style.background ? QVariant(QBrush(toColor(*style.background))) : QVariant();
    }
    case Qt::FontRole: return m_formatter->style(dive, column).bold ? QVariant(m_boldFont) : QVariant();
    case Qt::TextAlignmentRole: {
        const int field = divelist::columns()[column].field;
        if (field == plongee::idx_lieu || field == plongee::idx_site)
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        if (field == plongee::idx_noPlongee || field == plongee::idx_profondeur || field == plongee::idx_temps
            || field == plongee::idx_tempEau)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignCenter);
    }
    default: return {};
    }
}

bool DiveTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() >= m_carnet.count() || !isEditable(index.column()))
        return false;
    const QString text = value.toString();
    if (text == editText(index.row(), index.column()))
        return false; // nothing typed: the dive is not rebuilt
    return m_carnet.setCellText(index.row(), columnId(index.column()), text);
}

Qt::ItemFlags DiveTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && isEditable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant DiveTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < columnCount()) {
        if (role == Qt::DisplayRole)
            return m_formatter->title(section);
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignCenter);
        if (role == Qt::ToolTipRole && divelist::columns()[section].field == plongee::idx_inoubliable) {
            QStringList legend;
            for (int mark = 1; mark <= 4; ++mark)
                legend.append(memoryText(memoryTipKey(mark)));
            return legend.join(QLatin1Char('\n'));
        }
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString DiveTableModel::memoryTipKey(int mark)
{
    switch (mark) {
    case 1: return QStringLiteral("Memory tip heart");
    case 2: return QStringLiteral("Memory tip point");
    case 3: return QStringLiteral("Memory tip cross");
    case 4: return QStringLiteral("Memory tip death");
    default: return QString();
    }
}

QString DiveTableModel::memoryText(const QString& key) const
{
    return m_carnet.context().localizer().text(key, QStringLiteral("Carnet"));
}

QString DiveTableModel::widthSample(int column)
{
    switch (divelist::columns()[column].field) {
    case plongee::idx_noPlongee: return QStringLiteral("00000");
    case plongee::idx_date: return QStringLiteral("00/00/0000");
    case plongee::idx_lieu: return QStringLiteral("Île de Port-Cros");
    case plongee::idx_site: return QStringLiteral("La Gabinière, tombant");
    case plongee::idx_heure: return QStringLiteral("00:00");
    case plongee::idx_profondeur: return QStringLiteral("000.0 ft");
    case plongee::idx_temps: return QStringLiteral("000 '");
    case plongee::idx_tempEau: return QStringLiteral("00 °C");
    case plongee::idx_deco: return QStringLiteral("Nitrox tables");
    case plongee::idx_coeff: return QStringLiteral("000 HT");
    case plongee::idx_visibilite: return QStringLiteral("Exceptional");
    case plongee::idx_epaves:
    case plongee::idx_inoubliable: return QStringLiteral("00");
    case plongee::idx_gaz: return QStringLiteral("Air + Nx + O2");
    case plongee::idx_rebreather: return QStringLiteral("mCCR");
    default: return QStringLiteral("0000");
    }
}

void DiveTableModel::reload()
{
    const int rows = m_carnet.count();
    if (rows != m_rows) {
        // Rows came or went, somewhere: the view takes the rows afresh.
        beginResetModel();
        m_rows = rows;
        endResetModel();
        return;
    }
    // Same rows (an update, a sort, a renumbering): the view repaints what
    // it shows and keeps its selection, which the logbook moves itself.
    if (rows > 0)
        emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
}

void DiveTableModel::refreshCells()
{
    m_formatter = std::make_unique<DiveListFormatter>(m_carnet.context().settings(), m_carnet.context().localizer());
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (m_rows > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
}
