#include "stats/Statistics.h"

#include "logbook/Plongee.h"
#include "platform/Localizer.h"
#include "platform/TextFormat.h"
#include "stats/ReportStyles.h"

#include <algorithm>
#include <cmath>
#include <QLocale>

namespace {

constexpr int kNoTemperature = -50;

// The kind row of a typePlongee code; -1 for 2, 4 and codes outside 0 to 14.
int kindRow(qint32 code)
{
    using S = Statistics;
    static constexpr int rows[15] = {S::Epaves, S::Explo,  -1,         S::Photo,     -1,
                                     S::Speleo, S::Video,  S::Travail, S::Autre,     S::Derivante,
                                     S::Glace,  S::Formation, S::Bio,  S::Carriere, S::Recuperation};
    return code >= 0 && code <= 14 ? rows[code] : -1;
}

int circuitRow(qint32 code)
{
    if (code == 0)
        return Statistics::CO;
    if (code == 1)
        return Statistics::SCR;
    if (code >= 2 && code <= 4)
        return Statistics::CCR;
    return -1;
}

// Every closed-circuit dive counts as nitrox, whatever its gas.
int gasRow(qint32 circuit, qint32 gaz)
{
    if (circuit >= 2 && circuit <= 4)
        return Statistics::Nitrox;
    switch (gaz) {
    case 0: return Statistics::Air;
    case 1: return Statistics::Nitrox;
    case 2:
    case 4:
    case 5: return Statistics::Trimix;
    default: return Statistics::Heliox;
    }
}

// The band of an integer depth: 9 m or less, 10 to 19, ... 60 and more.
int depthRow(qint64 depth)
{
    if (depth <= 9)
        return Statistics::Prof1;
    return Statistics::Prof1 + int(std::min<qint64>(depth / 10, 6));
}

// The integer part of a depth, within what an integer holds.
qint64 integerDepth(float depth)
{
    if (!std::isfinite(depth))
        return 0;
    return qint64(std::clamp(double(depth), -1e12, 1e12));
}

QString tableText(const Localizer& loc, const char* key)
{
    return loc.text(QLatin1String(key), QStringLiteral("Carnet"));
}

} // namespace

const char* Statistics::countFieldOf(Category c)
{
    static const char* const names[CategoryCount] = {
        "statBioField",    "statCarriereField", "statDerivanteField", "statEpavesField", "statExploField",
        "statFormationField", "statNocturneField", "statPhotoField",   "statRecupField",  "statGlaceField",
        "statSpeleoField", "statTekField",      "statTravailField",   "statVideoField",  "statAutreField",
        "statCOField",     "statSCRField",      "statCCRField",       "statAirField",    "statNitroxField",
        "statTrimixField", "statHelioxField",   "statProf_1Field",    "statProf_2Field", "statProf_3Field",
        "statProf_4Field", "statProf_5Field",   "statProf_6Field",    "statProf_7Field"};
    return names[c];
}

const char* Statistics::valueFieldOf(Value v)
{
    static const char* const names[ValueCount] = {
        "statStateField",   "statProfMaxField", "statTempsMaxField",   "statProfTotalField",  "statTempsTotalField",
        "statProfMoyField", "statTempsMoyField", "statTempEauMinField", "statTempEauMaxField", "statTempEauMoyField"};
    return names[v];
}

const char* Statistics::shareNameOf(int share)
{
    static const char* const names[kShareCount] = {"depth_level_1", "depth_level_2", "depth_level_3", "depth_level_4",
                                                   "depth_level_5", "depth_level_6", "depth_level_7", "air",
                                                   "nitrox",        "trimix",        "heliox"};
    return names[share];
}

Statistics::Category Statistics::shareCategory(int share)
{
    return share < 7 ? Category(Prof1 + share) : Category(Air + share - 7);
}

Statistics Statistics::compute(const QList<Plongee>& dives, const StartingValues& start, bool previous)
{
    Statistics s;
    s.m_previous = previous;
    const auto initial = [&](const QString& key) { return previous ? start.count(key) : 0; };
    for (int c = 0; c < CategoryCount; ++c)
        s.m_counts[c] = initial(keyOf(Category(c)));
    qint64 profMax = initial(StartingValues::kProfMax);
    qint64 tempsMax = initial(StartingValues::kTempsMax);
    qint64 profTotal = initial(StartingValues::kTotalProfondeur);
    qint64 tempsTotal = initial(StartingValues::kTotalTemps);
    const qint64 n = initial(StartingValues::kTotalPlongees) + dives.size();
    // Only a starting temperature that was given takes part in the extremes.
    std::optional<qint64> tempMin = previous ? start.value(StartingValues::kTemperatureMin) : std::nullopt;
    std::optional<qint64> tempMax = previous ? start.value(StartingValues::kTemperatureMax) : std::nullopt;
    qint64 tempSum = 0, tempCount = 0;

    for (const Plongee& dive : dives) {
        if (const int row = kindRow(dive.typePlongee()); row >= 0)
            ++s.m_counts[row];
        if (dive.nocturne() == 1)
            ++s.m_counts[Nocturne];
        if (dive.configuration() == 1)
            ++s.m_counts[Tek];
        if (const int row = circuitRow(dive.rebreather()); row >= 0)
            ++s.m_counts[row];
        ++s.m_counts[gasRow(dive.rebreather(), dive.gaz())];
        const qint64 depth = integerDepth(dive.profondeur());
        profMax = std::max(profMax, depth);
        ++s.m_counts[depthRow(depth)];
        profTotal += depth;
        tempsMax = std::max<qint64>(tempsMax, dive.temps());
        tempsTotal += dive.temps();
        const qint32 t = dive.tempEau();
        if (t != kNoTemperature) {
            tempSum += t;
            ++tempCount;
            tempMin = tempMin ? std::min<qint64>(*tempMin, t) : t;
            tempMax = tempMax ? std::max<qint64>(*tempMax, t) : t;
        }
    }
    const qint64 d = n == 0 ? 1 : n;
    s.m_values[TotalDives] = n;
    s.m_values[ProfMax] = profMax;
    s.m_values[TempsMax] = tempsMax;
    s.m_values[ProfTotal] = profTotal;
    s.m_values[TempsTotal] = tempsTotal;
    s.m_values[ProfMoy] = profTotal / d;
    s.m_values[TempsMoy] = tempsTotal / d;
    s.m_values[TempEauMin] = tempMin;
    s.m_values[TempEauMax] = tempMax;
    if (tempCount > 0)
        s.m_values[TempEauMoy] = tempSum / tempCount;
    return s;
}

