#include "app/ui/WindowHelpMenus.h"

#include "platform/InterfaceText.h"
#include "platform/ui/DocumentWindow.h"
#include "platform/ui/WindowKeys.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace windowmenus {

namespace {

QString withoutMnemonic(QString text)
{
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

// The windows worth listing: shown top-level windows with a title, the
// document windows first, the others after, each group in creation order.
QList<QWidget*> listedWindows()
{
    QList<QWidget*> documents;
    QList<QWidget*> others;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || !widget->isWindow() || widget->windowTitle().isEmpty()
            || qobject_cast<QMenu*>(widget) || widget->windowType() == Qt::Popup || widget->windowType() == Qt::ToolTip
            || widget->objectName() == u"memoWindow") // the menu's first item
            continue;
        (qobject_cast<DocumentWindow*>(widget) ? documents : others).append(widget);
    }
    return documents + others;
}

void fillWindowMenu(QMenu* menu, const std::function<void()>& showMemo)
{
    menu->clear();
    menu->addAction(ui::text("&Memo"), menu, showMemo);
    menu->addSeparator();
    const QWidget* active = QApplication::activeWindow();
    for (QWidget* window : listedWindows()) {
        QAction* action = menu->addAction(listedTitle(window));
        action->setCheckable(true);
        action->setChecked(window == active);
        QObject::connect(action, &QAction::triggered, window, [window] {
            if (window->isMinimized())
                window->showNormal();
            windowkeys::present(window);
        });
    }
}

QDialog* makeDialog(QWidget* parent, const QString& title, QWidget* body)
{
    auto* dialog = new QDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(title);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(body);
    auto* buttons = new QDialogButtonBox(dialog);
    QPushButton* close = buttons->addButton(ui::text("Close"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog;
}

// Two columns: what the key does (with the menu it is in) and the key.
void showShortcuts(QMenuBar* menuBar)
{
    QList<QPair<QString, QString>> rows;
    const std::function<void(const QMenu*, const QString&)> walk = [&](const QMenu* menu, const QString& path) {
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            const QString name = path + withoutMnemonic(action->text());
            if (action->menu()) {
                walk(action->menu(), name + QStringLiteral(" ▸ "));
                continue;
            }
            QStringList keys;
            for (const QKeySequence& key : action->shortcuts())
                keys.append(key.toString(QKeySequence::NativeText));
            if (!keys.isEmpty())
                rows.append({name, keys.join(QStringLiteral(", "))});
        }
    };
    for (const QAction* top : menuBar->actions())
        if (top->menu())
            walk(top->menu(), withoutMnemonic(top->text()) + QStringLiteral(" ▸ "));
    rows.append({ui::text("Close the window"), QKeySequence(Qt::CTRL | Qt::Key_W).toString(QKeySequence::NativeText)});
    rows.append({ui::text("Close a dialog"), QKeySequence(Qt::Key_Escape).toString(QKeySequence::NativeText)});

    auto* table = new QTableWidget(int(rows.size()), 2);
    table->setObjectName(QStringLiteral("shortcutsTable"));
    table->setHorizontalHeaderLabels({ui::text("Command"), ui::text("Keys")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < rows.size(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(rows[row].first));
        table->setItem(row, 1, new QTableWidgetItem(rows[row].second));
    }
    table->resizeColumnToContents(0);
    QDialog* dialog = makeDialog(menuBar->window(), ui::text("Keyboard Shortcuts"), table);
    dialog->setObjectName(QStringLiteral("shortcutsWindow"));
    dialog->resize(table->columnWidth(0) + 220, 520);
    dialog->show();
}

void showKeptFiles(QMenuBar* menuBar, const KeptFiles& files)
{
    QString text = QStringLiteral("<p><b>%1</b><br>%2</p>")
                       .arg(ui::text("Settings and pick-lists").toHtmlEscaped(),
                            QDir::toNativeSeparators(files.settingsFile).toHtmlEscaped());
    text += QStringLiteral("<p><b>%1</b>").arg(ui::text("Recent documents").toHtmlEscaped());
    const QStringList recent = files.recentDocuments ? files.recentDocuments() : QStringList();
    if (recent.isEmpty())
        text += QStringLiteral("<br>") + ui::text("No recent documents").toHtmlEscaped();
    for (const QString& path : recent)
        text += QStringLiteral("<br>") + QDir::toNativeSeparators(path).toHtmlEscaped();
    text += QStringLiteral("</p>");
    auto* label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    QDialog* dialog = makeDialog(menuBar->window(), ui::text("Where the Files Are Kept"), label);
    dialog->setObjectName(QStringLiteral("keptFilesWindow"));
    dialog->resize(560, dialog->sizeHint().height());
    dialog->show();
}

} // namespace

QString listedTitle(const QWidget* window)
{
    QString title = window->windowTitle();
    title.remove(QLatin1String("[*]"));
    return title;
}

void addWindowMenu(QMenuBar* menuBar, std::function<void()> showMemo)
{
    QMenu* menu = menuBar->addMenu(ui::text("&Window"));
    menu->setObjectName(QStringLiteral("windowMenu"));
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, showMemo] { fillWindowMenu(menu, showMemo); });
    fillWindowMenu(menu, showMemo);
}

void addHelpMenu(QMenuBar* menuBar, KeptFiles files)
{
    QMenu* menu = menuBar->addMenu(ui::text("&Help"));
    menu->setObjectName(QStringLiteral("helpMenu"));
    QAction* about = menu->addAction(ui::text("&About Ondrix"), menuBar, [menuBar] {
        QMessageBox::about(menuBar->window(), ui::text("About Ondrix"),
                           ui::text("Ondrix %1\nA dive logbook, its registers and a diver's calculators.")
                               .arg(QStringLiteral(ONDRIX_VERSION)));
    });
    about->setObjectName(QStringLiteral("aboutAction"));
    about->setMenuRole(QAction::AboutRole);
    QAction* keys = menu->addAction(ui::text("&Keyboard Shortcuts"), menuBar, [menuBar] { showShortcuts(menuBar); });
    keys->setObjectName(QStringLiteral("shortcutsAction"));
    keys->setShortcut(QKeySequence::HelpContents);
    QAction* kept = menu->addAction(ui::text("&Where the Files Are Kept"), menuBar,
                                    [menuBar, files] { showKeptFiles(menuBar, files); });
    kept->setObjectName(QStringLiteral("keptFilesAction"));
}

} // namespace windowmenus
