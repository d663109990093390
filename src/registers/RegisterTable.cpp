#include "registers/RegisterTable.h"

#include "platform/Localizer.h"
#include "platform/NamedColours.h"
#include "platform/NumberText.h"
#include "platform/SortOrder.h"

#include <cmath>
#include <limits>

using registers::FieldKind;

namespace registertable {

registers::Column fieldColumn(const char* id)
{
    return {QLatin1String(id), QStringLiteral("Column ") + QLatin1String(id)};
}

QString title(const registers::RegisterDescription& reg, const registers::Column& column, const Localizer& localizer)
{
    return localizer.text(column.titleKey, reg.table);
}

QString dayText(const QDateTime& date)
{
    return date.isValid() ? date.toLocalTime().toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString plainText(const RegisterRecord& record, int field)
{
    switch (record.schema().field(field).kind) {
    case FieldKind::Int: return QString::number(record.integer(field));
    case FieldKind::Float: return numbertext::shortest(record.decimal(field));
    case FieldKind::Text: return record.text(field).value_or(QString());
    case FieldKind::Date: return dayText(record.date(field));
    case FieldKind::Image:
    case FieldKind::List: return QString();
    }
    return QString();
}

QString text(const registers::Column& column, const RegisterRecord& record, const Localizer& localizer)
{
    if (column.text)
        return column.text(record, localizer);
    const int field = record.schema().fieldIndex(column.id);
    return field < 0 ? QString() : plainText(record, field);
}

std::optional<RgbaColour> colour(const registers::Column& column, const RegisterRecord& record)
{
    return column.colour ? column.colour(record) : std::nullopt;
}

registers::Column ratingColumn(const QString& id, const QString& titleKey, int field)
{
    return {id, titleKey,
            [field](const RegisterRecord& r, const Localizer& loc) {
                return loc.text(QStringLiteral("Cotation %1").arg(r.integer(field)), QStringLiteral("Main"));
            },
            [field](const RegisterRecord& r) {
                return r.integer(field) != 0 ? std::optional(namedcolours::brown) : std::nullopt;
            }};
}

std::vector<int> sortOrder(const QList<RegisterRecord>& records, int field, bool ascending)
{
    const size_t n = size_t(records.size());
    if (n == 0)
        return {};
    const FieldKind kind = records.first().schema().field(field).kind;
    if (kind == FieldKind::Text) {
        std::vector<QString> keys(n);
        for (size_t i = 0; i < n; ++i)
            keys[i] = records[qsizetype(i)].text(field).value_or(QString());
        return sortorder::byText(keys, ascending);
    }
    constexpr double kNone = -std::numeric_limits<double>::infinity();
    std::vector<double> keys(n, kNone);
    for (size_t i = 0; i < n; ++i) {
        const RegisterRecord& r = records[qsizetype(i)];
        switch (kind) {
        case FieldKind::Int: keys[i] = r.integer(field); break;
        case FieldKind::Float: keys[i] = std::isnan(r.decimal(field)) ? kNone : r.decimal(field); break;
        case FieldKind::Date:
            if (r.date(field).isValid())
                keys[i] = double(r.date(field).toMSecsSinceEpoch());
            break;
        case FieldKind::Image: keys[i] = r.image(field) ? double(r.image(field)->size()) : kNone; break;
        case FieldKind::Text:
        case FieldKind::List: break;
        }
    }
    return sortorder::byNumber(keys, ascending);
}

std::vector<int> sortOrder(const QList<RegisterRecord>& records, const registers::Column& column, bool ascending)
{
    std::vector<double> keys(size_t(records.size()));
    for (size_t i = 0; i < keys.size(); ++i) {
        const double v = column.sortValue(records[qsizetype(i)]);
        keys[i] = std::isnan(v) ? -std::numeric_limits<double>::infinity() : v;
    }
    return sortorder::byNumber(keys, ascending);
}

const registers::Column* computedColumn(const registers::RegisterDescription& reg, const QString& id)
{
    for (const registers::Column& c : reg.columns)
        if (c.id == id && c.sortValue)
            return &c;
    return nullptr;
}

} // namespace registertable
