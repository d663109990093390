#pragma once

#include "registers/RegisterDescription.h"

#include <QHash>
#include <QList>
#include <QMainWindow>

class CommandToolBar;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;
class RegisterDocument;

// The edit window of a register document: its panes laid out from the
// description's pane rows, one control per field by the field's rule (line
// edit, combo box with its pick-list, pop-up, switch, slider, date, picture
// well, notes), previous and next on every pane, and the edit toolbar. The
// controls type into the document's form as the diver edits them; the
// window shows the form again whenever the document changes it.
class RegisterEditWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit RegisterEditWindow(RegisterDocument& document, QWidget* parent = nullptr);

    RegisterDocument& document() const { return m_document; }
    CommandToolBar* commandToolBar() const { return m_toolBar; }
    QTabWidget* panes() const { return m_panes; }
    // The control of a field, null for a field without one.
    QWidget* control(int field) const { return m_controls.value(field); }
    // The previous and next buttons of a pane.
    QPushButton* previousButton(int pane) const { return m_previous.value(pane); }
    QPushButton* nextButton(int pane) const { return m_next.value(pane); }

    void setDocumentName(const QString& name);
    // Shows a pane (0 to the count less one).
    void goToPane(int pane);

public slots:
    // Shows the form's values in the controls and refreshes what depends
    // on them.
    void showForm();
    void updateEnabling();

signals:
    void synthesisRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildPane(const registers::Pane& pane, int number);
    QWidget* buildControl(const registers::PaneRow& row, const registers::FormControl& control);
    QWidget* buildDate(const registers::PaneRow& row);
    QWidget* buildDerived(const registers::PaneRow& row);
    QWidget* buildLine(const registers::PaneRow& row, QWidget* first);
    QWidget* buildSlider(int field, int maximum, bool companion);
    QWidget* buildRadios(int field, const registers::FormControl& control);
    void typed(int field);
    void updateDerived();
    QList<QWidget*> widgetsNamed(const QString& name) const;
    QString text(const QString& key) const;
    QString mainText(const QString& key, const QString& fallback) const;

    RegisterDocument& m_document;
    CommandToolBar* m_toolBar;
    QTabWidget* m_panes;
    QHash<int, QWidget*> m_controls;
    QHash<int, QWidget*> m_rows;           // the label and control of a field, for hiding and enabling
    QHash<int, QLabel*> m_labels;
    QHash<int, class QSlider*> m_sliders;  // sliders and companion sliders by field
    QHash<int, QLabel*> m_sliderValues;
    QHash<int, class QButtonGroup*> m_radios;
    QHash<QString, QList<QWidget*>> m_derived; // a derived row's control, then its label
    QList<QPushButton*> m_previous;
    QList<QPushButton*> m_next;
    bool m_showing = false;
};
