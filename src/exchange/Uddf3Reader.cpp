#include "exchange/Uddf3Reader.h"

#include "exchange/ImportBounds.h"
#include "exchange/UddfMapping.h"
#include "exchange/UddfValues.h"
#include "exchange/XmlPullReader.h"
#include "logbook/Plongee.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

using namespace plongee;

namespace {

QString whole(double v) { return QString::number(qint64(std::llround(std::clamp(v, -2e9, 2e9)))); }

// Temperatures are written in kelvin: from absolute zero to the hottest
// that a dive record takes.
constexpr divebounds::Range kKelvin{0, importbounds::kCelsius.highest + uddfmapping::kZeroCelsius};
constexpr double kBarsPerPascal = 1 / uddfmapping::kPascalsPerBar;
constexpr qsizetype kMaxWreckText = 1000;

} // namespace

Uddf3Reader::Uddf3Reader(XmlPullReader& xml, ImportSink* sink) : m_xml(xml), m_sink(sink), m_streaming(sink)
{
    const auto i = [&xml](const char* s) { return xml.intern(s); };
    n = Names{i("uddf"), i("gasdefinitions"), i("mix"), i("name"), i("o2"), i("n2"), i("he"), i("ar"), i("h2"),
              i("diver"), i("owner"), i("buddy"), i("personal"), i("firstname"), i("middlename"), i("lastname"),
              i("equipment"), i("divecomputer"), i("model"), i("serialnumber"), i("manufacturer"), i("divesite"),
              i("site"), i("geography"), i("location"), i("address"), i("country"), i("divebase"),
              i("profiledata"), i("repetitiongroup"), i("dive"), i("informationbeforedive"),
              i("informationafterdive"), i("tankdata"), i("samples"), i("waypoint"), i("link"), i("datetime"),
              i("airtemperature"), i("altitude"), i("surfaceintervalbeforedive"), i("passedtime"), i("infinity"),
              i("equipmentused"), i("leadquantity"), i("tankvolume"), i("tankpressurebegin"),
              i("tankpressureend"), i("alarm"), i("depth"), i("divetime"), i("switchmix"), i("tankpressure"),
              i("temperature"), i("greatestdepth"), i("lowesttemperature"), i("diveduration"), i("visibility"),
              i("notes"), i("para"), i("rating"), i("ratingvalue"), i("sitedata"), i("wreck"), i("latitude"),
              i("longitude"), i("suit"), i("rebreather"), i("nosuit"), i("purpose"), i("plannedprofile"),
              i("decostop"), i("setpo2"), i("current"), i("tank"), i("tankmaterial")};
    m_path.push_back(xml.localName());
}

// The number of the element just ended in a dive, as the file writes it,
// within `range` once multiplied by `scale`; nothing for an empty element.
// Any other text, or a number out of the range, refuses the dive there.
std::optional<double> Uddf3Reader::checked(const char* name, QByteArrayView text, const divebounds::Range& range,
                                           double scale)
{
    const importbounds::Number v = importbounds::read(text, range, scale);
    if (v.problem.isEmpty())
        return v.value;
    const QString where = m_path.size() > 5 && m_path[5] == n.waypoint
        ? QStringLiteral("<%1> of waypoint %2").arg(QLatin1String(name)).arg(m_dive.points.size() + 1)
        : QStringLiteral("<%1>").arg(QLatin1String(name));
    m_xml.failAt(m_dive.line, m_dive.column, QStringLiteral("%1: %2").arg(where, v.problem));
    return std::nullopt;
}

QByteArray Uddf3Reader::attribute(const char* name) const
{
    if (const auto plain = m_xml.plainAttribute(name))
        return plain->toByteArray();
    QByteArray value;
    m_xml.attribute(name, &value);
    return value;
}

// The attribute of the current tag, without a copy when it is one plain text.
void Uddf3Reader::attributeInto(const char* name, QByteArray* value) const
{
    const auto plain = m_xml.plainAttribute(name);
    if (plain && QByteArrayView(*value) == *plain)
        return;
    *value = attribute(name);
}

Result<QList<ImportedDive>> Uddf3Reader::read()
{
    for (;;) {
        switch (m_xml.next()) {
        case XmlPullReader::Event::StartElement: start(m_xml.localName(), m_xml.depth()); break;
        case XmlPullReader::Event::EndElement: end(m_xml.localName(), m_xml.depth()); break;
        case XmlPullReader::Event::Text:
            if (qsizetype(m_text.size()) + m_xml.text().size() > XmlPullReader::kMaxTextBytes)
                m_xml.fail(QStringLiteral("an element holds more text than any exchange file needs"));
            else
                m_text.append(m_xml.text().data(), size_t(m_xml.text().size()));
            break;
        case XmlPullReader::Event::EndOfDocument: {
            QList<ImportedDive> dives;
            dives.reserve(m_pending.size());
            for (PendingDive& p : m_pending) {
                if (Fault fault; !resolve(p, &fault)) {
                    m_xml.failAt(fault.line, fault.column, fault.reason);
                    return Result<QList<ImportedDive>>::failure(m_xml.error());
                }
                dives.append(std::move(p.dive));
                p = PendingDive();
            }
            return dives;
        }
        case XmlPullReader::Event::Failed: return Result<QList<ImportedDive>>::failure(m_xml.error());
        }
        if (!m_xml.error().isEmpty() || m_readAgain)
            return Result<QList<ImportedDive>>::failure(m_xml.error());
    }
}

