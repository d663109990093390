#include "exchange/ImportBounds.h"

#include "exchange/UddfValues.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

using namespace plongee;

namespace importbounds {

namespace {

QString fieldName(int field) { return QLatin1String(Plongee::field(field).name); }

std::optional<divebounds::Range> rangeOf(int field)
{
    if (field == idx_tempAir || field == idx_tempEau)
        return kCelsius;
    return divebounds::of(field);
}

std::optional<QString> yearProblem(const QDate& day)
{
    if (!day.isValid())
        return QStringLiteral("the dive has no valid date");
    if (day.year() < divebounds::kFirstYear || day.year() > divebounds::kLastYear)
        return QStringLiteral("the year %1 is outside %2 to %3")
            .arg(day.year())
            .arg(divebounds::kFirstYear)
            .arg(divebounds::kLastYear);
    return std::nullopt;
}

// The number at the start of a text as the form reads it; nothing when the
// text starts with none (the form then keeps its default).
std::optional<double> formNumber(const QString& text)
{
    bool ok = false;
    const double v = numbertext::leadingDouble(text, &ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

std::optional<QString> textProblem(const ImportedDive& dive)
{
    for (const auto& [field, text] : dive.texts) {
        const auto range = rangeOf(field);
        const auto v = range ? formNumber(text) : std::nullopt;
        if (!v)
            continue;
        const QString why = outside(*v, *range);
        if (!why.isEmpty())
            return QStringLiteral("%1: %2").arg(fieldName(field), why);
    }
    return std::nullopt;
}

// The last text given for a field, as the form keeps the last one typed.
std::optional<double> lastNumber(const ImportedDive& dive, int field)
{
    for (qsizetype i = dive.texts.size(); i-- > 0;)
        if (dive.texts[i].first == field)
            return formNumber(dive.texts[i].second);
    return std::nullopt;
}

std::optional<QString> mixProblem(const ImportedDive& dive)
{
    for (const divebounds::MixFields& mix : divebounds::mixes()) {
        const auto oxygen = lastNumber(dive, mix.oxygen), helium = lastNumber(dive, mix.helium);
        if (oxygen && helium && *oxygen + *helium > 100)
            return QStringLiteral("%1 and %2: %3 % of oxygen and helium together")
                .arg(fieldName(mix.oxygen), fieldName(mix.helium), numbertext::shortest(*oxygen + *helium));
    }
    return std::nullopt;
}

template <typename T>
std::optional<QString> samplesProblem(int field, const QList<T>& samples, const divebounds::Range& range)
{
    if (samples.size() > divebounds::kMaxSamples)
        return QStringLiteral("%1: %2 samples, more than %3").arg(fieldName(field)).arg(samples.size()).arg(divebounds::kMaxSamples);
    for (qsizetype i = 0; i < samples.size(); ++i)
        if (!range.holds(double(samples[i])))
            return QStringLiteral("%1, sample %2: %3")
                .arg(fieldName(field))
                .arg(i + 1)
                .arg(outside(double(samples[i]), range));
    return std::nullopt;
}

std::optional<QString> profileProblem(const ImportedDive& d)
{
    if (auto p = samplesProblem(idx_profilProfondeur, d.depths, divebounds::kSampleDepth))
        return p;
    if (auto p = samplesProblem(idx_PRESS_Data, d.pressures, divebounds::kSamplePressure))
        return p;
    const std::pair<int, const QList<qint16>*> flags[] = {{idx_ASC_Flag, &d.ascFlags},
                                                           {idx_SLOW_Flag, &d.slowFlags},
                                                           {idx_SURF_Flag, &d.surfFlags},
                                                           {idx_CEIL_Flag, &d.ceilFlags}};
    for (const auto& [field, list] : flags)
        if (auto p = samplesProblem(field, *list, divebounds::kEventFlag))
            return p;
    return samplesProblem(idx_GAZ_Flag, d.gasFlags, divebounds::kGasCode);
}

} // namespace

QString outside(double value, const divebounds::Range& range)
{
    if (range.holds(value))
        return QString();
    // Ten digits tell any value in a message: whole 32-bit numbers in full,
    // and 1e+35 bar rather than 1.0000000000000002e+35.
    const auto text = [](double v) { return QString::number(v, 'g', 10); };
    return QStringLiteral("%1 is outside %2 to %3").arg(text(value), text(range.lowest), text(range.highest));
}

Number read(QByteArrayView text, const divebounds::Range& range, double scale)
{
    if (text.trimmed().isEmpty())
        return {};
    const auto v = uddfvalues::number(text);
    if (!v)
        return Number{std::nullopt, QStringLiteral("\"%1\" is no number").arg(QString::fromUtf8(text.trimmed().first(std::min<qsizetype>(32, text.trimmed().size()))))};
    return Number{*v, outside(*v * scale, range)};
}

std::optional<QString> problem(const ImportedDive& dive)
{
    if (auto p = yearProblem(dive.day))
        return p;
    if (auto p = textProblem(dive))
        return p;
    if (auto p = mixProblem(dive))
        return p;
    return profileProblem(dive);
}

} // namespace importbounds
