#include "stats/SynthesisReport.h"

#include "logbook/Plongee.h"
#include "platform/Localizer.h"
#include "platform/NumberText.h"
#include "platform/TextFormat.h"
#include "stats/ReportStyles.h"

#include <array>

using namespace reportstyles;

namespace {

QString number(float value) { return numbertext::shortest(value); }

QString textOf(const Plongee::Text& text) { return text.value_or(QString()); }

// The name of a stop gas from its oxygen and helium.
QString stopGas(int o2, int he)
{
    if (o2 == 0 || (o2 == 21 && he == 0))
        return QStringLiteral("(Air)");
    if (o2 >= 22)
        return he == 0 ? QStringLiteral("(Nitrox %1)").arg(o2) : QStringLiteral("(Triox %1/%2)").arg(o2).arg(he);
    if (he > 0)
        return QStringLiteral("(Trimix %1/%2)").arg(o2).arg(he);
    return QString();
}

// The mix of tank 1 by its gas code.
QString mixOfCode(int gaz, int o2, int he)
{
    switch (gaz) {
    case 0: return QStringLiteral("Air");
    case 1: return QStringLiteral("Nitrox %1").arg(o2);
    case 2: return QStringLiteral("Trimix %1/%2").arg(o2).arg(he);
    case 3: return QStringLiteral("Heliox %1").arg(o2);
    case 4: return QStringLiteral("Triox %1/%2").arg(o2).arg(he);
    case 5: return QStringLiteral("Heliair %1/%2").arg(o2).arg(he);
    default: return QString();
    }
}

// The mix of tank 2, named from its fractions.
QString mixOfFractions(int o2, int he)
{
    if (o2 == 21 && he == 0)
        return QStringLiteral("Air");
    if (o2 >= 22 && he == 0)
        return QStringLiteral("Nitrox %1").arg(o2);
    if (o2 <= 21 && he != 0)
        return QStringLiteral("Trimix %1/%2").arg(o2).arg(he);
    if (o2 + he == 100)
        return QStringLiteral("Heliox %1").arg(o2);
    if (o2 >= 22 && he != 0)
        return QStringLiteral("Triox %1/%2").arg(o2).arg(he);
    return QString();
}

// The key of a code's value name in a list of keys; nothing outside it.
const char* keyAt(std::initializer_list<const char*> keys, int code)
{
    if (code < 0 || code >= int(keys.size()))
        return nullptr;
    return keys.begin()[code];
}

} // namespace

QList<int> SynthesisReport::rowsFor(Choice choice, int count, int selectedRow)
{
    QList<int> rows;
    if (choice == AllDives) {
        rows.reserve(count);
        for (int i = 0; i < count; ++i)
            rows.append(i);
    } else if (selectedRow >= 0 && selectedRow < count) {
        rows.append(selectedRow);
    }
    return rows;
}

QString SynthesisReport::tr(const char* key) const { return m_loc.text(QLatin1String(key), QStringLiteral("Carnet")); }

void SynthesisReport::line(StyledText& t, const char* key, const QString& value) const
{
    t.append(tr(key), plain());
    t.append(value, reportstyles::value());
}

StyledText SynthesisReport::dive(const Plongee& d) const
{
    StyledText t;
    appendDive(t, d);
    return t;
}

std::optional<StyledText> SynthesisReport::dives(const QList<Plongee>& all, const QList<int>& rows,
                                                 const Progress& progress) const
{
    StyledText t;
    qsizetype done = 0;
    for (const int row : rows) {
        if (row < 0 || row >= all.size())
            continue;
        appendDive(t, all[row]);
        if (progress && !progress(++done, rows.size()))
            return std::nullopt;
    }
    return t;
}

void SynthesisReport::appendDive(StyledText& t, const Plongee& d) const
{
    line(t, "Dive number", QString::number(d.noPlongee()));
    general(t, d);
    conditions(t, d);
    parameters(t, d);
    decompression(t, d);
    gas(t, d);
    poniesAndBailout(t, d);
    equipment(t, d);
    t.append(QStringLiteral("\n\n") + QString(97, QChar(0x2022)) + QStringLiteral("\n\n"), plain());
}

