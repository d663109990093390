#pragma once

#include "platform/context/PickLists.h"
#include "logbook/Plongee.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

#include <array>
#include <optional>

class Carnet;
class CommandToolBar;
class QAction;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QProgressBar;
class QTabWidget;
class QToolBar;

// The dive edit window: one control for every control of the logbook's
// form, spread over six pages, with the logbook's edit toolbar
// ("editWindowToolbar") and the arrows to the previous and next dive.
// The widgets show the form: each change the diver makes goes into the form
// at once, every action first pushes all widget values into it
// (commitToForm), and each refresh of the form is shown again (showForm).
class DiveEditWindow : public QWidget {
    Q_OBJECT

public:
    enum Page { DivePage, ConditionsPage, GasesPage, DecompressionPage, EquipmentPage, NotesPage, PageCount };
    enum Action { NewDive, AddDive, InsertDive, UpdateDive, DeleteDive, PreviousDive, NextDive, ActionCount };

    explicit DiveEditWindow(Carnet& carnet, QWidget* parent = nullptr);
    ~DiveEditWindow() override;

    static QString pageTitle(Page page);

    QTabWidget* tabs() const { return m_tabs; }
    QToolBar* toolBar() const;
    CommandToolBar* commandToolBar() const { return m_toolBar; }
    QAction* action(Action action) const { return m_actions[action]; }
    // The control of a dive field, null for a field without one.
    QWidget* fieldWidget(int field) const;
    QWidget* fieldWidget(const QString& fieldName) const { return fieldWidget(Plongee::fieldIndex(fieldName)); }
    // The page holding a field's control; PageCount for none.
    Page pageOf(int field) const;
    // What a field's control shows, as text: the typed text, the chosen
    // item's text, "1"/"0" for a switch, the date as dd/MM/yyyy and the
    // time as HH:mm.
    QString shownValue(const QString& fieldName) const;
    // The row the form was loaded from, -1 for a new or blank form.
    int shownIndex() const;

    void setDocumentName(const QString& name);

public slots:
    // Pushes every value the diver changed into the form.
    void commitToForm();
    // Shows the form's values and what it derives.
    void showForm();
    // Runs one of the form's actions, the form first taking the widgets'
    // values.
    void perform(DiveEditWindow::Action action);
    // Renumbers every dive from a first number.
    void renumber(int first);
    // Air, nitrox and heliox presets of tank 1.
    void resetToAir();
    void resetToNitrox();
    void resetToHeliox();
    // Closing with the document: the form is not stored.
    void closeWithoutStoring();
    // Blanks the form; the list selection stays.
    void blankFields();

signals:
    // A toolbar command that is the logbook's rather than the form's
    // (profile, profile data, imports).
    void commandRequested(const QString& id);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Kind { Line, Combo, Choice, Switch, Date, Time, Slider, MultiLine };
    struct Binding {
        int field = -1;
        Kind kind = Kind::Line;
        QWidget* widget = nullptr;
        std::optional<PickListId> pickList; // the list an editable combo offers
        const QStringList* offered = nullptr; // or the logbook's offered values
        QStringList items;                   // the items the combo holds now
        QVariant shown;                      // what showForm put in the widget
        bool edited = false;                 // typed into since the last show
    };

    // Building the controls.
    QWidget* bind(int field, Kind kind, QWidget* widget);
    QWidget* line(const char* field, int characters = 8);
    QWidget* combo(const char* field, std::optional<PickListId> list, const QStringList* offered = nullptr);
    QWidget* choice(const char* field);
    QWidget* check(const char* field, const QString& text);
    QWidget* multiLine(const char* field);
    QProgressBar* cylinderGauge(int cylinder);
    QLabel* derivedLabel(const char* name, const QString& text = QString());
    QWidget* withUnit(QWidget* field, const char* unitName, const QString& unit);

    QWidget* buildDivePage();
    QWidget* buildConditionsPage();
    QWidget* buildGasesPage();
    QWidget* buildDecompressionPage();
    QWidget* buildEquipmentPage();
    QWidget* buildNotesPage();
    void buildActions();

    QVariant widgetValue(const Binding& binding) const;
    void commit(Binding& binding);
    void showBinding(Binding& binding);
    void fieldEdited(int field);
    void pickListEditingEnded(int field);
    void showDerived();
    void pageChanged(int page);
    void fitToPage(int page);
    void updateDifficultyText();
    QString local(const char* key) const;

    Carnet& m_carnet;
    CommandToolBar* m_toolBar;
    QToolBar* m_navigation = nullptr;
    QHBoxLayout* m_toolbarRow = nullptr;
    QTabWidget* m_tabs;
    QLabel* m_totalText;
    std::array<QAction*, ActionCount> m_actions{};
    std::array<int, Plongee::FieldCount> m_bindingOf;
    QList<Binding> m_bindings;
    // The window's named labels and gauges, looked up once: showing a dive
    // sets some thirty of them, and each search walks every widget.
    template <typename W> W* named(const QString& name);
    QHash<QString, QPointer<QWidget>> m_named;
    QGroupBox* m_tank1Group = nullptr;
    QGroupBox* m_tank2Group = nullptr;
    QGroupBox* m_bailoutGroup = nullptr;
    QGroupBox* m_planningGroup = nullptr;
    QGroupBox* m_poniesGroup = nullptr;
    QString m_documentName;
    bool m_filling = false;
    bool m_storeOnClose = true;
};