void Uddf3Reader::start(const char* name, int depth)
{
    m_path.resize(size_t(depth));
    m_path.push_back(name);
    m_text.clear();
    switch (depth) {
    case 2:
        if (name == n.mix && m_path[1] == n.gasdefinitions) {
            m_id = attribute("id");
            m_mix = Mix();
            m_o2 = m_n2 = m_he = m_ar = m_h2 = std::nullopt;
            m_xml.elementPosition(&m_mix.line, &m_mix.column);
        } else if (name == n.buddy && m_path[1] == n.diver) {
            m_id = attribute("id");
            m_first.clear();
            m_middle.clear();
            m_last.clear();
        } else if ((name == n.site || name == n.divebase) && m_path[1] == n.divesite) {
            m_id = attribute("id");
            m_site = Site();
            m_baseName.clear();
        }
        break;
    case 3:
        if (name == n.dive && m_path[1] == n.profiledata && m_path[2] == n.repetitiongroup) {
            if (m_dives >= kMaxDives) {
                m_xml.fail(QStringLiteral("the file holds more than %1 dives").arg(kMaxDives));
                return;
            }
            m_inDive = true;
            // The waypoints' room stays from dive to dive.
            std::vector<ProfileGrid::Point> points = std::move(m_dive.points);
            points.clear();
            m_dive = DiveState();
            m_dive.points = std::move(points);
            m_dive.points.reserve(m_lastPoints);
            m_xml.elementPosition(&m_dive.line, &m_dive.column);
        }
        break;
    case 4:
        if (m_path[1] == n.diver && m_path[2] == n.owner && m_path[3] == n.equipment) {
            m_id = attribute("id");
            m_computer = Computer();
            m_pieceName.clear();
            m_material.reset();
        } else if (m_inDive && name == n.tankdata) {
            m_dive.tanks.append(Tank());
        }
        break;
    case 5:
        if (!m_inDive)
            break;
        if (name == n.waypoint && m_path[4] == n.samples) {
            if (m_dive.points.size() >= size_t(ProfileGrid::kMaxSamples)) {
                m_xml.fail(QStringLiteral("the dive has more than %1 waypoints").arg(ProfileGrid::kMaxSamples));
                return;
            }
            m_dive.point = ProfileGrid::Point();
            // A waypoint without a time belongs to the moment of the one before.
            m_dive.point.time = m_dive.points.empty() ? 0.0 : m_dive.points.back().time;
        } else if (name == n.nosuit && m_path[4] == n.informationbeforedive) {
            m_dive.noSuit = true;
        } else if (name == n.link) {
            if (m_path[4] == n.informationbeforedive)
                m_dive.links.append(attribute("ref"));
            else if (m_path[4] == n.tankdata && !m_dive.tanks.isEmpty())
                m_dive.tanks.last().links.append(attribute("ref"));
        }
        break;
    case 6:
        if (!m_inDive)
            break;
        if (m_path[4] == n.samples && m_path[5] == n.waypoint) {
            if (name == n.switchmix) {
                attributeInto("ref", &m_ref);
                qsizetype index = m_dive.switchRefs.indexOf(m_ref);
                if (index < 0) {
                    index = m_dive.switchRefs.size();
                    m_dive.switchRefs.append(m_ref);
                }
                m_dive.point.mark = int(index);
            } else if (name == n.tankpressure) {
                attributeInto("ref", &m_dive.currentPressureRef);
            }
        } else if (name == n.link && m_path[5] == n.equipmentused
                   && (m_path[4] == n.informationbeforedive || m_path[4] == n.informationafterdive)) {
            m_dive.equipment.append(attribute("ref"));
        } else if (name == n.infinity && m_path[4] == n.informationbeforedive
                   && m_path[5] == n.surfaceintervalbeforedive) {
            m_dive.infinity = true;
        }
        break;
    case 7:
        // The stops of the planned ascent, as many as the dive has levels.
        if (m_inDive && name == n.decostop && m_path[4] == n.informationbeforedive && m_path[5] == n.plannedprofile
            && m_path[6] == n.waypoint && m_dive.stops.size() < 5) {
            const auto depth = uddfvalues::number(attribute("decodepth"));
            const auto duration = uddfvalues::number(attribute("duration"));
            if (depth && duration && divebounds::kSampleDepth.holds(*depth) && *duration >= 0 && *duration <= 1e7)
                m_dive.stops.append({*depth, *duration});
        }
        break;
    default: break;
    }
}

