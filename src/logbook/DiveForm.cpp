#include "logbook/DiveForm.h"

#include "platform/context/AppContext.h"
#include "logbook/DiveBounds.h"
#include "logbook/DiveChoices.h"
#include "platform/Alert.h"
#include "platform/AlertPresenter.h"
#include "platform/NumberText.h"
#include "platform/SettingsStore.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <cstring>
#include <cmath>

using namespace plongee;
using namespace Qt::StringLiterals;

namespace {

const QString kCarnet = QStringLiteral("Carnet");
const QString kDash = QStringLiteral("-");

bool isStopSwitch(int f) { return f >= idx_deco_Level_3_sw && f <= idx_deco_Level_5_sw; }
bool isStopO2(int f) { return f >= idx_decoO2_Level_1 && f <= idx_decoO2_Level_5; }
bool isStopHe(int f) { return f >= idx_decoHe_Level_1 && f <= idx_decoHe_Level_5; }
bool isStopDepth(int f) { return f >= idx_decoDepth_Level_1 && f <= idx_decoDepth_Level_5; }
bool isStopTime(int f) { return f >= idx_decoTime_Level_1 && f <= idx_decoTime_Level_5; }
bool isPony(int f) { return f >= idx_volPony1 && f <= idx_pressFinPony3; }
bool isBailout(int f) { return f >= idx_volBailout1 && f <= idx_HeBailout2; }
int stopLevel(int f) { return f - idx_decoDepth_Level_1 + 1; }

QString number(qint32 v) { return QString::number(v); }
QString number(float v) { return numbertext::shortest(v); }
// The figure of a number field as the refresh uses it: what the text reads
// as a typed number (0 when it holds none), bounded so that the derived
// fractions and figures cannot overflow.
double shownNumber(const QString& text)
{
    QString t = text;
    t.replace(u',', u'.');
    const double v = numbertext::leadingDouble(t);
    return std::isfinite(v) ? std::clamp(v, -1e6, 1e6) : 0.0;
}
qint32 wholeNumber(const QString& text) { return qint32(std::lround(shownNumber(text))); }
float decimalNumber(const QString& text) { return float(shownNumber(text)); }

template <typename T> void giveOneElement(QList<T>& list)
{
    if (list.isEmpty())
        list.append(T(0));
}

} // namespace

DiveForm::DiveForm(AppContext& context) : m_context(context)
{
    m_nitrogen = {QStringLiteral("79"), QStringLiteral("79")};
}

DiveForm::Control DiveForm::controlOf(int f)
{
    switch (f) {
    case idx_profilProfondeur:
    case idx_ASC_Flag:
    case idx_SLOW_Flag:
    case idx_SURF_Flag:
    case idx_CEIL_Flag:
    case idx_GAZ_Flag:
    case idx_PRESS_Data:
    case idx_gaz_2: return Control::None;
    case idx_date:
    case idx_heure: return Control::DateTime;
    case idx_nocturne: return Control::Switch;
    case idx_difficulte: return Control::Slider;
    default: break;
    }
    if (isStopSwitch(f))
        return Control::Switch;
    if (!divechoices::items(f).isEmpty())
        return Control::Choice;
    return Control::Text;
}

QString DiveForm::localized(const char* key, const char* fallback) const
{
    return m_context.localizer().text(QLatin1String(key), kCarnet, QLatin1String(fallback));
}

void DiveForm::warn(const char* key)
{
    Alert alert;
    alert.key = QLatin1String(key);
    alert.table = kCarnet;
    alert.message = localized(key, "\r\rerror ! ");
    alert.buttons = {m_context.localizer().text(QStringLiteral("OK"), QStringLiteral("Main"), QStringLiteral("OK"))};
    m_context.alerts().ask(alert);
}

