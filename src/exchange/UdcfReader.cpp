#include "exchange/UdcfReader.h"

#include "exchange/GasMix.h"
#include "exchange/ImportBounds.h"
#include "exchange/ProfileGrid.h"
#include "exchange/UddfMapping.h"
#include "exchange/UddfValues.h"
#include "exchange/XmlPullReader.h"
#include "logbook/DiveBounds.h"
#include "logbook/Plongee.h"

#include <algorithm>
#include <cmath>

using namespace plongee;

namespace {

using Name = UdcfReader::Name;

struct Known {
    const char* text;
    Name name;
};

// Both spellings of the air temperature are read: handheld files carry the
// one with two r.
constexpr Known kKnown[] = {
    {"units", Name::Units},           {"device", Name::Device},
    {"model", Name::Model},           {"repgroup", Name::Repgroup},
    {"dive", Name::Dive},             {"place", Name::Place},
    {"site", Name::Site},             {"date", Name::Date},
    {"year", Name::Year},             {"month", Name::Month},
    {"day", Name::Day},               {"time", Name::Time},
    {"hour", Name::Hour},             {"minute", Name::Minute},
    {"maxdepth", Name::MaxDepth},     {"divetime", Name::DiveTime},
    {"temperature", Name::Temperature}, {"watertemperature", Name::WaterTemperature},
    {"airtemperature", Name::AirTemperature}, {"airrtemperature", Name::AirTemperature},
    {"altitude", Name::Altitude},     {"surfaceinterval", Name::SurfaceInterval},
    {"gases", Name::Gases},           {"mix", Name::Mix},
    {"mixname", Name::MixName},       {"tank", Name::Tank},
    {"tankvolume", Name::TankVolume}, {"pstart", Name::PStart},
    {"pend", Name::PEnd},             {"o2", Name::O2},
    {"he", Name::He},                 {"samples", Name::Samples},
    {"delta", Name::Delta},           {"d", Name::D},
    {"alarm", Name::Alarm},           {"weather", Name::Weather},
    {"current", Name::Current},       {"visibility", Name::Visibility},
    {"divetype", Name::DiveType},
};

// Sampling periods in seconds and the record's sampling-rate codes.
constexpr std::pair<int, int> kPeriods[] = {{1, 6}, {4, 5}, {5, 7}, {10, 0}, {20, 1}, {30, 2}, {60, 3}, {120, 4}};

// More dives than any diver's logbook holds.
constexpr qsizetype kMaxDives = 200000;

// A tank pressure above this many is in pascals: no tank holds so many bar
// or psi.
constexpr double kPascalsAbove = 100000;
constexpr double kBarPerPsi = 0.0689475729;
constexpr double kLitresPerCubicFoot = 28.316846592;

const char* textOf(Name name)
{
    for (const Known& k : kKnown)
        if (k.name == name)
            return k.text;
    return "?";
}

QString whole(double v) { return QString::number(qint64(std::llround(std::clamp(v, -2e9, 2e9)))); }

} // namespace

UdcfReader::UdcfReader(Layout layout, ImportProgress progress) : m_layout(layout), m_progress(std::move(progress)) {}

UdcfReader::Name UdcfReader::nameOf(const char* interned)
{
    if (const auto known = m_names.constFind(interned); known != m_names.cend())
        return *known;
    Name name = Other;
    for (const Known& k : kKnown)
        if (qstricmp(interned, k.text) == 0)
            name = k.name;
    m_names.insert(interned, name);
    return name;
}

bool UdcfReader::fail(const QString& reason)
{
    m_xml->failAt(m_dive.line, m_dive.column, reason);
    return false;
}

