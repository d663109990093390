#pragma once

#include "platform/StyledText.h"

#include <QList>

#include <functional>
#include <optional>

class Localizer;
class Plongee;

// The synthesis report: a styled text telling one dive, or every dive, in
// full (general data, conditions, parameters, decompression, gases,
// equipment and notes), each dive closed by a line of bullets. It shows the
// stored values in the units they were typed in; "us units" only chooses
// the unit texts.
class SynthesisReport {
public:
    // The chooser's two options, by tag.
    enum Choice { SelectedDive = 0, AllDives = 1 };

    // The rows a choice reports: every row, or the selected one; none when
    // the selected dive is chosen and no row (or a row out of range) is
    // selected.
    static QList<int> rowsFor(Choice choice, int count, int selectedRow);

    // Told after each dive with the number done and the total; returning
    // false cancels the report.
    using Progress = std::function<bool(qsizetype done, qsizetype total)>;

    SynthesisReport(const Localizer& localizer, bool usUnits) : m_loc(localizer), m_us(usUnits) {}

    void appendDive(StyledText& text, const Plongee& dive) const;
    StyledText dive(const Plongee& dive) const;
    // The report of the rows given, in that order; nothing when cancelled.
    std::optional<StyledText> dives(const QList<Plongee>& all, const QList<int>& rows,
                                    const Progress& progress = {}) const;

private:
    QString tr(const char* key) const;
    void line(StyledText& t, const char* key, const QString& value) const;
    void general(StyledText& t, const Plongee& d) const;
    void conditions(StyledText& t, const Plongee& d) const;
    void parameters(StyledText& t, const Plongee& d) const;
    void decompression(StyledText& t, const Plongee& d) const;
    void gas(StyledText& t, const Plongee& d) const;
    void tank(StyledText& t, int material, int volume, int workingPressure, int start, int end,
              const QString& mix) const;
    void poniesAndBailout(StyledText& t, const Plongee& d) const;
    void equipment(StyledText& t, const Plongee& d) const;

    const Localizer& m_loc;
    bool m_us;
};
