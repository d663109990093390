#pragma once

#include "exchange/GasMix.h"
#include "exchange/ImportSink.h"
#include "exchange/ImportedDive.h"
#include "exchange/ProfileGrid.h"
#include "logbook/DiveBounds.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

class XmlPullReader;

// UDDF 3.x (3.0 to 3.3), with or without a namespace prefix: every dive of
// every repetition group, with its date and time, depths, duration,
// temperatures, notes, visibility and rating, its gases (the bottom mix
// from the first tank or the first gas switch, further mixes as the gases
// of the stop levels), its first tank, its profile with pressures, alarms
// and gas switches, the current, purpose, set-point and planned stops, and
// the buddies, site (with its position and wreck), dive base and dive
// computer it links to, and the equipment it was dived with (the suit and
// rebreather, and the tanks marked as tank 2 and bail-out cylinders, by the
// pieces' names this program writes). Links may point to definitions anywhere in the file: they are
// resolved once the whole file is read, or as each dive ends while no
// definition has come after a dive.
class Uddf3Reader {
public:
    // More dives than any diver's logbook holds.
    static constexpr qsizetype kMaxDives = 200000;

    // The reader stands on the root element's start tag. With a sink, the
    // dives are handed to it as they are read, as long as nothing read later
    // can change them.
    explicit Uddf3Reader(XmlPullReader& xml, ImportSink* sink = nullptr);

    // The dives, in file order, after those the sink holds.
    Result<QList<ImportedDive>> read();
    // The dives the sink holds: the first of the file.
    qsizetype taken() const { return m_taken; }
    // True when the read stopped at a definition that came after dives it
    // had handed over, and took them back: the file is to be read again,
    // without a sink, from its start.
    bool readAgain() const { return m_readAgain; }
    // The dive elements left out as empty placeholders: no date and nothing
    // else a dive holds but a surface interval.
    int placeholders() const { return m_placeholders; }

private:
    struct Mix {
        QString name;
        std::optional<GasMix> gas;
        QString problem; // why the mix is no gas, when it is not
        int line = 0, column = 0;
    };
    struct Computer {
        QString name, model, serial, maker;
    };
    struct Site {
        QString name, location, country, wreck;
        std::optional<double> latitude, longitude;
    };
    struct Tank {
        QList<QByteArray> links;
        std::optional<double> volume, begin, end; // cubic metres, pascals
    };
    // A dive as read, waiting for the links to be resolved.
    struct PendingDive {
        ImportedDive dive;
        QList<QByteArray> links, equipment;
        QList<Tank> tanks;
        QList<QByteArray> switchRefs;            // distinct, in order of first use
        QList<std::pair<int, int>> switches;     // sample, index in switchRefs
    };
    // What is gathered inside one dive element.
    struct DiveState {
        int line = 0, column = 0;
        std::optional<QByteArray> datetime;
        std::optional<double> airTemperature, lowestTemperature, greatestDepth, duration, visibility, altitude, lead;
        std::optional<int> rating, current, purpose, setPoint;
        bool noSuit = false;
        QList<std::pair<double, double>> stops; // depth in metres, seconds
        std::optional<qint64> interval;
        bool infinity = false;
        QStringList paras;
        bool hasNotes = false;
        QList<QByteArray> links, equipment;
        QList<Tank> tanks;
        std::vector<ProfileGrid::Point> points;
        ProfileGrid::Point point;
        QList<QByteArray> switchRefs;
        std::optional<QByteArray> pressureRef; // the first tank's, by the first pressure seen
        QByteArray currentPressureRef;
        std::optional<double> coldestWaypoint;
        float deepestWaypoint = 0;
        bool anyDepth = false;
    };

    // Why a dive cannot be resolved, and where.
    struct Fault {
        int line = 1, column = 1;
        QString reason;
    };