bool DiveForm::typeText(QStringView fieldName, const QString& text, QString* error)
{
    const int f = Plongee::fieldIndex(fieldName);
    if (f < 0 || controlOf(f) == Control::None) {
        if (error)
            *error = f < 0 ? QStringLiteral("no dive field is named \"%1\"").arg(fieldName)
                           : QStringLiteral("the dive field \"%1\" has no control in the form").arg(fieldName);
        return false;
    }
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    switch (controlOf(f)) {
    case Control::Text: m_texts[f] = text; break;
    case Control::Choice:
    case Control::Slider: {
        const numbertext::Typed typed = numbertext::typed(text);
        const bool whole = typed.isNumber() && typed.value == std::trunc(typed.value) && std::abs(typed.value) < 1e9;
        const int tag = whole ? int(typed.value) : 0;
        const bool known = controlOf(f) == Control::Choice ? divechoices::positionOf(f, tag) >= 0
                                                           : divebounds::of(f)->holds(tag);
        if (!whole || !known)
            return fail(QStringLiteral("\"%1\" is not a value of the dive field \"%2\"").arg(text, fieldName));
        m_tags[f] = tag;
        break;
    }
    case Control::Switch: {
        const QString t = text.trimmed().toLower();
        const bool on = t == u"on" || t == u"yes" || t == u"true" || t == u"1";
        if (!on && t != u"off" && t != u"no" && t != u"false" && t != u"0")
            return fail(QStringLiteral("\"%1\" is not on or off").arg(text));
        m_switches[f] = on;
        break;
    }
    case Control::DateTime: {
        const QString t = text.trimmed();
        QDateTime value = QDateTime::fromString(t, Qt::ISODate);
        if (!value.isValid()) {
            const QDate day = QDate::fromString(t, Qt::ISODate);
            if (day.isValid())
                value = QDateTime(day, QTime(0, 0));
        }
        if (!value.isValid()) {
            QTime time = QTime::fromString(t, QStringLiteral("HH:mm"));
            if (!time.isValid())
                time = QTime::fromString(t, QStringLiteral("HH:mm:ss"));
            if (time.isValid())
                value = QDateTime(m_dates[f].isValid() ? m_dates[f].toLocalTime().date() : QDate::currentDate(), time);
        }
        if (!value.isValid()) {
            const QDate day = QDate::fromString(t, QStringLiteral("dd/MM/yyyy"));
            if (day.isValid())
                value = QDateTime(day, QTime(0, 0));
        }
        if (!value.isValid())
            return fail(QStringLiteral("\"%1\" is not a date or time").arg(text));
        if (!divebounds::holdsDate(value))
            return fail(QStringLiteral("\"%1\" is outside the years %2 to %3")
                            .arg(text)
                            .arg(divebounds::kFirstYear)
                            .arg(divebounds::kLastYear));
        m_dates[f] = value;
        break;
    }
    case Control::None: break;
    }
    return true;
}

void DiveForm::blank()
{
    const SettingsStore& settings = m_context.settings();
    const int stopInterval = settings.intValue(QStringLiteral("stop interval"));
    for (int f = 0; f < Plongee::FieldCount; ++f) {
        if (isBailout(f) || f == idx_samplingRate)
            continue; // kept from the dive shown before
        switch (controlOf(f)) {
        case Control::Text: m_texts[f] = QString(); break;
        case Control::Choice:
        case Control::Slider: m_tags[f] = 0; break;
        case Control::Switch: m_switches[f] = false; break;
        case Control::DateTime: m_dates[f] = QDateTime(); break;
        case Control::None: break;
        }
        if (isStopO2(f) || isStopTime(f))
            m_texts[f] = kDash;
        else if (isStopHe(f) || isPony(f))
            m_texts[f] = QStringLiteral("0");
        else if (isStopDepth(f))
            m_texts[f] = number(stopLevel(f) * stopInterval);
    }
    m_dates[idx_date] = QDateTime::currentDateTime();
    m_dates[idx_heure] = QDateTime(QDate::currentDate(), QTime(0, 0));
    m_texts[idx_coeff] = kDash;
    m_texts[idx_countryCode] = settings.stringValue(QStringLiteral("country code"));
    m_texts[idx_gps] = localized("GPS template");
    m_tags[idx_gpsSystem] = 1;
    m_tags[idx_meteo] = 7;
    m_tags[idx_courant] = 6;
    m_tags[idx_visibilite] = 7;
    m_tags[idx_typePlongee] = 8;
    m_tags[idx_configuration] = 1;
    m_texts[idx_tempEau] = kDash;
    m_texts[idx_tempAir] = kDash;
    m_texts[idx_surface] = QStringLiteral("--:--");
    m_texts[idx_altitude] = QStringLiteral("0");
    m_texts[idx_deco_TTS] = kDash;
    m_texts[idx_decoSoftName] = kDash;
    m_texts[idx_decoAlgoType] = kDash;
    m_texts[idx_decoConservatism] = kDash;
    m_texts[idx_flow] = QStringLiteral("0");
    m_texts[idx_volumeBloc] = settings.stringValue(QStringLiteral("tank volume"));
    m_texts[idx_pressionBloc] = settings.stringValue(QStringLiteral("tank pressure"));
    m_texts[idx_o2Mix] = QStringLiteral("21");
    m_texts[idx_o2Mix_2] = QStringLiteral("21");
    m_texts[idx_heMix] = QStringLiteral("0");
    m_texts[idx_heMix_2] = QStringLiteral("0");
    m_texts[idx_fabricant] = settings.stringValue(QStringLiteral("fabricant"));
    m_texts[idx_ordinateur] = settings.stringValue(QStringLiteral("ordinateur"));
    m_texts[idx_serie] = settings.stringValue(QStringLiteral("serie"));
    m_nitrogen = {QStringLiteral("79"), QStringLiteral("79")};

    const int samplingRate = m_profile.samplingRate;
    m_profile = WorkingProfile();
    m_profile.samplingRate = samplingRate;
    applyProfileDefaults();
}

