#include "ui/ShellFixture.h"

#include "app/ui/AppDelegate.h"
#include "app/ui/MemoWindow.h"
#include "logbook/Carnet.h"
#include "logbook/LogbookGenerator.h"
#include "logbook/ui/CarnetListWindow.h"
#include "logbook/ui/DiveEditWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>

// Pictures of the windows for a look by eye; runs only when
// ONDRIX_SCREENSHOT_DIR names the folder to write them to.
using ScreenshotTest = ShellFixture;

TEST_F(ScreenshotTest, WindowsOfAnOpenLogbook)
{
    const QString folder = qEnvironmentVariable("ONDRIX_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "ONDRIX_SCREENSHOT_DIR is not set";
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto save = [&](QWidget* widget, const QString& name) {
        QCoreApplication::processEvents();
        EXPECT_TRUE(widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png"))));
    };

    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("trial.ondrix"),
                                                           logbookgenerator::generate(300, 60, 7)));
    ASSERT_NE(carnet, nullptr);
    CarnetListWindow* window = controller->windowOf(carnet);
    save(window, QStringLiteral("list"));

    window->showEditWindow();
    DiveEditWindow* edit = window->editWindow();
    for (int page = 0; page < DiveEditWindow::PageCount; ++page) {
        edit->tabs()->setCurrentIndex(page);
        save(edit, QStringLiteral("edit-%1").arg(page + 1));
    }

    QMenu* file = window->fileMenu();
    controller->recentDocuments().add(path(QStringLiteral("older logbook.ondrix")));
    controller->recentDocuments().add(carnet->filePath());
    QMenu* recent = file->findChild<QMenu*>(QStringLiteral("openRecentMenu"));
    ASSERT_NE(recent, nullptr);
    emit recent->aboutToShow();
    for (QMenu* menu : {file, recent}) {
        menu->ensurePolished();
        menu->adjustSize();
    }
    save(file, QStringLiteral("file-menu"));
    save(recent, QStringLiteral("recent-menu"));

    controller->appDelegate().sendRenumDivesNotification(nullptr);
    save(window->renumberWindow(), QStringLiteral("renumber"));

    auto* memo = qobject_cast<MemoWindow*>(controller->appDelegate().showWindow(AppDelegate::memoCommand()));
    ASSERT_NE(memo, nullptr);
    memo->editor()->setPlainText(QStringLiteral("Saturday: boat at 8:30\nCheck the second stage\nLog the Port-Cros dives"));
    save(memo, QStringLiteral("memo"));

    Carnet* empty = controller->newDocument();
    controller->windowOf(empty)->showEditWindow();
    save(controller->windowOf(empty), QStringLiteral("new-list"));
    save(controller->windowOf(empty)->editWindow(), QStringLiteral("new-edit"));
}