Result<QList<ImportedDive>> UdcfReader::read(QIODevice& device)
{
    m_cancelled = false;
    m_dives.clear();
    m_path.clear();
    XmlPullReader xml(device, m_progress);
    m_xml = &xml;
    bool root = false;
    for (bool going = true; going;) {
        switch (xml.next()) {
        case XmlPullReader::Event::StartElement:
            root = true;
            start(nameOf(xml.localName()), xml.depth());
            break;
        case XmlPullReader::Event::EndElement: end(nameOf(xml.localName()), xml.depth()); break;
        case XmlPullReader::Event::Text:
            if (m_text.size() + xml.text().size() > XmlPullReader::kMaxTextBytes)
                xml.fail(QStringLiteral("an element holds more text than any exchange file needs"));
            else
                m_text.append(xml.text());
            break;
        case XmlPullReader::Event::EndOfDocument:
        case XmlPullReader::Event::Failed: going = false; break;
        }
        if (!xml.error().isEmpty())
            break;
    }
    if (!root && xml.error().isEmpty())
        xml.failAt(1, 1, QStringLiteral("the file holds no XML element"));
    m_cancelled = xml.cancelled();
    m_xml = nullptr;
    if (!xml.error().isEmpty())
        return Result<QList<ImportedDive>>::failure(xml.error());
    return m_dives;
}

bool UdcfReader::inFirst(int depth) const
{
    for (int i = 3; i < depth && i < int(m_path.size()); ++i) {
        const Name n = m_path[size_t(i)];
        if ((n == Gases && i == 3 && m_dive.gases != 1) || (n == Mix && i == 4 && m_dive.mixes != 1)
            || (n == Tank && i == 5 && m_dive.tanks != 1) || (n == Samples && i == 3 && m_dive.samples != 1))
            return false;
    }
    return true;
}

void UdcfReader::start(Name name, int depth)
{
    m_path.resize(size_t(depth));
    m_path.push_back(name);
    m_text.truncate(0);
    if (depth == 2 && name == Dive && m_path[1] == Repgroup) {
        if (m_dives.size() >= kMaxDives) {
            m_xml->fail(QStringLiteral("the file holds more than %1 dives").arg(kMaxDives));
            return;
        }
        m_inDive = true;
        m_dive = DiveFields();
        m_xml->elementPosition(&m_dive.line, &m_dive.column);
        return;
    }
    if (!m_inDive || depth < 3)
        return;
    DiveFields& d = m_dive;
    if (depth == 3) {
        // The last date and time are read; of the gases and samples, the first.
        if (name == Date)
            d.fields[Year] = d.fields[Month] = d.fields[Day] = std::nullopt;
        else if (name == Time)
            d.fields[Hour] = d.fields[Minute] = std::nullopt;
        else if (name == Gases)
            ++d.gases;
        else if (name == Samples)
            ++d.samples;
    } else if (depth == 4 && name == Mix && m_path[3] == Gases && d.gases == 1) {
        ++d.mixes;
    } else if (depth == 5 && name == Tank && m_path[4] == Mix && inFirst(5)) {
        ++d.tanks;
    } else if (depth == 4 && name == D && m_path[3] == Samples && d.samples == 1) {
        if (qsizetype(d.depths.size()) >= ProfileGrid::kMaxSamples) {
            m_xml->failAt(d.line, d.column, QStringLiteral("the dive has more than %1 samples").arg(ProfileGrid::kMaxSamples));
            return;
        }
        d.depths.push_back(0);
        d.alarms.push_back(0);
    }
}

void UdcfReader::end(Name name, int depth)
{
    if (depth == 1 && name == Units && !m_inDive)
        m_imperial = uddfvalues::trimmedText(m_text).compare(QLatin1String("imperial"), Qt::CaseInsensitive) == 0;
    else if (depth == 2 && name == Model && m_path[1] == Device)
        m_ownFile = uddfvalues::trimmedText(m_text) == QLatin1String("Ondrix");
    if (m_inDive) {
        DiveFields& d = m_dive;
        const Name parent = depth > 0 ? m_path[size_t(depth - 1)] : Other;
        if (depth == 2 && name == Dive) {
            m_inDive = false;
            finishDive();
        } else if (depth == 3 && name != Other && name != Gases && name != Samples && name != Date && name != Time) {
            d.fields[name] = m_text;
        } else if (depth == 4 && ((parent == Date && (name == Year || name == Month || name == Day))
                                  || (parent == Time && (name == Hour || name == Minute)))) {
            d.fields[name] = m_text;
        } else if (depth == 4 && parent == Samples && d.samples == 1) {
            if (name == Delta) {
                d.fields[Delta] = m_text;
            } else if (name == D && !d.depths.empty()) {
                const auto v = uddfvalues::number(m_text);
                d.badDepth = d.badDepth || !v;
                d.depths.back() = v.value_or(0);
            } else if (name == Alarm && !d.alarms.empty()) {
                d.alarms.back() |= uddfmapping::alarmBit(m_text.trimmed());
            }
        } else if (depth == 5 && parent == Mix && inFirst(5) && (name == MixName || name == O2 || name == He)) {
            d.fields[name] = m_text;
        } else if (depth == 6 && parent == Tank && inFirst(6)
                   && (name == TankVolume || name == PStart || name == PEnd)) {
            d.fields[name] = m_text;
        }
    }
    m_text.truncate(0);
    m_path.resize(size_t(depth));
}

