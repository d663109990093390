#include "logbook/DiveList.h"

#include "platform/Localizer.h"
#include "platform/NumberText.h"
#include "platform/SettingsStore.h"
#include "platform/TextFormat.h"

using namespace plongee;

namespace divelist {

const QList<DiveListColumn>& columns()
{
    static const QList<DiveListColumn> list = {
        {"noPlongee", "column numero", "Column number", idx_noPlongee},
        {"date", "column date", "Column date", idx_date},
        {"lieu", "column lieu", "Column place", idx_lieu},
        {"site", "column site", "Column site", idx_site},
        {"heure", "column heure", "Column time of day", idx_heure},
        {"profondeur", "column profondeur", "Column depth", idx_profondeur},
        {"temps", "column temps", "Column dive time", idx_temps},
        {"tempEau", "column temp eau", "Column water temperature", idx_tempEau},
        {"deco", "column deco", "Column decompression", idx_deco},
        {"coeff", "column coeff", "Column tide", idx_coeff},
        {"visibilite", "column visibilite", "Column visibility", idx_visibilite},
        {"epaves", "column_epave", "Column wreck", idx_epaves},
        {"inoubliable", "column inoubliable", "Column memory", idx_inoubliable},
        {"gaz", "column gaz", "Column gas", idx_gaz},
        {"rebreather", "column scaph", "Column apparatus", idx_rebreather},
    };
    return list;
}

int columnOf(QStringView id)
{
    const auto& list = columns();
    for (qsizetype i = 0; i < list.size(); ++i)
        if (id == QLatin1String(list[i].id))
            return int(i);
    return -1;
}

QList<int> visibleColumns(const SettingsStore& settings)
{
    QList<int> shown;
    const auto& list = columns();
    for (qsizetype i = 0; i < list.size(); ++i)
        if (settings.boolValue(QLatin1String(list[i].settingKey)))
            shown.append(int(i));
    return shown;
}

} // namespace divelist

namespace {

const RgbaColour kGreen = RgbaColour::rgb(0, 0.7, 0);
const RgbaColour kYellow = RgbaColour::rgb(1, 1, 0);
const RgbaColour kBrown = RgbaColour::rgb(0.6, 0.4, 0.2);
const RgbaColour kWhite = RgbaColour::rgb(1, 1, 1);
const RgbaColour kBlack = RgbaColour::rgb(0, 0, 0);
const RgbaColour kGrey = RgbaColour::rgb(0.5, 0.5, 0.5);
const RgbaColour kRed = RgbaColour::rgb(1, 0, 0);
const RgbaColour kDarkBlue = RgbaColour::rgb(0, 0, 0.3);
const RgbaColour kBrownGrey = RgbaColour::rgb(0.4, 0.2, 0);

const char* const kSetPoints[] = {"...",     "1,2 bar", "1,3 bar", "1,4 bar", "1,5 bar", "1,6 bar",
                                  "1,1 bar", "1,0 bar", "0,9 bar", "0,8 bar", "0,7 bar"};

QString setPointText(int tag)
{
    return QLatin1String(tag >= 1 && tag <= 10 ? kSetPoints[tag] : kSetPoints[0]);
}

bool closedCircuit(int apparatus) { return apparatus == 2 || apparatus == 3; }

void paint(DiveCellStyle& s, std::optional<RgbaColour> background, std::optional<RgbaColour> text, bool bold)
{
    s.background = background;
    s.text = text;
    s.bold = bold;
}

} // namespace

