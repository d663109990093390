#pragma once

#include "exchange/ImportProgress.h"
#include "exchange/ImportedDive.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <optional>
#include <vector>

class QIODevice;
class XmlPullReader;

// Reads the dives of a UDCF file (`PROFILE` / `REPGROUP` / `DIVE`, a sampled
// depth profile per dive) and of a handheld logbook (any root / `repgroup` /
// `dive`, one element per logbook field, no profile), streamed. Element
// names are matched in any case, since real files are written in both.
// Depths, temperatures and pressures are read in the units the file
// declares (`UNITS` METRIC or IMPERIAL), pressures in bar or pascals and
// gases as fractions or per cents, whichever the values show. A file that
// is no well-formed XML, or holds a dive that cannot be read, is refused
// whole with the line and column of the fault.
class UdcfReader {
public:
    enum class Layout { Udcf, Handheld };

    explicit UdcfReader(Layout layout, ImportProgress progress = {});

    // The dives of every repetition group, in file order.
    Result<QList<ImportedDive>> read(QIODevice& device);
    bool cancelled() const { return m_cancelled; }

    // The names the reader knows, lower-case.
    enum Name : unsigned char {
        Other, Units, Device, Model, Repgroup, Dive, Place, Site, Date, Year, Month, Day, Time, Hour, Minute,
        MaxDepth, DiveTime, Temperature, WaterTemperature, AirTemperature, Altitude, SurfaceInterval, Gases, Mix,
        MixName, Tank, TankVolume, PStart, PEnd, O2, He, Samples, Delta, D, Alarm, Weather, Current, Visibility,
        DiveType, NameCount
    };

private:
    struct DiveFields {
        int line = 0, column = 0;
        std::optional<QByteArray> fields[NameCount];
        int gases = 0, mixes = 0, tanks = 0, samples = 0;
        std::vector<double> depths;
        std::vector<unsigned char> alarms;
        bool badDepth = false;
    };

    Name nameOf(const char* interned);
    void start(Name name, int depth);
    void end(Name name, int depth);
    // True while the element at `depth` is inside the first gas, mix, tank
    // or samples of the dive, where those are read.
    bool inFirst(int depth) const;
    void finishDive();
    bool fail(const QString& reason);

    Layout m_layout;
    ImportProgress m_progress;
    bool m_cancelled = false;
    XmlPullReader* m_xml = nullptr;
    QHash<const char*, Name> m_names;
    std::vector<Name> m_path;
    QByteArray m_text;
    bool m_imperial = false;
    bool m_ownFile = false;
    bool m_inDive = false;
    DiveFields m_dive;
    QList<ImportedDive> m_dives;
};
