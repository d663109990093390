#pragma once

#include "calculators/ui/CalculatorWindow.h"

// The five nitrox windows, one per window name: "Nitrox Prof Max",
// "Nitrox Best Mix", "Nitrox Equivalent Depth", "Nitrox Oxygen Window" and
// "Blend Nitrox", each with the fields of its one calculation.
class NitroxController : public CalculatorWindow {
    Q_OBJECT

public:
    NitroxController(const QString& windowName, const Localizer& texts, QWidget* parent = nullptr);
};
