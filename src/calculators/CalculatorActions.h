#pragma once

#include "calculators/CalculatorAction.h"
#include "platform/RgbaColour.h"

#include <QList>
#include <QString>
#include <QStringList>

// The table of every calculator action, in menu order: the nitrox windows,
// the trimix windows, the rebreather windows, the unit conversions and the
// GPS conversions.
class CalculatorActions {
public:
    static const QList<CalculatorAction>& all();
    // The action of that name ("profMax"), or null.
    static const CalculatorAction* find(const QString& name);
    // The actions of a window, by window name ("Gps" has two).
    static QList<const CalculatorAction*> ofWindow(const QString& window);

    // The tabs of the unit conversions window, in order: the tab identifier
    // and title, its option matrix (cell tags 1, 2, 3 for the units in
    // order) and its unit fields.
    struct ConversionTab {
        QString identifier; // "pression"
        QString title;      // "Pressure"
        QString matrix;     // "choixPressionMatrix"
        QStringList fields; // "barField", "psiField"
        QStringList units;  // "bar", "psi"
    };
    static const QList<ConversionTab>& conversionTabs();

    // Text colours of the table rows: a value that must not be used, and
    // one within the safe range.
    static RgbaColour dangerColour();
    static RgbaColour safeColour();
    // The pieces of the GPS account: datum titles, labels, values.
    static RgbaColour titleColour();
    static RgbaColour labelColour();
    static RgbaColour valueColour();
};
