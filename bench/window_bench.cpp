// Time from asking the program to open a logbook to its list window shown
// with the last dive loaded, measured as a whole (offscreen), then the time
// from selecting another dive to its values shown. Usage:
//   QT_QPA_PLATFORM=offscreen ondrix_bench_window LOGBOOK [RUNS]
#include "platform/context/AppContext.h"
#include "app/ui/DocumentController.h"
#include "logbook/Carnet.h"
#include "logbook/ui/CarnetListWindow.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s LOGBOOK [RUNS]\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    QTemporaryDir dir;
    ScriptedAlerts alerts;
    AppContext context(std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.ini"))), alerts,
                       QStringLiteral("en"));
    for (int run = 0; run < runs; ++run) {
        MyDocumentController controller(context);
        QElapsedTimer timer;
        timer.start();
        Carnet* carnet = controller.openDocument(path);
        if (!carnet) {
            std::fprintf(stderr, "cannot open %s\n", argv[1]);
            return 1;
        }
        CarnetListWindow* window = controller.windowOf(carnet);
        while (!window || !window->isVisible() || carnet->loadedIndex() != carnet->count() - 1) {
            QApplication::processEvents();
            window = controller.windowOf(carnet);
        }
        QApplication::processEvents(); // the first paint
        std::printf("list window shown with dive %d of %d loaded: %lld ms\n", carnet->loadedIndex() + 1,
                    carnet->count(), static_cast<long long>(timer.elapsed()));
        // Another dive selected: its values and profile loaded and shown.
        QElapsedTimer selection;
        selection.start();
        carnet->setCurrentIndex(0);
        QApplication::processEvents();
        std::printf("dive 1 selected, loaded and shown: %.2f ms\n", double(selection.nsecsElapsed()) / 1e6);
        controller.closeAllDocuments();
    }
    return 0;
}
