#pragma once

#include "calculators/ui/CalculatorWindow.h"

// The three trimix windows: "Trimix" (equivalent depths), "Trimix Prof Min"
// and "Best Trimix".
class TrimixController : public CalculatorWindow {
    Q_OBJECT

public:
    TrimixController(const QString& windowName, const Localizer& texts, QWidget* parent = nullptr);
};
