#include "logbook/ui/ListPrintController.h"
#include "platform/InterfaceText.h"

#include "platform/context/AppContext.h"
#include "logbook/Carnet.h"
#include "logbook/DiveList.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QWidget>

ListPrintController::ListPrintController(Carnet& carnet, QWidget* window, ColumnSource columns)
    : QObject(window), m_carnet(carnet), m_window(window), m_columns(std::move(columns)),
      m_printPanel([](QPrinter& printer, QWidget* parent) {
          QPrintDialog dialog(&printer, parent);
          dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
          return dialog.exec() == QDialog::Accepted;
      }),
      m_pageSetupPanel([](QPrinter& printer, QWidget* parent) {
          QPageSetupDialog dialog(&printer, parent);
          return dialog.exec() == QDialog::Accepted;
      })
{
}

ListPrintController::~ListPrintController() = default;

QPrinter& ListPrintController::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        ListPrinter::applyPageSettings(*m_printer);
    }
    return *m_printer;
}

void ListPrintController::pageSetup()
{
    QPrinter& p = printer();
    m_pageSetupPanel(p, m_window);
}

bool ListPrintController::print()
{
    m_lastPageCount = 0;
    m_carnet.setSelection({}, -1);
    QPrinter& p = printer();
    ListPrinter::applyPageSettings(p);
    p.setDocName(m_title);
    if (!m_printPanel(p, m_window))
        return false;
    return printTo(p);
}

bool ListPrintController::printTo(QPrinter& printer)
{
    m_lastPageCount = 0;
    const AppContext& context = m_carnet.context();
    const DiveListFormatter formatter(context.settings(), context.localizer());
    ListPrinter list(m_carnet.dives(), formatter, m_columns());
    if (m_window)
        list.setFont(m_window->font());
    list.setTitle(m_title);
    const int pages = list.pageCount(printer);

    std::unique_ptr<QProgressDialog> progress;
    if (pages > 1) {
        progress = std::make_unique<QProgressDialog>(ui::text("Printing the dive list…"), ui::text("Cancel"), 0, pages, m_window);
        progress->setObjectName(QStringLiteral("printProgress"));
        // Nothing may change the dives while they print.
        progress->setWindowModality(Qt::ApplicationModal);
        progress->setMinimumDuration(400);
        progress->setAutoClose(false);
        progress->setValue(0);
    }
    bool cancelled = false;
    const bool printed = list.print(printer, [&](int done, int count) {
        if (!progress)
            return true;
        progress->setLabelText(ui::text("Printing page %1 of %2…").arg(done).arg(count));
        progress->setValue(done);
        if (progress->wasCanceled()) {
            cancelled = true;
            printer.abort();
            return false;
        }
        return true;
    });
    if (printed && !cancelled)
        m_lastPageCount = pages;
    return printed && !cancelled;
}
