#pragma once

#include "stats/SynthesisReport.h"

#include <QDialog>

class Localizer;
class QRadioButton;

// The small window that chooses the dives of the synthesis report: the
// selected dive (disabled, and saying so, when no dive is selected) or
// every dive.
class ReportChoiceWindow : public QDialog {
    Q_OBJECT

public:
    explicit ReportChoiceWindow(const Localizer& localizer, QWidget* parent = nullptr);

    // Enables the selected dive's option when there is one.
    void setHasSelection(bool selected);
    SynthesisReport::Choice choice() const;
    QRadioButton* selectedDiveButton() const { return m_selected; }
    QRadioButton* allDivesButton() const { return m_all; }

private:
    const Localizer& m_loc;
    QRadioButton* m_selected;
    QRadioButton* m_all;
};
