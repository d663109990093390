#include "exchange/LegacyUddfReader.h"

#include "exchange/ImportBounds.h"
#include "exchange/ProfileGrid.h"
#include "exchange/XmlPullReader.h"
#include "logbook/Plongee.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

using namespace plongee;

namespace {

int leadingInt(const QByteArray& text) { return numbertext::leadingInt(QString::fromUtf8(text)); }
double leadingDouble(const QByteArray& text) { return numbertext::leadingDouble(QString::fromUtf8(text)); }

// Kelvin to whole degrees Celsius as this layout has always been read:
// minus 273.1, truncated toward zero; a missing value reads as 0 K.
int celsius(const std::optional<QByteArray>& kelvin)
{
    const double c = (kelvin ? leadingDouble(*kelvin) : 0.0) - 273.1;
    return int(std::trunc(std::clamp(std::isfinite(c) ? c : 0.0, -1e6, 1e6)));
}

} // namespace

LegacyUddfReader::LegacyUddfReader(XmlPullReader& xml) : m_xml(xml)
{
    n.uddf = xml.intern("uddf");
    n.profiledata = xml.intern("profiledata");
    n.repetitiongroup = xml.intern("repetitiongroup");
    n.dive = xml.intern("dive");
    n.date = xml.intern("date");
    n.year = xml.intern("year");
    n.month = xml.intern("month");
    n.day = xml.intern("day");
    n.time = xml.intern("time");
    n.hour = xml.intern("hour");
    n.minute = xml.intern("minute");
    n.airtemperature = xml.intern("airtemperature");
    n.lowesttemperature = xml.intern("lowesttemperature");
    n.greatestdepth = xml.intern("greatestdepth");
    n.notes = xml.intern("notes");
    n.text = xml.intern("text");
    n.samples = xml.intern("samples");
    n.waypoint = xml.intern("waypoint");
    n.depth = xml.intern("depth");
    n.divetime = xml.intern("divetime");
    m_path.push_back(xml.localName());
}

Result<QList<ImportedDive>> LegacyUddfReader::read()
{
    for (;;) {
        switch (m_xml.next()) {
        case XmlPullReader::Event::StartElement: start(m_xml.localName(), m_xml.depth()); break;
        case XmlPullReader::Event::EndElement: end(m_xml.localName(), m_xml.depth()); break;
        case XmlPullReader::Event::Text:
            if (m_collect) {
                if (m_text.size() + m_xml.text().size() > XmlPullReader::kMaxTextBytes) {
                    m_xml.fail(QStringLiteral("an element holds more text than any exchange file needs"));
                    break;
                }
                m_text.append(m_xml.text());
            }
            break;
        case XmlPullReader::Event::EndOfDocument: return m_dives;
        case XmlPullReader::Event::Failed: return Result<QList<ImportedDive>>::failure(m_xml.error());
        }
        if (!m_xml.error().isEmpty())
            return Result<QList<ImportedDive>>::failure(m_xml.error());
    }
}

void LegacyUddfReader::start(const char* name, int depth)
{
    m_path.resize(size_t(depth));
    m_path.push_back(name);
    m_text.truncate(0);
    m_collect = m_inDive && depth >= 4;
    if (depth == 3 && name == n.dive && m_path[0] == n.uddf && m_path[1] == n.profiledata
        && m_path[2] == n.repetitiongroup) {
        if (m_dives.size() >= kMaxDives) {
            m_xml.fail(QStringLiteral("the file holds more than %1 dives").arg(kMaxDives));
            return;
        }
        m_inDive = true;
        m_dive = Dive();
        m_xml.elementPosition(&m_dive.line, &m_dive.column);
        return;
    }
    if (!m_inDive)
        return;
    if (depth == 4) {
        // The last date, time, notes and samples of the dive are the ones read.
        if (name == n.date)
            m_dive.year = m_dive.month = m_dive.day = std::nullopt;
        else if (name == n.time)
            m_dive.hour = m_dive.minute = std::nullopt;
        else if (name == n.notes)
            m_dive.notes = QString();
        else if (name == n.samples)
            m_dive.waypoints.clear();
    } else if (depth == 5 && name == n.waypoint && m_path[4] == n.samples) {
        if (m_dive.waypoints.size() >= size_t(ProfileGrid::kMaxSamples)) {
            m_xml.fail(QStringLiteral("the dive has more than %1 waypoints").arg(ProfileGrid::kMaxSamples));
            return;
        }
        m_dive.waypoints.emplace_back();
    }
}

