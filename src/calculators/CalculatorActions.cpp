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

// --- Nitrox -------------------------------------------------------------------

const QString kResultat = QStringLiteral("resultatField");

double ppO2Limit(const CalculatorInputs& in)
{
    return NitroxCalculator::ppO2Limit(in.integer(QStringLiteral("ppO2PopUp"), -1));
}

CalculatorResult profMax(const CalculatorInputs& in, const Localizer&)
{
    const double mod = NitroxCalculator::maximumDepth(in.number(QStringLiteral("fracO2Field")), ppO2Limit(in));
    CalculatorResult r;
    r.texts.insert(kResultat, CalculatorFormat::fill(QStringLiteral("MOD : %.1f m"), {mod}));
    return r;
}

CalculatorResult bestMix(const CalculatorInputs& in, const Localizer& texts)
{
    const double fo2 = NitroxCalculator::bestMix(in.number(QStringLiteral("profondeurMaxField")), ppO2Limit(in));
    CalculatorResult r;
    r.texts.insert(kResultat, localised(texts, QStringLiteral("Best Mix"), kNitrox, {fo2}));
    return r;
}

CalculatorResult profEquivalente(const CalculatorInputs& in, const Localizer&)
{
    const double ead = NitroxCalculator::equivalentAirDepth(in.number(QStringLiteral("fracO2Field")),
                                                            in.number(QStringLiteral("profondeurField")));
    CalculatorResult r;
    r.texts.insert(kResultat, CalculatorFormat::fill(QStringLiteral("EAD : %.1f m"), {ead}));
    return r;
}

CalculatorResult oxygenWindow(const CalculatorInputs& in, const Localizer& texts)
{
    const auto w = NitroxCalculator::oxygenWindow(in.number(QStringLiteral("winFO2")),
                                                  in.number(QStringLiteral("winMinPpO2")));
    CalculatorResult r;
    r.texts.insert(QStringLiteral("winResult"), localised(texts, QStringLiteral("Oxygen window"), kNitrox,
                                                          {w.maximumDepth, w.minimumDepth, w.limitDepth}));
    return r;
}

CalculatorResult blendNitrox(const CalculatorInputs& in, const Localizer& texts)
{
    const auto b = NitroxCalculator::blend(in.number(QStringLiteral("pressionInitialeField")),
                                           in.number(QStringLiteral("pressionFinaleField")),
                                           in.number(QStringLiteral("fracO2InitialeField")),
                                           in.number(QStringLiteral("fracO2FinaleField")));
    CalculatorResult r;
    r.texts.insert(kResultat, b.reachable ? localised(texts, QStringLiteral("Oxygen to transfer"), kNitrox,
                                                      {b.oxygenToAdd, b.addedFraction})
                                          : texts.text(QStringLiteral("No blend"), kNitrox));
    return r;
}

// --- Trimix -------------------------------------------------------------------

CalculatorResult calcEadEnd(const CalculatorInputs& in, const Localizer& texts)
{
    const auto d = TrimixCalculator::equivalentDepths(in.number(QStringLiteral("profondeurMaxField")),
                                                      in.number(QStringLiteral("fracO2TxField")),
                                                      in.number(QStringLiteral("fracHeTxField")));
    CalculatorResult r;
    r.texts.insert(kResultat, localised(texts, QStringLiteral("EAD END"), kTrimix, {d.airDepth, d.narcoticDepth}));
    return r;
}

CalculatorResult profMin(const CalculatorInputs& in, const Localizer& texts)
{
    const auto depth = TrimixCalculator::minimumDepth(in.number(QStringLiteral("fracO2TxField")));
    CalculatorResult r;
    r.texts.insert(kResultat, depth ? localised(texts, QStringLiteral("Prof min"), kTrimix, {*depth}) : noValidData(texts));
    return r;
}

