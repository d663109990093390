#pragma once

#include "platform/RgbaColour.h"

#include <QHash>
#include <QList>
#include <QString>

// What one run of a calculator action shows: the text of each output control
// by field name, the text colour of the controls it colours, and, for a
// styled text view, the colours of the consecutive pieces of its text.
struct CalculatorResult {
    struct Run {
        qsizetype length; // characters of the text, following the run before
        RgbaColour colour;
    };

    QHash<QString, QString> texts;
    // Only the controls whose colour this run sets: a control that the rules
    // colour but that is missing here keeps the colour it had.
    QHash<QString, RgbaColour> colours;
    QHash<QString, QList<Run>> styledTexts;
};
