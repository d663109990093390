#include "logbook/DiveBounds.h"

#include "platform/ArchiveFormat.h"
#include "platform/NumberText.h"

#include <cmath>

using namespace plongee;

namespace divebounds {

namespace {

constexpr Range kPerCent{0, 100};
constexpr Range kPressure{-5000, 5000}; // a negative pressure is stored after its alert
constexpr Range kVolume{0, 1000};
constexpr Range kMinutes{0, 6000};
constexpr Range kDepth{0, 2000};
constexpr Range kSwitch{0, 1};

bool isBetween(int f, int first, int last) { return f >= first && f <= last; }

QString problemText(int field, double value, const Range& range)
{
    return QStringLiteral("%1: %2 is outside %3 to %4")
        .arg(QLatin1String(Plongee::field(field).name), numbertext::shortest(value), numbertext::shortest(range.lowest),
             numbertext::shortest(range.highest));
}

template <typename T>
std::optional<Problem> checkSamples(int field, const std::optional<QList<T>>& samples, const Range& range)
{
    if (!samples)
        return std::nullopt;
    if (samples->size() > kMaxSamples)
        return Problem{field, QStringLiteral("%1: %2 samples, more than %3")
                                  .arg(QLatin1String(Plongee::field(field).name))
                                  .arg(samples->size())
                                  .arg(kMaxSamples)};
    for (qsizetype i = 0; i < samples->size(); ++i) {
        const double v = double((*samples)[i]);
        if (!range.holds(v))
            return Problem{field, QStringLiteral("%1, sample %2").arg(problemText(field, v, range)).arg(i + 1)};
    }
    return std::nullopt;
}

} // namespace

std::optional<Range> of(int f)
{
    switch (f) {
    case idx_noPlongee: return Range{0, 999999};
    case idx_coeff: return Range{0, 150};
    case idx_tempEau:
    case idx_tempAir: return Range{-50, 300};
    case idx_temps:
    case idx_deco_TTS: return kMinutes;
    case idx_altitude: return Range{-500, 30000};
    case idx_profondeur: return kDepth;
    case idx_flow: return Range{0, 100};
    case idx_lestage: return Range{0, 200};
    case idx_nocturne: return kSwitch;
    case idx_difficulte: return Range{0, 5};
    case idx_volumeBloc:
    case idx_volumeBloc_2: return kVolume;
    case idx_pressionBloc:
    case idx_pressionBloc_2:
    case idx_pressionDepart:
    case idx_pressionFin:
    case idx_pressionDepart_2:
    case idx_pressionFin_2: return kPressure;
    case idx_o2Mix:
    case idx_o2Mix_2:
    case idx_heMix:
    case idx_heMix_2: return kPerCent;
    default: break;
    }
    if (isBetween(f, idx_deco_Level_3_sw, idx_deco_Level_5_sw))
        return kSwitch;
    if (isBetween(f, idx_decoO2_Level_1, idx_decoHe_Level_5) || isBetween(f, idx_O2Bailout1, idx_HeBailout2))
        return kPerCent;
    if (isBetween(f, idx_decoDepth_Level_1, idx_decoDepth_Level_5))
        return kDepth;
    if (isBetween(f, idx_decoTime_Level_1, idx_decoTime_Level_5))
        return kMinutes;
    if (isBetween(f, idx_volPony1, idx_volPony3) || isBetween(f, idx_volBailout1, idx_volBailout2))
        return kVolume;
    if (isBetween(f, idx_pressDepartPony1, idx_pressFinPony3)
        || isBetween(f, idx_pressDepartBailout1, idx_pressFinBailout2))
        return kPressure;
    return std::nullopt;
}

bool holdsDate(const QDateTime& date)
{
    if (!date.isValid())
        return true;
    const int year = date.date().year();
    return year >= kFirstYear && year <= kLastYear;
}

const QList<MixFields>& mixes()
{
    static const QList<MixFields> all = {
        {idx_o2Mix, idx_heMix},           {idx_o2Mix_2, idx_heMix_2},
        {idx_O2Bailout1, idx_HeBailout1}, {idx_O2Bailout2, idx_HeBailout2},
        {idx_decoO2_Level_1, idx_decoHe_Level_1}, {idx_decoO2_Level_2, idx_decoHe_Level_2},
        {idx_decoO2_Level_3, idx_decoHe_Level_3}, {idx_decoO2_Level_4, idx_decoHe_Level_4},
        {idx_decoO2_Level_5, idx_decoHe_Level_5},
    };
    return all;
}

std::optional<Problem> checkField(const Plongee& dive, int f)
{
    const Plongee::Value v = dive.value(f);
    if (const auto* date = std::get_if<QDateTime>(&v); date && !holdsDate(*date))
        return Problem{f, QStringLiteral("%1: the year %2 is outside %3 to %4")
                              .arg(QLatin1String(Plongee::field(f).name))
                              .arg(date->date().year())
                              .arg(kFirstYear)
                              .arg(kLastYear)};
    if (const auto* text = std::get_if<Plongee::Text>(&v); text && *text) {
        // The archive refuses longer texts: one would make the logbook unreadable.
        const qsizetype chars = (*text)->size();
        if (chars > qsizetype(archive::kMaxStringBytes / 3) && (*text)->toUtf8().size() > qsizetype(archive::kMaxStringBytes))
            return Problem{f, QStringLiteral("%1: a text of %2 characters, more than a document holds")
                                  .arg(QLatin1String(Plongee::field(f).name))
                                  .arg(chars)};
    }
    if (const std::optional<Range> range = of(f)) {
        double number = 0;
        if (const auto* i = std::get_if<qint32>(&v))
            number = *i;
        else if (const auto* x = std::get_if<float>(&v))
            number = *x;
        if (!range->holds(number))
            return Problem{f, problemText(f, number, *range)};
    }
    for (const MixFields& mix : mixes()) {
        if (f != mix.oxygen && f != mix.helium)
            continue;
        const qint64 sum = qint64(std::get<qint32>(dive.value(mix.oxygen))) + std::get<qint32>(dive.value(mix.helium));
        if (sum > 100)
            return Problem{mix.helium, QStringLiteral("%1 and %2: %3 % of oxygen and helium together")
                                           .arg(QLatin1String(Plongee::field(mix.oxygen).name),
                                                QLatin1String(Plongee::field(mix.helium).name))
                                           .arg(sum)};
    }
    return std::nullopt;
}

std::optional<Problem> check(const Plongee& dive)
{
    for (int f = 0; f < Plongee::FieldCount; ++f)
        if (auto p = checkField(dive, f))
            return p;
    const std::pair<int, Range> samples[] = {{idx_ASC_Flag, kEventFlag}, {idx_SLOW_Flag, kEventFlag},
                                             {idx_SURF_Flag, kEventFlag}, {idx_CEIL_Flag, kEventFlag},
                                             {idx_GAZ_Flag, kGasCode}};
    if (auto p = checkSamples(idx_profilProfondeur, dive.profilProfondeur(), kSampleDepth))
        return p;
    if (auto p = checkSamples(idx_PRESS_Data, dive.PRESS_Data(), kSamplePressure))
        return p;
    for (const auto& [field, range] : samples)
        if (auto p = checkSamples(field, std::get<IntSamples>(dive.value(field)), range))
            return p;
    return std::nullopt;
}

} // namespace divebounds