void UdcfReader::finishDive()
{
    DiveFields& d = m_dive;
    QString problem;
    const auto number = [&](Name name) -> std::optional<double> {
        const std::optional<QByteArray>& text = d.fields[name];
        if (!text || text->trimmed().isEmpty())
            return std::nullopt;
        const auto v = uddfvalues::number(*text);
        if (!v && problem.isEmpty())
            problem = QStringLiteral("<%1> holds \"%2\", not a number")
                          .arg(QLatin1String(textOf(name)))
                          .arg(uddfvalues::trimmedText(text->left(40)));
        return v;
    };
    const auto text = [&](Name name) { return d.fields[name] ? uddfvalues::trimmedText(*d.fields[name]) : QString(); };
    const auto metres = [&](double v) { return m_imperial ? v * uddfmapping::kMetresPerFoot : v; };
    const auto celsius = [&](double v) { return m_imperial ? (v - 32) * 5 / 9 : v; };
    const auto bar = [&](double v) {
        if (v > kPascalsAbove)
            return v / uddfmapping::kPascalsPerBar;
        return m_imperial ? v * kBarPerPsi : v;
    };

    ImportedDive out;
    out.line = d.line;
    out.column = d.column;
    const auto year = number(Year), month = number(Month), day = number(Day);
    const QDate date(int(year.value_or(0)), int(month.value_or(0)), int(day.value_or(0)));
    if (!date.isValid() || date.year() < divebounds::kFirstYear || date.year() > divebounds::kLastYear) {
        fail(QStringLiteral("the dive has no valid date (date/year, month and day): %1-%2-%3")
                 .arg(text(Year), text(Month), text(Day)));
        return;
    }
    const QTime start(int(number(Hour).value_or(0)), int(number(Minute).value_or(0)));
    if (!start.isValid()) {
        fail(QStringLiteral("the dive's time of day %1:%2 is not valid").arg(text(Hour), text(Minute)));
        return;
    }
    out.day = date;
    out.start = start;

    // The place: a site of its own, or the site joined to the place by
    // " - " as the UDCF export writes them.
    if (d.fields[Place]) {
        QString place = QString::fromUtf8(*d.fields[Place]);
        if (!d.fields[Site]) {
            const qsizetype dash = place.indexOf(QLatin1String(" - "));
            if (dash >= 0) {
                out.setText(idx_site, place.mid(dash + 3).trimmed());
                place.truncate(dash);
            }
        }
        out.setText(idx_lieu, place.trimmed());
    }
    if (d.fields[Site])
        out.setText(idx_site, text(Site));

    if (m_layout == Layout::Udcf) {
        out.positions = {{idx_meteo, 7}, {idx_courant, 6}, {idx_visibilite, 8}, {idx_typePlongee, 13}};
    } else {
        const std::pair<Name, int> choices[] = {
            {Weather, idx_meteo}, {Current, idx_courant}, {Visibility, idx_visibilite}, {DiveType, idx_typePlongee}};
        for (const auto& [name, field] : choices)
            if (const auto position = number(name))
                out.positions.append({field, int(std::clamp(*position, -1.0, 1000.0))});
    }
    const auto water = number(d.fields[WaterTemperature] ? WaterTemperature : Temperature);
    if (water)
        out.setText(idx_tempEau, whole(celsius(*water)));
    if (const auto air = number(AirTemperature))
        out.setText(idx_tempAir, whole(celsius(*air)));
    if (const auto altitude = number(Altitude))
        out.setText(idx_altitude, whole(metres(*altitude)));
    const QString interval = text(SurfaceInterval);
    if (interval == QLatin1String("infinity"))
        out.setText(idx_surface, QStringLiteral("--:--"));
    else if (const auto seconds = uddfmapping::intervalSeconds(interval))
        out.setText(idx_surface, uddfmapping::intervalText(*seconds));

    // The gas: fractions (0.32) or per cents (32), whichever the values are.
    const auto o2 = number(O2), he = number(He);
    if (o2 || he) {
        const bool perCent = o2.value_or(0) > 1 || he.value_or(0) > 1;
        const double scale = perCent ? 0.01 : 1;
        const auto mix = GasMix::fromFractions(o2.value_or(0) * scale, he.value_or(0) * scale);
        if (!mix) {
            fail(QStringLiteral("the mix of %1 oxygen and %2 helium is no gas").arg(text(O2), text(He)));
            return;
        }
        out.setText(idx_o2Mix, QString::number(mix->oxygen()));
        out.setText(idx_heMix, QString::number(mix->helium()));
        out.setTag(idx_gaz, mix->codeForName(text(MixName)));
    }
    const auto start_ = number(PStart);
    if (start_)
        out.setText(idx_pressionDepart, whole(bar(*start_)));
    if (const auto end = number(PEnd))
        out.setText(idx_pressionFin, whole(bar(*end)));
    if (const auto volume = number(TankVolume)) {
        // An imperial tank is rated in cubic feet of gas at its pressure.
        const double litres = m_imperial && start_ && *start_ > 0 ? *volume * kLitresPerCubicFoot / bar(*start_) : *volume;
        out.setText(idx_volumeBloc, whole(litres));
    }

    // The profile: one sample per D from the surface at time 0. Our own
    // export frames the dive's samples with a surface sample at each end,
    // which are no part of the dive.
    std::vector<double>& depths = d.depths;
    std::vector<unsigned char>& alarms = d.alarms;
    if (m_ownFile && depths.size() >= 2) {
        depths.pop_back();
        alarms.pop_back();
        depths.erase(depths.begin());
        alarms.erase(alarms.begin());
    }
    if (d.badDepth && problem.isEmpty())
        problem = QStringLiteral("a <D> of the samples is not a number");
    double deepest = 0;
    for (double& v : depths) {
        v = metres(v);
        deepest = std::max(deepest, v);
    }
    std::optional<double> period;
    if (const auto delta = number(Delta)) {
        for (const auto& [seconds, code] : kPeriods)
            if (std::fabs(*delta - seconds) < 1e-6) {
                out.samplingRate = code;
                period = seconds;
            }
    }
    if (!depths.empty()) {
        out.depths.reserve(qsizetype(depths.size()));
        for (size_t i = 0; i < depths.size(); ++i) {
            const QString why = importbounds::outside(depths[i], divebounds::kSampleDepth);
            if (!why.isEmpty()) {
                fail(QStringLiteral("<D> %1 of the samples: %2").arg(i + 1).arg(why));
                return;
            }
            out.depths.append(float(depths[i]));
            out.ascFlags.append((alarms[i] & ProfileGrid::DecoAlarm) ? 1 : 0);
            out.slowFlags.append((alarms[i] & ProfileGrid::AscentAlarm) ? 1 : 0);
            out.surfFlags.append((alarms[i] & ProfileGrid::SurfaceAlarm) ? 1 : 0);
            out.ceilFlags.append((alarms[i] & ProfileGrid::ErrorAlarm) ? 1 : 0);
        }
        out.gasFlags.fill(0, out.depths.size());
    }
    const auto maxDepth = number(MaxDepth);
    if (maxDepth || !depths.empty())
        out.setText(idx_profondeur, QString::number(std::max(maxDepth ? metres(*maxDepth) : 0.0, deepest), 'g', 7));
    if (const auto minutes = number(DiveTime))
        out.setText(idx_temps, whole(*minutes));
    else if (period && depths.size() > 1)
        out.setText(idx_temps, whole(double(depths.size() - 1) * *period / 60));

    if (!problem.isEmpty()) {
        fail(problem);
        return;
    }
    if (const auto why = importbounds::problem(out)) {
        fail(*why);
        return;
    }
    m_dives.append(std::move(out));
}