CalculatorResult calcBestTx(const CalculatorInputs& in, const Localizer& texts)
{
    const auto m = TrimixCalculator::bestMix(in.number(QStringLiteral("depthTxField")),
                                             in.number(QStringLiteral("ENDField")),
                                             in.number(QStringLiteral("ppO2Field")));
    CalculatorResult r;
    r.texts.insert(kResultat, m.reachable ? localised(texts, QStringLiteral("Best Tx"), kTrimix, {m.oxygen, m.helium})
                                          : texts.text(QStringLiteral("No best Tx"), kTrimix));
    return r;
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

void colourRow(CalculatorResult& r, const QString& field, RebreatherCalculator::Safety safety)
{
    switch (safety) {
    case RebreatherCalculator::Safety::Safe: r.colours.insert(field, CalculatorActions::safeColour()); break;
    case RebreatherCalculator::Safety::Danger: r.colours.insert(field, CalculatorActions::dangerColour()); break;
    case RebreatherCalculator::Safety::Undefined: break;
    }
}

CalculatorResult calcSodaTime(const CalculatorInputs& in, const Localizer& texts)
{
    const double minutes = RebreatherCalculator::absorbentMinutes(in.number(QStringLiteral("sodaWeightField")),
                                                                  in.number(QStringLiteral("sodaCapacityField")),
                                                                  in.number(QStringLiteral("metabolicProductionField")));
    const auto hm = RebreatherCalculator::splitMinutes(minutes);
    CalculatorResult r;
    r.texts.insert(QStringLiteral("sodaTimeField"),
                   hm ? localised(texts, QStringLiteral("Soda time"), kRebreather, {double(hm->hours), double(hm->minutes)})
                      : noValidData(texts));
    return r;
}

CalculatorResult calcBreathedFracO2(const CalculatorInputs& in, const Localizer& texts)
{
    const double supply = in.number(QStringLiteral("brEanxField"));
    const double flow = in.number(QStringLiteral("brFlowField"));
    const double consumption = in.number(QStringLiteral("brMetabolicField"));
    CalculatorResult r = resultFor(12);
    // The diver's own consumption follows the rule of the table's rows.
    const double breathed = RebreatherCalculator::breathedFraction(supply, flow, consumption);
    r.texts.insert(QStringLiteral("breathedFracO2Field"),
                   localised(texts, QStringLiteral("Breathed frac"), kRebreather, {breathed}));
    colourRow(r, QStringLiteral("breathedFracO2Field"),
              RebreatherCalculator::breathedFractionSafety(breathed, flow, consumption));
    const QString format = texts.text(QStringLiteral("Table breathed frac"), kRebreather);
    const QStringList& rows = rowFields(u'c');
    const QList<double> consumptions = RebreatherCalculator::tableConsumptions();
    for (qsizetype i = 0; i < consumptions.size(); ++i) {
        const double v = consumptions[i];
        const double fraction = RebreatherCalculator::breathedFraction(supply, flow, v);
        const QString& field = rows[i];
        r.texts.insert(field, CalculatorFormat::fill(format, {v, fraction}));
        colourRow(r, field, RebreatherCalculator::breathedFractionSafety(fraction, flow, v));
    }
    return r;
}

CalculatorResult calcIdealFlow(const CalculatorInputs& in, const Localizer& texts)
{
    const double supply = in.number(QStringLiteral("idEanxField"));
    const double consumption = in.number(QStringLiteral("idMetabolicField"));
    const double wanted = in.number(QStringLiteral("idRealFracO2Field"));
    CalculatorResult r = resultFor(12);
    const double ideal = RebreatherCalculator::idealFlow(supply, consumption, wanted);
    r.texts.insert(QStringLiteral("idealFlowField"), localised(texts, QStringLiteral("Ideal flow"), kRebreather, {ideal}));
    colourRow(r, QStringLiteral("idealFlowField"), RebreatherCalculator::flowSafety(ideal));
    const QString format = texts.text(QStringLiteral("Table flow"), kRebreather);
    const QStringList& rows = rowFields(u'd');
    const QList<double> consumptions = RebreatherCalculator::tableConsumptions();
    for (qsizetype i = 0; i < consumptions.size(); ++i) {
        const double v = consumptions[i];
        const double flow = RebreatherCalculator::idealFlow(supply, v, wanted);
        const QString& field = rows[i];
        r.texts.insert(field, CalculatorFormat::fill(format, {v, flow}));
        colourRow(r, field, RebreatherCalculator::flowSafety(flow));
    }
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
};

const std::array<TabLayout, 5>& tabLayouts()
{
    using Q = UnitConverter::Quantity;
    static const std::array<TabLayout, 5> tabs{{
        {"pression", "Pressure", "choixPressionMatrix", Q::Pressure, 2, {"barField", "psiField"}, {"bar", "psi"}},
        {"volume", "Volume", "choixVolumeMatrix", Q::Volume, 3,
         {"litresField", "cubicFeetUSField", "cubicInchesUSField"}, {"litres", "cubic feet (US)", "cubic inches (US)"}},
        {"longueur", "Length", "choixLongueurMatrix", Q::Length, 2, {"metresField", "feetField"}, {"metres", "feet (US survey)"}},
        {"masse", "Mass", "choixMasseMatrix", Q::Mass, 2, {"kilogrammeField", "livreUSField"}, {"kilograms", "pounds (US)"}},
        {"temperature", "Temperature", "choixTemperatureMatrix", Q::Temperature, 3,
         {"celsiusField", "farenheitField", "kelvinField"}, {"Celsius", "Fahrenheit", "kelvin"}},
    }};
    return tabs;
}

// Up to six decimals, without trailing zeros: 14.50377, 32.808334, 233.15.
QString unitText(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
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

CalculatorResult convertir(const CalculatorInputs& in, const Localizer&)
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
        const UnitConverter::Quantity quantity = tabLayouts()[std::size_t(t)].quantity;
        QList<double> values;
        values.reserve(tab.fields.size());
        for (const QString& field : tab.fields)
            values.append(in.number(field));
        const int tag = in.integer(tab.matrix, 1);
        const int source = UnitConverter::sourceIndex(quantity, tag);
        const QList<double> converted = UnitConverter::convert(quantity, tag, values);
        for (qsizetype i = 0; i < tab.fields.size(); ++i)
            if (i != source)
                r.texts.insert(tab.fields[i], unitText(converted[i]));
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

QString typedAngle(const GpsDatumConverter::Sexagesimal& a)
{
    return CalculatorFormat::fill(QStringLiteral("%.0f \u00b0 %.0f ' %.3f ''"), {a.degrees, a.minutes, a.seconds});
}

CalculatorResult convertGPS(const CalculatorInputs& in, const Localizer& texts)
{
    const GpsDatumConverter::Sexagesimal lng{in.number(QStringLiteral("longitude_in_degreeField")),
                                             in.number(QStringLiteral("longitude_in_minutesField")),
                                             in.number(QStringLiteral("longitude_in_secondsField"))};
    const GpsDatumConverter::Sexagesimal lat{in.number(QStringLiteral("latitude_in_degreeField")),
                                             in.number(QStringLiteral("latitude_in_minutesField")),
                                             in.number(QStringLiteral("latitude_in_secondsField"))};
    const double height = in.number(QStringLiteral("altitude_inField"));
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
    a.value(typedAngle(lat));
    a.label(u"\n  longitude : ");
    a.value(typedAngle(lng));
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

CalculatorResult convertGPS2(const CalculatorInputs& in, const Localizer&)
{
    const auto direction = in.integer(QStringLiteral("geodesiePopUp"), 0) == 1
                               ? GpsDatumConverter::Direction::Wgs84ToEd50
                               : GpsDatumConverter::Direction::Ed50ToWgs84;
    const GpsDatumConverter::Position from{in.number(QStringLiteral("longitude_inField")),
                                           in.number(QStringLiteral("latitude_inField")),
                                           in.number(QStringLiteral("altitude_inField"))};
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