void SynthesisReport::general(StyledText& t, const Plongee& d) const
{
    appendTitle(t, tr("General"));
    line(t, "Date", d.date().isValid() ? d.date().toString(QStringLiteral("dd/MM/yyyy")) : QString());
    line(t, "Location", textOf(d.lieu()));
    line(t, "Site", textOf(d.site()));
    line(t, "Pays", textOf(d.pays()));
    static const char* const gpsLabels[] = {"\nG.P.S. (...) : ", "\nG.P.S. (WGS84) : ", "\nG.P.S. (ED50) : "};
    if (d.gpsSystem() >= 0 && d.gpsSystem() <= 2)
        t.append(QLatin1String(gpsLabels[d.gpsSystem()]), plain());
    const QString position = textOf(d.gps());
    if (position != tr("GPS template"))
        t.append(position, value());
    static const char* const moments[] = {"(...)", "(Pleine mer)", "(Basse mer)"};
    const QString moment = d.pmBm() >= 0 && d.pmBm() <= 2 ? QLatin1String(moments[d.pmBm()]) : QString();
    line(t, "Tide coefficient", QStringLiteral("%1 ").arg(d.coeff()) + moment);
    line(t, "Wrecks", textOf(d.epaves()));
    line(t, "Buddies", textOf(d.partenaires()));
    line(t, "Structure", textOf(d.structure()));
    line(t, "Boat", textOf(d.bateau()));
}

void SynthesisReport::conditions(StyledText& t, const Plongee& d) const
{
    appendTitle(t, tr("Conditions"));
    const auto named = [&](const char* label, const char* key) {
        t.append(tr(label), plain());
        if (key)
            t.append(tr(key), value());
    };
    named("Weather", keyAt({"Clear", "Cloudy", "Foggy", "Rainy", "Hail", "Snowy", "Thundery", "N/A"}, d.meteo()));
    t.append(tr("Wind"), plain());
    if (d.ventForce() == 1) {
        t.append(tr("No wind"), value());
    } else if (d.ventForce() >= 2) {
        static const char* const sectors[] = {"N/A", "N", "N-E", "E", "S-E", "S", "S-W", "W", "N-W"};
        t.append(tr("Wind sector"), plain());
        if (d.ventSecteur() >= 0 && d.ventSecteur() <= 8)
            t.append(QLatin1String(sectors[d.ventSecteur()]), value());
        t.append(tr("Wind force"), plain());
        t.append(QString::number(d.ventForce() - 1), value());
    } else if (d.ventSecteur() == 0) {
        t.append(QStringLiteral("NA"), value());
    }
    named("Current", keyAt({"None", "Weak", "Moderate", "Strong", "Very strong", "Violent", "N/A"}, d.courant()));
    named("Visibility", keyAt({"Excellent", "Very good", "Good", "Medium", "Bad", "Very bad", "Execrable", "N/A",
                               "Exceptional"},
                              d.visibilite()));
    const QString degrees = m_us ? QStringLiteral("%1 °F") : QStringLiteral("%1 °C");
    if (d.tempEau() != -50)
        line(t, "Water temperature", degrees.arg(d.tempEau()));
    if (d.tempAir() != -50)
        line(t, "Air temperature", degrees.arg(d.tempAir()));
    named("Dive type", keyAt({"Wreck", "Recreational", nullptr, "Photo dive", "Tek", "Cave", "Movies", "Work",
                              "Other", "Drift", "Under ice", "Training", "Biology", "Quarry", "Recuperation"},
                             d.typePlongee()));
    if (d.nocturne() == 1)
        t.append(tr("Night"), plain());
    t.append(tr("Difficulty level"), plain());
    const QString mark = m_loc.text(QStringLiteral("Cotation 1"), QStringLiteral("Main"));
    const int marks = std::clamp(d.difficulte() + 1, 0, 6);
    t.append(mark.repeated(marks), value());
}

