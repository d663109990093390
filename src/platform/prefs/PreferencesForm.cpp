#include "platform/prefs/PreferencesForm.h"

#include "platform/context/AppContext.h"
#include "platform/context/Notifications.h"
#include "platform/NumberText.h"
#include "platform/SettingsStore.h"

#include <algorithm>
#include <cmath>

namespace {

using Kind = PreferencesForm::Kind;
using Pane = PreferencesForm::Pane;
using Control = PreferencesForm::Control;

Control number(const char* name, const char* key, Pane pane, double minimum, double maximum, bool whole,
               const char* enabledBy = "")
{
    return {.name = QLatin1String(name),
            .key = QLatin1String(key),
            .kind = Kind::Number,
            .pane = pane,
            .enabledBy = QLatin1String(enabledBy),
            .labelKey = QStringLiteral("Prefs ") + QLatin1String(key),
            .labelTable = QStringLiteral("Main"),
            .minimum = minimum,
            .maximum = maximum,
            .whole = whole};
}

Control other(const char* name, const char* key, Kind kind, Pane pane, const char* enabledBy = "")
{
    return {.name = QLatin1String(name),
            .key = QLatin1String(key),
            .kind = kind,
            .pane = pane,
            .enabledBy = QLatin1String(enabledBy),
            .labelKey = QStringLiteral("Prefs ") + QLatin1String(key),
            .labelTable = QStringLiteral("Main")};
}

// A column switch is labelled with its column's title.
Control column(const char* name, const char* key, const char* title)
{
    Control c = other(name, key, Kind::Switch, Pane::Display);
    c.labelKey = QLatin1String(title);
    c.labelTable = QStringLiteral("Carnet");
    return c;
}

QString paneLabel(Pane pane)
{
    switch (pane) {
    case Pane::General: return QStringLiteral("General");
    case Pane::Logbook: return QStringLiteral("Logbook");
    case Pane::Display: return QStringLiteral("Display");
    case Pane::Profile: return QStringLiteral("Profile");
    case Pane::Deco: return QStringLiteral("Deco");
    case Pane::Rebreather: return QStringLiteral("Rebreather");
    }
    return {};
}

// The number a field holds, as a person types it ("." or "," as the
// decimal point). Nothing for an empty field; NaN for a text that is no
// finite number.
std::optional<double> numberOf(const QString& text)
{
    const numbertext::Typed typed = numbertext::typed(text);
    if (typed.kind == numbertext::Typed::Kind::Blank)
        return std::nullopt;
    return typed.isNumber() ? typed.value : std::nan("");
}

} // namespace

