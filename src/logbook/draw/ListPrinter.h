#pragma once

#include "logbook/Plongee.h"

#include <QFont>
#include <QList>
#include <QString>

#include <functional>

class DiveListFormatter;
class QPagedPaintDevice;
class QPainter;
class QRectF;

// Prints the dive list as the window shows it (the columns shown, in their
// order and widths, their titles, the cell texts and pictures and the
// colour rules) onto a page device: a printer or a PDF writer. The list is
// laid out in points, as on screen, then printed at 67 % in landscape with
// the logbook's margins, top left of the page, the titles again at the top
// of every page; when the columns are wider than the page the scale is
// lowered until they fit across it.
class ListPrinter {
public:
    // The logbook's page settings, in points.
    static constexpr double kMarginTop = 23.2;
    static constexpr double kMarginBottom = 25.0;
    static constexpr double kMarginLeft = 10.0;
    static constexpr double kMarginRight = 10.0;
    static constexpr double kScale = 0.67;
    // The list's own measures, in points before scaling.
    static constexpr double kRowHeight = 20.0;
    static constexpr double kTitleHeight = 22.0;
    static constexpr double kFooterHeight = 16.0;
    static constexpr double kPictureSize = 16.0;

    // A column of the list (an index of divelist::columns()) and its width.
    struct Column {
        int column = 0;
        double width = 0.0;
    };

    // Told after each page is painted: pages done and the page count. False
    // stops the printing.
    using Progress = std::function<bool(int pagesDone, int pageCount)>;

    // The dives are read, not copied: they must outlive the printer.
    ListPrinter(const QList<Plongee>& dives, const DiveListFormatter& formatter, QList<Column> columns);

    // The columns given, each as wide as its title or its widest cell,
    // whichever is wider, within a limit.
    static QList<Column> fittedColumns(const QList<int>& columns, const QList<Plongee>& dives,
                                       const DiveListFormatter& formatter, const QFont& font = QFont());

    // The cell font (the family and weight of the list's font; its size is
    // the list's own).
    void setFont(const QFont& font);
    // Printed at the foot of every page with the page number.
    void setTitle(const QString& title) { m_title = title; }

    const QList<Column>& columns() const { return m_columns; }
    double tableWidth() const;

    // Landscape and the logbook's margins; the paper size is kept.
    static void applyPageSettings(QPagedPaintDevice& device);

    // The scale the list is printed at on a device.
    double scaleFor(const QPagedPaintDevice& device) const;
    int rowsPerPage(const QPagedPaintDevice& device) const;
    int pageCount(const QPagedPaintDevice& device) const;

    // Paints every page. False when the device could not be painted on or
    // the progress asked to stop.
    bool print(QPagedPaintDevice& device, const Progress& progress = {}) const;

    // A picture of the list ("coeur", "point", "croix", "death", "epave")
    // drawn in a square; nothing for another name.
    static void paintPicture(QPainter& painter, const QString& name, const QRectF& square);
    static bool hasPicture(const QString& name);

private:
    void paintTitles(QPainter& painter, double y) const;
    void paintRow(QPainter& painter, int row, double y) const;
    void paintFooter(QPainter& painter, double bottom, int page, int pageCount) const;

    const QList<Plongee>& m_dives;
    const DiveListFormatter& m_formatter;
    QList<Column> m_columns;
    QFont m_font;
    QFont m_boldFont;
    QFont m_titleFont;
    QFont m_footerFont;
    QString m_title;
};