void Uddf3Reader::end(const char* name, int depth)
{
    using uddfvalues::number;
    const QByteArrayView text(m_text.data(), qsizetype(m_text.size()));
    switch (depth) {
    case 2:
        if (m_path[1] == n.gasdefinitions && name == n.mix) {
            finishMix();
        } else if (m_path[1] == n.diver && name == n.buddy) {
            QStringList parts;
            for (const QString& p : {m_first, m_middle, m_last})
                if (!p.isEmpty())
                    parts.append(p);
            if (!m_id.isEmpty())
                define(m_buddies, parts.join(u' '));
        } else if (m_path[1] == n.divesite && name == n.site) {
            if (!m_id.isEmpty())
                define(m_sites, m_site);
        } else if (m_path[1] == n.divesite && name == n.divebase) {
            if (!m_id.isEmpty())
                define(m_bases, m_baseName);
        }
        break;
    case 3:
        if (m_inDive && name == n.dive) {
            finishDive();
            m_inDive = false;
        } else if (m_path[1] == n.gasdefinitions && m_path[2] == n.mix) {
            if (name == n.name)
                m_mix.name = uddfvalues::trimmedText(text);
            else if (name == n.o2)
                m_o2 = number(text);
            else if (name == n.n2)
                m_n2 = number(text);
            else if (name == n.he)
                m_he = number(text);
            else if (name == n.ar)
                m_ar = number(text);
            else if (name == n.h2)
                m_h2 = number(text);
        } else if (m_path[1] == n.divesite && name == n.name) {
            if (m_path[2] == n.site)
                m_site.name = uddfvalues::trimmedText(text);
            else if (m_path[2] == n.divebase)
                m_baseName = uddfvalues::trimmedText(text);
        }
        break;
    case 4:
        if (m_path[1] == n.diver && m_path[2] == n.buddy && m_path[3] == n.personal) {
            if (name == n.firstname)
                m_first = uddfvalues::trimmedText(text);
            else if (name == n.middlename)
                m_middle = uddfvalues::trimmedText(text);
            else if (name == n.lastname)
                m_last = uddfvalues::trimmedText(text);
        } else if (m_path[1] == n.diver && m_path[2] == n.owner && m_path[3] == n.equipment) {
            if (m_id.isEmpty())
                break;
            const auto suit = name == n.suit ? uddfmapping::suitTag(m_pieceName) : std::nullopt;
            const auto rebreather = name == n.rebreather ? uddfmapping::apparatusForName(m_pieceName) : std::nullopt;
            if (name == n.tank && m_material)
                define(m_tankMaterials, *m_material);
            for (int k = 0; k < int(std::size(uddfmapping::kMarkedTanks)); ++k)
                if (name == n.tank && m_pieceName == QLatin1String(uddfmapping::kMarkedTanks[k]))
                    define(m_markedTanks, k);
            if (name == n.divecomputer)
                define(m_computers, m_computer);
            else if (suit)
                define(m_suits, *suit);
            else if (rebreather)
                define(m_rebreathers, *rebreather);
            else
                define(m_pieces, m_pieceName);
        } else if (m_path[1] == n.divesite && m_path[2] == n.site && m_path[3] == n.geography) {
            if (name == n.location)
                m_site.location = uddfvalues::trimmedText(text);
            else if (name == n.latitude)
                m_site.latitude = number(text);
            else if (name == n.longitude)
                m_site.longitude = number(text);
        }
        break;
    case 5:
        if (m_inDive) {
            DiveState& s = m_dive;
            const char* parent = m_path[4];
            if (parent == n.samples && name == n.waypoint) {
                s.points.push_back(s.point);
                if (std::isfinite(s.point.depth)) {
                    s.deepestWaypoint = s.anyDepth ? std::max(s.deepestWaypoint, s.point.depth) : s.point.depth;
                    s.anyDepth = true;
                }
            } else if (parent == n.informationbeforedive) {
                if (name == n.datetime)
                    s.datetime = QByteArray(text.data(), text.size());
                else if (name == n.airtemperature)
                    s.airTemperature = checked(name, text, kKelvin);
                else if (name == n.altitude)
                    s.altitude = checked(name, text, *divebounds::of(idx_altitude));
                else if (name == n.purpose)
                    s.purpose = uddfmapping::purposeKind(text);
            } else if (parent == n.tankdata && !s.tanks.isEmpty()) {
                Tank& t = s.tanks.last();
                if (name == n.tankvolume)
                    t.volume = checked(name, text, *divebounds::of(idx_volumeBloc), 1000);
                else if (name == n.tankpressurebegin)
                    t.begin = checked(name, text, divebounds::kSamplePressure, kBarsPerPascal);
                else if (name == n.tankpressureend)
                    t.end = checked(name, text, divebounds::kSamplePressure, kBarsPerPascal);
            } else if (parent == n.informationafterdive) {
                if (name == n.greatestdepth)
                    s.greatestDepth = checked(name, text, *divebounds::of(idx_profondeur));
                else if (name == n.lowesttemperature)
                    s.lowestTemperature = checked(name, text, kKelvin);
                else if (name == n.diveduration)
                    s.duration = checked(name, text, *divebounds::of(idx_temps), 1.0 / 60);
                else if (name == n.visibility)
                    s.visibility = number(text);
                else if (name == n.current)
                    s.current = uddfmapping::currentTag(text);
            }
        } else if (m_path[1] == n.diver && m_path[2] == n.owner && m_path[3] == n.equipment) {
            if (name == n.name)
                m_computer.name = m_pieceName = uddfvalues::trimmedText(text);
            else if (name == n.model)
                m_computer.model = uddfvalues::trimmedText(text);
            else if (name == n.serialnumber)
                m_computer.serial = uddfvalues::trimmedText(text);
            else if (name == n.tankmaterial)
                m_material = uddfmapping::tankMaterialTag(text);
        } else if (name == n.country && m_path[1] == n.divesite && m_path[2] == n.site && m_path[3] == n.geography
                   && m_path[4] == n.address) {
            m_site.country = uddfvalues::trimmedText(text);
        } else if (name == n.name && m_path[1] == n.divesite && m_path[2] == n.site && m_path[3] == n.sitedata
                   && m_path[4] == n.wreck) {
            const QString wreck = uddfvalues::trimmedText(text);
            // A site's wrecks make one text, of the length a typed one has.
            if (!wreck.isEmpty() && m_site.wreck.size() + wreck.size() <= kMaxWreckText)
                m_site.wreck = m_site.wreck.isEmpty() ? wreck : m_site.wreck + QStringLiteral(", ") + wreck;
        }
        break;
    case 6:
        if (m_inDive) {
            DiveState& s = m_dive;
            if (m_path[4] == n.samples && m_path[5] == n.waypoint) {
                ProfileGrid::Point& p = s.point;
                if (name == n.depth) {
                    // Read in single precision, so that a depth written in
                    // its shortest form is the very same float.
                    if (const auto v = checked(name, text, divebounds::kSampleDepth))
                        p.depth = uddfvalues::singleNumber(text).value_or(float(*v));
                } else if (name == n.divetime) {
                    if (const auto v = number(text))
                        p.time = *v;
                } else if (name == n.alarm) {
                    p.alarms |= uddfmapping::alarmBit(text);
                } else if (name == n.temperature) {
                    if (const auto v = checked(name, text, kKelvin))
                        s.coldestWaypoint = s.coldestWaypoint ? std::min(*s.coldestWaypoint, *v) : *v;
                } else if (name == n.tankpressure) {
                    // The first tank is the one whose pressure comes first.
                    if (!s.pressureRef)
                        s.pressureRef = s.currentPressureRef;
                    const auto v = checked(name, text, divebounds::kSamplePressure, kBarsPerPascal);
                    if (v && s.currentPressureRef == *s.pressureRef)
                        p.pressure = float(*v * kBarsPerPascal);
                } else if (name == n.setpo2 && s.points.empty() && !s.setPoint) {
                    if (const auto v = number(text))
                        s.setPoint = uddfmapping::setPointTag(*v);
                }
            } else if (m_path[4] == n.informationbeforedive && m_path[5] == n.surfaceintervalbeforedive
                       && name == n.passedtime) {
                if (const auto v = number(text))
                    s.interval = qint64(std::clamp(*v, 0.0, 1e12));
            } else if (m_path[5] == n.equipmentused && name == n.leadquantity
                       && (m_path[4] == n.informationbeforedive || m_path[4] == n.informationafterdive)) {
                s.lead = checked(name, text, *divebounds::of(idx_lestage));
            } else if (m_path[4] == n.informationafterdive && m_path[5] == n.notes && name == n.para) {
                s.paras.append(QString::fromUtf8(text));
                s.hasNotes = true;
            } else if (m_path[4] == n.informationafterdive && m_path[5] == n.rating && name == n.ratingvalue) {
                if (const auto v = number(text))
                    s.rating = int(std::clamp(*v, -1e6, 1e6));
            }
        } else if (name == n.name && m_path[1] == n.diver && m_path[2] == n.owner && m_path[3] == n.equipment
                   && m_path[4] == n.divecomputer && m_path[5] == n.manufacturer) {
            m_computer.maker = uddfvalues::trimmedText(text);
        }
        break;
    default: break;
    }
    m_text.clear();
    m_path.resize(size_t(depth));
}

