#include "calculators/CalculatorActions.h"

#include "calculators/CalculatorFormat.h"
#include "calculators/GpsDatumConverter.h"
#include "calculators/NitroxCalculator.h"
#include "calculators/RebreatherCalculator.h"
#include "calculators/SexagesimalText.h"
#include "calculators/TrimixCalculator.h"
#include "calculators/UnitConverter.h"
#include "platform/Localizer.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>

namespace {

using Item = CalculatorField::Item;

const QString kNitrox = QStringLiteral("Nitrox");
const QString kTrimix = QStringLiteral("Trimix");
const QString kRebreather = QStringLiteral("Rebreather");
const QString kMain = QStringLiteral("Main");

// The localised format of `key` in `table`, filled with the arguments.
QString localised(const Localizer& texts, const QString& key, const QString& table,
                  std::initializer_list<double> args = {})
{
    return CalculatorFormat::fill(texts.text(key, table), args);
}

QString noValidData(const Localizer& texts)
{
    return texts.text(QStringLiteral("No valid datas"), kMain);
}

// --- Reading the inputs ---------------------------------------------------------

using Range = CalculatorInputs::Range;

const QStringList kMetres{QStringLiteral("m")};
const QStringList kBar{QStringLiteral("bar")};
const QStringList kLitresPerMinute{QStringLiteral("l/min"), QStringLiteral("L/min")};

Range depth() { return Range::notNegative(kMetres); }
Range pressure() { return Range::notNegative(kBar); }

// A figure that can be shown: a finite number, and, for a depth, a time or
// a flow, not below 0.
std::optional<double> figure(double value)
{
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> notNegativeFigure(double value)
{
    return std::isfinite(value) && value >= 0.0 ? std::optional<double>(value) : std::nullopt;
}

// A mix part in per cent, from 0 to 100.
std::optional<double> mixFigure(double percent)
{
    return std::isfinite(percent) && percent >= 0.0 && percent <= 100.0 ? std::optional<double>(percent)
                                                                         : std::nullopt;
}

CalculatorResult single(const QString& field, const QString& text)
{
    CalculatorResult r;
    r.texts.insert(field, text);
    return r;
}

// --- Nitrox -------------------------------------------------------------------

const QString kResultat = QStringLiteral("resultatField");

double ppO2Limit(const CalculatorInputs& in)
{
    return NitroxCalculator::ppO2Limit(in.integer(QStringLiteral("ppO2PopUp"), -1));
}

CalculatorResult profMax(const CalculatorInputs& in, const Localizer& texts)
{
    const auto fo2 = in.reading(QStringLiteral("fracO2Field"), Range::fraction());
    const auto mod = fo2 ? notNegativeFigure(NitroxCalculator::maximumDepth(*fo2, ppO2Limit(in))) : std::nullopt;
    return single(kResultat, mod ? CalculatorFormat::fill(QStringLiteral("MOD : %.1f m"), {*mod}) : noValidData(texts));
}

CalculatorResult bestMix(const CalculatorInputs& in, const Localizer& texts)
{
    // Shallower than the limit allows even for pure oxygen, the mix would
    // be above 100 %: no such mix.
    const auto d = in.reading(QStringLiteral("profondeurMaxField"), depth());
    const auto fo2 = d ? mixFigure(NitroxCalculator::bestMix(*d, ppO2Limit(in))) : std::nullopt;
    return single(kResultat, fo2 ? localised(texts, QStringLiteral("Best Mix"), kNitrox, {*fo2}) : noValidData(texts));
}

CalculatorResult profEquivalente(const CalculatorInputs& in, const Localizer& texts)
{
    // An equivalent depth may lie above the surface (a rich mix breathed
    // shallow holds less nitrogen than air at the surface): it is shown.
    const auto fo2 = in.reading(QStringLiteral("fracO2Field"), Range::fraction());
    const auto d = in.reading(QStringLiteral("profondeurField"), depth());
    const auto ead = fo2 && d ? figure(NitroxCalculator::equivalentAirDepth(*fo2, *d)) : std::nullopt;
    return single(kResultat, ead ? CalculatorFormat::fill(QStringLiteral("EAD : %.1f m"), {*ead}) : noValidData(texts));
}

CalculatorResult oxygenWindow(const CalculatorInputs& in, const Localizer& texts)
{
    const auto fo2 = in.reading(QStringLiteral("winFO2"), Range::fraction());
    const auto minimum = in.reading(QStringLiteral("winMinPpO2"), pressure());
    const QString field = QStringLiteral("winResult");
    if (!fo2 || !minimum)
        return single(field, noValidData(texts));
    const auto w = NitroxCalculator::oxygenWindow(*fo2, *minimum);
    // A mix that gives the minimum pressure at the surface already may be
    // breathed from the surface on; one leaner than air holds more nitrogen
    // than air at the surface at any depth, so its limit is the surface.
    const auto deepest = notNegativeFigure(w.maximumDepth);
    const auto shallowest = figure(std::max(w.minimumDepth, 0.0));
    const auto limit = figure(std::max(w.limitDepth, 0.0));
    if (!deepest || !shallowest || !limit)
        return single(field, noValidData(texts));
    return single(field, localised(texts, QStringLiteral("Oxygen window"), kNitrox, {*deepest, *shallowest, *limit}));
}

CalculatorResult blendNitrox(const CalculatorInputs& in, const Localizer& texts)
{
    const auto pi = in.reading(QStringLiteral("pressionInitialeField"), pressure());
    const auto pf = in.reading(QStringLiteral("pressionFinaleField"), pressure());
    // What is left in the tank may hold no oxygen at all (an empty tank).
    const auto fi = in.reading(QStringLiteral("fracO2InitialeField"), {0.0, 100.0, true, true, {QStringLiteral("%")}});
    const auto ff = in.reading(QStringLiteral("fracO2FinaleField"), Range::fraction());
    // Nothing to add (a final pressure not above the initial one) is no blend to compute.
    if (!pi || !pf || !fi || !ff || !(*pf > *pi))
        return single(kResultat, noValidData(texts));
    const auto b = NitroxCalculator::blend(*pi, *pf, *fi, *ff);
    const bool shown = b.reachable && std::isfinite(b.addedFraction);
    return single(kResultat, shown ? localised(texts, QStringLiteral("Oxygen to transfer"), kNitrox,
                                               {b.oxygenToAdd, b.addedFraction})
                                   : texts.text(QStringLiteral("No blend"), kNitrox));
}

// --- Trimix -------------------------------------------------------------------

CalculatorResult calcEadEnd(const CalculatorInputs& in, const Localizer& texts)
{
    const auto d = in.reading(QStringLiteral("profondeurMaxField"), depth());
    const auto o2 = in.reading(QStringLiteral("fracO2TxField"), Range::fraction());
    const auto he = in.reading(QStringLiteral("fracHeTxField"), {0.0, 100.0, true, false, {QStringLiteral("%")}});
    if (!d || !o2 || !he || *o2 + *he > 100.0)
        return single(kResultat, noValidData(texts));
    const auto e = TrimixCalculator::equivalentDepths(*d, *o2, *he);
    // The narcotic depth, like the air depth of nitrox, may lie above the surface.
    const auto ead = notNegativeFigure(e.airDepth);
    const auto end = figure(e.narcoticDepth);
    return single(kResultat, ead && end ? localised(texts, QStringLiteral("EAD END"), kTrimix, {*ead, *end})
                                        : noValidData(texts));
}

CalculatorResult profMin(const CalculatorInputs& in, const Localizer& texts)
{
    const auto o2 = in.reading(QStringLiteral("fracO2TxField"), Range::fraction());
    const auto d = o2 ? TrimixCalculator::minimumDepth(*o2) : std::nullopt;
    return single(kResultat, d ? localised(texts, QStringLiteral("Prof min"), kTrimix, {*d}) : noValidData(texts));
}

// Below this oxygen pressure a gas does not keep a diver conscious.
constexpr double kHypoxicPpO2 = 0.16;

CalculatorResult calcBestTx(const CalculatorInputs& in, const Localizer& texts)
{
    const auto d = in.reading(QStringLiteral("depthTxField"), depth());
    const auto end = in.reading(QStringLiteral("ENDField"), depth());
    const auto ppO2 = in.reading(QStringLiteral("ppO2Field"), Range::notNegative(kBar));
    if (!d || !end || !ppO2 || *ppO2 < kHypoxicPpO2)
        return single(kResultat, noValidData(texts));
    const auto m = TrimixCalculator::bestMix(*d, *end, *ppO2);
    return single(kResultat, m.reachable ? localised(texts, QStringLiteral("Best Tx"), kTrimix, {m.oxygen, m.helium})
                                         : texts.text(QStringLiteral("No best Tx"), kTrimix));
}

// --- Rebreather ---------------------------------------------------------------

// The row fields of the two tables, by consumption: c08Field ... c18Field
// and d08Field ... d18Field.
QStringList makeRowFields(QChar prefix)
{
    QStringList fields;
    for (int tenths = 8; tenths <= 18; ++tenths)
        fields.append(QStringLiteral("%1%2Field").arg(prefix).arg(tenths, 2, 10, QLatin1Char('0')));
    return fields;
}

const QStringList& rowFields(QChar prefix)
{
    static const QStringList breathed = makeRowFields(u'c');
    static const QStringList flow = makeRowFields(u'd');
    return prefix == u'c' ? breathed : flow;
}

// A result with room for the texts and colours of `outputs` controls.
CalculatorResult resultFor(qsizetype outputs)
{
    CalculatorResult r;
    r.texts.reserve(outputs);
    r.colours.reserve(outputs);
    return r;
}

using Safety = RebreatherCalculator::Safety;

void colourRow(CalculatorResult& r, const QString& field, Safety safety)
{
    switch (safety) {
    case Safety::Safe: r.colours.insert(field, CalculatorActions::safeColour()); break;
    case Safety::Danger:
    case Safety::Impossible: r.colours.insert(field, CalculatorActions::dangerColour()); break;
    case Safety::Undefined: break;
    }
}

bool isFigure(Safety safety) { return safety == Safety::Safe || safety == Safety::Danger; }

// Fills one of the two tables: for each consumption, its value (`value`)
// shown and coloured by `safety` of the figure as the row shows it; a row
// without a figure shows its consumption only.
template <typename Value, typename Judge>
void fillTable(CalculatorResult& r, const Localizer& texts, const QString& rowKey, QChar prefix, Value value,
               Judge safety)
{
    const QString format = texts.text(rowKey, kRebreather);
    const QString none = texts.text(QStringLiteral("Table no value"), kRebreather);
    const QStringList& rows = rowFields(prefix);
    const QList<double> consumptions = RebreatherCalculator::tableConsumptions();
    for (qsizetype i = 0; i < consumptions.size(); ++i) {
        const double v = consumptions[i];
        const double shown = CalculatorFormat::shown(format, 1, value(v));
        const Safety s = safety(shown, v);
        r.texts.insert(rows[i], isFigure(s) ? CalculatorFormat::fill(format, {v, shown}) : CalculatorFormat::fill(none, {v}));
        colourRow(r, rows[i], s);
    }
}

// Fills the single result of a table window and its colour.
template <typename Judge>
void fillResult(CalculatorResult& r, const Localizer& texts, const QString& field, const QString& key, double value,
                Judge safety)
{
    const QString format = texts.text(key, kRebreather);
    const double shown = CalculatorFormat::shown(format, 0, value);
    const Safety s = safety(shown);
    r.texts.insert(field, isFigure(s) ? CalculatorFormat::fill(format, {shown}) : noValidData(texts));
    colourRow(r, field, s);
}

CalculatorResult calcSodaTime(const CalculatorInputs& in, const Localizer& texts)
{
    const auto mass = in.reading(QStringLiteral("sodaWeightField"), Range::notNegative());
    const auto capacity = in.reading(QStringLiteral("sodaCapacityField"), Range::notNegative());
    const auto production = in.reading(QStringLiteral("metabolicProductionField"), Range::positive());
    const auto hm = mass && capacity && production
        ? RebreatherCalculator::splitMinutes(RebreatherCalculator::absorbentMinutes(*mass, *capacity, *production))
        : std::nullopt;
    return single(QStringLiteral("sodaTimeField"),
                  hm ? localised(texts, QStringLiteral("Soda time"), kRebreather, {double(hm->hours), double(hm->minutes)})
                     : noValidData(texts));
}

// Every row field and the single result showing "No valid data" in the
// danger colour, for inputs that cannot be.
CalculatorResult refusedTable(const QString& field, QChar prefix, const Localizer& texts)
{
    CalculatorResult r = resultFor(12);
    r.texts.insert(field, noValidData(texts));
    colourRow(r, field, Safety::Impossible);
    const QString none = texts.text(QStringLiteral("Table no value"), kRebreather);
    const QList<double> consumptions = RebreatherCalculator::tableConsumptions();
    for (qsizetype i = 0; i < consumptions.size(); ++i) {
        r.texts.insert(rowFields(prefix)[i], CalculatorFormat::fill(none, {consumptions[i]}));
        colourRow(r, rowFields(prefix)[i], Safety::Impossible);
    }
    return r;
}

CalculatorResult calcBreathedFracO2(const CalculatorInputs& in, const Localizer& texts)
{
    const QString field = QStringLiteral("breathedFracO2Field");
    const auto supply = in.reading(QStringLiteral("brEanxField"), Range::fraction());
    const auto flow = in.reading(QStringLiteral("brFlowField"), Range::notNegative(kLitresPerMinute));
    const auto consumption = in.reading(QStringLiteral("brMetabolicField"), Range::notNegative(kLitresPerMinute));
    if (!supply || !flow || !consumption)
        return refusedTable(field, u'c', texts);
    CalculatorResult r = resultFor(12);
    // The diver's own consumption follows the rule of the table's rows.
    fillResult(r, texts, field, QStringLiteral("Breathed frac"),
               RebreatherCalculator::breathedFraction(*supply, *flow, *consumption), [&](double shown) {
                   return RebreatherCalculator::breathedFractionSafety(shown, *flow, *consumption);
               });
    fillTable(
        r, texts, QStringLiteral("Table breathed frac"), u'c',
        [&](double v) { return RebreatherCalculator::breathedFraction(*supply, *flow, v); },
        [&](double shown, double v) { return RebreatherCalculator::breathedFractionSafety(shown, *flow, v); });
    return r;
}

CalculatorResult calcIdealFlow(const CalculatorInputs& in, const Localizer& texts)
{
    const QString field = QStringLiteral("idealFlowField");
    const auto supply = in.reading(QStringLiteral("idEanxField"), Range::fraction());
    const auto consumption = in.reading(QStringLiteral("idMetabolicField"), Range::notNegative(kLitresPerMinute));
    const auto wanted = in.reading(QStringLiteral("idRealFracO2Field"), Range::fraction());
    if (!supply || !consumption || !wanted)
        return refusedTable(field, u'd', texts);
    CalculatorResult r = resultFor(12);
    const auto judge = [&](double shown, double = 0) {
        return RebreatherCalculator::flowSafety(shown, *supply, *wanted);
    };
    fillResult(r, texts, field, QStringLiteral("Ideal flow"),
               RebreatherCalculator::idealFlow(*supply, *consumption, *wanted), judge);
    fillTable(
        r, texts, QStringLiteral("Table flow"), u'd',
        [&](double v) { return RebreatherCalculator::idealFlow(*supply, v, *wanted); }, judge);
    return r;
}

// --- Unit conversions -----------------------------------------------------------

struct TabLayout {
    const char* identifier;
    const char* title;
    const char* matrix;
    UnitConverter::Quantity quantity;
    int count;
    std::array<const char*, 3> fields;
    std::array<const char*, 3> units;
    // What may follow the number typed in each unit's field, and the
    // lowest value each unit can physically have.
    std::array<std::array<const char*, 3>, 3> symbols;
    std::array<double, 3> lowest;
};

const std::array<TabLayout, 5>& tabLayouts()
{
    using Q = UnitConverter::Quantity;
    static const std::array<TabLayout, 5> tabs{{
        {"pression", "Pressure", "choixPressionMatrix", Q::Pressure, 2, {"barField", "psiField"}, {"bar", "psi"},
         {{{"bar"}, {"psi"}}}, {0, 0}},
        {"volume", "Volume", "choixVolumeMatrix", Q::Volume, 3,
         {"litresField", "cubicFeetUSField", "cubicInchesUSField"}, {"litres", "cubic feet (US)", "cubic inches (US)"},
         {{{"l"}, {"ft3", "ft³"}, {"in3", "in³"}}}, {0, 0, 0}},
        {"longueur", "Length", "choixLongueurMatrix", Q::Length, 2, {"metresField", "feetField"}, {"metres", "feet (US survey)"},
         {{{"m"}, {"ft"}}}, {0, 0}},
        {"masse", "Mass", "choixMasseMatrix", Q::Mass, 2, {"kilogrammeField", "livreUSField"}, {"kilograms", "pounds (US)"},
         {{{"kg"}, {"lb"}}}, {0, 0}},
        // Nothing is colder than absolute zero: -273.15 C, -459.67 F, 0 K.
        {"temperature", "Temperature", "choixTemperatureMatrix", Q::Temperature, 3,
         {"celsiusField", "farenheitField", "kelvinField"}, {"Celsius", "Fahrenheit", "kelvin"},
         {{{"°C", "C"}, {"°F", "F"}, {"K"}}}, {-273.15, -459.67, 0}},
    }};
    return tabs;
}

// Up to six decimals, without trailing zeros: 14.50377, 32.808334, 233.15.
QString unitText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("-"); // no figure (the conversion refuses it first)
    if (std::fabs(value) >= 1e15)
        return QString::number(value, 'g', 15);
    QString text = QString::number(value, 'f', 6);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    if (text == u"-0")
        text = QStringLiteral("0");
    return text;
}

CalculatorResult convertir(const CalculatorInputs& in, const Localizer& texts)
{
    CalculatorResult r = resultFor(12);
    const QString selected = in.text(QStringLiteral("conversionsTabView"));
    const QList<CalculatorActions::ConversionTab>& tabs = CalculatorActions::conversionTabs();
    for (qsizetype t = 0; t < tabs.size(); ++t) {
        const CalculatorActions::ConversionTab& tab = tabs[t];
        // Every field shows what it holds, unless the conversion writes it.
        for (const QString& field : tab.fields)
            r.texts.insert(field, in.text(field));
        if (selected != tab.identifier)
            continue;
        const TabLayout& layout = tabLayouts()[std::size_t(t)];
        const int tag = in.integer(tab.matrix, 1);
        const int source = UnitConverter::sourceIndex(layout.quantity, tag);
        QStringList units;
        for (const char* unit : layout.symbols[std::size_t(source)])
            if (unit)
                units.append(QString::fromUtf8(unit));
        const double lowest = layout.lowest[std::size_t(source)];
        const auto typed = in.reading(tab.fields[source], {lowest, std::numeric_limits<double>::max(), true, true, units});
        QList<double> values(tab.fields.size(), 0.0);
        if (typed)
            values[source] = *typed;
        const QList<double> converted = UnitConverter::convert(layout.quantity, tag, values);
        for (qsizetype i = 0; i < tab.fields.size(); ++i)
            if (i != source)
                r.texts.insert(tab.fields[i], typed && std::isfinite(converted[i]) ? unitText(converted[i]) : noValidData(texts));
    }
    return r;
}

// --- GPS ----------------------------------------------------------------------

const QString kLongitudeOut = QStringLiteral("longitude_outField");
const QString kLatitudeOut = QStringLiteral("latitude_outField");
const QString kAltitudeOut = QStringLiteral("altitude_outField");
const QString kGpsData = QStringLiteral("gpsDataField");

QString wgsAngleText(double degrees, const Localizer& texts)
{
    const auto angle = SexagesimalText::fromDegrees(degrees);
    return angle ? QStringLiteral("WGS84 ") + angle->text() : noValidData(texts);
}

// The styled account: pieces appended to one text, each with its colour.
class Account {
public:
    Account(QString& text, QList<CalculatorResult::Run>& runs) : m_text(text), m_runs(runs) {}