void LegacyUddfReader::end(const char* name, int depth)
{
    if (m_inDive) {
        if (depth == 3 && name == n.dive) {
            m_inDive = false;
            m_collect = false;
            finishDive();
        } else if (depth == 4) {
            if (name == n.airtemperature)
                m_dive.airTemperature = m_text;
            else if (name == n.lowesttemperature)
                m_dive.lowestTemperature = m_text;
            else if (name == n.greatestdepth)
                m_dive.greatestDepth = m_text;
        } else if (depth == 5) {
            const char* parent = m_path[4];
            if (parent == n.date) {
                if (name == n.year)
                    m_dive.year = leadingInt(m_text);
                else if (name == n.month)
                    m_dive.month = leadingInt(m_text);
                else if (name == n.day)
                    m_dive.day = leadingInt(m_text);
            } else if (parent == n.time) {
                if (name == n.hour)
                    m_dive.hour = leadingInt(m_text);
                else if (name == n.minute)
                    m_dive.minute = leadingInt(m_text);
            } else if (parent == n.notes && name == n.text) {
                m_dive.notes = QString::fromUtf8(m_text);
            }
        } else if (depth == 6 && m_path[4] == n.samples && m_path[5] == n.waypoint && !m_dive.waypoints.empty()) {
            Waypoint& w = m_dive.waypoints.back();
            if (name == n.depth) {
                w.depth = leadingDouble(m_text);
            } else if (name == n.divetime) {
                bool number = false;
                const double t = numbertext::leadingDouble(QString::fromUtf8(m_text), &number);
                w.time = number ? std::optional<double>(t) : std::nullopt;
                w.wholeTime = leadingInt(m_text);
            }
        }
    }
    m_text.truncate(0);
    m_path.resize(size_t(depth));
}

void LegacyUddfReader::finishDive()
{
    Dive& d = m_dive;
    ImportedDive out;
    out.line = d.line;
    out.column = d.column;
    if (d.year && (*d.year < divebounds::kFirstYear || *d.year > divebounds::kLastYear)) {
        m_xml.failAt(d.line, d.column,
                     QStringLiteral("the dive's year %1 is outside %2 to %3")
                         .arg(*d.year)
                         .arg(divebounds::kFirstYear)
                         .arg(divebounds::kLastYear));
        return;
    }
    const QDate day(d.year.value_or(0), d.month.value_or(0), d.day.value_or(0));
    if (!d.year || !d.month || !d.day || !day.isValid()) {
        m_xml.failAt(d.line, d.column,
                     QStringLiteral("the dive has no valid date (date/year, month and day): %1-%2-%3")
                         .arg(d.year.value_or(0))
                         .arg(d.month.value_or(0))
                         .arg(d.day.value_or(0)));
        return;
    }
    const QTime start(d.hour.value_or(0), d.minute.value_or(0));
    if (!start.isValid()) {
        m_xml.failAt(d.line, d.column,
                     QStringLiteral("the dive's time of day %1:%2 is not valid")
                         .arg(d.hour.value_or(0))
                         .arg(d.minute.value_or(0)));
        return;
    }
    out.day = day;
    out.start = start;

    // Weather, current, visibility and kind of dive are set by their
    // positions in the form's lists.
    out.positions = {{idx_meteo, 7}, {idx_courant, 6}, {idx_visibilite, 8}, {idx_typePlongee, 13}};
    out.setText(idx_tempAir, QString::number(celsius(d.airTemperature)));
    out.setText(idx_tempEau, QString::number(celsius(d.lowestTemperature)));
    if (d.greatestDepth)
        out.setText(idx_profondeur, QString::fromUtf8(*d.greatestDepth));
    if (d.notes)
        out.setText(idx_notes, *d.notes);

    const std::vector<Waypoint>& w = d.waypoints;
    for (size_t i = 0; i < w.size(); ++i) {
        const QString why = importbounds::outside(w[i].depth, divebounds::kSampleDepth);
        if (!why.isEmpty()) {
            m_xml.failAt(d.line, d.column, QStringLiteral("<depth> of waypoint %1: %2").arg(i + 1).arg(why));
            return;
        }
    }
    if (!w.empty()) {
        const bool timed = std::all_of(w.begin(), w.end(), [](const Waypoint& p) { return p.time.has_value(); });
        if (timed) {
            // Sample i at i × P seconds: the waypoints laid on their times,
            // from the surface at the start.
            std::vector<ProfileGrid::Point> points;
            points.reserve(w.size());
            for (const Waypoint& p : w) {
                ProfileGrid::Point q;
                q.time = *p.time;
                q.depth = float(p.depth);
                points.push_back(q);
            }
            QString why;
            auto profile = ProfileGrid::build(points, &why);
            if (!profile) {
                m_xml.failAt(d.line, d.column, why);
                return;
            }
            out.depths = profile->depths;
            out.ascFlags = profile->ascFlags;
            out.slowFlags = profile->slowFlags;
            out.surfFlags = profile->surfFlags;
            out.ceilFlags = profile->ceilFlags;
            out.samplingRate = profile->samplingCode;
        } else {
            // Without times: the surface at the start, then one sample per
            // waypoint.
            out.depths.reserve(qsizetype(w.size()) + 1);
            out.depths.append(0.0f);
            for (const Waypoint& p : w)
                out.depths.append(float(p.depth));
            out.ascFlags.fill(0, out.depths.size());
            out.slowFlags = out.surfFlags = out.ceilFlags = out.ascFlags;
        }
        out.gasFlags.fill(0, out.depths.size());
        if (w.back().wholeTime)
            out.setText(idx_temps, QString::number(*w.back().wholeTime / 60));
    }
    if (const auto why = importbounds::problem(out)) {
        m_xml.failAt(d.line, d.column, *why);
        return;
    }
    m_dives.append(std::move(out));
}
