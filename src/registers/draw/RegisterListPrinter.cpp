#include "registers/draw/RegisterListPrinter.h"

#include "registers/RegisterTable.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

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
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool printed = false;
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Ondrix"));
        writer.setTitle(title);
        writer.setPageSize(QPageSize(QPageSize::A4));
        TablePrinter::applyPageSettings(writer, pageSettings(reg));
        TablePrinter table = printer(reg, records, localizer);
        table.setTitle(title);
        printed = table.print(writer);
    }
    return printed ? bytes : QByteArray();
}

} // namespace registerlistprinter
