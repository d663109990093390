#include "registers/draw/RegisterListPrinter.h"

#include "registers/RegisterTable.h"


namespace registerlistprinter {

TablePrinter::PageSettings pageSettings(const registers::RegisterDescription& reg)
{
    const registers::PrintSettings& s = reg.printSettings;
    return {s.marginTop, s.marginBottom, s.marginLeft, s.marginRight, s.scale, true};
}

TablePrinter printer(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records,
                     const Localizer& localizer, const QFont& font)
{
    QList<TablePrinter::Column> columns;
    for (const registers::Column& c : reg.columns)
        columns.append({registertable::title(reg, c, localizer), 0.0, Qt::AlignLeft | Qt::AlignVCenter});
    const auto cells = [&reg, &records, &localizer](int row, int column) {
        const registers::Column& c = reg.columns[column];
        const RegisterRecord& r = records[row];
        return TablePrinter::Cell{registertable::text(c, r, localizer), {}, registertable::colour(c, r)};
    };
    TablePrinter::fitWidths(columns, int(records.size()), cells, font);
    TablePrinter table(columns, int(records.size()), cells, pageSettings(reg));
    table.setFont(font);
    return table;
}

QByteArray pdf(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records,
               const Localizer& localizer, const QString& title)
{
    return TablePrinter::pdf(pageSettings(reg), title, [&](QPagedPaintDevice& device) {
        TablePrinter table = printer(reg, records, localizer);
        table.setTitle(title);
        return table.print(device);
    });
}

} // namespace registerlistprinter