    void title(QStringView text) { piece(text, CalculatorActions::titleColour()); }
    void label(QStringView text) { piece(text, CalculatorActions::labelColour()); }
    void value(QStringView text) { piece(text, CalculatorActions::valueColour()); }
    void entry(QStringView label, double number)
    {
        this->label(label);
        const qsizetype start = m_text.size();
        CalculatorFormat::appendFixed(m_text, number, 10);
        m_runs.append({m_text.size() - start, CalculatorActions::valueColour()});
    }

private:
    void piece(QStringView text, const RgbaColour& colour)
    {
        m_text.append(text);
        m_runs.append({text.size(), colour});
    }

    QString& m_text;
    QList<CalculatorResult::Run>& m_runs;
};

QString angleText(const GpsDatumConverter::Sexagesimal& a)
{
    return CalculatorFormat::fill(QStringLiteral("%.0f \u00b0 %.0f ' %.3f ''"), {a.degrees, a.minutes, a.seconds});
}

const QStringList kDegrees{QStringLiteral("\u00b0")};
const QStringList kMinutes{QStringLiteral("'")};
const QStringList kSeconds{QStringLiteral("''"), QStringLiteral("\"")};

// An angle typed in degrees, minutes and seconds: minutes and seconds
// below 60, and the whole angle at most `limit` degrees either way.
std::optional<GpsDatumConverter::Sexagesimal> typedAngle(const CalculatorInputs& in, const QString& prefix, double limit)
{
    const auto degrees = in.reading(prefix + QStringLiteral("_in_degreeField"), {-limit, limit, true, true, kDegrees});
    const auto minutes = in.reading(prefix + QStringLiteral("_in_minutesField"), {-60, 60, false, false, kMinutes});
    const auto seconds = in.reading(prefix + QStringLiteral("_in_secondsField"), {-60, 60, false, false, kSeconds});
    if (!degrees || !minutes || !seconds)
        return std::nullopt;
    const GpsDatumConverter::Sexagesimal angle{*degrees, *minutes, *seconds};
    if (!(std::fabs(GpsDatumConverter::toDegrees(angle)) <= limit))
        return std::nullopt;
    return angle;
}

// Any finite ellipsoidal height, below the sea included.
Range height() { return {-std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), true, true, kMetres}; }