void Uddf3Reader::finishMix()
{
    if (m_id.isEmpty())
        return; // nothing can link to it
    double o2 = 0;
    const double he = m_he.value_or(0);
    if (m_o2) {
        o2 = *m_o2;
    } else if (m_n2) {
        o2 = 1.0 - he - *m_n2 - m_ar.value_or(0) - m_h2.value_or(0);
    } else if (m_mix.name.compare(u"air", Qt::CaseInsensitive) == 0) {
        o2 = 0.21;
    } else {
        m_mix.problem = QStringLiteral("it gives no oxygen fraction");
        define(m_mixes, m_mix);
        return;
    }
    // A file that writes per cents where fractions belong still means them,
    // when it writes both shares so; one share of each kind is no gas.
    if (m_o2 && o2 > 1.005 && o2 <= 100 && (he == 0 || he > 1.005) && he <= 100) {
        o2 /= 100;
        m_mix.gas = GasMix::fromFractions(o2, he / 100);
    } else {
        m_mix.gas = GasMix::fromFractions(o2, he);
    }
    if (!m_mix.gas)
        m_mix.problem = QStringLiteral("%1 oxygen and %2 helium is no gas")
                            .arg(numbertext::shortest(o2), numbertext::shortest(he));
    else if (m_mix.gas->oxygen() < 1)
        m_mix.problem = QStringLiteral("it holds no oxygen");
    if (!m_mix.problem.isEmpty())
        m_mix.gas.reset();
    define(m_mixes, m_mix);
}

