#pragma once

#include "exchange/ImportedDive.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QList>
#include <optional>
#include <vector>

class XmlPullReader;

// The older UDDF layout (1.x, 2.x): `profiledata` / `repetitiongroup` /
// `dive`, each dive with `date` (year, month, day) and `time` (hour,
// minute), temperatures in kelvin, the greatest depth, `notes` / `text` and
// the waypoints of its samples. Reads every dive of every repetition group.
class LegacyUddfReader {
public:
    // More dives than any diver's logbook holds.
    static constexpr qsizetype kMaxDives = 200000;

    // The reader stands on the root element's start tag.
    explicit LegacyUddfReader(XmlPullReader& xml);

    Result<QList<ImportedDive>> read();

private:
    struct Waypoint {
        double depth = 0;
        std::optional<double> time;
        std::optional<int> wholeTime;
    };
    struct Dive {
        int line = 0, column = 0;
        std::optional<int> year, month, day;
        std::optional<int> hour, minute;
        std::optional<QByteArray> airTemperature, lowestTemperature, greatestDepth;
        std::optional<QString> notes;
        std::vector<Waypoint> waypoints;
    };

    void start(const char* name, int depth);
    void end(const char* name, int depth);
    void finishDive();

    XmlPullReader& m_xml;
    std::vector<const char*> m_path;
    QByteArray m_text;
    bool m_collect = false;
    bool m_inDive = false;
    Dive m_dive;
    QList<ImportedDive> m_dives;

    struct Names {
        const char *uddf, *profiledata, *repetitiongroup, *dive, *date, *year, *month, *day, *time, *hour, *minute,
            *airtemperature, *lowesttemperature, *greatestdepth, *notes, *text, *samples, *waypoint, *depth,
            *divetime;
    } n;
};
