#pragma once

#include "calculators/ui/CalculatorWindow.h"

// The three rebreather windows: "Soda Time" (absorbent endurance),
// "SCR Breathed Frac O2" and "SCR Flow Calc", the last two with their table
// of eleven consumptions coloured by safety.
class SCRCCRController : public CalculatorWindow {
    Q_OBJECT

public:
    SCRCCRController(const QString& windowName, const Localizer& texts, QWidget* parent = nullptr);
};
