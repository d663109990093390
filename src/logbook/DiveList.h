#pragma once

#include "logbook/Plongee.h"
#include "platform/RgbaColour.h"

#include <QList>
#include <QString>
#include <optional>

class Localizer;
class SettingsStore;

// The fifteen columns of the dive list: the field each shows, the setting
// that shows or hides it and the key of its title (table "Carnet").
struct DiveListColumn {
    const char* id; // the field name, also the sort key
    const char* settingKey;
    const char* titleKey;
    int field;
};

struct DiveCellStyle {
    std::optional<RgbaColour> text; // none = the default black
    std::optional<RgbaColour> background;
    bool bold = false;
};

namespace divelist {

const QList<DiveListColumn>& columns();
int columnOf(QStringView id); // -1 for no column

// The columns whose setting is on, in list order.
QList<int> visibleColumns(const SettingsStore& settings);

} // namespace divelist

// Turns a dive into the cells of the list: the text, the picture and the
// colours of each column. It reads the settings and texts it needs once,
// when made, so that drawing a screen of cells stays cheap; make a new one
// when the settings change.
class DiveListFormatter {
public:
    DiveListFormatter(const SettingsStore& settings, const Localizer& localizer);

    QString text(const Plongee& dive, int column) const;
    // The name of the picture the cell shows ("coeur", "epave"...), or empty.
    QString picture(const Plongee& dive, int column) const;
    DiveCellStyle style(const Plongee& dive, int column) const;
    QString title(int column) const;

private:
    QString local(const char* key, const char* fallback = "error !") const;

    const Localizer& m_localizer;
    bool m_displayUnits, m_usUnits;
    bool m_foreignInColour, m_mixInColour, m_nightInColour, m_itemInColour, m_lowTemperatureInColour,
        m_depthTimeInColour;
    QString m_countryCode;
    std::optional<RgbaColour> m_foreignColour, m_lowTemperatureColour, m_depthColour, m_timeColour;
    int m_colouredTheme;
    QString m_colouredText;
    int m_lowTemperature;
    QString m_highTide, m_highTideOnly, m_lowTide, m_lowTideOnly, m_celsius, m_fahrenheit;
    QString m_computer, m_airTables, m_nitroxTables, m_runTime;
    QString m_air, m_airNx, m_airNxO2, m_airO2;
    QList<QString> m_visibility; // by visibility code 0 to 8
};
