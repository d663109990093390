#include "platform/draw/TablePrinter.h"
#include "platform/draw/PdfBytes.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPadding = 4.0;        // text inside a cell, each side
constexpr double kColumnPadding = 18.0; // added to the widest text of a column
constexpr double kTitleArrow = 14.0;    // room of the sort indicator beside a title
constexpr double kWidestColumn = 260.0;
constexpr double kCellFontSize = 12.0; // points before scaling
constexpr double kFooterFontSize = 10.0;

const QColor kAlternateRow(245, 245, 245);
const QColor kTitleBackground(235, 235, 235);
const QColor kRule(190, 190, 190);
const QColor kFooterInk(110, 110, 110);

QColor toColor(const RgbaColour& c)
{
    return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.alpha));
}

QFont sized(QFont font, double size, bool bold)
{
    // Pixel sizes: one pixel is one point of the table before scaling, on
    // any device.
    font.setPixelSize(int(std::lround(size)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The printable area of a device in points.
QSizeF printableSize(const QPagedPaintDevice& device)
{
    return device.pageLayout().paintRect(QPageLayout::Point).size();
}

} // namespace

TablePrinter::TablePrinter(QList<Column> columns, int rowCount, CellSource cells, PageSettings settings)
    : m_columns(std::move(columns)), m_rowCount(std::max(0, rowCount)), m_cells(std::move(cells)),
      m_settings(settings)
{
    setFont(QFont());
}

void TablePrinter::setFont(const QFont& font)
{
    m_font = sized(font, kCellFontSize, font.bold());
    m_boldFont = sized(font, kCellFontSize, true);
    m_titleFont = sized(font, kCellFontSize, false);
    m_footerFont = sized(font, kFooterFontSize, false);
}

void TablePrinter::fitWidths(QList<Column>& columns, int rowCount, const CellSource& cells, const QFont& font)
{
    const QFontMetricsF bold(sized(font, kCellFontSize, true));
    const QFontMetricsF titles(sized(font, kCellFontSize, false));
    for (qsizetype c = 0; c < columns.size(); ++c) {
        // Cells repeat (places, units, ratings): each text is measured once.
        QSet<QString> texts;
        bool picture = false;
        for (int row = 0; row < rowCount; ++row) {
            const Cell cell = cells(row, int(c));
            texts.insert(cell.text);
            picture = picture || !cell.picture.isEmpty();
        }
        double widest = titles.horizontalAdvance(columns[c].title) + kTitleArrow;
        for (const QString& text : std::as_const(texts))
            widest = std::max(widest, bold.horizontalAdvance(text));
        if (picture)
            widest = std::max(widest, kPictureSize);
        columns[c].width = std::min(std::ceil(widest + kColumnPadding), kWidestColumn);
    }
}

double TablePrinter::tableWidth() const
{
    double width = 0;
    for (const Column& c : m_columns)
        width += c.width;
    return width;
}

QByteArray TablePrinter::pdf(const PageSettings& settings, const QString& title,
                             const std::function<bool(QPagedPaintDevice&)>& paint)
{
    return pdfBytes(title, [&](QPdfWriter& writer) {
        applyPageSettings(writer, settings);
        return paint(writer);
    });
}

void TablePrinter::applyPageSettings(QPagedPaintDevice& device, const PageSettings& settings)
{
    const QMarginsF margins(settings.marginLeft, settings.marginTop, settings.marginRight, settings.marginBottom);
    const auto orientation = settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Point);
    layout.setOrientation(orientation);
    // Margins the printer cannot honour are raised to what it can.
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(margins);
    if (!device.setPageLayout(layout)) {
        device.setPageOrientation(orientation);
        device.setPageMargins(margins, QPageLayout::Point);
    }
}

double TablePrinter::scaleFor(const QPagedPaintDevice& device) const
{
    const double width = tableWidth();
    const double available = printableSize(device).width();
    if (width <= 0 || available <= 0)
        return m_settings.scale;
    return std::min(m_settings.scale, available / width);
}

int TablePrinter::rowsPerPage(const QPagedPaintDevice& device) const
{
    const double height = printableSize(device).height() / scaleFor(device);
    return std::max(1, int(std::floor((height - kTitleHeight - kFooterHeight) / kRowHeight)));
}

int TablePrinter::pageCount(const QPagedPaintDevice& device) const
{
    const int perPage = rowsPerPage(device);
    return std::max(1, (m_rowCount + perPage - 1) / perPage);
}

bool TablePrinter::print(QPagedPaintDevice& device, const Progress& progress) const
{
    const int perPage = rowsPerPage(device);
    const int pages = pageCount(device);
    const double scale = scaleFor(device);
    const double pageHeight = printableSize(device).height() / scale;

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Device units per point, then the table's scale: the painter works in
    // the table's points from here on.
    const double unitsPerPoint = device.logicalDpiY() / 72.0;
    const QTransform base = QTransform::fromScale(unitsPerPoint * scale, unitsPerPoint * scale);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        painter.setWorldTransform(base);
        paintTitles(painter, 0);
        double y = kTitleHeight;
        const int first = page * perPage;
        const int last = std::min(m_rowCount, first + perPage);
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

void TablePrinter::paintTitles(QPainter& painter, double y) const
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
        painter.drawText(cell, Qt::AlignCenter, metrics.elidedText(c.title, Qt::ElideRight, cell.width()));
        x += c.width;
        if (x < width) {
            painter.setPen(QPen(kRule, 0.5));
            painter.drawLine(QPointF(x, y + 4), QPointF(x, y + kTitleHeight - 4));
        }
    }
    painter.setPen(QPen(kRule, 0.8));
    painter.drawLine(QPointF(0, y + kTitleHeight), QPointF(width, y + kTitleHeight));
}

void TablePrinter::paintRow(QPainter& painter, int row, double y) const
{
    const QFontMetricsF plain(m_font);
    const QFontMetricsF bold(m_boldFont);
    const bool alternate = row % 2 == 1;
    double x = 0;
    for (qsizetype column = 0; column < m_columns.size(); ++column) {
        const Column& c = m_columns[column];
        const QRectF rect(x, y, c.width, kRowHeight);
        x += c.width;
        const Cell cell = m_cells(row, int(column));
        if (cell.background || alternate) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(cell.background ? toColor(*cell.background) : kAlternateRow);
            painter.drawRect(rect);
        }
        if (!cell.picture.isEmpty() && m_pictures) {
            const QPointF corner = rect.center() - QPointF(kPictureSize / 2, kPictureSize / 2);
            m_pictures(painter, cell.picture, QRectF(corner, QSizeF(kPictureSize, kPictureSize)));
        }
        if (cell.text.isEmpty())
            continue;
        const QFontMetricsF& metrics = cell.bold ? bold : plain;
        const QRectF inside = rect.adjusted(kPadding, 0, -kPadding, 0);
        QString text = cell.text;
        if (metrics.horizontalAdvance(text) > inside.width())
            text = metrics.elidedText(text, Qt::ElideRight, inside.width());
        painter.setFont(cell.bold ? m_boldFont : m_font);
        painter.setPen(cell.textColour ? toColor(*cell.textColour) : QColor(Qt::black));
        painter.drawText(inside, int(c.alignment), text);
    }
}

void TablePrinter::paintFooter(QPainter& painter, double bottom, int page, int pageCount) const
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
