#include "logbook/draw/ListPrinter.h"

#include "logbook/DiveList.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPadding = 4.0;       // text inside a cell, each side
constexpr double kColumnPadding = 18.0; // added to the widest text of a column
constexpr double kTitleArrow = 14.0;    // room of the sort indicator beside a title
constexpr double kWidestColumn = 260.0;
constexpr double kCellFontSize = 12.0;   // points before scaling
constexpr double kFooterFontSize = 10.0;

const QColor kAlternateRow(245, 245, 245);
const QColor kTitleBackground(235, 235, 235);
const QColor kRule(190, 190, 190);
const QColor kFooterInk(110, 110, 110);

QColor toColor(const RgbaColour& c)
{
    return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.alpha));
}

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

QFont sized(QFont font, double size, bool bold)
{
    // Pixel sizes: one pixel is one point of the list before scaling, on
    // any device.
    font.setPixelSize(int(std::lround(size)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
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
    : m_dives(dives), m_formatter(formatter), m_columns(std::move(columns))
{
    setFont(QFont());
}

void ListPrinter::setFont(const QFont& font)
{
    m_font = sized(font, kCellFontSize, font.bold());
    m_boldFont = sized(font, kCellFontSize, true);
    m_titleFont = sized(font, kCellFontSize, false);
    m_footerFont = sized(font, kFooterFontSize, false);
}

QList<ListPrinter::Column> ListPrinter::fittedColumns(const QList<int>& columns, const QList<Plongee>& dives,
                                                      const DiveListFormatter& formatter, const QFont& font)
{
    const QFontMetricsF cells(sized(font, kCellFontSize, true));
    const QFontMetricsF titles(sized(font, kCellFontSize, false));
    QList<Column> fitted;
    for (const int column : columns) {
        // Cells repeat (places, gases, units): each text is measured once.
        QSet<QString> texts;
        bool picture = false;
        for (const Plongee& dive : dives) {
            texts.insert(formatter.text(dive, column));
            picture = picture || !formatter.picture(dive, column).isEmpty();
        }
        double widest = titles.horizontalAdvance(formatter.title(column)) + kTitleArrow;
        for (const QString& text : std::as_const(texts))
            widest = std::max(widest, cells.horizontalAdvance(text));
        if (picture)
            widest = std::max(widest, kPictureSize);
        fitted.append({column, std::min(std::ceil(widest + kColumnPadding), kWidestColumn)});
    }
    return fitted;
}

double ListPrinter::tableWidth() const
{
    double width = 0;
    for (const Column& c : m_columns)
        width += c.width;
    return width;
}

void ListPrinter::applyPageSettings(QPagedPaintDevice& device)
{
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Point);
    layout.setOrientation(QPageLayout::Landscape);
    // Margins the printer cannot honour are raised to what it can.
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(QMarginsF(kMarginLeft, kMarginTop, kMarginRight, kMarginBottom));
    if (!device.setPageLayout(layout)) {
        device.setPageOrientation(QPageLayout::Landscape);
        device.setPageMargins(QMarginsF(kMarginLeft, kMarginTop, kMarginRight, kMarginBottom), QPageLayout::Point);
    }
}

namespace {

// The printable area of a device in points.
QSizeF printableSize(const QPagedPaintDevice& device)
{
    const QRectF paint = device.pageLayout().paintRect(QPageLayout::Point);
    return paint.size();
}

} // namespace

double ListPrinter::scaleFor(const QPagedPaintDevice& device) const
{
    const double width = tableWidth();
    const double available = printableSize(device).width();
    if (width <= 0 || available <= 0)
        return kScale;
    return std::min(kScale, available / width);
}

int ListPrinter::rowsPerPage(const QPagedPaintDevice& device) const
{
    const double height = printableSize(device).height() / scaleFor(device);
    return std::max(1, int(std::floor((height - kTitleHeight - kFooterHeight) / kRowHeight)));
}

int ListPrinter::pageCount(const QPagedPaintDevice& device) const
{
    const int perPage = rowsPerPage(device);
    return std::max(1, int((m_dives.size() + perPage - 1) / perPage));
}

bool ListPrinter::print(QPagedPaintDevice& device, const Progress& progress) const
{
    const int perPage = rowsPerPage(device);
    const int pages = pageCount(device);
    const double scale = scaleFor(device);
    const double pageHeight = printableSize(device).height() / scale;

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Device units per point, then the list's scale: the painter works in
    // the list's points from here on.
    const double unitsPerPoint = device.logicalDpiY() / 72.0;
    const QTransform base = QTransform::fromScale(unitsPerPoint * scale, unitsPerPoint * scale);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    const int rows = int(m_dives.size());
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        painter.setWorldTransform(base);
        paintTitles(painter, 0);
        double y = kTitleHeight;
        const int first = page * perPage;
        const int last = std::min(rows, first + perPage);
        for (int row = first; row < last; ++row, y += kRowHeight)
            paintRow(painter, row, y);
        paintFooter(painter, pageHeight, page + 1, pages);
        if (progress && !progress(page + 1, pages)) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}

void ListPrinter::paintTitles(QPainter& painter, double y) const
{
    const double width = tableWidth();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kTitleBackground);
    painter.drawRect(QRectF(0, y, width, kTitleHeight));
    painter.setFont(m_titleFont);
    const QFontMetricsF metrics(m_titleFont);
    double x = 0;
    for (const Column& c : m_columns) {
        const QRectF cell(x + kPadding, y, c.width - 2 * kPadding, kTitleHeight);
        painter.setPen(Qt::black);
        const QString title = metrics.elidedText(m_formatter.title(c.column), Qt::ElideRight, cell.width());
        painter.drawText(cell, Qt::AlignCenter, title);
        x += c.width;
        if (x < width) {
            painter.setPen(QPen(kRule, 0.5));
            painter.drawLine(QPointF(x, y + 4), QPointF(x, y + kTitleHeight - 4));
        }
    }
    painter.setPen(QPen(kRule, 0.8));
    painter.drawLine(QPointF(0, y + kTitleHeight), QPointF(width, y + kTitleHeight));
}

void ListPrinter::paintRow(QPainter& painter, int row, double y) const
{
    const Plongee& dive = m_dives.at(row);
    const QFontMetricsF plain(m_font);
    const QFontMetricsF bold(m_boldFont);
    const bool alternate = row % 2 == 1;
    double x = 0;
    for (const Column& c : m_columns) {
        const QRectF cell(x, y, c.width, kRowHeight);
        x += c.width;
        const DiveCellStyle style = m_formatter.style(dive, c.column);
        if (style.background || alternate) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(style.background ? toColor(*style.background) : kAlternateRow);
            painter.drawRect(cell);
        }
        const QString picture = m_formatter.picture(dive, c.column);
        if (!picture.isEmpty()) {
            const QPointF corner = cell.center() - QPointF(kPictureSize / 2, kPictureSize / 2);
            paintPicture(painter, picture, QRectF(corner, QSizeF(kPictureSize, kPictureSize)));
        }
        QString text = m_formatter.text(dive, c.column);
        if (text.isEmpty())
            continue;
        const QFontMetricsF& metrics = style.bold ? bold : plain;
        const QRectF inside = cell.adjusted(kPadding, 0, -kPadding, 0);
        if (metrics.horizontalAdvance(text) > inside.width())
            text = metrics.elidedText(text, Qt::ElideRight, inside.width());
        painter.setFont(style.bold ? m_boldFont : m_font);
        painter.setPen(style.text ? toColor(*style.text) : QColor(Qt::black));
        painter.drawText(inside, int(alignmentOf(c.column)), text);
    }
}

void ListPrinter::paintFooter(QPainter& painter, double bottom, int page, int pageCount) const
{
    const QRectF strip(0, bottom - kFooterHeight, tableWidth(), kFooterHeight);
    painter.setFont(m_footerFont);
    painter.setPen(kFooterInk);
    const QString number = QStringLiteral("%1 / %2").arg(page).arg(pageCount);
    const QFontMetricsF metrics(m_footerFont);
    const double numberWidth = metrics.horizontalAdvance(number) + 2 * kPadding;
    if (!m_title.isEmpty())
        painter.drawText(strip.adjusted(kPadding, 0, -numberWidth, 0), Qt::AlignLeft | Qt::AlignBottom,
                         metrics.elidedText(m_title, Qt::ElideMiddle, strip.width() - numberWidth - kPadding));
    painter.drawText(strip.adjusted(0, 0, -kPadding, 0), Qt::AlignRight | Qt::AlignBottom, number);
}

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