CalculatorResult refusedPosition(const Localizer& texts, bool withAccount)
{
    CalculatorResult r = resultFor(4);
    const QString none = noValidData(texts);
    for (const QString& field : {kLongitudeOut, kLatitudeOut, kAltitudeOut})
        r.texts.insert(field, none);
    if (withAccount) {
        r.texts.insert(kGpsData, none);
        r.styledTexts[kGpsData].append({none.size(), CalculatorActions::labelColour()});
    }
    return r;
}

CalculatorResult convertGPS(const CalculatorInputs& in, const Localizer& texts)
{
    const auto longitude = typedAngle(in, QStringLiteral("longitude"), 180);
    const auto latitude = typedAngle(in, QStringLiteral("latitude"), 90);
    const auto altitude = in.reading(QStringLiteral("altitude_inField"), height());
    if (!longitude || !latitude || !altitude)
        return refusedPosition(texts, true);
    const GpsDatumConverter::Sexagesimal& lng = *longitude;
    const GpsDatumConverter::Sexagesimal& lat = *latitude;
    const double height = *altitude;
    const auto s = GpsDatumConverter::precise(lng, lat, height);

    CalculatorResult r = resultFor(4);
    r.texts.insert(kLongitudeOut, wgsAngleText(s.result.longitude, texts));
    r.texts.insert(kLatitudeOut, wgsAngleText(s.result.latitude, texts));
    r.texts.insert(kAltitudeOut, CalculatorFormat::fill(QStringLiteral("%.1f m"), {s.result.height}));

    QList<CalculatorResult::Run>& runs = r.styledTexts[kGpsData];
    runs.reserve(64);
    QString plain;
    plain.reserve(1400);
    Account a(plain, runs);
    a.title(u"----- ED50 -----");
    a.label(u"\n  latitude : ");
    a.value(angleText(lat));
    a.label(u"\n  longitude : ");
    a.value(angleText(lng));
    a.label(u"\n  altitude : ");
    a.value(CalculatorFormat::fill(QStringLiteral("%.2f m"), {height}));
    a.entry(u"\n\n  lat (deg.) : ", s.latitudeDegrees);
    a.entry(u"\n  lng (deg.) : ", s.longitudeDegrees);
    a.entry(u"\n\n  lat (rad.) : ", s.latitudeRadians);
    a.entry(u"\n  lng (rad.) : ", s.longitudeRadians);
    a.entry(u"\n\n  sin(lat) : ", s.sinLatitude);
    a.entry(u"\n  cos(lat) : ", s.cosLatitude);
    a.entry(u"\n  sin(lng) : ", s.sinLongitude);
    a.entry(u"\n  cos(lng) : ", s.cosLongitude);
    a.entry(u"\n\n  n : ", s.n);
    a.entry(u"\n  x : ", s.x);
    a.entry(u"\n  y : ", s.y);
    a.entry(u"\n  z : ", s.z);
    a.title(u"\n\n----- WGS84 -----");
    a.entry(u"\n  x : ", s.wgsX);
    a.entry(u"\n  y : ", s.wgsY);
    a.entry(u"\n  z : ", s.wgsZ);
    a.entry(u"\n\n  p : ", s.p);
    a.entry(u"\n\n  theta : ", s.theta);
    a.entry(u"\n  phi : ", s.phi);
    a.entry(u"\n  n : ", s.wgsN);
    a.entry(u"\n  lambda : ", s.lambda);
    a.label(u"\n  altitude : ");
    a.value(CalculatorFormat::fill(QStringLiteral("%.2f m"), {s.result.height}));
    a.entry(u"\n\n  lat (deg.) : ", s.result.latitude);
    a.entry(u"\n  lng (deg.) : ", s.result.longitude);

    r.texts.insert(kGpsData, plain);
    return r;
}

