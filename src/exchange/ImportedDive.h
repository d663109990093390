#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <optional>
#include <utility>

// One dive read from an exchange file, as plain values: what is to be typed
// into the dive form (texts of text controls, tags of choice controls) and
// the profile lists. The form then builds the dive with its usual rules.
struct ImportedDive {
    // Wall-clock day and start of the dive, as the file writes them.
    QDate day;
    QTime start;

    // Texts typed into text controls, by field index of the dive.
    QList<std::pair<int, QString>> texts;
    // Tags chosen in choice controls, by field index.
    QList<std::pair<int, int>> tags;
    // Switches turned on, by field index.
    QList<int> switchesOn;
    // Items chosen by their position in the form's choice list.
    QList<std::pair<int, int>> positions;

    // The depth, altitude and temperature texts are in metres and degrees
    // Celsius; the form converts them when it works in feet and Fahrenheit.
    bool metric = true;

    // The profile. Empty lists leave the blank form's single default
    // element (no profile, or no pressure recorded).
    QList<float> depths;
    QList<qint16> ascFlags, slowFlags, surfFlags, ceilFlags, gasFlags;
    QList<float> pressures;
    // Sampling-rate code of the profile, when the file tells it.
    std::optional<int> samplingRate;

    // Where the dive begins in its file, for messages.
    int line = 0;
    int column = 0;

    void setText(int field, const QString& text) { texts.append({field, text}); }
    void setTag(int field, int tag) { tags.append({field, tag}); }
};
