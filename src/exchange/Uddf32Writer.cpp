#include "exchange/Uddf32Writer.h"

#include "exchange/ExchangeIdentity.h"
#include "exchange/GasMix.h"
#include "exchange/UddfMapping.h"
#include "exchange/XmlText.h"
#include "logbook/DiveCalculations.h"
#include "platform/Localizer.h"
#include "platform/NumberText.h"

#include <QBuffer>
#include <QHash>
#include <QXmlStreamWriter>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

QString text(const Plongee::Text& value) { return value.value_or(QString()); }
QString num(double v) { return numbertext::shortest(v); }
QString num(float v) { return numbertext::shortest(v); }

void element(QXmlStreamWriter& w, const char* name, const QString& value)
{
    xmltext::writeTextElement(w, QLatin1String(name), value);
}

void link(QXmlStreamWriter& w, const QString& ref)
{
    w.writeEmptyElement(QStringLiteral("link"));
    w.writeAttribute(QStringLiteral("ref"), ref);
}

// The buddies of a dive: its text split at commas, when the parts joined
// again give the same text; otherwise the whole text as one buddy.
// The equipment items of a dive, in slot order.
QStringList equipmentOf(const Plongee& d)
{
    const Plongee::Text* slotTexts[] = {&d.equip_1(), &d.equip_2(), &d.equip_3(), &d.equip_4(),
                                    &d.equip_5(), &d.equip_6(), &d.equip_7(), &d.equip_8(),
                                    &d.equip_9(), &d.equip_10(), &d.equip_11(), &d.equip_12()};
    QStringList items;
    for (const Plongee::Text* t : slotTexts)
        if (t->has_value() && !(*t)->isEmpty())
            items.append(**t);
    return items;
}

QStringList buddiesOf(const QString& partenaires)
{
    QStringList parts;
    for (const QString& p : partenaires.split(u','))
        parts.append(p.trimmed());
    if (parts.join(QStringLiteral(", ")) == partenaires && !parts.contains(QString()))
        return parts;
    return partenaires.trimmed().isEmpty() ? QStringList() : QStringList{partenaires};
}

struct Computer {
    QString maker, model, serial;
    friend bool operator==(const Computer&, const Computer&) = default;
};
size_t qHash(const Computer& c, size_t seed = 0) { return qHashMulti(seed, c.maker, c.model, c.serial); }

// A site as the dives name it: its name, place, country, the wreck dived
// there and its position (as typed, when it reads as one in WGS 84 and is
// not the form's empty template).
struct Site {
    QString name, location, country, wreck, position;
    friend bool operator==(const Site&, const Site&) = default;
    bool isEmpty() const { return *this == Site(); }
};
size_t qHash(const Site& s, size_t seed = 0)
{
    return qHashMulti(seed, s.name, s.location, s.country, s.wreck, s.position);
}

Site siteOf(const Plongee& d, const QString& noPosition)
{
    const QString gps = text(d.gps());
    const bool wgs84 = d.gpsSystem() == 1 && gps != noPosition && uddfmapping::position(gps).has_value();
    return Site{text(d.site()), text(d.lieu()), text(d.pays()), text(d.epaves()), wgs84 ? gps : QString()};
}

// A piece of equipment a dive links to by its tag (suits, rebreathers):
// the tags in order of first use.
struct TagPieces {
    QList<int> tags;
    void add(std::optional<int> tag)
    {
        if (tag && !tags.contains(*tag))
            tags.append(*tag);
    }
};

std::optional<int> suitPiece(const Plongee& d)
{
    return uddfmapping::suitFor(d.combinaison()) ? std::optional<int>(d.combinaison()) : std::nullopt;
}
std::optional<int> rebreatherPiece(const Plongee& d)
{
    return uddfmapping::rebreatherName(d.rebreather()) ? std::optional<int>(d.rebreather()) : std::nullopt;
}

std::optional<int> tankPiece(const Plongee& d)
{
    return uddfmapping::tankMaterial(d.alliageBloc()) ? std::optional<int>(d.alliageBloc()) : std::nullopt;
}