DiveListFormatter::DiveListFormatter(const SettingsStore& settings, const Localizer& localizer)
    : m_localizer(localizer)
{
    m_displayUnits = settings.boolValue(QStringLiteral("display units"));
    m_usUnits = settings.boolValue(QStringLiteral("us units"));
    m_foreignInColour = settings.boolValue(QStringLiteral("foreign in color"));
    m_mixInColour = settings.boolValue(QStringLiteral("mix in color"));
    m_nightInColour = settings.boolValue(QStringLiteral("nocturnes in color"));
    m_itemInColour = settings.boolValue(QStringLiteral("color item"));
    m_lowTemperatureInColour = settings.boolValue(QStringLiteral("low temperature in color"));
    m_depthTimeInColour = settings.boolValue(QStringLiteral("depth time in color"));
    m_countryCode = settings.stringValue(QStringLiteral("country code"));
    m_foreignColour = settings.colourValue(QStringLiteral("foreign color"));
    m_lowTemperatureColour = settings.colourValue(QStringLiteral("low temperature color"));
    m_depthColour = settings.colourValue(QStringLiteral("depth color"));
    m_timeColour = settings.colourValue(QStringLiteral("time color"));
    m_colouredTheme = settings.intValue(QStringLiteral("coloured theme"));
    m_colouredText = settings.stringValue(QStringLiteral("coloured text"));
    m_lowTemperature = settings.intValue(QStringLiteral("low temperature value"));

    m_highTide = local("TableView high tide", "N/A");
    m_highTideOnly = local("TableView high tide only", "N/A");
    m_lowTide = local("TableView low tide", "N/A");
    m_lowTideOnly = local("TableView low tide only", "N/A");
    m_celsius = local("Celsius");
    m_fahrenheit = local("Farenheit");
    m_computer = local("TableView computer");
    m_airTables = local("TableView air tables");
    m_nitroxTables = local("TableView nitrox tables");
    m_runTime = local("Run time");
    m_air = local("Air");
    m_airNx = local("TableView air Nx");
    m_airNxO2 = local("TableView air Nx O2");
    m_airO2 = local("TableView air O2");
    for (const char* key : {"TableView excellent", "TableView very good", "TableView good", "TableView medium",
                            "TableView bad", "TableView very bad", "TableView execrable", "", "TableView exceptional"})
        m_visibility.append(*key ? local(key) : QString());
}

QString DiveListFormatter::local(const char* key, const char* fallback) const
{
    return m_localizer.text(QLatin1String(key), QStringLiteral("Carnet"), QLatin1String(fallback));
}

QString DiveListFormatter::title(int column) const { return local(divelist::columns()[column].titleKey); }

QString DiveListFormatter::text(const Plongee& d, int column) const
{
    switch (divelist::columns()[column].field) {
    case idx_noPlongee: return QString::number(d.noPlongee());
    case idx_date: return d.date().isValid() ? d.date().toLocalTime().toString(QStringLiteral("dd/MM/yyyy")) : QString();
    case idx_lieu: return d.lieu().value_or(QString());
    case idx_site: return d.site().value_or(QString());
    case idx_heure: return d.heure().isValid() ? d.heure().toLocalTime().toString(QStringLiteral("HH:mm")) : QString();
    case idx_profondeur: {
        const QString depth = numbertext::shortest(d.profondeur());
        if (!m_displayUnits)
            return depth;
        return depth + (m_usUnits ? QStringLiteral(" ft") : QStringLiteral(" m"));
    }
    case idx_temps:
        return m_displayUnits ? QString::number(d.temps()) + QStringLiteral(" '") : QString::number(d.temps());
    case idx_tempEau:
        if (d.tempEau() == -50)
            return QStringLiteral("-");
        return formatText(m_usUnits ? m_fahrenheit : m_celsius, {d.tempEau()});
    case idx_deco:
        switch (d.deco()) {
        case 0: return m_computer;
        case 1: return m_airTables;
        case 2: return m_nitroxTables;
        case 3: return m_runTime;
        default: return QString::number(d.deco());
        }
    case idx_coeff:
        if (d.pmBm() == 1)
            return d.coeff() == 0 ? formatText(m_highTideOnly, {0}) : formatText(m_highTide, {d.coeff()});
        if (d.pmBm() == 2)
            return d.coeff() != 0 ? formatText(m_lowTide, {d.coeff()}) : formatText(m_lowTideOnly, {0});
        return d.coeff() == 0 ? QStringLiteral("-") : QString::number(d.coeff());
    case idx_visibilite: {
        const int v = d.visibilite();
        return v >= 0 && v < m_visibility.size() ? m_visibility[v] : QString();
    }
    case idx_epaves:
    case idx_inoubliable: return QString();
    case idx_gaz: {
        const int stop1 = d.decoO2_Level_1(), stop2 = d.decoO2_Level_2();
        const bool ccr = closedCircuit(d.rebreather());
        switch (d.gaz()) {
        case 0:
            if (stop1 < 22 && stop2 <= 21 && !ccr)
                return m_air;
            if (stop1 < 98 && stop2 < 98 && !ccr)
                return m_airNx;
            if (stop1 >= 98 && stop2 >= 23)
                return m_airNxO2;
            if (!ccr)
                return m_airO2;
            return setPointText(d.ppO2());
        case 1:
            if (d.deco_Level_1_sw() == 1 && stop1 >= 98)
                return QStringLiteral("O2");
            return formatText(QStringLiteral("Nx %@"), {d.o2Mix()});
        case 2:
        case 4:
        case 5: return formatText(QStringLiteral("Tx %@/%@"), {d.o2Mix(), d.heMix()});
        case 3: return formatText(QStringLiteral("Heliox %@"), {d.o2Mix()});
        default: return QString::number(d.gaz());
        }
    }
    case idx_rebreather: {
        static const char* const names[] = {"OC", "SCR", "mCCR", "eCCR", "hCCR"};
        const int r = d.rebreather();
        return r >= 0 && r <= 4 ? QLatin1String(names[r]) : QString::number(r);
    }
    default: return QString();
    }
}

