#pragma once

#include "platform/ui/DocumentWindow.h"

#include <QString>

class CommandToolBar;
class QAction;
class QItemSelection;
class QLabel;
class QMenu;
class QTableView;
class RegisterDocument;
class RegisterEditWindow;
class RegisterSynthesisWindow;
class RegisterTableModel;

// The list window of a register document: its table (texts and colours of
// the description's columns, sorted by a click on a header, the selection
// following its cards through every sort), the count label, the list
// toolbar and the menus. It owns the document's edit and synthesis windows
// and prints the list. The File menu is left for the document controller
// to fill; page set-up and printing join it when it first opens.
class RegisterListWindow : public DocumentWindow {
    Q_OBJECT

public:
    explicit RegisterListWindow(RegisterDocument& document, QWidget* parent = nullptr);
    ~RegisterListWindow() override;

    RegisterDocument& document() const { return m_document; }
    QTableView* tableView() const { return m_table; }
    RegisterTableModel* model() const { return m_model; }
    RegisterEditWindow* editWindow() const { return m_edit; }
    RegisterSynthesisWindow* synthesisWindow() const { return m_synthesis; }
    CommandToolBar* listToolBar() const { return m_toolBar; }
    QMenu* fileMenu() const { return m_fileMenu; }
    QAction* printAction() const;
    QString countText() const;

    void setDocumentName(const QString& name) override;

public slots:
    void showEditWindow();
    void showSynthesisWindow();
    // Deselects every row and prints the list in landscape, through the
    // print panel.
    void printList();
    void runPageLayout();

protected:
    void closing() override;

private:
    void buildToolBar();
    void buildMenus();
    void runCommand(const QString& id);
    void headerClicked(int section);
    void tableSelectionChanged();
    void followSelection(int currentIndex);
    void recordsChanged();

    RegisterDocument& m_document;
    RegisterTableModel* m_model;
    QTableView* m_table;
    QLabel* m_count;
    CommandToolBar* m_toolBar = nullptr;
    QMenu* m_fileMenu = nullptr;
    QAction* m_pageSetupAction = nullptr;
    RegisterEditWindow* m_edit;
    RegisterSynthesisWindow* m_synthesis;
    class QPrinter* m_printer = nullptr;
    bool m_following = false;
};
