#pragma once

#include "logbook/draw/ListPrinter.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class Carnet;
class QPrinter;
class QWidget;

// Page set-up and printing of a logbook's list window. The printer starts
// with the logbook's page settings (landscape, margins, scale 67 %); the
// page set-up panel may change the paper, and every print applies the
// logbook's settings again before the print panel shows. Printing clears
// the list selection, so that no row prints highlighted, and shows its
// progress in a window that can cancel it.
class ListPrintController : public QObject {
    Q_OBJECT

public:
    // The columns printed, as the window shows them.
    using ColumnSource = std::function<QList<ListPrinter::Column>()>;
    // Shows a panel for a printer; false when the user cancels.
    using PrinterPanel = std::function<bool(QPrinter& printer, QWidget* parent)>;

    ListPrintController(Carnet& carnet, QWidget* window, ColumnSource columns);
    ~ListPrintController() override;

    // The printer kept for the logbook's window, made at first use.
    QPrinter& printer();
    void setTitle(const QString& title) { m_title = title; }

    // The panels, replaceable (tests, scripted runs).
    void setPrintPanel(PrinterPanel panel) { m_printPanel = std::move(panel); }
    void setPageSetupPanel(PrinterPanel panel) { m_pageSetupPanel = std::move(panel); }

    // Pages printed at the last print, 0 when it was cancelled or failed.
    int lastPageCount() const { return m_lastPageCount; }

public slots:
    // The platform's page set-up panel, modal.
    void pageSetup();
    // Clears the selection, applies the page settings, asks the print panel
    // and prints. False when cancelled or failed.
    bool print();

public:
    // Prints the list on a printer set up already, with the progress window
    // for lists of more than a page. False when cancelled or failed.
    bool printTo(QPrinter& printer);

private:
    Carnet& m_carnet;
    QWidget* m_window;
    ColumnSource m_columns;
    std::unique_ptr<QPrinter> m_printer;
    PrinterPanel m_printPanel;
    PrinterPanel m_pageSetupPanel;
    QString m_title;
    int m_lastPageCount = 0;
};
