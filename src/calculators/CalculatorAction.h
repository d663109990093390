#pragma once

#include "calculators/CalculatorField.h"
#include "calculators/CalculatorInputs.h"
#include "calculators/CalculatorResult.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class Localizer;

// One action of a calculator window (its compute button), headless: its
// window, its input controls and its output controls by field name, and the
// computation from typed texts to shown texts and colours. The windows and
// the command line both run it, so both show the same figures.
struct CalculatorAction {
    using Compute = CalculatorResult (*)(const CalculatorInputs& inputs, const Localizer& texts);

    QString name;    // "profMax"
    QString window;  // "Nitrox Prof Max"
    QString command; // "displayProfMaxWindow"
    QList<CalculatorField> inputs;
    QStringList outputs;
    QStringList colouredOutputs; // outputs whose text colour the action sets
    Compute compute = nullptr;

    const CalculatorField* input(const QString& field) const;
    // Runs the action on the typed texts; a choice with an empty or unknown
    // text takes its default selection, fields that are not inputs are
    // not read.
    CalculatorResult run(const QHash<QString, QString>& typed, const Localizer& texts) const;
};