void equipmentPiece(QXmlStreamWriter& w, const char* kind, const QString& id, const QString& name)
{
    w.writeStartElement(QLatin1String(kind));
    w.writeAttribute(QStringLiteral("id"), id);
    element(w, "name", name);
}

// The stop levels made, in level order, as (depth, minutes).
QList<std::pair<double, int>> stopsOf(const Plongee& d)
{
    const int made[] = {d.deco_Level_1_sw(), d.deco_Level_2_sw(), d.deco_Level_3_sw(), d.deco_Level_4_sw(),
                        d.deco_Level_5_sw()};
    const float depth[] = {d.decoDepth_Level_1(), d.decoDepth_Level_2(), d.decoDepth_Level_3(),
                           d.decoDepth_Level_4(), d.decoDepth_Level_5()};
    const int minutes[] = {d.decoTime_Level_1(), d.decoTime_Level_2(), d.decoTime_Level_3(), d.decoTime_Level_4(),
                           d.decoTime_Level_5()};
    QList<std::pair<double, int>> stops;
    for (size_t k = 0; k < 5; ++k)
        if (made[k] == 1 && std::isfinite(depth[k]) && depth[k] >= 0 && minutes[k] >= 0)
            stops.append({double(depth[k]), minutes[k]});
    return stops;
}

struct MixKey {
    int o2, he, code;
    friend bool operator==(const MixKey&, const MixKey&) = default;
};
size_t qHash(const MixKey& m, size_t seed = 0) { return qHashMulti(seed, m.o2, m.he, m.code); }

// The mixes of a dive: the bottom gas, then the gas of each stop level that
// has one, each with the problem that keeps it out, if any.
struct DiveGases {
    std::optional<MixKey> bottom;
    std::array<std::optional<MixKey>, 5> levels;
    std::array<std::optional<MixKey>, 3> marked;
};

// Tank 2 and the bail-out cylinders of a dive: volume, pressures, mix and
// material (-1 for none).
struct Cylinder {
    int volume, start, end, o2, he, material;
};
std::array<Cylinder, 3> markedOf(const Plongee& d)
{
    return {Cylinder{d.volumeBloc_2(), d.pressionDepart_2(), d.pressionFin_2(), d.o2Mix_2(), d.heMix_2(),
                     d.alliageBloc_2()},
            Cylinder{d.volBailout1(), d.pressDepartBailout1(), d.pressFinBailout1(), d.O2Bailout1(), d.HeBailout1(), -1},
            Cylinder{d.volBailout2(), d.pressDepartBailout2(), d.pressFinBailout2(), d.O2Bailout2(), d.HeBailout2(), -1}};
}

MixKey keyOf(const GasMix& mix, int code) { return MixKey{mix.oxygen(), mix.helium(), mix.fitsCode(code) ? code : mix.code()}; }

DiveGases gasesOf(const Plongee& d, int row, QStringList* problems)
{
    DiveGases g;
    const GasMix bottom(d.o2Mix(), d.heMix());
    // A mix without oxygen is no breathing gas: the import refuses it, and
    // with it the whole file, so it is never written.
    const QString why = bottom.isPossible() && bottom.oxygen() < 1 ? QStringLiteral("it holds no oxygen") : bottom.problem();
    if (why.isEmpty())
        g.bottom = keyOf(bottom, d.gaz());
    else if (problems)
        problems->append(QStringLiteral("dive %1 (row %2): %3; its mix is left out").arg(d.noPlongee()).arg(row).arg(why));
    const int o2[] = {d.decoO2_Level_1(), d.decoO2_Level_2(), d.decoO2_Level_3(), d.decoO2_Level_4(),
                      d.decoO2_Level_5()};
    const int he[] = {d.decoHe_Level_1(), d.decoHe_Level_2(), d.decoHe_Level_3(), d.decoHe_Level_4(),
                      d.decoHe_Level_5()};
    for (int k = 0; k < 5; ++k) {
        if (o2[k] < 5)
            continue; // the level has no gas of its own
        const GasMix mix(o2[k], he[k]);
        if (mix.isPossible())
            g.levels[size_t(k)] = keyOf(mix, mix.code());
        else if (problems)
            problems->append(QStringLiteral("dive %1 (row %2): the gas of stop level %3: %4; it is left out")
                                 .arg(d.noPlongee())
                                 .arg(row)
                                 .arg(k + 1)
                                 .arg(mix.problem()));
    }
    const auto cylinders = markedOf(d);
    for (size_t k = 0; k < cylinders.size(); ++k) {
        const Cylinder& b = cylinders[k];
        if (b.volume <= 0 || (b.o2 == 0 && b.he == 0))
            continue; // no cylinder, or no mix given for it
        const GasMix mix(b.o2, b.he);
        const QString problem = mix.isPossible() && mix.oxygen() < 1 ? QStringLiteral("it holds no oxygen") : mix.problem();
        if (problem.isEmpty())
            g.marked[k] = keyOf(mix, mix.code());
        else if (problems)
            problems->append(QStringLiteral("dive %1 (row %2): the gas of %3: %4; it is left out")
                                 .arg(d.noPlongee())
                                 .arg(row)
                                 .arg(QLatin1String(uddfmapping::kMarkedTankNames[k]), problem));
    }
    return g;
}

