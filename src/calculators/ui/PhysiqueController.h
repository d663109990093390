#pragma once

#include "calculators/ui/CalculatorWindow.h"

class QTabWidget;

// The unit conversions window ("Physique"): five tabs (pressure, volume,
// length, mass, temperature), each with its unit fields and the option
// matrix that says which unit was typed in. Typing in a unit's field
// chooses that unit and converts it into the tab's other fields.
class PhysiqueController : public CalculatorWindow {
    Q_OBJECT

public:
    explicit PhysiqueController(const Localizer& texts, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }

private:
    QTabWidget* m_tabs;
};
