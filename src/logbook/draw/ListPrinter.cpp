#include "logbook/draw/ListPrinter.h"

#include "logbook/DiveList.h"

#include <QPainter>
#include <QPainterPath>


namespace {

Qt::Alignment alignmentOf(int column)
{
    switch (divelist::columns()[column].field) {
    case plongee::idx_lieu:
    case plongee::idx_site: return Qt::AlignLeft | Qt::AlignVCenter;
    case plongee::idx_noPlongee:
    case plongee::idx_profondeur:
    case plongee::idx_temps:
    case plongee::idx_tempEau: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignCenter;
    }
}

QList<TablePrinter::Column> tableColumns(const QList<ListPrinter::Column>& columns, const DiveListFormatter& formatter)
{
    QList<TablePrinter::Column> table;
    for (const ListPrinter::Column& c : columns)
        table.append({formatter.title(c.column), c.width, alignmentOf(c.column)});
    return table;
}

// The pictures, drawn in a 16 x 16 box.
void drawHeart(QPainter& p)
{
    QPainterPath heart;
    heart.moveTo(8, 14);
    heart.cubicTo(1, 9, 1.5, 2.5, 5, 2.5);
    heart.cubicTo(6.8, 2.5, 7.7, 3.8, 8, 5);
    heart.cubicTo(8.3, 3.8, 9.2, 2.5, 11, 2.5);
    heart.cubicTo(14.5, 2.5, 15, 9, 8, 14);
    p.setPen(QPen(QColor(150, 0, 0), 0.8));
    p.setBrush(QColor(220, 20, 30));
    p.drawPath(heart);
}

void drawPoint(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 70, 160));
    p.drawEllipse(QPointF(8, 8), 3.5, 3.5);
}

void drawCross(QPainter& p)
{
    p.setPen(QPen(QColor(40, 40, 40), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void drawSkull(QPainter& p)
{
    const QColor ink(30, 30, 30);
    p.setPen(QPen(ink, 1.0));
    p.setBrush(QColor(245, 245, 240));
    QPainterPath head;
    head.addEllipse(QRectF(2.5, 1.5, 11, 10));
    head.addRoundedRect(QRectF(5, 8.5, 6, 5.5), 1.2, 1.2);
    p.drawPath(head.simplified());
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QRectF(4.6, 5, 2.8, 3));
    p.drawEllipse(QRectF(8.6, 5, 2.8, 3));
    QPainterPath nose;
    nose.moveTo(8, 8.3);
    nose.lineTo(7.2, 10);
    nose.lineTo(8.8, 10);
    nose.closeSubpath();
    p.drawPath(nose);
    p.setPen(QPen(ink, 0.8));
    for (const double x : {6.8, 8.0, 9.2})
        p.drawLine(QPointF(x, 11.8), QPointF(x, 14));
}

void drawWreck(QPainter& p)
{
    const QColor wood(120, 70, 30);
    p.setPen(QPen(wood.darker(150), 0.9));
    p.setBrush(QColor(165, 105, 50));
    QPainterPath hull;
    hull.moveTo(0.8, 6.5);
    hull.lineTo(15.2, 8.5);
    hull.lineTo(12.5, 13.2);
    hull.lineTo(3.0, 12.2);
    hull.closeSubpath();
    p.drawPath(hull);
    p.setPen(QPen(wood.darker(150), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7.0, 7.3), QPointF(9.8, 1.2));
    p.drawLine(QPointF(9.8, 1.2), QPointF(12.5, 2.8));
    p.setPen(QPen(QColor(30, 100, 190), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.8, 14.8), QPointF(15.2, 14.8));
}

} // namespace

ListPrinter::ListPrinter(const QList<Plongee>& dives, const DiveListFormatter& formatter, QList<Column> columns)
    : m_dives(dives), m_formatter(formatter), m_columns(std::move(columns)),
      m_table(tableColumns(m_columns, formatter), int(dives.size()),
              [this](int row, int column) { return cell(row, column); }, kPageSettings)
{
    m_table.setPicturePainter(&ListPrinter::paintPicture);
}

TablePrinter::Cell ListPrinter::cell(int row, int column) const
{
    const Plongee& dive = m_dives.at(row);
    const int c = m_columns[column].column;
    const DiveCellStyle style = m_formatter.style(dive, c);
    return {m_formatter.text(dive, c), m_formatter.picture(dive, c), style.text, style.background, style.bold};
}

QList<ListPrinter::Column> ListPrinter::fittedColumns(const QList<int>& columns, const QList<Plongee>& dives,
                                                      const DiveListFormatter& formatter, const QFont& font)
{
    QList<Column> fitted;
    for (const int column : columns)
        fitted.append({column, 0.0});
    QList<TablePrinter::Column> table = tableColumns(fitted, formatter);
    TablePrinter::fitWidths(table, int(dives.size()), [&](int row, int c) {
        const Plongee& dive = dives.at(row);
        return TablePrinter::Cell{formatter.text(dive, columns[c]), formatter.picture(dive, columns[c])};
    }, font);
    for (qsizetype i = 0; i < fitted.size(); ++i)
        fitted[i].width = table[i].width;
    return fitted;
}

void ListPrinter::applyPageSettings(QPagedPaintDevice& device) { TablePrinter::applyPageSettings(device, kPageSettings); }

bool ListPrinter::hasPicture(const QString& name)
{
    static const QStringList names = {QStringLiteral("coeur"), QStringLiteral("point"), QStringLiteral("croix"),
                                      QStringLiteral("death"), QStringLiteral("epave")};
    return names.contains(name);
}

void ListPrinter::paintPicture(QPainter& painter, const QString& name, const QRectF& square)
{
    void (*draw)(QPainter&) = nullptr;
    if (name == QLatin1String("coeur"))
        draw = drawHeart;
    else if (name == QLatin1String("point"))
        draw = drawPoint;
    else if (name == QLatin1String("croix"))
        draw = drawCross;
    else if (name == QLatin1String("death"))
        draw = drawSkull;
    else if (name == QLatin1String("epave"))
        draw = drawWreck;
    if (!draw)
        return;
    painter.save();
    painter.translate(square.topLeft());
    painter.scale(square.width() / kPictureSize, square.height() / kPictureSize);
    draw(painter);
    painter.restore();
}