const QList<Control>& PreferencesForm::controls()
{
    static const QList<Control> list = {
        number("volumeBlocField", "tank volume", Pane::General, 0, 1000, false),
        number("pressionBlocField", "tank pressure", Pane::General, 0, 1000, false),
        other("usUnitsSwitch", "us units", Kind::Switch, Pane::General),
        other("displayUnitsSwitch", "display units", Kind::Switch, Pane::General),
        other("tableColorSwitch", "depth time in color", Kind::Switch, Pane::Logbook),
        other("profondeurWell", "depth color", Kind::Colour, Pane::Logbook, "tableColorSwitch"),
        other("dureeWell", "time color", Kind::Colour, Pane::Logbook, "tableColorSwitch"),
        other("itemColorSwitch", "color item", Kind::Switch, Pane::Logbook),
        other("textInColorField", "coloured text", Kind::Text, Pane::Logbook, "itemColorSwitch"),
        other("themeInColorPopUp", "coloured theme", Kind::Theme, Pane::Logbook, "itemColorSwitch"),
        other("lowTemperatureSwitch", "low temperature in color", Kind::Switch, Pane::Logbook),
        other("tempValueField", "low temperature value", Kind::Text, Pane::Logbook, "lowTemperatureSwitch"),
        other("lowTemperatureWell", "low temperature color", Kind::Colour, Pane::Logbook, "lowTemperatureSwitch"),
        other("mixInColorSwitch", "mix in color", Kind::Switch, Pane::Logbook),
        other("countryCodeField", "country code", Kind::Text, Pane::General),
        column("numeroColumnSwitch", "column numero", "Column number"),
        column("dateColumnSwitch", "column date", "Column date"),
        column("lieuColumnSwitch", "column lieu", "Column place"),
        column("siteColumnSwitch", "column site", "Column site"),
        column("heureColumnSwitch", "column heure", "Column time of day"),
        column("profondeurColumnSwitch", "column profondeur", "Column depth"),
        column("tempsColumnSwitch", "column temps", "Column dive time"),
        column("temperatureColumnSwitch", "column temp eau", "Column water temperature"),
        column("decoColumnSwitch", "column deco", "Column decompression"),
        column("coeffColumnSwitch", "column coeff", "Column tide"),
        column("visibiliteColumnSwitch", "column visibilite", "Column visibility"),
        column("epaveColumnSwitch", "column_epave", "Column wreck"),
        column("inoubliableColumnSwitch", "column inoubliable", "Column memory"),
        column("gazColumnSwitch", "column gaz", "Column gas"),
        column("scaphColumnSwitch", "column scaph", "Column apparatus"),
        other("plotColorWell", "plot color", Kind::Colour, Pane::Profile),
        other("backgroundColorWell", "background color", Kind::Colour, Pane::Profile),
        number("alphaBackgroundField", "alpha background color", Pane::Profile, 0, 1, false),
        other("fillSwitch", "fill plot", Kind::Switch, Pane::Profile),
        other("fillColorWell", "fill color", Kind::Colour, Pane::Profile, "fillSwitch"),
        number("alphaFillField", "alpha fill color", Pane::Profile, 0, 1, false, "fillSwitch"),
        other("gradientYesSwitch", "gradient yes", Kind::Switch, Pane::Profile),
        other("gradientLinesColorWell", "gradient lines color", Kind::Colour, Pane::Profile, "gradientYesSwitch"),
        other("xMinorTicksSwitch", "x minor ticks", Kind::Switch, Pane::Profile),
        other("yMinorTicksSwitch", "y minor ticks", Kind::Switch, Pane::Profile),
        other("dashedLinesSwitch", "dashed lines", Kind::Switch, Pane::Profile),
        other("ppO2Switch", "ppO2 line", Kind::Switch, Pane::Profile),
        number("stopIntervalField", "stop interval", Pane::Deco, 1, 100, true),
        number("cellLifeField", "cell life", Pane::Rebreather, 0, 1200, true),
        // The foreign and night dives of the list, and the memo at launch.
        other("foreignInColorSwitch", "foreign in color", Kind::Switch, Pane::Logbook),
        other("foreignWell", "foreign color", Kind::Colour, Pane::Logbook, "foreignInColorSwitch"),
        other("nocturnesInColorSwitch", "nocturnes in color", Kind::Switch, Pane::Logbook),
        other("penseBeteSwitch", "pense bete", Kind::Switch, Pane::General),
    };
    return list;
}

const Control* PreferencesForm::control(const QString& name)
{
    for (const Control& c : controls())
        if (c.name == name)
            return &c;
    return nullptr;
}

const Control* PreferencesForm::controlOfKey(const QString& key)
{
    for (const Control& c : controls())
        if (c.key == key)
            return &c;
    return nullptr;
}

const QList<Pane>& PreferencesForm::panes()
{
    static const QList<Pane> list = {Pane::General, Pane::Logbook, Pane::Display,
                                     Pane::Profile, Pane::Deco,    Pane::Rebreather};
    return list;
}

QString PreferencesForm::paneId(Pane pane)
{
    static const char* const ids[] = {"general", "carnet", "affichage", "profil", "deco", "rebreather"};
    return QLatin1String(ids[int(pane)]);
}

QString PreferencesForm::paneLabelKey(Pane pane) { return paneLabel(pane); }

QStringList PreferencesForm::notificationsOf(Pane pane)
{
    using namespace notifications;
    switch (pane) {
    case Pane::General: return {updateTableView, profile, updateEditDive};
    case Pane::Logbook: return {updateTableView};
    case Pane::Display: return {updateColumnsTableView};
    case Pane::Profile: return {profile};
    case Pane::Deco: return {updateDeco};
    case Pane::Rebreather: return {updateRebreather};
    }
    return {};
}

const QStringList& PreferencesForm::themeLabelKeys()
{
    static const QStringList keys = {QStringLiteral("Prefs theme place"), QStringLiteral("Prefs theme site"),
                                     QStringLiteral("Prefs theme visibility")};
    return keys;
}

PreferencesForm::PreferencesForm(AppContext& context) : m_context(context) { load(); }

void PreferencesForm::load()
{
    for (const Control& c : controls())
        loadControl(c.name);
}

