#pragma once

#include "logbook/Plongee.h"
#include "platform/draw/TablePrinter.h"

#include <QFont>
#include <QList>
#include <QString>

class DiveListFormatter;
class QPagedPaintDevice;
class QPainter;
class QRectF;

// Prints the dive list as the window shows it (the columns shown, in their
// order and widths, their titles, the cell texts and pictures and the
// colour rules) through the shared table printer, at 67 % in landscape with
// the logbook's margins.
class ListPrinter {
public:
    // The logbook's page settings, in points.
    static constexpr double kMarginTop = 23.2;
    static constexpr double kMarginBottom = 25.0;
    static constexpr double kMarginLeft = 10.0;
    static constexpr double kMarginRight = 10.0;
    static constexpr double kScale = 0.67;
    // The list's own measures, in points before scaling.
    static constexpr double kRowHeight = TablePrinter::kRowHeight;
    static constexpr double kTitleHeight = TablePrinter::kTitleHeight;
    static constexpr double kFooterHeight = TablePrinter::kFooterHeight;
    static constexpr double kPictureSize = TablePrinter::kPictureSize;
    static constexpr TablePrinter::PageSettings kPageSettings{kMarginTop, kMarginBottom, kMarginLeft, kMarginRight,
                                                              kScale, true};

    // A column of the list (an index of divelist::columns()) and its width.
    struct Column {
        int column = 0;
        double width = 0.0;
    };

    // Told after each page is painted: pages done and the page count. False
    // stops the printing.
    using Progress = TablePrinter::Progress;

    // The dives are read, not copied: they must outlive the printer.
    ListPrinter(const QList<Plongee>& dives, const DiveListFormatter& formatter, QList<Column> columns);

    // The columns given, each as wide as its title or its widest cell,
    // whichever is wider, within a limit.
    static QList<Column> fittedColumns(const QList<int>& columns, const QList<Plongee>& dives,
                                       const DiveListFormatter& formatter, const QFont& font = QFont());

    // The cell font (the family and weight of the list's font; its size is
    // the list's own).
    void setFont(const QFont& font) { m_table.setFont(font); }
    // Printed at the foot of every page with the page number.
    void setTitle(const QString& title) { m_table.setTitle(title); }

    const QList<Column>& columns() const { return m_columns; }
    double tableWidth() const { return m_table.tableWidth(); }

    // Landscape and the logbook's margins; the paper size is kept.
    static void applyPageSettings(QPagedPaintDevice& device);

    // The scale the list is printed at on a device.
    double scaleFor(const QPagedPaintDevice& device) const { return m_table.scaleFor(device); }
    int rowsPerPage(const QPagedPaintDevice& device) const { return m_table.rowsPerPage(device); }
    int pageCount(const QPagedPaintDevice& device) const { return m_table.pageCount(device); }

    // Paints every page. False when the device could not be painted on or
    // the progress asked to stop.
    bool print(QPagedPaintDevice& device, const Progress& progress = {}) const
    {
        return m_table.print(device, progress);
    }

    // A picture of the list ("coeur", "point", "croix", "death", "epave")
    // drawn in a square; nothing for another name.
    static void paintPicture(QPainter& painter, const QString& name, const QRectF& square);
    static bool hasPicture(const QString& name);

private:
    TablePrinter::Cell cell(int row, int column) const;

    const QList<Plongee>& m_dives;
    const DiveListFormatter& m_formatter;
    QList<Column> m_columns;
    TablePrinter m_table;
};