std::optional<QDateTime> startOf(const Plongee& d)
{
    const QDateTime day = d.date().isValid() ? d.date().toLocalTime() : d.heure().toLocalTime();
    if (!day.isValid())
        return std::nullopt;
    const QTime time = d.heure().isValid() ? d.heure().toLocalTime().time() : day.time();
    return QDateTime(day.date(), QTime(time.hour(), time.minute()));
}

} // namespace

const QString& Uddf32Writer::typeName()
{
    static const QString name = QStringLiteral("Export UDDF 3.2");
    return name;
}

Uddf32Writer::Uddf32Writer(const Localizer& localizer, bool usUnits) : m_localizer(localizer), m_usUnits(usUnits) {}

ExportOutput Uddf32Writer::write(const QList<Plongee>& dives) const
{
    ExportOutput out;
    QBuffer buffer(&out.bytes);
    buffer.open(QIODevice::WriteOnly);
    out.report = write(dives, buffer);
    return out;
}

QStringList Uddf32Writer::write(const QList<Plongee>& dives, QIODevice& device) const
{
    QStringList problems;
    const auto metres = [this](double v) { return m_usUnits ? v * uddfmapping::kMetresPerFoot : v; };
    const auto kelvin = [this](double v) {
        return (m_usUnits ? (v - 32.0) * 5.0 / 9.0 : v) + uddfmapping::kZeroCelsius;
    };

    // What the dives link to, each once, in order of first use.
    QList<Computer> computers;
    QHash<Computer, int> computerIds;
    QStringList buddies;
    QHash<QString, int> buddyIds;
    QList<Site> sites;
    QHash<Site, int> siteIds;
    QStringList bases;
    QHash<QString, int> baseIds;
    QStringList pieces;
    QHash<QString, int> pieceIds;
    TagPieces suits, rebreathers, tanks;
    std::array<bool, 3> anyMarked{};
    QList<MixKey> mixes;
    QHash<MixKey, int> mixIds;
    QList<DiveGases> gases;
    gases.reserve(dives.size());
    const QString noPosition = m_localizer.text(QStringLiteral("GPS template"), QStringLiteral("Carnet"));
    const auto addMix = [&](const std::optional<MixKey>& m) {
        if (m && !mixIds.contains(*m)) {
            mixIds.insert(*m, int(mixes.size()) + 1);
            mixes.append(*m);
        }
    };
    for (qsizetype row = 0; row < dives.size(); ++row) {
        const Plongee& d = dives[row];
        const bool dated = startOf(d).has_value();
        gases.append(gasesOf(d, int(row), dated ? &problems : nullptr));
        if (!dated) {
            problems.append(QStringLiteral("dive %1 (row %2): it has no date; it is left out").arg(d.noPlongee()).arg(row));
            continue;
        }
        addMix(gases.last().bottom);
        for (const auto& level : gases.last().levels)
            addMix(level);
        for (const auto& mix : gases.last().marked)
            addMix(mix);
        const auto cylinders = markedOf(d);
        for (size_t k = 0; k < cylinders.size(); ++k) {
            anyMarked[k] = anyMarked[k] || cylinders[k].volume > 0;
            if (cylinders[k].volume > 0 && uddfmapping::tankMaterial(cylinders[k].material))
                tanks.add(cylinders[k].material);
        }
        const Computer c{text(d.fabricant()), text(d.ordinateur()), text(d.serie())};
        if ((!c.maker.isEmpty() || !c.model.isEmpty() || !c.serial.isEmpty()) && !computerIds.contains(c)) {
            computerIds.insert(c, int(computers.size()) + 1);
            computers.append(c);
        }
        for (const QString& b : buddiesOf(text(d.partenaires())))
            if (!buddyIds.contains(b)) {
                buddyIds.insert(b, int(buddies.size()) + 1);
                buddies.append(b);
            }
        suits.add(suitPiece(d));
        rebreathers.add(rebreatherPiece(d));
        tanks.add(tankPiece(d));
        const Site s = siteOf(d, noPosition);
        if (!s.isEmpty() && !siteIds.contains(s)) {
            siteIds.insert(s, int(sites.size()) + 1);
            sites.append(s);
        }
        for (const QString& item : equipmentOf(d))
            if (!pieceIds.contains(item)) {
                pieceIds.insert(item, int(pieces.size()) + 1);
                pieces.append(item);
            }
        const QString base = text(d.structure());
        if (!base.isEmpty() && !baseIds.contains(base)) {
            baseIds.insert(base, int(bases.size()) + 1);
            bases.append(base);
        }
    }
    const auto mixId = [&](const MixKey& m) { return QStringLiteral("mix%1").arg(mixIds.value(m)); };
    const QString air = m_localizer.text(QStringLiteral("Air"), QStringLiteral("Carnet"));

    QXmlStreamWriter w(&device);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(1);
    w.writeStartDocument();
    w.writeDefaultNamespace(QLatin1String(kNamespace));
    w.writeStartElement(QLatin1String(kNamespace), QStringLiteral("uddf"));
    w.writeAttribute(QStringLiteral("version"), QStringLiteral("3.2.3"));

    w.writeStartElement(QStringLiteral("generator"));
    element(w, "name", QLatin1String(exchangeidentity::kProduct));
    element(w, "type", QStringLiteral("logbook"));
    w.writeStartElement(QStringLiteral("manufacturer"));
    w.writeAttribute(QStringLiteral("id"), QStringLiteral("ondrix"));
    element(w, "name", QLatin1String(exchangeidentity::kProduct));
    w.writeStartElement(QStringLiteral("contact"));
    element(w, "email", QLatin1String(exchangeidentity::kEmail));
    element(w, "homepage", QLatin1String(exchangeidentity::kHomepage));
    w.writeEndElement();
    w.writeEndElement();
    element(w, "version", QStringLiteral(ONDRIX_VERSION));
    const QDateTime moment = (m_moment.isValid() ? m_moment : QDateTime::currentDateTime()).toLocalTime();
    element(w, "datetime", moment.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    w.writeEndElement(); // generator

    const bool ownEquipment = !computers.isEmpty() || !pieces.isEmpty() || !suits.tags.isEmpty()
        || !rebreathers.tags.isEmpty() || !tanks.tags.isEmpty() || std::find(anyMarked.begin(), anyMarked.end(), true) != anyMarked.end();
    if (ownEquipment || !buddies.isEmpty()) {
        w.writeStartElement(QStringLiteral("diver"));
        w.writeStartElement(QStringLiteral("owner"));
        w.writeAttribute(QStringLiteral("id"), QStringLiteral("owner"));
        w.writeStartElement(QStringLiteral("personal"));
        w.writeEmptyElement(QStringLiteral("firstname"));
        w.writeEmptyElement(QStringLiteral("lastname"));
        w.writeEndElement();
        if (ownEquipment) {
            w.writeStartElement(QStringLiteral("equipment"));
            for (qsizetype i = 0; i < computers.size(); ++i) {
                const Computer& c = computers[i];
                const QString id = QStringLiteral("dc%1").arg(i + 1);
                w.writeStartElement(QStringLiteral("divecomputer"));
                w.writeAttribute(QStringLiteral("id"), id);
                element(w, "name", c.model);
                w.writeStartElement(QStringLiteral("manufacturer"));
                w.writeAttribute(QStringLiteral("id"), id + QStringLiteral("_maker"));
                element(w, "name", c.maker);
                w.writeEndElement();
                element(w, "model", c.model);
                element(w, "serialnumber", c.serial);
                w.writeEndElement();
            }
            // The rebreather and the suit worn are named by their kind.
            for (const int tag : rebreathers.tags) {
                equipmentPiece(w, "rebreather", QStringLiteral("ccr%1").arg(tag), *uddfmapping::rebreatherName(tag));
                w.writeEndElement();
            }
            for (const int tag : suits.tags) {
                const uddfmapping::Suit suit = *uddfmapping::suitFor(tag);
                equipmentPiece(w, "suit", QStringLiteral("suit%1").arg(tag), suit.name);
                element(w, "suittype", suit.type);
                w.writeEndElement();
            }
            // The first tank of a dive, named by its material.
            for (const int tag : tanks.tags) {
                const auto material = *uddfmapping::tankMaterial(tag);
                equipmentPiece(w, "tank", QStringLiteral("tank%1").arg(tag), material.first);
                element(w, "tankmaterial", material.second);
                w.writeEndElement();
            }
            for (size_t k = 0; k < anyMarked.size(); ++k)
                if (anyMarked[k]) {
                    equipmentPiece(w, "tank", QStringLiteral("cylinder%1").arg(k + 1),
                                   QLatin1String(uddfmapping::kMarkedTanks[k]));
                    w.writeEndElement();
                }
            for (qsizetype i = 0; i < pieces.size(); ++i) {
                equipmentPiece(w, "variouspieces", QStringLiteral("item%1").arg(i + 1), pieces[i]);
                w.writeEndElement();
            }
            w.writeEndElement(); // equipment
        }
        w.writeEndElement(); // owner
        for (qsizetype i = 0; i < buddies.size(); ++i) {
            w.writeStartElement(QStringLiteral("buddy"));
            w.writeAttribute(QStringLiteral("id"), QStringLiteral("buddy%1").arg(i + 1));
            w.writeStartElement(QStringLiteral("personal"));
            element(w, "firstname", buddies[i]);
            w.writeEmptyElement(QStringLiteral("lastname"));
            w.writeEndElement();
            w.writeEndElement();
        }
        w.writeEndElement(); // diver
    }

    if (!sites.isEmpty() || !bases.isEmpty()) {
        w.writeStartElement(QStringLiteral("divesite"));
        for (qsizetype i = 0; i < bases.size(); ++i) {
            w.writeStartElement(QStringLiteral("divebase"));
            w.writeAttribute(QStringLiteral("id"), QStringLiteral("base%1").arg(i + 1));
            element(w, "name", bases[i]);
            w.writeEndElement();
        }
        for (qsizetype i = 0; i < sites.size(); ++i) {
            const Site& s = sites[i];
            w.writeStartElement(QStringLiteral("site"));
            w.writeAttribute(QStringLiteral("id"), QStringLiteral("site%1").arg(i + 1));
            element(w, "name", s.name);
            if (!s.location.isEmpty() || !s.country.isEmpty() || !s.position.isEmpty()) {
                w.writeStartElement(QStringLiteral("geography"));
                element(w, "location", s.location);
                if (!s.country.isEmpty()) {
                    w.writeStartElement(QStringLiteral("address"));
                    element(w, "country", s.country);
                    w.writeEndElement();
                }
                if (const auto p = uddfmapping::position(s.position)) {
                    element(w, "latitude", num(p->latitude));
                    element(w, "longitude", num(p->longitude));
                }
                w.writeEndElement();
            }
            if (!s.wreck.isEmpty()) {
                w.writeStartElement(QStringLiteral("sitedata"));
                w.writeStartElement(QStringLiteral("wreck"));
                element(w, "name", s.wreck);
                w.writeEndElement();
                w.writeEndElement();
            }
            w.writeEndElement();
        }
        w.writeEndElement(); // divesite
    }

    if (!mixes.isEmpty()) {
        w.writeStartElement(QStringLiteral("gasdefinitions"));
        for (const MixKey& m : mixes) {
            const GasMix mix(m.o2, m.he);
            w.writeStartElement(QStringLiteral("mix"));
            w.writeAttribute(QStringLiteral("id"), mixId(m));
            element(w, "name", mix.nameForCode(m.code, air));
            element(w, "o2", num(m.o2 / 100.0));
            element(w, "n2", num(mix.nitrogen() / 100.0));
            element(w, "he", num(m.he / 100.0));
            w.writeEndElement();
        }
        w.writeEndElement();
    }

    // A profile data section holds at least one dive.
    const bool anyDated = std::any_of(dives.begin(), dives.end(), [](const Plongee& d) { return startOf(d).has_value(); });
    if (anyDated)
        w.writeStartElement(QStringLiteral("profiledata"));
    for (qsizetype row = 0; row < dives.size(); ++row) {
        const Plongee& d = dives[row];
        const std::optional<QDateTime> start = startOf(d);
        if (!start)
            continue;
        const DiveGases& g = gases[row];
        // One dive per repetition group: the file claims no repetitive dives.
        w.writeStartElement(QStringLiteral("repetitiongroup"));
        w.writeAttribute(QStringLiteral("id"), QStringLiteral("rg%1").arg(row + 1));
        w.writeStartElement(QStringLiteral("dive"));
        w.writeAttribute(QStringLiteral("id"), QStringLiteral("dive%1").arg(row + 1));

        w.writeStartElement(QStringLiteral("informationbeforedive"));
        const Site s = siteOf(d, noPosition);
        if (siteIds.contains(s))
            link(w, QStringLiteral("site%1").arg(siteIds.value(s)));
        for (const QString& b : buddiesOf(text(d.partenaires())))
            link(w, QStringLiteral("buddy%1").arg(buddyIds.value(b)));
        if (baseIds.contains(text(d.structure())))
            link(w, QStringLiteral("base%1").arg(baseIds.value(text(d.structure()))));
        if (d.noPlongee() >= 1)
            element(w, "divenumber", QString::number(d.noPlongee()));
        element(w, "datetime", start->toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
        if (d.tempAir() != -50)
            element(w, "airtemperature", num(kelvin(d.tempAir())));
        if (const auto seconds = uddfmapping::intervalSeconds(text(d.surface()))) {
            w.writeStartElement(QStringLiteral("surfaceintervalbeforedive"));
            element(w, "passedtime", QString::number(*seconds));
            w.writeEndElement();
        }
        element(w, "altitude", num(metres(d.altitude())));
        const Computer c{text(d.fabricant()), text(d.ordinateur()), text(d.serie())};
        const bool lead = d.lestage() != 0 && std::isfinite(d.lestage());
        const QStringList items = equipmentOf(d);
        const std::optional<int> suit = suitPiece(d), rebreather = rebreatherPiece(d);
        if (lead || computerIds.contains(c) || !items.isEmpty() || suit || rebreather) {
            w.writeStartElement(QStringLiteral("equipmentused"));
            if (lead)
                element(w, "leadquantity", num(d.lestage()));
            if (computerIds.contains(c))
                link(w, QStringLiteral("dc%1").arg(computerIds.value(c)));
            if (rebreather)
                link(w, QStringLiteral("ccr%1").arg(*rebreather));
            if (suit)
                link(w, QStringLiteral("suit%1").arg(*suit));
            for (const QString& item : items)
                link(w, QStringLiteral("item%1").arg(pieceIds.value(item)));
            w.writeEndElement();
        }
        element(w, "apparatus", QLatin1String(d.rebreather() > 0 ? "rebreather" : "open-scuba"));
        if (const auto purpose = uddfmapping::purposeName(d.typePlongee()))
            element(w, "purpose", *purpose);
        if (d.combinaison() == uddfmapping::kNoSuit)
            w.writeEmptyElement(QStringLiteral("nosuit"));
        // The stops made, as the plan of the ascent.
        if (const auto stops = stopsOf(d); !stops.isEmpty()) {
            w.writeStartElement(QStringLiteral("plannedprofile"));
            for (const auto& [depth, minutes] : stops) {
                w.writeStartElement(QStringLiteral("waypoint"));
                w.writeEmptyElement(QStringLiteral("decostop"));
                w.writeAttribute(QStringLiteral("kind"), QStringLiteral("mandatory"));
                w.writeAttribute(QStringLiteral("decodepth"), num(metres(depth)));
                w.writeAttribute(QStringLiteral("duration"), QString::number(qint64(minutes) * 60));
                element(w, "depth", num(metres(depth)));
                w.writeEndElement();
            }
            w.writeEndElement();
        }
        w.writeEndElement(); // informationbeforedive

        // The first tank breathes the bottom gas; one tank per stop level
        // gas follows, with the additional cylinder of levels 1 to 3.
        w.writeStartElement(QStringLiteral("tankdata"));
        if (g.bottom)
            link(w, mixId(*g.bottom));
        if (const auto tank = tankPiece(d))
            link(w, QStringLiteral("tank%1").arg(*tank));
        if (d.volumeBloc() > 0)
            element(w, "tankvolume", num(d.volumeBloc() / 1000.0));
        element(w, "tankpressurebegin", num(d.pressionDepart() * uddfmapping::kPascalsPerBar));
        if (d.pressionFin() != 0)
            element(w, "tankpressureend", num(d.pressionFin() * uddfmapping::kPascalsPerBar));
        w.writeEndElement();
        const int ponyVolume[] = {d.volPony1(), d.volPony2(), d.volPony3()};
        const int ponyStart[] = {d.pressDepartPony1(), d.pressDepartPony2(), d.pressDepartPony3()};
        const int ponyEnd[] = {d.pressFinPony1(), d.pressFinPony2(), d.pressFinPony3()};
        for (size_t k = 0; k < 5; ++k) {
            if (!g.levels[k])
                continue;
            w.writeStartElement(QStringLiteral("tankdata"));
            link(w, mixId(*g.levels[k]));
            const bool pony = k < 3;
            if (pony && ponyVolume[k] > 0)
                element(w, "tankvolume", num(ponyVolume[k] / 1000.0));
            element(w, "tankpressurebegin", num((pony ? ponyStart[k] : 0) * uddfmapping::kPascalsPerBar));
            if (pony && ponyEnd[k] != 0)
                element(w, "tankpressureend", num(ponyEnd[k] * uddfmapping::kPascalsPerBar));
            w.writeEndElement();
        }
        // Tank 2 and the bail-out cylinders, each marked by its piece.
        const auto cylinders = markedOf(d);
        for (size_t k = 0; k < cylinders.size(); ++k) {
            const Cylinder& b = cylinders[k];
            if (b.volume <= 0)
                continue;
            w.writeStartElement(QStringLiteral("tankdata"));
            if (g.marked[k])
                link(w, mixId(*g.marked[k]));
            link(w, QStringLiteral("cylinder%1").arg(k + 1));
            if (uddfmapping::tankMaterial(b.material))
                link(w, QStringLiteral("tank%1").arg(b.material));
            element(w, "tankvolume", num(b.volume / 1000.0));
            element(w, "tankpressurebegin", num(std::max(b.start, 0) * uddfmapping::kPascalsPerBar));
            if (b.end > 0)
                element(w, "tankpressureend", num(b.end * uddfmapping::kPascalsPerBar));
            w.writeEndElement();
        }

        const QList<float> depths = d.profilProfondeur().value_or(QList<float>());
        if (depths.size() >= 2) {
            const qsizetype n = depths.size();
            const int period = divecalc::samplingPeriod(d.samplingRate());
            const QList<qint16> none;
            const QList<qint16>& asc = d.ASC_Flag() ? *d.ASC_Flag() : none;
            const QList<qint16>& slow = d.SLOW_Flag() ? *d.SLOW_Flag() : none;
            const QList<qint16>& surf = d.SURF_Flag() ? *d.SURF_Flag() : none;
            const QList<qint16>& ceil = d.CEIL_Flag() ? *d.CEIL_Flag() : none;
            const QList<qint16>& gas = d.GAZ_Flag() ? *d.GAZ_Flag() : none;
            const QList<float> noPressure;
            const QList<float>& press = d.PRESS_Data() && d.PRESS_Data()->size() == n ? *d.PRESS_Data() : noPressure;
            QString switchTo[7];
            if (g.bottom)
                switchTo[1] = mixId(*g.bottom);
            for (size_t k = 0; k < 5; ++k)
                if (g.levels[k])
                    switchTo[k + 2] = mixId(*g.levels[k]);
            const auto flag = [](const QList<qint16>& list, qsizetype i) { return i < list.size() && list[i] == 1; };
            const std::optional<double> setPoint = uddfmapping::setPointPascals(d.ppO2());
            w.writeStartElement(QStringLiteral("samples"));
            for (qsizetype i = 0; i < n; ++i) {
                w.writeStartElement(QStringLiteral("waypoint"));
                if (flag(asc, i))
                    element(w, "alarm", QStringLiteral("deco"));
                if (flag(slow, i))
                    element(w, "alarm", QStringLiteral("ascent"));
                if (flag(surf, i))
                    element(w, "alarm", QStringLiteral("surface"));
                if (flag(ceil, i))
                    element(w, "alarm", QStringLiteral("error"));
                if (std::isfinite(depths[i]))
                    element(w, "depth", num(depths[i])); // profiles are kept in metres
                element(w, "divetime", QString::number(qint64(i) * period));
                if (i == 0 && setPoint) {
                    w.writeStartElement(QStringLiteral("setpo2"));
                    w.writeAttribute(QStringLiteral("setby"), QStringLiteral("user"));
                    w.writeCharacters(num(*setPoint));
                    w.writeEndElement();
                }
                const int code = i < gas.size() ? gas[i] : 0;
                if (code >= 1 && code <= 6 && !switchTo[code].isEmpty()) {
                    w.writeEmptyElement(QStringLiteral("switchmix"));
                    w.writeAttribute(QStringLiteral("ref"), switchTo[code]);
                }
                if (i < press.size() && std::isfinite(press[i]) && press[i] > 0)
                    element(w, "tankpressure", num(double(press[i]) * uddfmapping::kPascalsPerBar));
                if (i == 0) {
                    w.writeEmptyElement(QStringLiteral("divemode"));
                    w.writeAttribute(QStringLiteral("type"), uddfmapping::diveModeName(d.rebreather()));
                }
                w.writeEndElement();
            }
            w.writeEndElement(); // samples
        }

        w.writeStartElement(QStringLiteral("informationafterdive"));
        if (d.tempEau() != -50)
            element(w, "lowesttemperature", num(kelvin(d.tempEau())));
        element(w, "greatestdepth", num(std::isfinite(d.profondeur()) ? metres(double(d.profondeur())) : 0.0));
        if (const auto visibility = uddfmapping::visibilityMetres(d.visibilite()))
            element(w, "visibility", num(*visibility));
        if (const auto current = uddfmapping::currentName(d.courant()))
            element(w, "current", *current);
        const QString notes = text(d.notes());
        if (!notes.isEmpty()) {
            w.writeStartElement(QStringLiteral("notes"));
            for (const QString& para : notes.split(u'\n'))
                element(w, "para", para);
            w.writeEndElement();
        }
        if (const auto rating = uddfmapping::ratingForMark(d.inoubliable())) {
            w.writeStartElement(QStringLiteral("rating"));
            element(w, "ratingvalue", QString::number(*rating));
            w.writeEndElement();
        }
        element(w, "diveduration", QString::number(qint64(d.temps()) * 60));
        w.writeEndElement(); // informationafterdive
        w.writeEndElement(); // dive
        w.writeEndElement(); // repetitiongroup
    }
    if (anyDated)
        w.writeEndElement(); // profiledata
    w.writeEndElement(); // uddf
    w.writeEndDocument();
    return problems;
}