void DiveForm::load(const Plongee& d)
{
    for (int f = 0; f < Plongee::FieldCount; ++f) {
        const Plongee::Value v = d.value(f);
        switch (controlOf(f)) {
        case Control::Text:
            if (const auto* t = std::get_if<Plongee::Text>(&v))
                m_texts[f] = t->value_or(QString());
            else if (const auto* i = std::get_if<qint32>(&v))
                m_texts[f] = number(*i);
            else if (const auto* x = std::get_if<float>(&v))
                m_texts[f] = number(*x);
            break;
        case Control::Choice:
        case Control::Slider: m_tags[f] = std::get<qint32>(v); break;
        case Control::Switch: m_switches[f] = std::get<qint32>(v) != 0; break;
        case Control::DateTime: m_dates[f] = std::get<QDateTime>(v); break;
        case Control::None: break;
        }
    }
    if (d.coeff() == 0)
        m_texts[idx_coeff] = kDash;
    if (d.tempEau() == -50)
        m_texts[idx_tempEau] = kDash;
    if (d.tempAir() == -50)
        m_texts[idx_tempAir] = kDash;
    if (d.deco_TTS() < 1)
        m_texts[idx_deco_TTS] = kDash;
    for (int f = idx_decoO2_Level_1; f <= idx_decoO2_Level_5; ++f)
        if (std::get<qint32>(d.value(f)) < 5)
            m_texts[f] = kDash;
    for (int f = idx_decoHe_Level_1; f <= idx_decoHe_Level_5; ++f)
        if (std::get<qint32>(d.value(f)) < 1)
            m_texts[f] = QStringLiteral("0");
    for (int f = idx_decoDepth_Level_1; f <= idx_decoDepth_Level_5; ++f)
        if (!(std::get<float>(d.value(f)) > 0))
            m_texts[f] = number(3 * stopLevel(f));

    m_profile.profilProfondeur = d.profilProfondeur().value_or(QList<float>());
    m_profile.ascFlag = d.ASC_Flag().value_or(QList<qint16>());
    m_profile.slowFlag = d.SLOW_Flag().value_or(QList<qint16>());
    m_profile.surfFlag = d.SURF_Flag().value_or(QList<qint16>());
    m_profile.ceilFlag = d.CEIL_Flag().value_or(QList<qint16>());
    // A dive stored without gas codes gets "no change" at every sample.
    m_profile.gazFlag = d.GAZ_Flag() ? *d.GAZ_Flag() : QList<qint16>(m_profile.profilProfondeur.size(), 0);
    m_profile.pressData = d.PRESS_Data().value_or(QList<float>());
    m_profile.samplingRate = d.samplingRate();
    m_profile.pressDepart = d.pressionDepart();
    m_profile.pressFin = d.pressionFin();
    m_profile.eanLevels = {d.decoO2_Level_1(), d.decoO2_Level_2(), d.decoO2_Level_3(), d.decoO2_Level_4(),
                           d.decoO2_Level_5()};
    applyProfileDefaults();
}

bool DiveForm::sameValues(const DiveForm& other) const
{
    for (int f = 0; f < Plongee::FieldCount; ++f) {
        switch (controlOf(f)) {
        case Control::Text:
            if (m_texts[f] != other.m_texts[f])
                return false;
            break;
        case Control::Choice:
        case Control::Slider:
            if (m_tags[f] != other.m_tags[f])
                return false;
            break;
        case Control::Switch:
            if (m_switches[f] != other.m_switches[f])
                return false;
            break;
        case Control::DateTime:
            if (m_dates[f] != other.m_dates[f])
                return false;
            break;
        case Control::None: break;
        }
    }
    const WorkingProfile& a = m_profile;
    const WorkingProfile& b = other.m_profile;
    const auto sameFloats = [](const QList<float>& x, const QList<float>& y) {
        return x.size() == y.size()
            && (x.isEmpty() || std::memcmp(x.constData(), y.constData(), size_t(x.size()) * sizeof(float)) == 0);
    };
    return sameFloats(a.profilProfondeur, b.profilProfondeur) && sameFloats(a.pressData, b.pressData)
        && a.ascFlag == b.ascFlag && a.slowFlag == b.slowFlag && a.surfFlag == b.surfFlag && a.ceilFlag == b.ceilFlag
        && a.gazFlag == b.gazFlag;
}

