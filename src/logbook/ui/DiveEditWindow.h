#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

class Carnet;
class Plongee;
class QStackedWidget;
class QTabWidget;
class QTableWidget;

// The dive window: every field of the dive loaded in the form, read only
// for now, as name/value rows spread over the six pages of the form.
class DiveEditWindow : public QWidget {
    Q_OBJECT

public:
    enum Page { DivePage, ConditionsPage, GasesPage, DecompressionPage, EquipmentPage, NotesPage, PageCount };

    explicit DiveEditWindow(Carnet& carnet, QWidget* parent = nullptr);

    // The page a field of the dive record is shown on.
    // The page that names a field of the dive record; PageCount for a field
    // no page names (it is then shown at the end of the first page).
    static Page pageOf(const QString& fieldName);
    // The fields a page shows, in order.
    static QStringList fieldsOnPage(Page page);
    static QString pageTitle(Page page);
    // A field's value as the window shows it.
    static QString fieldText(const Plongee& dive, int fieldIndex);

    // The dive shown, -1 for the blank page.
    int shownIndex() const { return m_shownIndex; }
    QTabWidget* tabs() const { return m_tabs; }
    // The value shown for a field, empty when the field is not shown.
    QString shownValue(const QString& fieldName) const;

    void setDocumentName(const QString& name);

public slots:
    // Shows the dive the logbook has loaded into the form.
    void refresh();

private:
    void updateTitle();

    Carnet& m_carnet;
    QStackedWidget* m_stack;
    QTabWidget* m_tabs;
    QList<QTableWidget*> m_pages;
    QString m_documentName;
    int m_shownIndex = -1;
};
