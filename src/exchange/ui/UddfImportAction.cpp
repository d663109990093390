#include "exchange/ui/UddfImportAction.h"

#include "exchange/UddfFileImport.h"
#include "logbook/Carnet.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

void importUddfInteractively(QWidget* parent, Carnet& carnet)
{
    const QString path = QFileDialog::getOpenFileName(
        parent, QObject::tr("Import UDDF"), QString(),
        QObject::tr("UDDF files (*.uddf *.xml *.txt);;All files (*)"));
    if (path.isEmpty())
        return;

    QProgressDialog progress(QObject::tr("Importing %1…").arg(QFileInfo(path).fileName()), QObject::tr("Cancel"), 0,
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
    const uddffileimport::Outcome outcome = uddffileimport::importFile(carnet, path, report);
    QApplication::restoreOverrideCursor();
    progress.reset();
    if (outcome.ok || outcome.cancelled)
        return;
    QMessageBox::warning(parent, QObject::tr("Import UDDF"),
                         QObject::tr("%1 cannot be imported:\n%2").arg(QFileInfo(path).fileName(), outcome.error));
}