void SynthesisReport::parameters(StyledText& t, const Plongee& d) const
{
    appendTitle(t, tr("Parameters"));
    const QString length = m_us ? QStringLiteral("%1 ft") : QStringLiteral("%1 m");
    line(t, "Depth", length.arg(number(d.profondeur())));
    line(t, "Time", QStringLiteral("%1 min.").arg(d.temps()));
    line(t, "Surface", textOf(d.surface()));
    const QDateTime start = d.heure();
    line(t, "Start time", start.isValid() ? start.toString(QStringLiteral("HH:mm")) : QString());
    line(t, "End time", start.isValid() ? start.addSecs(qint64(d.temps()) * 60).toString(QStringLiteral("HH:mm"))
                                        : QString());
    line(t, "Altitude", length.arg(d.altitude()));
}

void SynthesisReport::decompression(StyledText& t, const Plongee& d) const
{
    appendTitle(t, tr("Decompression"));
    switch (d.deco()) {
    case 0: line(t, "Deco computer", textOf(d.ordinateur())); break;
    case 1: t.append(tr("Deco air tables"), value()); break;
    case 2: t.append(tr("Deco nitrox tables"), value()); break;
    case 3:
        t.append(tr(" Run Time"), value());
        line(t, "Deco soft name", textOf(d.decoSoftName()));
        line(t, "Deco algorythm type", textOf(d.decoAlgoType()));
        line(t, "Deco conservatism", textOf(d.decoConservatism()));
        line(t, "Detail runtime", textOf(d.runtime()) + QStringLiteral("\n\n"));
        break;
    default: break;
    }
    if (d.deco_TTS() > 0)
        line(t, "TTS", QStringLiteral("%1 min.").arg(d.deco_TTS()));
    const std::array<int, 5> times = {d.decoTime_Level_1(), d.decoTime_Level_2(), d.decoTime_Level_3(),
                                      d.decoTime_Level_4(), d.decoTime_Level_5()};
    const std::array<float, 5> depths = {d.decoDepth_Level_1(), d.decoDepth_Level_2(), d.decoDepth_Level_3(),
                                         d.decoDepth_Level_4(), d.decoDepth_Level_5()};
    const std::array<int, 5> o2 = {d.decoO2_Level_1(), d.decoO2_Level_2(), d.decoO2_Level_3(), d.decoO2_Level_4(),
                                   d.decoO2_Level_5()};
    const std::array<int, 5> he = {d.decoHe_Level_1(), d.decoHe_Level_2(), d.decoHe_Level_3(), d.decoHe_Level_4(),
                                   d.decoHe_Level_5()};
    for (size_t i = 0; i < 5; ++i)
        if (times[i] > 0)
            t.append(QString::asprintf(m_us ? "\n   - %.1f ft : %d min. - " : "\n   - %.1f m : %d min. - ",
                                       double(depths[i]), times[i])
                         + stopGas(o2[i], he[i]),
                     value());
}

void SynthesisReport::tank(StyledText& t, int material, int volume, int workingPressure, int start, int end,
                           const QString& mix) const
{
    t.append(tr(material == 0 ? "Steel" : material == 1 ? "Aluminum" : "Carbon") + u' ' + QString::number(volume),
             value());
    t.append(tr("At"), plain());
    t.append(QString::number(workingPressure), value());
    t.append(tr("Tank pressure"), plain());
    line(t, "Start pressure", QStringLiteral("%1 bar.").arg(start));
    line(t, "End pressure", QStringLiteral("%1 bar.").arg(end));
    line(t, "Used pressure", QStringLiteral("%1 bar.").arg(qint64(start) - end));
    line(t, "Available gas", QStringLiteral("%1 litres").arg(qint64(start) * volume));
    line(t, "Breathed gas", QStringLiteral("%1 litres").arg((qint64(start) - end) * volume));
    line(t, "Used gas", mix);
}