CalculatorResult convertGPS2(const CalculatorInputs& in, const Localizer& texts)
{
    const auto direction = in.integer(QStringLiteral("geodesiePopUp"), 0) == 1
                               ? GpsDatumConverter::Direction::Wgs84ToEd50
                               : GpsDatumConverter::Direction::Ed50ToWgs84;
    const auto longitude = in.reading(QStringLiteral("longitude_inField"), {-180, 180, true, true, kDegrees});
    const auto latitude = in.reading(QStringLiteral("latitude_inField"), {-90, 90, true, true, kDegrees});
    const auto altitude = in.reading(QStringLiteral("altitude_inField"), height());
    if (!longitude || !latitude || !altitude)
        return refusedPosition(texts, false);
    const GpsDatumConverter::Position from{*longitude, *latitude, *altitude};
    const auto to = GpsDatumConverter::translate(from, direction);
    CalculatorResult r = resultFor(3);
    r.texts.insert(kLongitudeOut, CalculatorFormat::fill(QStringLiteral("%.6f"), {to.longitude}));
    r.texts.insert(kLatitudeOut, CalculatorFormat::fill(QStringLiteral("%.6f"), {to.latitude}));
    r.texts.insert(kAltitudeOut, CalculatorFormat::fill(QStringLiteral("Altitude : %.2f m"), {to.height}));
    return r;
}