void DiveForm::applyProfileDefaults()
{
    giveOneElement(m_profile.profilProfondeur);
    giveOneElement(m_profile.ascFlag);
    giveOneElement(m_profile.slowFlag);
    giveOneElement(m_profile.surfFlag);
    giveOneElement(m_profile.ceilFlag);
    giveOneElement(m_profile.gazFlag);
    giveOneElement(m_profile.pressData);
}

namespace {

// The units a number field may be typed with after its number.
const QStringList& unitsOf(int f)
{
    static const QStringList length = {u"m"_s, u"ft"_s};
    static const QStringList minutes = {u"min"_s, u"mn"_s};
    static const QStringList degrees = {u"\u00B0C"_s, u"\u00B0F"_s, u"C"_s, u"F"_s, u"\u00B0"_s};
    static const QStringList flow = {u"L/min"_s};
    static const QStringList weight = {u"kg"_s, u"lb"_s, u"lbs"_s};
    static const QStringList volume = {u"L"_s, u"cuft"_s};
    static const QStringList perCent = {u"%"_s};
    static const QStringList pressure = {u"bar"_s, u"psi"_s};
    static const QStringList none;
    switch (f) {
    case idx_profondeur:
    case idx_altitude: return length;
    case idx_temps:
    case idx_deco_TTS: return minutes;
    case idx_tempEau:
    case idx_tempAir: return degrees;
    case idx_flow: return flow;
    case idx_lestage: return weight;
    case idx_volumeBloc:
    case idx_volumeBloc_2: return volume;
    case idx_o2Mix:
    case idx_o2Mix_2:
    case idx_heMix:
    case idx_heMix_2: return perCent;
    case idx_pressionBloc:
    case idx_pressionBloc_2:
    case idx_pressionDepart:
    case idx_pressionFin:
    case idx_pressionDepart_2:
    case idx_pressionFin_2: return pressure;
    default: break;
    }
    if (isStopDepth(f))
        return length;
    if (isStopTime(f))
        return minutes;
    if (isStopO2(f) || isStopHe(f) || (f >= idx_O2Bailout1 && f <= idx_HeBailout2))
        return perCent;
    if ((f >= idx_volPony1 && f <= idx_volPony3) || f == idx_volBailout1 || f == idx_volBailout2)
        return volume;
    if (isPony(f) || isBailout(f))
        return pressure;
    return none;
}

// Fields whose "-" means "not given".
bool takesDash(int f)
{
    return f == idx_coeff || f == idx_tempEau || f == idx_tempAir || f == idx_deco_TTS || isStopO2(f)
        || isStopTime(f);
}

qint32 toInt32(double v)
{
    // Beyond 32 bits a value is out of every range; saturating keeps it so.
    return qint32(std::clamp(std::round(v), -2147483648.0, 2147483647.0));
}

} // namespace

std::optional<double> DiveForm::typedNumber(int f, const QString& text, QString* refusal) const
{
    const numbertext::Typed typed = numbertext::typed(text, unitsOf(f));
    switch (typed.kind) {
    case numbertext::Typed::Kind::Number: return typed.value;
    case numbertext::Typed::Kind::Blank: return 0.0;
    case numbertext::Typed::Kind::Invalid: break;
    }
    if (takesDash(f) && text.trimmed() == kDash)
        return 0.0;
    if (refusal)
        *refusal = formatText(localized("Not a number", "\r\rerror ! "),
                              {text, QLatin1String(Plongee::field(f).name)});
    return std::nullopt;
}

bool DiveForm::refuse(const QString& message, BuildMode mode, QString* refusal)
{
    if (refusal)
        *refusal = message;
    if (mode == BuildMode::Alert) {
        Alert alert;
        alert.key = QStringLiteral("Dive refused");
        alert.table = kCarnet;
        alert.message = message;
        alert.buttons = {m_context.localizer().text(QStringLiteral("OK"), QStringLiteral("Main"), QStringLiteral("OK"))};
        m_context.alerts().ask(alert);
    }
    return false;
}

bool DiveForm::storeText(int f, QString& t, double number, Plongee& d)
{
    const Plongee::Kind kind = Plongee::field(f).kind;
    if (kind == Plongee::Kind::Float || kind == Plongee::Kind::FloatBits) {
        float v = float(number);
        if ((f == idx_profondeur || f == idx_lestage) && v < 0) {
            v = 0;
            t = QStringLiteral("0");
        }
        d.setValue(f, v);
        return true;
    }
    qint32 v = toInt32(number);
    switch (f) {
    case idx_coeff:
        if (v < 20 || v > 120 || t.trimmed() == kDash) {
            v = 0;
            t = kDash;
        }
        break;
    case idx_tempEau:
    case idx_tempAir: {
        const int lowest = f == idx_tempEau ? -5 : -50, highest = f == idx_tempEau ? 100 : 140;
        if (t.trimmed().isEmpty() || t.trimmed() == kDash || v < lowest || v > highest || v == -50) {
            v = -50;
            t = kDash;
        }
        break;
    }
    case idx_temps:
        if (v < 0) {
            v = 0;
            t = QStringLiteral("0");
        }
        break;
    case idx_altitude:
        if (v < 0 || v >= 4001) {
            v = 0;
            t = QStringLiteral("0");
        }
        break;
    case idx_o2Mix:
    case idx_o2Mix_2:
        if (v < 1) {
            v = 21;
            t = QStringLiteral("21");
        }
        break;
    default:
        if (isStopTime(f) && v < 0) {
            v = 0;
            t = QStringLiteral("0");
        }
        break;
    }
    d.setValue(f, v);
    return true;
}

