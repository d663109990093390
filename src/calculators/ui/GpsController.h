#pragma once

#include "calculators/ui/CalculatorWindow.h"

class QPushButton;

// The GPS window ("Gps"): the precise conversion of an ED50 position in
// degrees, minutes and seconds to WGS84, with its step-by-step account, and
// the decimal conversion either way. Both write the same result fields; the
// height field serves the one used last.
class GpsController : public CalculatorWindow {
    Q_OBJECT

public:
    explicit GpsController(const Localizer& texts, QWidget* parent = nullptr);

    QPushButton* preciseButton() const { return m_precise; }
    QPushButton* decimalButton() const { return m_decimal; }

private:
    QPushButton* m_precise;
    QPushButton* m_decimal;
};
