#pragma once

#include "logbook/ui/ColumnLayout.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>

class AppDelegate;
class Carnet;
class DiveEditWindow;
class DiveTableModel;
class QAction;
class QItemSelection;
class QLabel;
class QMenu;
class QTableView;
class RenumberWindow;

// The list window of a logbook: one row per dive, the menus of the logbook
// and the count of the dives. It owns the logbook's dive window and
// renumber window. The File menu is left for the document controller to
// fill.
class CarnetListWindow : public QMainWindow {
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

    CarnetListWindow(Carnet& carnet, AppDelegate& appDelegate, QWidget* parent = nullptr);
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
    const ColumnLayout& columnLayout() const { return m_columns; }

    // The name in the title bar: the file name, or "Untitled".
    void setDocumentName(const QString& name);
    QString documentName() const { return m_documentName; }

    // Asked whenever the window is about to close; false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }
    // Closes without asking the guard: the question was answered already.
    void closeWithoutAsking();

public slots:
    void showEditWindow();
    void showRenumberWindow();
    // Shows and hides the columns from the column settings.
    void displayColumns();
    // Shows or hides one column by identifier.
    void setColumnVisible(const QString& id, bool visible);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
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
    AppDelegate& m_appDelegate;
    DiveTableModel* m_model;
    QTableView* m_table;
    QLabel* m_status;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_diveMenu = nullptr;
    std::array<QAction*, CommandCount> m_commands{};
    DiveEditWindow* m_editWindow;
    RenumberWindow* m_renumberWindow = nullptr;
    ColumnLayout m_columns;
    QString m_documentName;
    std::function<bool()> m_closeGuard;
    bool m_closingAnswered = false;
    bool m_followingCarnet = false;
    bool m_applyingColumns = false;
    int m_pendingScrollRow = -1;
};