QList<const char*> DiveForm::checkHelium(std::array<QString, Plongee::FieldCount>& texts, Plongee& d, int onlyField)
{
    QList<const char*> warnings;
    // Each mix, tank 1 first: helium below 0 or of 87 and more is refused,
    // and so is helium that would leave negative nitrogen.
    for (const divebounds::MixFields& mix : divebounds::mixes()) {
        if (onlyField >= 0 && onlyField != mix.oxygen && onlyField != mix.helium)
            continue;
        const qint32 he = std::get<qint32>(d.value(mix.helium));
        const qint32 o2 = std::get<qint32>(d.value(mix.oxygen));
        const char* key = nullptr;
        if (he < 0 || he >= 87)
            key = "Helium percent";
        else if (o2 <= 100 && qint64(o2) + he > 100) // oxygen above 100 % is refused as out of range
            key = "Oxygen helium percent";
        if (!key)
            continue;
        warnings.append(key);
        d.setValue(mix.helium, qint32(0));
        texts[mix.helium] = QStringLiteral("0");
    }
    return warnings;
}

Result<Plongee> DiveForm::build(BuildMode mode)
{
    QString refusal;
    // Every number is read first, so that a typo stores nothing at all.
    std::array<double, Plongee::FieldCount> numbers{};
    for (int f = 0; f < Plongee::FieldCount; ++f) {
        if (controlOf(f) != Control::Text || Plongee::field(f).kind == Plongee::Kind::String)
            continue;
        const std::optional<double> n = typedNumber(f, m_texts[f], &refusal);
        if (!n) {
            refuse(refusal, mode, nullptr);
            return Result<Plongee>::failure(refusal);
        }
        numbers[size_t(f)] = *n;
    }
    for (int f : {int(idx_date), int(idx_heure)}) {
        if (!divebounds::holdsDate(m_dates[f])) {
            refusal = formatText(localized("Date out of range", "\r\rerror ! "),
                                 {divebounds::kFirstYear, divebounds::kLastYear});
            refuse(refusal, mode, nullptr);
            return Result<Plongee>::failure(refusal);
        }
    }

    // Tank pressures are stored as typed, after a warning when they cannot be right.
    const auto whole = [&](int f) { return toInt32(numbers[size_t(f)]); };
    const qint32 p1 = whole(idx_pressionDepart), e1 = whole(idx_pressionFin);
    const qint32 p2 = whole(idx_pressionDepart_2), e2 = whole(idx_pressionFin_2);
    QList<const char*> warnings;
    if (p1 < 0 || e1 < 0 || p2 < 0 || e2 < 0 || e1 > p1 || e2 > p2)
        warnings.append("Pressure in out");

    std::array<QString, Plongee::FieldCount> texts = m_texts;
    Plongee d;
    for (int f = 0; f < Plongee::FieldCount; ++f) {
        switch (controlOf(f)) {
        case Control::None: continue; // profile below; the reserved gas stays 0
        case Control::Choice:
        case Control::Slider: d.setValue(f, qint32(m_tags[f])); continue;
        case Control::Switch: d.setValue(f, qint32(m_switches[f] ? 1 : 0)); continue;
        case Control::DateTime: d.setValue(f, m_dates[f]); continue;
        case Control::Text: break;
        }
        if (Plongee::field(f).kind == Plongee::Kind::String)
            d.setValue(f, Plongee::Text(texts[f]));
        else
            storeText(f, texts[f], numbers[size_t(f)], d);
    }
    warnings += checkHelium(texts, d);

    WorkingProfile profile = m_profile;
    giveOneElement(profile.profilProfondeur);
    giveOneElement(profile.ascFlag);
    giveOneElement(profile.slowFlag);
    giveOneElement(profile.surfFlag);
    giveOneElement(profile.ceilFlag);
    giveOneElement(profile.gazFlag);
    giveOneElement(profile.pressData);
    d.setProfilProfondeur(profile.profilProfondeur);
    d.setASC_Flag(profile.ascFlag);
    d.setSLOW_Flag(profile.slowFlag);
    d.setSURF_Flag(profile.surfFlag);
    d.setCEIL_Flag(profile.ceilFlag);
    d.setGAZ_Flag(profile.gazFlag);
    d.setPRESS_Data(profile.pressData);

    if (const auto problem = divebounds::check(d)) {
        refusal = formatText(localized("Value out of range", "\r\rerror ! "), {problem->text});
        refuse(refusal, mode, nullptr);
        return Result<Plongee>::failure(refusal);
    }
    // The warnings of a dive that is stored, in the order of its fields.
    for (const char* key : warnings)
        warn(key);
    m_texts = texts;
    m_profile = std::move(profile);
    return d;
}