void PreferencesForm::loadControl(const QString& name)
{
    const Control* c = control(name);
    if (!c)
        return;
    const SettingsStore& store = m_context.settings();
    Value& v = valueOf(name);
    v = Value();
    switch (c->kind) {
    case Kind::Number:
        if (store.value(c->key).isValid() && !store.stringValue(c->key).trimmed().isEmpty())
            v.text = c->whole ? QString::number(store.intValue(c->key)) : numbertext::shortest(store.doubleValue(c->key));
        break;
    case Kind::Switch: v.on = store.boolValue(c->key); break;
    case Kind::Colour: v.colour = store.colourValue(c->key); break;
    case Kind::Text: v.text = store.stringValue(c->key); break;
    case Kind::Theme: v.tag = std::clamp(store.intValue(c->key), 0, int(themeLabelKeys().size()) - 1); break;
    }
}

const PreferencesForm::Value* PreferencesForm::find(const QString& name) const
{
    const auto it = m_values.constFind(name);
    return it == m_values.constEnd() ? nullptr : &*it;
}

PreferencesForm::Value& PreferencesForm::valueOf(const QString& name) { return m_values[name]; }

QString PreferencesForm::text(const QString& name) const { return find(name) ? find(name)->text : QString(); }
bool PreferencesForm::isOn(const QString& name) const { return find(name) && find(name)->on; }
std::optional<RgbaColour> PreferencesForm::colour(const QString& name) const
{
    return find(name) ? find(name)->colour : std::nullopt;
}
int PreferencesForm::tag(const QString& name) const { return find(name) ? find(name)->tag : 0; }

void PreferencesForm::setText(const QString& name, const QString& text)
{
    if (control(name))
        valueOf(name).text = text;
}
void PreferencesForm::setOn(const QString& name, bool on)
{
    if (control(name))
        valueOf(name).on = on;
}
void PreferencesForm::setColour(const QString& name, const std::optional<RgbaColour>& colour)
{
    if (control(name))
        valueOf(name).colour = colour;
}
void PreferencesForm::setTag(const QString& name, int tag)
{
    if (control(name))
        valueOf(name).tag = tag;
}

bool PreferencesForm::type(const QString& name, const QString& value, QString* reason)
{
    const Control* c = control(name);
    if (!c)
        return false;
    const auto refuse = [&](const QString& why) {
        if (reason)
            *reason = why;
        return false;
    };
    switch (c->kind) {
    case Kind::Number: {
        const QString before = text(name);
        setText(name, value);
        if (acceptable(name))
            return true;
        const QString why = refusal(name);
        setText(name, before);
        return refuse(why);
    }
    case Kind::Text: setText(name, value); return true;
    case Kind::Switch:
        if (value != u"0" && value != u"1")
            return refuse(QStringLiteral("a switch takes 1 or 0"));
        setOn(name, value == u"1");
        return true;
    case Kind::Colour: {
        const auto colour = RgbaColour::fromHex(value);
        if (!colour)
            return refuse(QStringLiteral("a colour is #rrggbb or #rrggbbaa"));
        setColour(name, colour);
        return true;
    }
    case Kind::Theme: {
        bool ok = false;
        const int t = value.toInt(&ok);
        if (!ok || t < 0 || t >= themeLabelKeys().size())
            return refuse(QStringLiteral("the theme is the tag of an item, 0 to %1").arg(themeLabelKeys().size() - 1));
        setTag(name, t);
        return true;
    }
    }
    return false;
}

bool PreferencesForm::acceptable(const QString& name) const { return refusal(name).isEmpty(); }

QString PreferencesForm::refusal(const QString& name) const
{
    const Control* c = control(name);
    if (!c || c->kind != Kind::Number)
        return {};
    const auto v = numberOf(text(name));
    if (!v)
        return {};
    const QString range = c->whole ? QStringLiteral("a whole number from %1 to %2")
                                   : QStringLiteral("a number from %1 to %2");
    if (std::isnan(*v) || *v < c->minimum || *v > c->maximum || (c->whole && *v != std::floor(*v)))
        return QStringLiteral("%1 takes %2").arg(c->key, range.arg(numbertext::shortest(c->minimum), numbertext::shortest(c->maximum)));
    return {};
}

bool PreferencesForm::enabled(const QString& name) const
{
    const Control* c = control(name);
    return c && (c->enabledBy.isEmpty() || isOn(c->enabledBy));
}

QString PreferencesForm::unitLabel() const
{
    const bool us = m_context.settings().boolValue(QStringLiteral("us units"));
    return m_context.localizer().text(us ? QStringLiteral("Degree Farenheit") : QStringLiteral("Degree Celsius"),
                                      QStringLiteral("Carnet"));
}