QString DiveListFormatter::picture(const Plongee& d, int column) const
{
    const int field = divelist::columns()[column].field;
    if (field == idx_epaves)
        return d.epaves() && !d.epaves()->isEmpty() ? QStringLiteral("epave") : QString();
    if (field == idx_inoubliable) {
        static const char* const names[] = {"", "coeur", "point", "croix", "death"};
        const int m = d.inoubliable();
        return m >= 1 && m <= 4 ? QLatin1String(names[m]) : QString();
    }
    return QString();
}

DiveCellStyle DiveListFormatter::style(const Plongee& d, int column) const
{
    DiveCellStyle s;
    const int field = divelist::columns()[column].field;

    if (m_foreignInColour && field != idx_epaves && field != idx_inoubliable) {
        // A dive without a code is not foreign.
        const bool foreign = d.countryCode() && !d.countryCode()->isEmpty() && *d.countryCode() != m_countryCode;
        paint(s, foreign ? m_foreignColour : std::nullopt, std::nullopt, false);
    }
    if (m_mixInColour) {
        const bool openCircuit = d.rebreather() == 0;
        const bool oxygenStop = d.decoO2_Level_1() >= 98;
        const int r = d.rebreather();
        if (field == idx_noPlongee) {
            if (d.gaz() == 1 && openCircuit)
                paint(s, kGreen, kYellow, true);
            else if (d.gaz() >= 2 && d.gaz() <= 5 && openCircuit)
                paint(s, kBrown, kWhite, true);
            else if (oxygenStop)
                paint(s, kBlack, kWhite, true);
            else if (r == 1)
                paint(s, kGrey, kYellow, true);
            else if (r >= 2 && r <= 4)
                paint(s, kBlack, kYellow, true);
            else
                paint(s, std::nullopt, kBrownGrey, true);
        } else if (field == idx_gaz) {
            if (d.gaz() == 1)
                paint(s, kGreen, kYellow, true);
            else if (d.gaz() >= 2 && d.gaz() <= 5)
                paint(s, kBrown, kWhite, true);
            else if (r >= 2 && r <= 4)
                paint(s, kBlack, kYellow, false);
            else if (oxygenStop)
                paint(s, kBlack, kWhite, true);
            else
                paint(s, std::nullopt, std::nullopt, false);
        }
    }
    if (m_nightInColour && field == idx_visibilite) {
        if (d.nocturne() == 1)
            paint(s, kDarkBlue, kWhite, false);
        else
            paint(s, std::nullopt, std::nullopt, false);
    }
    if (m_itemInColour) {
        const int highlighted = m_colouredTheme == 0 ? idx_lieu : m_colouredTheme == 1 ? idx_site : idx_visibilite;
        if (field == highlighted) {
            // Only a text equals a text: the visibility column holds numbers.
            const Plongee::Text value = field == idx_lieu ? d.lieu() : field == idx_site ? d.site() : Plongee::Text();
            if (value && *value == m_colouredText) {
                s.text = kRed;
                s.bold = true;
            } else {
                s.text.reset();
                s.bold = false;
            }
        }
    }
    if (m_lowTemperatureInColour && field == idx_tempEau)
        s.text = d.tempEau() < m_lowTemperature ? m_lowTemperatureColour : std::nullopt;
    if (m_depthTimeInColour && field == idx_profondeur)
        s.text = m_depthColour;
    if (m_depthTimeInColour && field == idx_temps)
        s.text = m_timeColour;
    return s;
}
