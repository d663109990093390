#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>

class AppDelegate;
class Carnet;
class DiveEditWindow;
class DiveTableModel;
class QLabel;
class QMenu;
class QPushButton;
class QSpinBox;
class QTableView;

// The list window of a logbook: one row per dive, the menus of the logbook
// and a count of the dives. It owns the logbook's dive window and renumber
// window. The File menu is left for the document controller to fill.
class CarnetListWindow : public QMainWindow {
    Q_OBJECT

public:
    CarnetListWindow(Carnet& carnet, AppDelegate& appDelegate, QWidget* parent = nullptr);
    ~CarnetListWindow() override;

    Carnet& carnet() const { return m_carnet; }
    QTableView* tableView() const { return m_table; }
    DiveTableModel* model() const { return m_model; }
    DiveEditWindow* editWindow() const { return m_editWindow; }
    // Null until the logbook first asks for it.
    QWidget* renumberWindow() const { return m_renumberWindow; }
    QMenu* fileMenu() const { return m_fileMenu; }
    QString statusText() const;

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void sizeColumns();
    void updateStatus();
    void tableSelectionChanged();
    void followCarnetSelection(int currentIndex, int loadedIndex);
    void scrollToRow(int row);

    Carnet& m_carnet;
    AppDelegate& m_appDelegate;
    DiveTableModel* m_model;
    QTableView* m_table;
    QLabel* m_status;
    QMenu* m_fileMenu = nullptr;
    DiveEditWindow* m_editWindow;
    QWidget* m_renumberWindow = nullptr;
    QString m_documentName;
    std::function<bool()> m_closeGuard;
    bool m_closingAnswered = false;
    bool m_followingView = false;
    int m_pendingScrollRow = -1;
};
