#pragma once

#include "platform/StyledText.h"
#include "stats/StartingValues.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>
#include <optional>

class Localizer;
class Plongee;

// The career statistics of a logbook: its dives counted by kind, circuit,
// gas and depth band, the deepest and longest dive, totals and averages and
// the water temperatures, with the diver's starting values added unless
// they are left out. A pure function of the dives and the starting values.
class Statistics {
public:
    // The categories, in the order of their starting-value keys.
    enum Category {
        Bio, Carriere, Derivante, Epaves, Explo, Formation, Nocturne, Photo, Recuperation, Glace, Speleo, Tek,
        Travail, Video, Autre,
        CO, SCR, CCR,
        Air, Nitrox, Trimix, Heliox,
        Prof1, Prof2, Prof3, Prof4, Prof5, Prof6, Prof7,
        CategoryCount
    };
    // The summary values, each with the statistics window's field.
    enum Value {
        TotalDives, ProfMax, TempsMax, ProfTotal, TempsTotal, ProfMoy, TempsMoy, TempEauMin, TempEauMax, TempEauMoy,
        ValueCount
    };

    static QString keyOf(Category c) { return StartingValues::keys()[c]; }
    static const char* countFieldOf(Category c);   // "statBioField", ...
    static const char* valueFieldOf(Value v);      // "statStateField", ...
    // The graph's eleven shares: depth bands 1 to 7, then air, nitrox,
    // trimix and heliox.
    static constexpr int kShareCount = 11;
    static const char* shareNameOf(int share);     // "depth_level_1", ... "heliox"
    static Category shareCategory(int share);

    // With previous false the starting values are left out.
    static Statistics compute(const QList<Plongee>& dives, const StartingValues& start, bool previous);

    bool previousCounted() const { return m_previous; }
    qint64 count(Category c) const { return m_counts[c]; }
    // count / N x 100 in single precision, N taken as 1 for no dive.
    float percent(Category c) const;
    // Each value; the temperatures have none when no dive and no starting
    // value gives one.
    std::optional<qint64> value(Value v) const { return m_values[v]; }
    // The eleven shares of the graph: count / N x 100 (0 for no dive).
    std::array<float, kShareCount> shares() const;

    // The texts of the statistics window's fields.
    QString percentText(Category c) const;
    QString valueText(Value v, const Localizer& localizer) const;

    // The statistics as a styled text: header, counts by kind, gas and
    // depth, extremes and averages, the logbook's file name and the time
    // it was made.
    StyledText text(const Localizer& localizer, const QString& fileName, const QDateTime& now) const;

private:
    bool m_previous = true;
    std::array<qint64, CategoryCount> m_counts{};
    std::array<std::optional<qint64>, ValueCount> m_values{};
};