// --- The table ------------------------------------------------------------------

CalculatorField text(const char* name) { return CalculatorField::text(QLatin1String(name)); }

QList<CalculatorField> textFields(std::initializer_list<const char*> names)
{
    QList<CalculatorField> fields;
    for (const char* n : names)
        fields.append(text(n));
    return fields;
}

CalculatorField ppO2PopUp()
{
    QList<Item> items;
    for (int i = 0; i < 5; ++i)
        items.append({QString::number(i), CalculatorFormat::fill(QStringLiteral("%.1f bar"), {NitroxCalculator::ppO2Limit(i)})});
    // No selection reads 1.4 bar.
    return CalculatorField::choice(QStringLiteral("ppO2PopUp"), items, QStringLiteral("-1"));
}

QList<CalculatorField> conversionInputs()
{
    QList<CalculatorField> fields;
    QList<Item> tabItems;
    for (const TabLayout& tab : tabLayouts())
        tabItems.append({QLatin1String(tab.identifier), QLatin1String(tab.title)});
    fields.append(CalculatorField::choice(QStringLiteral("conversionsTabView"), tabItems, QStringLiteral("pression")));
    for (const TabLayout& tab : tabLayouts()) {
        QList<Item> cells;
        for (int i = 0; i < tab.count; ++i)
            cells.append({QString::number(i + 1), QLatin1String(tab.units[i])});
        fields.append(CalculatorField::choice(QLatin1String(tab.matrix), cells, QStringLiteral("1")));
    }
    for (const TabLayout& tab : tabLayouts())
        for (int i = 0; i < tab.count; ++i)
            fields.append(text(tab.fields[i]));
    return fields;
}