// Some rebreather exports open the profile with a dive element that holds
// nothing but a surface interval (often infinite): no dive at all.
bool Uddf3Reader::isPlaceholder() const
{
    const DiveState& s = m_dive;
    return !s.datetime && !s.airTemperature && !s.lowestTemperature && !s.greatestDepth && !s.duration
           && !s.visibility && !s.altitude && !s.lead && !s.rating && !s.current && !s.purpose && !s.setPoint
           && !s.noSuit && s.stops.isEmpty() && !s.hasNotes && s.links.isEmpty()
           && s.equipment.isEmpty() && s.tanks.isEmpty() && s.points.empty() && !s.anyDepth;
}

void Uddf3Reader::finishDive()
{
    if (isPlaceholder()) {
        ++m_placeholders;
        return;
    }
    DiveState& s = m_dive;
    PendingDive p;
    ImportedDive& d = p.dive;
    d.line = s.line;
    d.column = s.column;
    if (!s.datetime) {
        m_xml.failAt(s.line, s.column, QStringLiteral("the dive has no date (informationbeforedive/datetime)"));
        return;
    }
    const auto clock = uddfvalues::wallClock(*s.datetime);
    if (!clock) {
        m_xml.failAt(s.line, s.column,
                     QStringLiteral("the dive's date \"%1\" is no date and time")
                         .arg(QString::fromUtf8(s.datetime->left(64))));
        return;
    }
    d.day = clock->day;
    d.start = QTime(clock->time.hour(), clock->time.minute());

    // Temperatures and the altitude keep their decimals here: the form
    // rounds them once, after a conversion to its units.
    if (s.airTemperature)
        d.setText(idx_tempAir, numbertext::shortest(uddfmapping::celsiusFromKelvin(*s.airTemperature)));
    if (const auto water = s.lowestTemperature ? s.lowestTemperature : s.coldestWaypoint)
        d.setText(idx_tempEau, numbertext::shortest(uddfmapping::celsiusFromKelvin(*water)));
    if (s.greatestDepth)
        d.setText(idx_profondeur, numbertext::shortest(float(std::clamp(*s.greatestDepth, -1e7, 1e7))));
    else if (s.anyDepth)
        d.setText(idx_profondeur, numbertext::shortest(s.deepestWaypoint));
    if (s.duration)
        d.setText(idx_temps, whole(std::floor(*s.duration / 60)));
    else if (!s.points.empty())
        d.setText(idx_temps, whole(std::floor(s.points.back().time / 60)));
    if (s.visibility)
        d.setTag(idx_visibilite, uddfmapping::visibilityTag(*s.visibility));
    if (s.rating)
        d.setTag(idx_inoubliable, uddfmapping::markForRating(*s.rating));
    if (s.current)
        d.setTag(idx_courant, *s.current);
    if (s.purpose)
        d.setTag(idx_typePlongee, *s.purpose);
    if (s.noSuit)
        d.setTag(idx_combinaison, uddfmapping::kNoSuit);
    if (s.setPoint)
        d.setTag(idx_ppO2, *s.setPoint);
    for (qsizetype k = 0; k < s.stops.size(); ++k) {
        const auto& [depth, seconds] = s.stops[k];
        d.setText(idx_decoDepth_Level_1 + int(k), numbertext::shortest(float(depth)));
        d.setText(idx_decoTime_Level_1 + int(k), whole(seconds / 60));
    }
    const int stopSwitches[] = {idx_deco_Level_1_sw, idx_deco_Level_2_sw, idx_deco_Level_3_sw, idx_deco_Level_4_sw,
                                idx_deco_Level_5_sw};
    for (qsizetype k = 0; k < s.stops.size(); ++k)
        d.switchesOn.append(stopSwitches[k]);
    if (s.hasNotes)
        d.setText(idx_notes, s.paras.join(u'\n'));
    if (s.interval)
        d.setText(idx_surface, uddfmapping::intervalText(*s.interval));
    if (s.altitude)
        d.setText(idx_altitude, numbertext::shortest(std::clamp(*s.altitude, -1e7, 1e7)));
    if (s.lead)
        d.setText(idx_lestage, numbertext::shortest(float(std::clamp(*s.lead, -1e7, 1e7))));

    m_lastPoints = s.points.size();
    if (!s.points.empty()) {
        QString why;
        auto profile = ProfileGrid::build(s.points, &why);
        if (!profile) {
            m_xml.failAt(s.line, s.column, why);
            return;
        }
        d.depths = std::move(profile->depths);
        d.ascFlags = std::move(profile->ascFlags);
        d.slowFlags = std::move(profile->slowFlags);
        d.surfFlags = std::move(profile->surfFlags);
        d.ceilFlags = std::move(profile->ceilFlags);
        d.pressures = std::move(profile->pressures);
        d.gasFlags.fill(0, d.depths.size());
        d.samplingRate = profile->samplingCode;
        p.switches = std::move(profile->marks);
    }
    p.links = std::move(s.links);
    p.equipment = std::move(s.equipment);
    p.tanks = std::move(s.tanks);
    p.switchRefs = std::move(s.switchRefs);
    m_pending.append(std::move(p));
    ++m_dives;
    if (m_streaming)
        handOver();
}