std::optional<QString> DiveForm::storeField(int f, Plongee& dive)
{
    QString refusal;
    Plongee d = dive;
    switch (controlOf(f)) {
    case Control::None: return QStringLiteral("the dive field \"%1\" has no control in the form").arg(QLatin1String(Plongee::field(f).name));
    case Control::Choice:
    case Control::Slider: d.setValue(f, qint32(m_tags[f])); break;
    case Control::Switch: d.setValue(f, qint32(m_switches[f] ? 1 : 0)); break;
    case Control::DateTime:
        if (!divebounds::holdsDate(m_dates[f]))
            return formatText(localized("Date out of range", "\r\rerror ! "), {divebounds::kFirstYear, divebounds::kLastYear});
        d.setValue(f, m_dates[f]);
        break;
    case Control::Text:
        if (Plongee::field(f).kind == Plongee::Kind::String) {
            d.setValue(f, Plongee::Text(m_texts[f]));
            break;
        }
        const std::optional<double> n = typedNumber(f, m_texts[f], &refusal);
        if (!n)
            return refusal;
        storeText(f, m_texts[f], *n, d);
        break;
    }
    std::array<QString, Plongee::FieldCount> texts = m_texts;
    const QList<const char*> warnings = checkHelium(texts, d, f);
    if (const auto problem = divebounds::checkField(d, f))
        return formatText(localized("Value out of range", "\r\rerror ! "), {problem->text});
    for (const char* key : warnings)
        warn(key);
    m_texts = texts;
    dive = std::move(d);
    return std::nullopt;
}

