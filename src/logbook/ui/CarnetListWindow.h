#pragma once

#include "logbook/draw/ListPrinter.h"
#include "logbook/ui/ColumnLayout.h"

#include "platform/ui/DocumentWindow.h"

#include <QHash>
#include <QString>

#include <array>
#include <functional>

class WindowTable;
class Carnet;
class CommandToolBar;
class DiveEditWindow;
class DiveSearchField;
class DiveTableModel;
class ListPrintController;
class QAction;
class QItemSelection;
class QLabel;
class QMenu;
class QTableView;
class RenumberWindow;

// The list window of a logbook: one row per dive, the logbook's toolbar
// with its find field, the menus of the logbook, the count of the dives and
// the count of the dives found. It owns the logbook's dive window and
// renumber window, and prints the list. The File menu is left for the
// document controller to fill; page set-up and printing join it before its
// last group when the window first shows.
class CarnetListWindow : public DocumentWindow {
    Q_OBJECT

public:
    // The commands of the Dive menu.
    enum Command {
        NewDiveCommand,
        AddDiveCommand,
        InsertDiveCommand,
        UpdateDiveCommand,
        DeleteDiveCommand,
        PreviousDiveCommand,
        NextDiveCommand,
        EditWindowCommand,
        RenumberCommand,
        CommandCount
    };

    CarnetListWindow(Carnet& carnet, WindowTable& windows, QWidget* parent = nullptr);
    ~CarnetListWindow() override;

    Carnet& carnet() const { return m_carnet; }
    QTableView* tableView() const { return m_table; }
    DiveTableModel* model() const { return m_model; }
    DiveEditWindow* editWindow() const { return m_editWindow; }
    // Null until the logbook first asks for it.
    RenumberWindow* renumberWindow() const { return m_renumberWindow; }
    QMenu* fileMenu() const { return m_fileMenu; }
    QMenu* diveMenu() const { return m_diveMenu; }
    QAction* command(Command c) const { return m_commands[c]; }
    QString statusText() const;

    // The toolbar ("tableViewToolbar") and its find field.
    CommandToolBar* logbookToolBar() const { return m_toolBar; }
    DiveSearchField* searchField() const { return m_search; }
    // The count text of the last find; empty before.
    QString foundText() const;
    QAction* printAction() const;
    QAction* pageSetupAction() const { return m_pageSetupAction; }
    QAction* findAction() const { return m_findAction; }
    ListPrintController* printing() const { return m_printing; }
    // The columns as shown, in order, with their widths: what printing
    // prints.
    QList<ListPrinter::Column> shownColumns() const;

    // Runs a toolbar item's command by identifier, from either window's
    // toolbar or the menus. Commands whose window is not part of the
    // program yet say so in the status bar.
    void runCommand(const QString& id);
    // Replaces what a command does (the profile, import, synthesis and
    // statistics windows plug in here).
    void setCommandHandler(const QString& id, std::function<void()> handler);

    const ColumnLayout& columnLayout() const { return m_columns; }

    void setDocumentName(const QString& name) override;

public slots:
    void showEditWindow();
    void showRenumberWindow();
    // Shows and hides the columns from the column settings.
    void displayColumns();
    // Shows or hides one column by identifier.
    void setColumnVisible(const QString& id, bool visible);
    // Finds the dives whose text field contains a text, selects them and
    // shows the count.
    void findTextWithField(const QString& field, const QString& text);
    // Puts the keyboard in the find field.
    void focusSearchField();
    void printLogbook();
    void runPageLayout();

protected:
    void closing() override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void completeFileMenu();
    void updateEnabling();
    void saveFromMenu();
    void sizeColumns();
    void applyColumnLayout();
    void columnMovedByUser();
    void headerClicked(int logicalIndex);
    void updateStatus();
    void diveListChanged();
    void tableSelectionChanged(const QItemSelection& selected);
    void followCarnetSelection(int currentIndex, int loadedIndex);
    void formRefreshed();
    void scrollToRow(int row);
    int firstShownColumn() const;

    Carnet& m_carnet;
    WindowTable& m_windows;
    DiveTableModel* m_model;
    QTableView* m_table;
    QLabel* m_status;
    QLabel* m_found;
    CommandToolBar* m_toolBar = nullptr;
    DiveSearchField* m_search = nullptr;
    ListPrintController* m_printing = nullptr;
    QAction* m_pageSetupAction = nullptr;
    QAction* m_findAction = nullptr;
    QHash<QString, std::function<void()>> m_handlers;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_diveMenu = nullptr;
    std::array<QAction*, CommandCount> m_commands{};
    DiveEditWindow* m_editWindow;
    RenumberWindow* m_renumberWindow = nullptr;
    ColumnLayout m_columns;
    bool m_followingCarnet = false;
    bool m_applyingColumns = false;
    int m_pendingScrollRow = -1;
};