QStringList conversionOutputs()
{
    QStringList fields;
    for (const TabLayout& tab : tabLayouts())
        for (int i = 0; i < tab.count; ++i)
            fields.append(QLatin1String(tab.fields[i]));
    return fields;
}

QList<CalculatorAction> buildTable()
{
    const auto action = [](const char* name, const char* window, const char* command, QList<CalculatorField> inputs,
                           QStringList outputs, CalculatorAction::Compute compute, QStringList coloured = {}) {
        CalculatorAction a;
        a.name = QLatin1String(name);
        a.window = QLatin1String(window);
        a.command = QLatin1String(command);
        a.inputs = std::move(inputs);
        a.outputs = std::move(outputs);
        a.colouredOutputs = std::move(coloured);
        a.compute = compute;
        return a;
    };
    const QStringList resultat{kResultat};
    const QStringList gpsOut{kLongitudeOut, kLatitudeOut, kAltitudeOut};
    QList<CalculatorAction> table;
    table.append(action("profMax", "Nitrox Prof Max", "displayProfMaxWindow",
                        {text("fracO2Field"), ppO2PopUp()}, resultat, profMax));
    table.append(action("bestMix", "Nitrox Best Mix", "displayBestMixWindow",
                        {text("profondeurMaxField"), ppO2PopUp()}, resultat, bestMix));
    table.append(action("profEquivalente", "Nitrox Equivalent Depth", "displayEquivalentDepthWindow",
                        textFields({"fracO2Field", "profondeurField"}), resultat, profEquivalente));
    table.append(action("oxygenWindow", "Nitrox Oxygen Window", "displayOxygenWindow",
                        textFields({"winFO2", "winMinPpO2"}), {QStringLiteral("winResult")}, oxygenWindow));
    table.append(action("blendNitrox", "Blend Nitrox", "displayBlendNitroxWindow",
                        textFields({"pressionInitialeField", "pressionFinaleField", "fracO2InitialeField", "fracO2FinaleField"}),
                        resultat, blendNitrox));
    table.append(action("calcEAD_END", "Trimix", "displayTrimixEAD_ENDWindow",
                        textFields({"profondeurMaxField", "fracO2TxField", "fracHeTxField"}), resultat, calcEadEnd));
    table.append(action("profMin", "Trimix Prof Min", "displayTrimixProfMinWindow", textFields({"fracO2TxField"}), resultat,
                        profMin));
    table.append(action("calcBestTx", "Best Trimix", "displayBestTrimix", textFields({"depthTxField", "ENDField", "ppO2Field"}),
                        resultat, calcBestTx));
    table.append(action("calcSodaTime", "Soda Time", "displaySodaTimeWindow",
                        textFields({"sodaWeightField", "sodaCapacityField", "metabolicProductionField"}),
                        {QStringLiteral("sodaTimeField")}, calcSodaTime));
    table.append(action("calcBreathedFracO2", "SCR Breathed Frac O2", "displaySCRBreathedFracO2Window",
                        textFields({"brEanxField", "brFlowField", "brMetabolicField"}),
                        QStringList{QStringLiteral("breathedFracO2Field")} + rowFields(u'c'), calcBreathedFracO2,
                        QStringList{QStringLiteral("breathedFracO2Field")} + rowFields(u'c')));
    table.append(action("calcIdealFlow", "SCR Flow Calc", "displaySCRIdealFlowWindow",
                        textFields({"idEanxField", "idMetabolicField", "idRealFracO2Field"}),
                        QStringList{QStringLiteral("idealFlowField")} + rowFields(u'd'), calcIdealFlow,
                        QStringList{QStringLiteral("idealFlowField")} + rowFields(u'd')));
    table.append(action("convertir", "Physique", "displayConversionsWindow", conversionInputs(), conversionOutputs(),
                        convertir));
    table.append(action("convertGPS", "Gps", "displayConversionsGPSWindow",
                        textFields({"longitude_in_degreeField", "longitude_in_minutesField", "longitude_in_secondsField",
                               "latitude_in_degreeField", "latitude_in_minutesField", "latitude_in_secondsField",
                               "altitude_inField"}),
                        gpsOut + QStringList{kGpsData}, convertGPS));
    table.append(action("convertGPS2", "Gps", "displayConversionsGPSWindow",
                        {CalculatorField::choice(QStringLiteral("geodesiePopUp"),
                                                 {{QStringLiteral("0"), QStringLiteral("ED50 \u2192 WGS84")},
                                                  {QStringLiteral("1"), QStringLiteral("WGS84 \u2192 ED50")}},
                                                 QStringLiteral("0")),
                         text("longitude_inField"), text("latitude_inField"), text("altitude_inField")},
                        gpsOut, convertGPS2));
    return table;
}

} // namespace