void DiveForm::refresh(int selectedRow, int diveCount)
{
    Derived& r = m_derived;
    const Localizer& loc = m_context.localizer();
    r.totalText = diveCount == 1 ? localized("One dive") : formatText(localized("Total dives"), {diveCount});
    r.previousEnabled = selectedRow > 0;
    r.nextEnabled = selectedRow >= 0 && selectedRow < diveCount - 1;

    const int apparatus = m_tags[idx_rebreather];
    if (apparatus == 2 || apparatus == 3) {
        r.tank1Label = localized("Tank oxygen label", "OXYGEN :");
        r.tank2Label = localized("Tank diluent label", "DILUENT :");
        r.setpointLabel = localized("Setpoint label", "Setpoint :");
        m_texts[idx_o2Mix] = QStringLiteral("100");
    } else if (apparatus == 0 || apparatus == 1) {
        r.tank1Label = localized("Tank main label", "Main tank :");
        r.tank2Label = localized("Tank second label", "Second tank :");
        r.setpointLabel = localized("PpO2");
    }
    r.flowEnabled = apparatus == 1;
    r.bailoutEnabled = apparatus >= 1 && apparatus <= 3;

    const int gas = m_tags[idx_gaz];
    r.o2Enabled = gas >= 1 && gas <= 5;
    r.heEnabled = gas == 2 || gas == 4 || gas == 5;
    const qint32 o2 = wholeNumber(m_texts[idx_o2Mix]);
    if (gas == 1) {
        m_texts[idx_heMix] = QStringLiteral("0");
        m_nitrogen[0] = number(100 - o2);
    } else if (gas == 3) {
        m_nitrogen[0] = QStringLiteral("0");
        m_texts[idx_heMix] = number(100 - o2);
    } else {
        m_nitrogen[0] = number(100 - o2 - wholeNumber(m_texts[idx_heMix]));
    }
    m_nitrogen[1] = number(100 - wholeNumber(m_texts[idx_o2Mix_2]) - wholeNumber(m_texts[idx_heMix_2]));

    r.planningEnabled = m_tags[idx_deco] == 3;
    r.poniesEnabled = false;
    for (int f = idx_deco_Level_3_sw; f <= idx_deco_Level_5_sw; ++f)
        r.poniesEnabled = r.poniesEnabled || m_switches[f];

    // Profile summary.
    // Read through const references: a list still shared with the dive
    // it came from would otherwise be copied on every refresh.
    const QList<float>& depth = m_profile.profilProfondeur;
    const QList<qint16>& slow = m_profile.slowFlag;
    const QList<qint16>& ceil = m_profile.ceilFlag;
    const QList<qint16>& surf = m_profile.surfFlag;
    const QList<qint16>& gasFlags = m_profile.gazFlag;
    float deepest = 0;
    float sum = 0;
    r.slowCount = r.ceilCount = r.gazCount = 0;
    int surfSum = 0;
    for (qsizetype i = 0; i < depth.size(); ++i) {
        deepest = std::max(deepest, depth[i]);
        sum += depth[i];
        if (i < slow.size())
            r.slowCount += slow[i];
        if (i < ceil.size())
            r.ceilCount += ceil[i];
        if (i < surf.size())
            surfSum += surf[i];
        if (i < gasFlags.size() && gasFlags[i] != 0)
            ++r.gazCount;
    }
    // The final surfacing is not an intermediate one.
    r.surfCount = surfSum > 0 && !m_profile.surfFlag.isEmpty() && m_profile.surfFlag.last() == 1 ? surfSum - 1 : surfSum;
    r.maxDepth = deepest;
    r.averageDepth = depth.isEmpty() ? 0.0f : sum / float(depth.size());
    r.profileBounded = std::all_of(depth.cbegin(), depth.cend(),
                                   [](float d) { return divebounds::kSampleDepth.holds(d); });
    if (!r.profileBounded || !std::isfinite(r.averageDepth))
        r.averageDepth = 0; // an impossible sample must not reach the figures below
    r.hasAverageDepth = r.profileBounded && depth.size() >= 2;
    const QVariant none = QStringLiteral("-");
    r.depthSummaryText = r.profileBounded
        ? formatText(localized("Max and average depth", "N/A"), {double(deepest), double(r.averageDepth)})
        : formatText(localized("Max and average depth", "N/A"), {none, none});
    const int samplingPos = divechoices::positionOf(idx_samplingRate, m_tags[idx_samplingRate]);
    const QString samplingItem = samplingPos < 0 ? QString()
        : loc.text(QLatin1String(divechoices::items(idx_samplingRate)[samplingPos].text), QStringLiteral("Carnet"),
                   QLatin1String(divechoices::items(idx_samplingRate)[samplingPos].text));
    r.samplingText = formatText(localized("Sampling rate", "N/A"), {samplingItem});
    r.pointsText = formatText(localized("Recorded points", "N/A"), {depth.size() < 2 ? 0 : int(depth.size())});

    computeFigures();

    const bool us = m_context.settings().boolValue(QStringLiteral("us units"));
    r.temperatureUnit = localized(us ? "Degree Farenheit" : "Degree Celsius");
    r.depthUnit = us ? QStringLiteral("ft") : QStringLiteral("m");

    const qint32 o2Now = wholeNumber(m_texts[idx_o2Mix]);
    switch (gas) {
    case 0: r.gasSummary = localized("Air"); break;
    case 1: r.gasSummary = formatText(QStringLiteral("Nitrox %d"), {o2Now}); break;
    case 2: r.gasSummary = formatText(QStringLiteral("Trimix %d/%d"), {o2Now, wholeNumber(m_texts[idx_heMix])}); break;
    case 3: r.gasSummary = formatText(QStringLiteral("Heliox %d"), {o2Now}); break;
    case 4: r.gasSummary = formatText(QStringLiteral("Triox %d/%d"), {o2Now, wholeNumber(m_texts[idx_heMix])}); break;
    case 5: r.gasSummary = formatText(QStringLiteral("Heliair %d/%d"), {o2Now, wholeNumber(m_texts[idx_heMix])}); break;
    default: r.gasSummary = QString::number(gas); break;
    }
    r.title = formatText(localized("Dive number title"), {wholeNumber(m_texts[idx_noPlongee])});
}

