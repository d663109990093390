#include "ui/ShellFixture.h"

#include "app/ui/AppDelegate.h"
#include "app/ui/MemoWindow.h"
#include "logbook/Carnet.h"
#include "logbook/DiveList.h"
#include "logbook/LogbookGenerator.h"
#include "logbook/ui/CarnetListWindow.h"
#include "logbook/ui/DiveEditWindow.h"
#include "logbook/ui/RenumberWindow.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <algorithm>

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

    // The list with its colour rules on.
    settings().setValue(QStringLiteral("mix in color"), true);
    settings().setValue(QStringLiteral("foreign in color"), true);
    settings().setValue(QStringLiteral("country code"), QStringLiteral("FR"));
    settings().setColour(QStringLiteral("foreign color"), RgbaColour::rgb(1, 0.85, 0.7));
    settings().setValue(QStringLiteral("nocturnes in color"), true);
    settings().setValue(QStringLiteral("depth time in color"), true);
    settings().setColour(QStringLiteral("depth color"), RgbaColour::rgb(0, 0, 0.8));
    settings().setColour(QStringLiteral("time color"), RgbaColour::rgb(0.6, 0, 0.4));
    settings().setValue(QStringLiteral("low temperature in color"), true);
    settings().setValue(QStringLiteral("low temperature value"), 14);
    settings().setColour(QStringLiteral("low temperature color"), RgbaColour::rgb(0, 0.45, 0.9));
    for (const DiveListColumn& column : divelist::columns())
        settings().setValue(QLatin1String(column.settingKey), true);

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

    // The File menu open on its New submenu, put together as the screen
    // shows them: the submenu beside its entry.
    QMenu* newMenu = file->findChild<QMenu*>(QStringLiteral("newMenu"));
    ASSERT_NE(newMenu, nullptr);
    newMenu->ensurePolished();
    newMenu->adjustSize();
    file->setActiveAction(newMenu->menuAction());
    newMenu->setActiveAction(newMenu->actions().value(0));
    const QPixmap fileShot = file->grab();
    const QPixmap newShot = newMenu->grab();
    const int top = file->actionGeometry(newMenu->menuAction()).top();
    QPixmap open(fileShot.width() + newShot.width(), std::max(fileShot.height(), top + newShot.height()));
    open.fill(Qt::white);
    QPainter painter(&open);
    painter.drawPixmap(0, 0, fileShot);
    painter.drawPixmap(fileShot.width(), top, newShot);
    painter.end();
    EXPECT_TRUE(open.save(QDir(folder).filePath(QStringLiteral("file-menu-new.png"))));

    controller->appDelegate().sendRenumDivesNotification(nullptr);
    save(window->renumberWindow(), QStringLiteral("renumber"));

    auto* memo = qobject_cast<MemoWindow*>(controller->appDelegate().showWindow(WindowTable::memoCommand()));
    ASSERT_NE(memo, nullptr);
    memo->editor()->setPlainText(QStringLiteral("Saturday: boat at 8:30\nCheck the second stage\nLog the Port-Cros dives"));
    save(memo, QStringLiteral("memo"));

    Carnet* empty = controller->newDocument();
    controller->windowOf(empty)->showEditWindow();
    save(controller->windowOf(empty), QStringLiteral("new-list"));
    save(controller->windowOf(empty)->editWindow(), QStringLiteral("new-edit"));

    // The gas page of a closed-circuit dive at 44.8 m on a 1.4 bar
    // set-point, without a profile: no surface consumption, an empty
    // position shown as a hint.
    const std::pair<const char*, const char*> rebreatherDive[] = {
        {"rebreather", "3"},     {"ppO2", "3"},       {"profondeur", "44.8"}, {"temps", "50"},
        {"pressionDepart", "200"}, {"pressionFin", "120"}, {"volumeBloc", "3"},    {"volumeBloc_2", "3"},
        {"pressionDepart_2", "200"}, {"pressionFin_2", "150"}, {"volBailout1", "7"}, {"pressDepartBailout1", "200"},
        {"pressFinBailout1", "200"}};
    for (const auto& [field, text] : rebreatherDive)
        ASSERT_TRUE(empty->form().typeText(QString::fromLatin1(field), QString::fromLatin1(text))) << field;
    empty->updateUI();
    DiveEditWindow* rebreather = controller->windowOf(empty)->editWindow();
    rebreather->tabs()->setCurrentIndex(DiveEditWindow::GasesPage);
    save(rebreather, QStringLiteral("edit-gases-rebreather"));
    rebreather->tabs()->setCurrentIndex(DiveEditWindow::DivePage);
    save(rebreather, QStringLiteral("edit-dive-rebreather"));
}