    void start(const char* name, int depth);
    void end(const char* name, int depth);
    bool under(int depth, const char* a) const;
    bool under(int depth, const char* a, const char* b) const;
    void finishMix();
    void finishDive();
    void handOver();
    bool resolve(PendingDive& pending, Fault* fault) const;
    bool isPlaceholder() const;
    bool markedTanks(PendingDive& pending, Fault* fault) const;
    std::optional<GasMix> breathed(const QByteArray& ref, int diveLine, Fault* fault) const;
    // Adds the definition being read. After a dive, it may change what the
    // dives read so far link to: none is handed over any more, and those
    // handed over are taken back, to be read again (see readAgain()).
    template <typename Value>
    void define(QHash<QByteArray, Value>& definitions, const std::type_identity_t<Value>& value)
    {
        definitions.insert(m_id, value);
        if (m_dives == 0)
            return;
        m_streaming = false;
        if (m_taken > 0) {
            m_sink->dropAll();
            m_taken = 0;
            m_readAgain = true;
        }
    }
    QByteArray attribute(const char* name) const;
    void attributeInto(const char* name, QByteArray* value) const;
    std::optional<double> checked(const char* name, QByteArrayView text, const divebounds::Range& range,
                                  double scale = 1);

    XmlPullReader& m_xml;
    ImportSink* m_sink;
    bool m_streaming;       // dives go to the sink as they are read
    qsizetype m_taken = 0;  // the first dives, which the sink holds
    qsizetype m_dives = 0;  // read so far, placeholders left out
    bool m_readAgain = false;
    std::vector<const char*> m_path;
    std::string m_text; // of the element ending: a plain block, cleared at every tag
    QByteArray m_ref;         // the mix of the latest gas switch
    size_t m_lastPoints = 0;  // waypoints of the dive before: the next one reserves as many

    QHash<QByteArray, Mix> m_mixes;
    QHash<QByteArray, QString> m_buddies;
    QHash<QByteArray, Computer> m_computers;
    QHash<QByteArray, Site> m_sites;
    QHash<QByteArray, QString> m_bases;
    QHash<QByteArray, QString> m_pieces; // the owner's other equipment
    QHash<QByteArray, int> m_suits, m_rebreathers, m_tankMaterials; // by the tag of their kind
    QHash<QByteArray, int> m_markedTanks; // the pieces that mark tank 2 and the bail-out cylinders (0 to 2)

    // The definition being read.
    QByteArray m_id;
    Mix m_mix;
    std::optional<double> m_o2, m_n2, m_he, m_ar, m_h2;
    QString m_first, m_middle, m_last;
    Computer m_computer;
    QString m_pieceName;
    std::optional<int> m_material;
    Site m_site;
    QString m_baseName;

    bool m_inDive = false;
    DiveState m_dive;
    QList<PendingDive> m_pending; // read, not handed over
    int m_placeholders = 0;

    struct Names {
        const char *uddf, *gasdefinitions, *mix, *name, *o2, *n2, *he, *ar, *h2, *diver, *owner, *buddy, *personal,
            *firstname, *middlename, *lastname, *equipment, *divecomputer, *model, *serialnumber, *manufacturer,
            *divesite, *site, *geography, *location, *address, *country, *divebase, *profiledata, *repetitiongroup,
            *dive, *informationbeforedive, *informationafterdive, *tankdata, *samples, *waypoint, *link, *datetime,
            *airtemperature, *altitude, *surfaceintervalbeforedive, *passedtime, *infinity, *equipmentused,
            *leadquantity, *tankvolume, *tankpressurebegin, *tankpressureend, *alarm, *depth, *divetime,
            *switchmix, *tankpressure, *temperature, *greatestdepth, *lowesttemperature, *diveduration,
            *visibility, *notes, *para, *rating, *ratingvalue, *sitedata, *wreck, *latitude, *longitude, *suit,
            *rebreather, *nosuit, *purpose, *plannedprofile, *decostop, *setpo2, *current, *tank, *tankmaterial;
    } n;
};
