#pragma once

#include "platform/RgbaColour.h"

#include <QByteArray>
#include <QFont>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPainter;
class QRectF;

// Prints a table as a list window shows it (its columns in order and width,
// their titles, each cell's text, picture and colours) onto a page device:
// a printer or a PDF writer. The table is laid out in points, as on screen,
// then printed at the page settings' scale, top left of the page, with the
// titles again at the top of every page and a footer with the title and the
// page number; when the columns are wider than the page the scale is
// lowered until they fit across it.
class TablePrinter {
public:
    // The table's own measures, in points before scaling.
    static constexpr double kRowHeight = 20.0;
    static constexpr double kTitleHeight = 22.0;
    static constexpr double kFooterHeight = 16.0;
    static constexpr double kPictureSize = 16.0;

    struct PageSettings {
        double marginTop;
        double marginBottom;
        double marginLeft;
        double marginRight;
        double scale;
        bool landscape = true;
    };

    struct Column {
        QString title;
        double width = 0.0;
        Qt::Alignment alignment = Qt::AlignCenter;
    };

    struct Cell {
        QString text;
        QString picture; // a name for the picture painter; empty for none
        std::optional<RgbaColour> textColour = {};
        std::optional<RgbaColour> background = {};
        bool bold = false;
    };

    using CellSource = std::function<Cell(int row, int column)>;
    using PicturePainter = std::function<void(QPainter&, const QString& name, const QRectF& square)>;
    // Told after each page is painted: pages done and the page count. False
    // stops the printing.
    using Progress = std::function<bool(int pagesDone, int pageCount)>;

    TablePrinter(QList<Column> columns, int rowCount, CellSource cells, PageSettings settings);

    // Each column as wide as its title or its widest cell, whichever is
    // wider, within a limit; a column with pictures is at least as wide as
    // a picture.
    static void fitWidths(QList<Column>& columns, int rowCount, const CellSource& cells, const QFont& font = QFont());

    void setFont(const QFont& font);
    void setPicturePainter(PicturePainter painter) { m_pictures = std::move(painter); }
    // Printed at the foot of every page with the page number.
    void setTitle(const QString& title) { m_title = title; }

    const QList<Column>& columns() const { return m_columns; }
    double tableWidth() const;

    // A PDF on A4 paper with the page settings, painted by `paint`; empty
    // when it could not be made.
    static QByteArray pdf(const PageSettings& settings, const QString& title,
                          const std::function<bool(QPagedPaintDevice&)>& paint);

    // The orientation and margins of the settings; the paper size is kept.
    static void applyPageSettings(QPagedPaintDevice& device, const PageSettings& settings);

    double scaleFor(const QPagedPaintDevice& device) const;
    int rowsPerPage(const QPagedPaintDevice& device) const;
    int pageCount(const QPagedPaintDevice& device) const;

    // Paints every page. False when the device could not be painted on or
    // the progress asked to stop.
    bool print(QPagedPaintDevice& device, const Progress& progress = {}) const;

private:
    void paintTitles(QPainter& painter, double y) const;
    void paintRow(QPainter& painter, int row, double y) const;
    void paintFooter(QPainter& painter, double bottom, int page, int pageCount) const;

    QList<Column> m_columns;
    int m_rowCount;
    CellSource m_cells;
    PageSettings m_settings;
    PicturePainter m_pictures;
    QFont m_font;
    QFont m_boldFont;
    QFont m_titleFont;
    QFont m_footerFont;
    QString m_title;
};