// While every dive before was handed over, the one just read is resolved at
// once with the definitions read so far, and handed to the sink; a
// definition read later takes them all back (see define()). A dive that
// does not resolve stops the handing over: it stays pending, unresolved, to
// be resolved again at the end, and then refuses the file.
void Uddf3Reader::handOver()
{
    PendingDive trial = m_pending.last(); // shares its lists with the pending dive
    if (Fault fault; resolve(trial, &fault) && m_sink->take(trial.dive)) {
        ++m_taken;
        m_pending.removeLast();
    } else {
        m_streaming = false;
    }
}

// A mix a dive breathes must be a gas: the file is refused at the mix when
// it is not.
std::optional<GasMix> Uddf3Reader::breathed(const QByteArray& ref, int diveLine, Fault* fault) const
{
    const Mix& mix = *m_mixes.constFind(ref);
    if (!mix.gas) {
        *fault = {mix.line, mix.column,
                  QStringLiteral("the mix \"%1\", breathed in the dive of line %2, is no gas: %3")
                      .arg(QString::fromUtf8(ref))
                      .arg(diveLine)
                      .arg(mix.problem)};
    }
    return mix.gas;
}

bool Uddf3Reader::markedTanks(PendingDive& p, Fault* fault) const
{
    ImportedDive& d = p.dive;
    const auto slotOf = [this](const Tank& t) {
        for (const QByteArray& l : t.links)
            if (const auto k = m_markedTanks.constFind(l); k != m_markedTanks.constEnd())
                return *k;
        return -1;
    };
    struct Fields {
        int volume, start, end, o2, he, material;
        bool bailout;
    };
    static constexpr Fields kFields[] = {
        {idx_volumeBloc_2, idx_pressionDepart_2, idx_pressionFin_2, idx_o2Mix_2, idx_heMix_2, idx_alliageBloc_2, false},
        {idx_volBailout1, idx_pressDepartBailout1, idx_pressFinBailout1, idx_O2Bailout1, idx_HeBailout1, -1, true},
        {idx_volBailout2, idx_pressDepartBailout2, idx_pressFinBailout2, idx_O2Bailout2, idx_HeBailout2, -1, true}};
    bool done[std::size(kFields)] = {};
    for (qsizetype i = 0; i < p.tanks.size();) {
        const int k = slotOf(p.tanks[i]);
        if (k < 0) {
            ++i;
            continue;
        }
        const Tank t = p.tanks.takeAt(i);
        if (done[k])
            continue; // one tank per cylinder: the first
        done[k] = true;
        const Fields& f = kFields[k];
        const auto bars = [](const std::optional<double>& pascals) {
            return pascals && *pascals > 0 ? *pascals / uddfmapping::kPascalsPerBar : 0.0;
        };
        d.setText(f.volume, whole(t.volume && *t.volume > 0 ? *t.volume * 1000 : 0));
        d.setText(f.start, whole(bars(t.begin)));
        d.setText(f.end, whole(bars(t.end)));
        std::optional<GasMix> gas;
        for (const QByteArray& l : t.links) {
            if (m_mixes.contains(l) && !gas) {
                gas = breathed(l, d.line, fault);
                if (!gas)
                    return false;
            } else if (const auto m = m_tankMaterials.constFind(l); m != m_tankMaterials.constEnd() && f.material >= 0) {
                d.setTag(f.material, *m);
            }
        }
        // A bail-out cylinder without a mix has none; tank 2 keeps the form's air.
        if (gas || f.bailout) {
            d.setText(f.o2, QString::number(gas ? gas->oxygen() : 0));
            d.setText(f.he, QString::number(gas ? gas->helium() : 0));
        }
    }
    for (size_t k = 0; k < std::size(kFields); ++k)
        if (!done[k] && kFields[k].bailout)
            for (const int field : {kFields[k].volume, kFields[k].start, kFields[k].end, kFields[k].o2, kFields[k].he})
                d.setText(field, QStringLiteral("0"));
    return true;
}

