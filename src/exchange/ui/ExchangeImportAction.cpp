#include "exchange/ui/ExchangeImportAction.h"
#include "platform/InterfaceText.h"

#include "exchange/FileImport.h"
#include "logbook/Carnet.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

void importExchangeFileInteractively(QWidget* parent, Carnet& carnet, const ExchangeImportKind& kind)
{
    const QString path = QFileDialog::getOpenFileName(parent, kind.title, QString(),
                                                      kind.filter + ui::text(";;All files (*)"));
    if (path.isEmpty())
        return;

    QProgressDialog progress(ui::text("Importing %1…").arg(QFileInfo(path).fileName()), ui::text("Cancel"), 0,
                             1000, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const auto report = [&progress](qint64 done, qint64 total) {
        if (total > 0)
            progress.setValue(int(std::min<qint64>(done, total) * 1000 / total));
        QApplication::processEvents();
        return !progress.wasCanceled();
    };
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const fileimport::Outcome outcome = fileimport::importFile(carnet, path, report);
    QApplication::restoreOverrideCursor();
    progress.reset();
    if (outcome.ok && outcome.dives > 0 && outcome.placeholders > 0)
        QMessageBox::information(parent, kind.title,
                                 ui::text("%1 dives imported from %2; %3 empty dive elements were skipped.")
                                     .arg(outcome.dives)
                                     .arg(QFileInfo(path).fileName())
                                     .arg(outcome.placeholders));
    if (outcome.cancelled || (outcome.ok && outcome.dives > 0))
        return;
    const QString why = outcome.ok ? ui::text("the file holds no dive that can be read") : outcome.error;
    QMessageBox::warning(parent, kind.title,
                         ui::text("%1 cannot be imported:\n%2").arg(QFileInfo(path).fileName(), why));
}