void DiveForm::computeFigures()
{
    Derived& r = m_derived;
    const auto whole = [this](int f) { return wholeNumber(m_texts[f]); };
    const bool us = m_context.settings().boolValue(QStringLiteral("us units"));

    // A figure, or "-" where the data for it is missing or inconsistent.
    const QVariant none = QStringLiteral("-");
    const auto figure = [&none](bool known, const QVariant& value) { return known ? value : none; };
    // An end pressure above the start pressure is stored, but tells no
    // consumption.
    const auto drop = [&](int start, int end) {
        const qint64 used = qint64(whole(start)) - whole(end);
        return formatText(localized("Delta pressure"), {figure(used >= 0, used)});
    };
    r.deltaPressure1Text = drop(idx_pressionDepart, idx_pressionFin);
    r.deltaPressure2Text = drop(idx_pressionDepart_2, idx_pressionFin_2);

    // The form's depths in feet are converted before any gas computation;
    // the profile, and so the average depth, is kept in metres (shown in
    // feet with "us units" on).
    const float metresPerUnit = divecalc::metresPerUnit(us);
    const int volume = whole(idx_volumeBloc);
    r.consumption = divecalc::airConsumption(whole(idx_pressionDepart), whole(idx_pressionFin), whole(idx_temps),
                                             volume, r.averageDepth);
    const divecalc::Consumption& c = r.consumption;
    const bool consistent = c.pressionConsommee >= 0;
    const bool litres = volume > 0;
    const bool surface = consistent && r.hasAverageDepth;
    r.consumptionText = c.valid
        ? formatText(localized(us ? "Gas status US" : "Gas status"),
                     {figure(litres, c.volumeDisponible), figure(litres && consistent, c.volumeConsomme),
                      figure(consistent, double(c.pressionParMinute)), figure(litres && surface, double(c.sac)),
                      figure(surface, double(c.sacBar)), figure(r.hasAverageDepth, double(r.averageDepth / metresPerUnit))})
        : localized("Gas status error");

    std::array<divecalc::StopGas, 5> stops;
    const int switches[] = {idx_deco_Level_1_sw, idx_deco_Level_2_sw, idx_deco_Level_3_sw, idx_deco_Level_4_sw,
                            idx_deco_Level_5_sw};
    for (int level = 0; level < 5; ++level) {
        stops[size_t(level)].on = m_switches[switches[level]];
        stops[size_t(level)].depth = decimalNumber(m_texts[idx_decoDepth_Level_1 + level]);
        stops[size_t(level)].oxygen = whole(idx_decoO2_Level_1 + level);
    }
    float formDepth = decimalNumber(m_texts[idx_profondeur]);
    if (!std::isfinite(formDepth))
        formDepth = 0;
    // A closed circuit breathes its set-point; without one the pressure is unknown.
    const bool closed = divecalc::closedCircuit(m_tags[idx_rebreather]);
    const divecalc::Breathing breathing{metresPerUnit, closed ? divecalc::setpointOf(m_tags[idx_ppO2]) : std::nullopt};
    r.highestPpO2 = divecalc::highestPpO2(formDepth, m_profile.profilProfondeur, whole(idx_o2Mix), stops, breathing);
    r.cnsPercent = divecalc::cnsClock(r.highestPpO2, whole(idx_temps));
    const bool oxygenKnown = (r.profileBounded || m_profile.profilProfondeur.size() < 2) && (!closed || breathing.setpoint);
    r.cnsText = formatText(localized("CNS", "N/A"),
                           {figure(oxygenKnown, double(r.highestPpO2)), figure(oxygenKnown, r.cnsPercent)});

    const int volumes[] = {idx_volPony1, idx_volPony2, idx_volPony3, idx_volBailout1, idx_volBailout2};
    const int starts[] = {idx_pressDepartPony1, idx_pressDepartPony2, idx_pressDepartPony3, idx_pressDepartBailout1,
                          idx_pressDepartBailout2};
    const int ends[] = {idx_pressFinPony1, idx_pressFinPony2, idx_pressFinPony3, idx_pressFinBailout1,
                        idx_pressFinBailout2};
    for (size_t i = 0; i < 5; ++i) {
        Derived::Cylinder& cyl = r.cylinders[i];
        const int v = whole(volumes[i]), p0 = whole(starts[i]), p1 = whole(ends[i]);
        cyl = Derived::Cylinder();
        if (v == 0)
            continue;
        cyl.text = formatText(localized("Cylinder volumes", "Available: %d L\rUsed: %d L"),
                              {divecalc::litres(v, p0), figure(p1 <= p0, divecalc::litres(v, qint64(p0) - p1))});
        cyl.gaugeVisible = true;
        cyl.gaugeMaximum = p0;
        cyl.gaugeValue = p1;
        cyl.gaugeTicks = p0 / 10;
    }
    // Each dive shows its own titles: a pony whose stop level and every
    // later one are off gets its plain name back.
    for (int i = 0; i < 3; ++i) {
        bool used = false;
        for (int level = i; level < 5; ++level)
            used = used || stops[size_t(level)].on;
        r.ponyTitles[size_t(i)] = used
            ? formatText(QStringLiteral("Pony %d : %d m - %d %% O₂"),
                         {i + 1, numbertext::leadingInt(m_texts[idx_decoDepth_Level_1 + i]), whole(idx_decoO2_Level_1 + i)})
            : QStringLiteral("Pony %1").arg(i + 1);
    }

    static const char* const difficulty[] = {"Very easy", "Easy", "Normal", "Hard", "Very hard"};
    const int level = m_tags[idx_difficulte];
    r.difficultyText = level > 4 ? localized("Extreme") : level >= 0 ? localized(difficulty[level]) : QString();
}