bool Uddf3Reader::resolve(PendingDive& p, Fault* fault) const
{
    ImportedDive& d = p.dive;
    const auto mixOf = [this](const QList<QByteArray>& links) {
        for (const QByteArray& l : links)
            if (m_mixes.contains(l))
                return l;
        return QByteArray();
    };
    const auto gasOf = [this, &d, fault](const QByteArray& ref) { return breathed(ref, d.line, fault); };

    // Tank 2 and the bail-out cylinders are tanks of their own, each marked
    // by its piece; in a file that marks them, a dive without a bail-out
    // cylinder has none (the form would keep the one of the dive before).
    if (!m_markedTanks.isEmpty() && !markedTanks(p, fault))
        return false;

    // The bottom gas: the first tank's mix, else the first gas switched to,
    // else the mix of any tank.
    QByteArray bottom;
    int bottomTank = -1;
    if (!p.tanks.isEmpty()) {
        bottom = mixOf(p.tanks[0].links);
        if (!bottom.isEmpty())
            bottomTank = 0;
    }
    if (bottom.isEmpty()) {
        for (const auto& [sample, refIndex] : p.switches) {
            const QByteArray& ref = p.switchRefs[refIndex];
            if (m_mixes.contains(ref)) {
                bottom = ref;
                break;
            }
        }
    }
    for (qsizetype i = 0; bottom.isEmpty() && i < p.tanks.size(); ++i) {
        bottom = mixOf(p.tanks[i].links);
        if (!bottom.isEmpty())
            bottomTank = int(i);
    }
    if (!bottom.isEmpty()) {
        const auto gas = gasOf(bottom);
        if (!gas)
            return false;
        d.setText(idx_o2Mix, QString::number(gas->oxygen()));
        d.setText(idx_heMix, QString::number(gas->helium()));
        d.setTag(idx_gaz, gas->codeForName(m_mixes.constFind(bottom)->name));
    }

    // Further mixes become the gases of the stop levels: those of the other
    // tanks in their order, then those only switched to, richest first.
    struct Level {
        QByteArray ref;
        GasMix gas;
        int tank;
    };
    QList<Level> levels;
    const auto placed = [&](const QByteArray& ref) {
        return ref == bottom || std::any_of(levels.begin(), levels.end(), [&](const Level& l) { return l.ref == ref; });
    };
    for (qsizetype i = 0; i < p.tanks.size(); ++i) {
        if (int(i) == bottomTank)
            continue;
        const QByteArray ref = mixOf(p.tanks[i].links);
        if (ref.isEmpty())
            continue;
        const auto gas = gasOf(ref);
        if (!gas)
            return false;
        if (gas->oxygen() >= 5 && levels.size() < 5)
            levels.append({ref, *gas, int(i)});
    }
    QList<Level> switchedOnly;
    for (const QByteArray& ref : p.switchRefs) {
        if (!m_mixes.contains(ref) || placed(ref))
            continue;
        const auto gas = gasOf(ref);
        if (!gas)
            return false;
        if (gas->oxygen() >= 5)
            switchedOnly.append({ref, *gas, -1});
    }
    std::stable_sort(switchedOnly.begin(), switchedOnly.end(),
                     [](const Level& a, const Level& b) { return a.gas.oxygen() > b.gas.oxygen(); });
    for (const Level& l : switchedOnly)
        if (levels.size() < 5)
            levels.append(l);
    for (qsizetype k = 0; k < levels.size(); ++k) {
        const Level& l = levels[k];
        d.setText(idx_decoO2_Level_1 + int(k), QString::number(l.gas.oxygen()));
        d.setText(idx_decoHe_Level_1 + int(k), QString::number(l.gas.helium()));
        if (k < 3 && l.tank >= 0) {
            const Tank& t = p.tanks[l.tank];
            if (t.volume && *t.volume > 0)
                d.setText(idx_volPony1 + int(k), whole(*t.volume * 1000));
            if (t.begin && *t.begin > 0)
                d.setText(idx_pressDepartPony1 + int(k), whole(*t.begin / uddfmapping::kPascalsPerBar));
            if (t.end && *t.end > 0)
                d.setText(idx_pressFinPony1 + int(k), whole(*t.end / uddfmapping::kPascalsPerBar));
        }
    }

    // Gas switches: 1 for the bottom gas, 2 to 6 for the stop levels' gases.
    for (const auto& [sample, refIndex] : p.switches) {
        const QByteArray& ref = p.switchRefs[refIndex];
        int code = ref == bottom && !bottom.isEmpty() ? 1 : 0;
        for (qsizetype k = 0; code == 0 && k < levels.size(); ++k)
            if (levels[k].ref == ref)
                code = int(k) + 2;
        if (code && sample >= 0 && sample < d.gasFlags.size())
            d.gasFlags[sample] = qint16(code);
    }

    // The first tank: volume and pressures, else the pressures recorded at
    // the first and last samples that have one.
    const Tank* tank = bottomTank >= 0 ? &p.tanks[bottomTank] : (p.tanks.isEmpty() ? nullptr : &p.tanks[0]);
    for (qsizetype i = 0; tank && i < tank->links.size(); ++i)
        if (const auto m = m_tankMaterials.constFind(tank->links[i]); m != m_tankMaterials.constEnd()) {
            d.setTag(idx_alliageBloc, *m);
            break;
        }
    if (tank && tank->volume && *tank->volume > 0)
        d.setText(idx_volumeBloc, whole(*tank->volume * 1000));
    std::optional<double> begin, end;
    if (tank && tank->begin && *tank->begin > 0)
        begin = *tank->begin / uddfmapping::kPascalsPerBar;
    if (tank && tank->end && *tank->end > 0)
        end = *tank->end / uddfmapping::kPascalsPerBar;
    if (!begin && !end) {
        for (const float v : d.pressures)
            if (v > 0) {
                if (!begin)
                    begin = v;
                end = v;
            }
    }
    if (begin)
        d.setText(idx_pressionDepart, whole(*begin));
    if (end)
        d.setText(idx_pressionFin, whole(*end));

    // Buddies, site, dive base and computer through the dive's links.
    QStringList buddies;
    bool siteFound = false, baseFound = false;
    for (const QByteArray& link : p.links) {
        if (const auto b = m_buddies.constFind(link); b != m_buddies.constEnd()) {
            if (!b->isEmpty())
                buddies.append(*b);
        } else if (const auto s = m_sites.constFind(link); s != m_sites.constEnd() && !siteFound) {
            siteFound = true;
            d.setText(idx_site, s->name);
            d.setText(idx_lieu, s->location);
            d.setText(idx_pays, s->country);
            if (!s->wreck.isEmpty())
                d.setText(idx_epaves, s->wreck);
            if (s->latitude && s->longitude && std::abs(*s->latitude) <= 90 && std::abs(*s->longitude) <= 180) {
                d.setText(idx_gps, uddfmapping::positionText({*s->latitude, *s->longitude}));
                d.setTag(idx_gpsSystem, 1); // UDDF positions are in WGS 84
            }
        } else if (const auto base = m_bases.constFind(link); base != m_bases.constEnd() && !baseFound) {
            baseFound = true;
            d.setText(idx_structure, *base);
        }
    }
    if (!buddies.isEmpty())
        d.setText(idx_partenaires, buddies.join(QStringLiteral(", ")));
    bool computerFound = false;
    int slot = 0;
    for (const QByteArray& link : p.equipment) {
        if (const auto c = m_computers.constFind(link); c != m_computers.constEnd()) {
            if (computerFound)
                continue;
            computerFound = true;
            d.setText(idx_ordinateur, c->model.isEmpty() ? c->name : c->model);
            d.setText(idx_fabricant, c->maker);
            d.setText(idx_serie, c->serial);
        } else if (const auto suit = m_suits.constFind(link); suit != m_suits.constEnd()) {
            d.setTag(idx_combinaison, *suit);
        } else if (const auto ccr = m_rebreathers.constFind(link); ccr != m_rebreathers.constEnd()) {
            d.setTag(idx_rebreather, *ccr);
        } else if (const auto piece = m_pieces.constFind(link); piece != m_pieces.constEnd() && slot < 12) {
            d.setText(idx_equip_1 + slot++, *piece);
        }
    }
    if (const auto why = importbounds::problem(d)) {
        *fault = {d.line, d.column, *why};
        return false;
    }
    return true;
}