void PreferencesForm::store(const Control& c)
{
    SettingsStore& store = m_context.settings();
    switch (c.kind) {
    case Kind::Number: {
        if (!acceptable(c.name))
            return;
        const auto v = numberOf(text(c.name));
        if (!v)
            store.remove(c.key);
        else if (c.whole)
            store.setValue(c.key, int(*v));
        else
            store.setValue(c.key, *v);
        return;
    }
    case Kind::Switch: store.setValue(c.key, isOn(c.name)); return;
    case Kind::Colour:
        // A well that shows no colour leaves its key absent.
        if (const auto value = colour(c.name))
            store.setColour(c.key, *value);
        return;
    case Kind::Text: store.setValue(c.key, text(c.name)); return;
    case Kind::Theme: store.setValue(c.key, tag(c.name)); return;
    }
}

void PreferencesForm::storeAll()
{
    for (const Control& c : controls())
        store(c);
}

void PreferencesForm::post(const QStringList& names)
{
    for (const QString& name : names)
        m_context.hub().post(name, this);
}

QStringList PreferencesForm::commit(const QStringList& names)
{
    QStringList refused;
    QList<Pane> touched;
    for (const Control& c : controls()) {
        if (!names.contains(c.name))
            continue;
        if (!acceptable(c.name))
            refused.append(c.name);
        store(c);
        if (!touched.contains(c.pane))
            touched.append(c.pane);
    }
    // The values are in the store before anyone is told to read them.
    for (const Pane pane : panes())
        if (touched.contains(pane))
            post(notificationsOf(pane));
    return refused;
}

void PreferencesForm::reset()
{
    const auto rgb = [](double r, double g, double b) { return RgbaColour::rgb(r, g, b, 1); };
    setText(QStringLiteral("volumeBlocField"), QStringLiteral("15"));
    setText(QStringLiteral("pressionBlocField"), QStringLiteral("230"));
    setOn(QStringLiteral("usUnitsSwitch"), false);
    setOn(QStringLiteral("displayUnitsSwitch"), true);
    setOn(QStringLiteral("tableColorSwitch"), true);
    setOn(QStringLiteral("itemColorSwitch"), false);
    setText(QStringLiteral("textInColorField"), QString());
    setTag(QStringLiteral("themeInColorPopUp"), 0);
    setOn(QStringLiteral("lowTemperatureSwitch"), false);
    setText(QStringLiteral("tempValueField"), QString());
    setColour(QStringLiteral("lowTemperatureWell"), rgb(0, 0, 1));
    setColour(QStringLiteral("profondeurWell"), rgb(0.5, 0, 0.5));
    setColour(QStringLiteral("dureeWell"), rgb(0, 0, 0.6));
    setOn(QStringLiteral("mixInColorSwitch"), true);
    setOn(QStringLiteral("foreignInColorSwitch"), true);
    setColour(QStringLiteral("foreignWell"), rgb(0.725, 1.0, 0.674));
    setText(QStringLiteral("countryCodeField"), QStringLiteral("FRA"));
    for (const Control& c : controls())
        if (c.pane == Pane::Display)
            setOn(c.name, c.key != u"column gaz" && c.key != u"column scaph");
    setColour(QStringLiteral("plotColorWell"), rgb(1, 0.5, 0));
    setColour(QStringLiteral("backgroundColorWell"), rgb(0.855, 0.49, 0.149));
    setText(QStringLiteral("alphaBackgroundField"), QStringLiteral("0.2"));
    setOn(QStringLiteral("fillSwitch"), true);
    setColour(QStringLiteral("fillColorWell"), rgb(0.1, 0.1, 1.0));
    setText(QStringLiteral("alphaFillField"), QStringLiteral("0.4"));
    setOn(QStringLiteral("gradientYesSwitch"), true);
    setColour(QStringLiteral("gradientLinesColorWell"), rgb(0.702, 0.702, 0.702));
    setOn(QStringLiteral("xMinorTicksSwitch"), true);
    setOn(QStringLiteral("yMinorTicksSwitch"), true);
    setOn(QStringLiteral("dashedLinesSwitch"), true);
    setOn(QStringLiteral("ppO2Switch"), false);
    setText(QStringLiteral("stopIntervalField"), QStringLiteral("3"));
    setText(QStringLiteral("cellLifeField"), QStringLiteral("18"));

    // Everything shown is stored first; then the list is reloaded with its
    // new columns, and every open logbook redraws.
    storeAll();
    using namespace notifications;
    post({updateTableView, updateColumnsTableView, updateTableView, profile, updateEditDive, updateDeco,
          updateRebreather});
}