const QList<CalculatorAction>& CalculatorActions::all()
{
    static const QList<CalculatorAction> table = buildTable();
    return table;
}

const CalculatorAction* CalculatorActions::find(const QString& name)
{
    for (const CalculatorAction& a : all())
        if (a.name == name)
            return &a;
    return nullptr;
}

QList<const CalculatorAction*> CalculatorActions::ofWindow(const QString& window)
{
    QList<const CalculatorAction*> actions;
    for (const CalculatorAction& a : all())
        if (a.window == window)
            actions.append(&a);
    return actions;
}

const QList<CalculatorActions::ConversionTab>& CalculatorActions::conversionTabs()
{
    static const QList<ConversionTab> tabs = [] {
        QList<ConversionTab> list;
        for (const auto& t : tabLayouts()) {
            ConversionTab tab;
            tab.identifier = QLatin1String(t.identifier);
            tab.title = QLatin1String(t.title);
            tab.matrix = QLatin1String(t.matrix);
            for (int i = 0; i < t.count; ++i) {
                tab.fields.append(QLatin1String(t.fields[i]));
                tab.units.append(QLatin1String(t.units[i]));
            }
            list.append(tab);
        }
        return list;
    }();
    return tabs;
}

RgbaColour CalculatorActions::dangerColour() { return RgbaColour::rgb(1, 0, 0); }
RgbaColour CalculatorActions::safeColour() { return RgbaColour::rgb(0, 0, 0); }
RgbaColour CalculatorActions::titleColour() { return RgbaColour::rgb(1, 0, 0); }
RgbaColour CalculatorActions::labelColour() { return RgbaColour::rgb(0, 0, 0); }
RgbaColour CalculatorActions::valueColour() { return RgbaColour::rgb(0, 0, 1); }