float Statistics::percent(Category c) const
{
    const qint64 n = *m_values[TotalDives];
    return float(m_counts[c]) / float(n == 0 ? 1 : n) * 100.0f;
}

std::array<float, Statistics::kShareCount> Statistics::shares() const
{
    std::array<float, kShareCount> result{};
    const qint64 n = *m_values[TotalDives];
    if (n <= 0)
        return result;
    for (int i = 0; i < kShareCount; ++i)
        result[i] = float(m_counts[shareCategory(i)]) / float(n) * 100.0f;
    return result;
}

QString Statistics::percentText(Category c) const
{
    return QString::asprintf(c == Video ? " %.1f %%" : "%.1f %%", double(percent(c)));
}

QString Statistics::valueText(Value v, const Localizer& loc) const
{
    const std::optional<qint64> value = m_values[v];
    if (!value)
        return loc.text(QStringLiteral("No value"), QStringLiteral("Main"), QStringLiteral("-"));
    const qint64 x = *value;
    switch (v) {
    case TotalDives: return formatText(tableText(loc, "Total dives"), {x});
    case ProfMax:
    case ProfTotal:
    case ProfMoy: return QStringLiteral("%1 m").arg(x);
    case TempsMax:
    case TempsMoy: return QStringLiteral("%1 min.").arg(x);
    case TempsTotal: {
        const qint64 hours = x / 60;
        return QString::asprintf("%lld h %.2lld min.\n(%lld min.)", hours, x - 60 * hours, x);
    }
    case TempEauMin:
    case TempEauMax:
    case TempEauMoy: return formatText(tableText(loc, "Celsius"), {x});
    case ValueCount: break;
    }
    return QString();
}

StyledText Statistics::text(const Localizer& loc, const QString& fileName, const QDateTime& now) const
{
    using namespace reportstyles;
    StyledText t;
    t.append(tableText(loc, "Statistics header"), header());
    t.append(QStringLiteral("\n\n") + valueText(TotalDives, loc), reportstyles::value());
    if (!m_previous)
        t.append(tableText(loc, "Statistics no prev dives"), label());
    const auto rows = [&](const char* title, std::initializer_list<std::pair<Category, const char*>> list) {
        t.append(tableText(loc, title), sectionTitle());
        for (const auto& [c, key] : list) {
            t.append(tableText(loc, key), label());
            t.append(QStringLiteral("%1\t\t(%2)").arg(m_counts[c]).arg(percentText(c)), reportstyles::value());
        }
    };
    rows("Statistics dive type", {{Bio, "Statistics bio"},
                                  {Carriere, "Statistics quarry"},
                                  {Derivante, "Statistics drift"},
                                  {Epaves, "Statistics wrecks"},
                                  {Explo, "Statistics recreational"},
                                  {Formation, "Statistics training"},
                                  {Nocturne, "Statistics night"},
                                  {Photo, "Statistics photo"},
                                  {Recuperation, "Statistics recuperation"},
                                  {Glace, "Statistics ice"},
                                  {Speleo, "Statistics cave"},
                                  {Tek, "Statistics tek"},
                                  {Travail, "Statistics work"},
                                  {Video, "Statistics video"},
                                  {Autre, "Statistics other"}});
    rows("Statistics gas", {{Air, "Statistics air"},
                            {Nitrox, "Statistics nitrox"},
                            {Trimix, "Statistics trimix"},
                            {Heliox, "Statistics heliox"}});
    rows("Statistics depth", {{Prof1, "Statistics prof_1"},
                              {Prof2, "Statistics prof_2"},
                              {Prof3, "Statistics prof_3"},
                              {Prof4, "Statistics prof_4"},
                              {Prof5, "Statistics prof_5"},
                              {Prof6, "Statistics prof_6"},
                              {Prof7, "Statistics prof_7"}});
    t.append(tableText(loc, "Statistics min max"), sectionTitle());
    const std::pair<Value, const char*> summary[] = {
        {ProfMax, "Statistics prof max"},   {TempsMax, "Statistics temps max"}, {ProfTotal, "Statistics somme prof"},
        {TempsTotal, "Statistics somme temps"}, {ProfMoy, "Statistics prof moy"}, {TempsMoy, "Statistics temps moy"},
        {TempEauMin, "Statistics temp min"}, {TempEauMax, "Statistics temp max"}, {TempEauMoy, "Statistics temp moy"}};
    for (const auto& [v, key] : summary) {
        t.append(tableText(loc, key), label());
        t.append(valueText(v, loc), reportstyles::value());
    }
    t.append(tableText(loc, "Statistics current"), label());
    t.append(QStringLiteral("\nFile dir : %1").arg(fileName), header());
    t.append(QStringLiteral("\n\nEdition date : %1").arg(QLocale::c().toString(now, QLocale::LongFormat)), header());
    return t;
}