void SynthesisReport::gas(StyledText& t, const Plongee& d) const
{
    appendTitle(t, tr("Gas"));
    const int circuit = d.rebreather();
    const bool closed = circuit >= 2;
    line(t, "Scaphander", tr(circuit == 0 ? "Open circuit" : circuit == 1 ? "SCR rebreather" : "CCR rebreather"));
    t.append(circuit == 1 ? tr("Tank_1") : closed ? tr("Oxygen") : QStringLiteral("\n"), plain());
    tank(t, d.alliageBloc(), d.volumeBloc(), d.pressionBloc(), d.pressionDepart(), d.pressionFin(),
         mixOfCode(d.gaz(), d.o2Mix(), d.heMix()));
    if (circuit == 1)
        line(t, "Flow", QStringLiteral("%1 L/min.").arg(number(d.flow())));
    if (d.volumeBloc_2() != 0) {
        t.append(closed ? tr("Diluent") : tr("Tank_2"), plain());
        tank(t, d.alliageBloc_2(), d.volumeBloc_2(), d.pressionBloc_2(), d.pressionDepart_2(), d.pressionFin_2(),
             mixOfFractions(d.o2Mix_2(), d.heMix_2()));
    }
}

void SynthesisReport::poniesAndBailout(StyledText& t, const Plongee& d) const
{
    if (d.pressDepartPony1() > 0) {
        appendTitle(t, tr("Ponies"));
        t.append(QString::asprintf("\n   - Deco 1 : %d %% O₂ (%d-%d bar)", d.decoO2_Level_1(), d.pressDepartPony1(),
                                   d.pressFinPony1()),
                 value());
    }
    // The second and third ponies carry the gas of stops 2 and 3.
    if (d.pressDepartPony2() > 0)
        t.append(QString::asprintf("\n   - Deco 2 : %d %% O₂ (%d-%d bar)", d.decoO2_Level_2(), d.pressDepartPony2(),
                                   d.pressFinPony2()),
                 value());
    if (d.pressDepartPony3() > 0)
        t.append(QString::asprintf("\n   - Deco 3 : %d %% O₂ (%d-%d bar)", d.decoO2_Level_3(), d.pressDepartPony3(),
                                   d.pressFinPony3()),
                 value());
    if (d.pressDepartBailout1() > 0 || d.pressDepartBailout2() > 0)
        t.append(QStringLiteral("\n\nBail-out"), plain());
    if (d.pressDepartBailout1() > 0)
        t.append(QString::asprintf("\n   - Bail-out 1 : %d %% O₂ - %d %% He (%d-%d bar)", d.O2Bailout1(),
                                   d.HeBailout1(), d.pressDepartBailout1(), d.pressFinBailout1()),
                 value());
    if (d.pressDepartBailout2() > 0)
        t.append(QString::asprintf("\n   - Bail-out 2 : %d %% O₂ - %d %% He (%d-%d bar)", d.O2Bailout2(),
                                   d.HeBailout2(), d.pressDepartBailout2(), d.pressFinBailout2()),
                 value());
}

void SynthesisReport::equipment(StyledText& t, const Plongee& d) const
{
    appendTitle(t, tr("Equipment"));
    t.append(tr("Configuration"), plain());
    if (d.configuration() == 1 || d.configuration() == 0)
        t.append(tr(d.configuration() == 1 ? "Tek" : "No Tek"), value());
    switch (d.combinaison()) {
    case 2: t.append(QStringLiteral("\n   - Shorty"), value()); break;
    case 5: t.append(QStringLiteral("\n   - T-shirt"), value()); break;
    default:
        if (const char* key =
                keyAt({"Wet suit", "Dry suit", nullptr, "No suit", "Semi-dry suit", nullptr, "Tropical suit"},
                      d.combinaison()))
            t.append(QStringLiteral("\n   - ") + tr(key), value());
        break;
    }
    const std::array<Plongee::Text, 12> items = {d.equip_1(), d.equip_2(), d.equip_3(),  d.equip_4(),
                                                 d.equip_5(), d.equip_6(), d.equip_7(),  d.equip_8(),
                                                 d.equip_9(), d.equip_10(), d.equip_11(), d.equip_12()};
    for (const Plongee::Text& item : items)
        if (item && !item->isEmpty())
            t.append(QStringLiteral("\n   - ") + *item, value());
    line(t, "Weight", QStringLiteral("%1 kg").arg(number(d.lestage())));
    line(t, "Notes", textOf(d.notes()));
}
