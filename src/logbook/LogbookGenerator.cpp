#include "logbook/LogbookGenerator.h"

#include <QRandomGenerator>
#include <QTimeZone>
#include <algorithm>
#include <cmath>

namespace logbookgenerator {

namespace {

struct Place {
    const char* lieu;
    const char* pays;
    const char* code;
    const char* sites[4];
};

const Place kPlaces[] = {
    {"Marseille", "France", "FR", {"Impérial de Terre", "Grotte à corail", "Tiboulen de Maïre", "Le Liban"}},
    {"Port-Cros", "France", "FR", {"La Gabinière", "Montrémian", "Le Donator", "La Croix"}},
    {"Banyuls-sur-Mer", "France", "FR", {"Cap Béar", "Le Troc", "Sec de Rédéris", "Canadell"}},
    {"Hurghada", "Egypt", "EG", {"Carless Reef", "El Mina", "Giftun", "Abu Ramada"}},
    {"Sharm el-Sheikh", "Egypt", "EG", {"Ras Mohammed", "Thistlegorm", "Jackson Reef", "Tiran"}},
    {"Malta", "Malta", "MT", {"Um El Faroud", "Blue Hole", "Cirkewwa Arch", "HMS Maori"}},
    {"Scapa Flow", "United Kingdom", "GB", {"SMS Cöln", "SMS Karlsruhe", "Brummer", "Dresden"}},
    {"Cozumel", "Mexico", "MX", {"Palancar", "Santa Rosa Wall", "Colombia", "Punta Sur"}},
    {"Lake Annecy", "France", "FR", {"Roc de Chère", "Les Vieux Murs", "Angon", "Duingt"}},
    {"Bonaire", "Netherlands", "NL", {"1000 Steps", "Hilma Hooker", "Salt Pier", "Karpata"}},
};

const char* const kBuddies[] = {"Anne", "Bruno", "Chloé", "David", "Élodie", "François", "Gaëlle", "Hugo"};
const char* const kStructures[] = {"Club Subaquatique", "Centre Bleu", "Deep Divers", "Aqua Club", "Nautilus"};
const char* const kComputers[] = {"Atlas", "Orion", "Vega", "Sirius", "Polaris"};
const char* const kMakers[] = {"Abyssal", "Blue Instruments", "Nordsee", "Triton"};
const char* const kBoats[] = {"Calypso II", "Le Mérou", "Sea Breeze", "Amphitrite", ""};
const char* const kEquipment[] = {"Wing 18 kg", "Regulator A", "Regulator B", "Dry suit", "Torch",
                                  "SMB", "Reel 45 m", "Knife", "Compass", "Fins"};
const char* const kNotes[] = {
    "Nice visibility, lots of fish.",
    "Strong current on the way back; short dive.",
    "Groupers and a moray at the bottom.\nSafety stop in the blue.",
    "Night dive: octopus and shrimps.",
    "Cold thermocline at 18 m.",
    "Training dive: buoyancy and deco procedures.",
    "",
};

// Sampling periods for the sampling-rate codes, as the profile code reads them.
constexpr int kPeriodForCode[] = {10, 20, 30, 60, 120, 4, 1, 5};

template <typename T, size_t N> const T& pick(QRandomGenerator& rng, const T (&items)[N])
{
    return items[rng.bounded(quint32(N))];
}

QString text(const char* s) { return QString::fromUtf8(s); }

float roundTo(double v, double step) { return float(std::round(v / step) * step); }

} // namespace

QList<Plongee> generate(int dives, int samples, quint64 seed)
{
    QRandomGenerator rng(seed);
    QList<Plongee> out;
    out.reserve(dives);
    samples = std::max(1, samples);
    QDate day(2005, 3, 12);

    for (int n = 0; n < dives; ++n) {
        Plongee d;
        day = day.addDays(rng.bounded(1, 9));
        const Place& place = pick(rng, kPlaces);
        const int hour = 8 + int(rng.bounded(12));
        const int minute = int(rng.bounded(60));
        const QDateTime start(day, QTime(hour, minute));

        d.setNoPlongee(n + 1);
        d.setDate(QDateTime(day, QTime(12, 0)));
        d.setHeure(start);
        d.setLieu(text(place.lieu));
        d.setSite(text(place.sites[rng.bounded(4)]));
        d.setPays(text(place.pays));
        d.setCountryCode(text(place.code));
        d.setGps(QStringLiteral("%1 N %2 E").arg(30 + rng.bounded(30)).arg(rng.bounded(40)));
        d.setGpsSystem(1);
        d.setPartenaires(text(pick(rng, kBuddies)) + QStringLiteral(", ") + text(pick(rng, kBuddies)));
        d.setStructure(text(pick(rng, kStructures)));
        d.setBateau(text(pick(rng, kBoats)));
        d.setSurface(n % 3 == 0 ? QStringLiteral("--:--")
                                : QStringLiteral("%1:%2").arg(1 + rng.bounded(5)).arg(rng.bounded(60), 2, 10, QChar(u'0')));
        if (rng.bounded(4) == 0)
            d.setEpaves(text(place.sites[rng.bounded(4)]));

        // Gas: mostly air, some nitrox, a few trimix dives that go deep.
        const int gasRoll = int(rng.bounded(100));
        const int gaz = gasRoll < 60 ? 0 : gasRoll < 90 ? 1 : 2;
        const int o2 = gaz == 0 ? 21 : gaz == 1 ? 28 + int(rng.bounded(9)) : 18 + int(rng.bounded(4));
        const int he = gaz == 2 ? 20 + int(rng.bounded(30)) : 0;
        d.setGaz(gaz);
        d.setO2Mix(o2);
        d.setHeMix(he);
        d.setO2Mix_2(21);

        const double maxDepth = gaz == 2 ? 45 + rng.bounded(40) : 8 + rng.generateDouble() * (gaz == 1 ? 32 : 42);
        d.setProfondeur(roundTo(maxDepth, 0.1));

        const int code = samples >= 300 ? (rng.bounded(2) ? 5 : 7) : int(rng.bounded(5));
        const int period = kPeriodForCode[code];
        d.setSamplingRate(code);
        d.setTemps(std::max(1, samples * period / 60));
        d.setAltitude(place.lieu[0] == 'L' ? 447 : 0);

        const bool deco = maxDepth > 30;
        d.setDeco(deco ? int(rng.bounded(4)) : 0);
        d.setDeco_TTS(deco ? 5 + int(rng.bounded(30)) : 0);
        if (deco) {
            d.setDeco_Level_1_sw(1);
            d.setDecoDepth_Level_1(3.0f);
            d.setDecoTime_Level_1(3 + int(rng.bounded(10)));
            d.setDecoO2_Level_1(gaz == 2 ? 100 : 50);
            d.setDeco_Level_2_sw(maxDepth > 40 ? 1 : 0);
            d.setDecoDepth_Level_2(6.0f);
            d.setDecoTime_Level_2(maxDepth > 40 ? 2 + int(rng.bounded(6)) : 0);
            d.setDecoO2_Level_2(50);
            d.setDecoDepth_Level_3(9.0f);
            d.setDecoDepth_Level_4(12.0f);
            d.setDecoDepth_Level_5(15.0f);
        } else {
            d.setDecoDepth_Level_1(3.0f);
            d.setDecoDepth_Level_2(6.0f);
            d.setDecoDepth_Level_3(9.0f);
            d.setDecoDepth_Level_4(12.0f);
            d.setDecoDepth_Level_5(15.0f);
        }
        if (gaz == 2) {
            d.setVolPony1(7);
            d.setPressDepartPony1(200);
            d.setPressFinPony1(80 + int(rng.bounded(60)));
        }

        const int volume = rng.bounded(3) == 0 ? 15 : 12;
        const int working = rng.bounded(2) ? 232 : 200;
        const int pStart = working - int(rng.bounded(20));
        const int pEnd = 40 + int(rng.bounded(40));
        d.setAlliageBloc(int(rng.bounded(2)));
        d.setVolumeBloc(volume);
        d.setPressionBloc(working);
        d.setPressionDepart(pStart);
        d.setPressionFin(pEnd);
        d.setPpO2(0);
        d.setDecoSoftName(deco ? QStringLiteral("Decoplanner") : QStringLiteral("..."));
        d.setDecoAlgoType(deco ? QStringLiteral("ZH-L 16 C") : QStringLiteral("..."));
        d.setDecoConservatism(deco ? QStringLiteral("GF 30/80") : QString());
        d.setRuntime(deco ? QStringLiteral("%1 m %2 min; 6 m 2 min; 3 m 5 min").arg(int(maxDepth)).arg(20) : QString());
        d.setMeteo(int(rng.bounded(8)));
        d.setVentSecteur(int(rng.bounded(9)));
        d.setVentForce(int(rng.bounded(7)));
        d.setVisibilite(int(rng.bounded(9)));
        d.setCourant(int(rng.bounded(7)));
        d.setTypePlongee(int(rng.bounded(15)));
        d.setNocturne(hour >= 19 ? 1 : 0);
        d.setTempEau(place.pays[0] == 'E' ? 22 + int(rng.bounded(7)) : 11 + int(rng.bounded(12)));
        d.setTempAir(rng.bounded(5) == 0 ? -50 : 12 + int(rng.bounded(20)));
        d.setCoeff(place.code[0] == 'F' ? 20 + int(rng.bounded(101)) : 0);
        d.setPmBm(d.coeff() ? 1 + int(rng.bounded(2)) : 0);
        d.setInoubliable(int(rng.bounded(5)));
        d.setCombinaison(int(rng.bounded(5)));
        d.setFabricant(text(pick(rng, kMakers)));
        d.setOrdinateur(text(pick(rng, kComputers)));
        d.setSerie(QStringLiteral("SN-%1").arg(100000 + rng.bounded(900000)));
        d.setEquip_1(text(kEquipment[0]));
        d.setEquip_2(text(kEquipment[1 + rng.bounded(2)]));
        for (int e = 3; e <= 4 + int(rng.bounded(4)); ++e)
            d.setValueFromText(QStringLiteral("equip_%1").arg(e), text(kEquipment[rng.bounded(10)]));
        d.setRebreather(rng.bounded(20) == 0 ? 1 + int(rng.bounded(4)) : 0);
        if (d.rebreather() > 0) {
            d.setPpO2(1 + int(rng.bounded(10)));
            d.setFlow(d.rebreather() == 1 ? 8.5f : 0.0f);
            d.setVolBailout1(3);
            d.setPressDepartBailout1(200);
            d.setPressFinBailout1(190);
            d.setO2Bailout1(32);
        }
        d.setLestage(roundTo(2 + rng.generateDouble() * 10, 0.5));
        d.setConfiguration(1 + int(rng.bounded(3)));
        d.setNotes(text(pick(rng, kNotes)));
        d.setDifficulte(int(rng.bounded(6)));

        // Profile: descent, a wandering bottom phase, ascent with stops.
        QList<float> depth(samples), press(samples);
        QList<qint16> asc(samples, 0), slow(samples, 0), surf(samples, 0), ceil(samples, 0), gas(samples, 0);
        const int descentEnd = std::max(1, samples / 8);
        const int ascentStart = std::max(descentEnd, samples * 3 / 4);
        double z = 0;
        for (int i = 0; i < samples; ++i) {
            if (i < descentEnd) {
                z = maxDepth * (i + 1) / descentEnd;
            } else if (i < ascentStart) {
                z = std::clamp(z + (rng.generateDouble() - 0.55) * 0.6, maxDepth * 0.6, maxDepth);
            } else {
                const double t = double(i - ascentStart) / std::max(1, samples - 1 - ascentStart);
                z = (1 - t) * z * 0.97;
                if (deco && z < 3.2 && z > 2.5)
                    z = 3.0;
            }
            depth[i] = samples == 1 ? 0.0f : roundTo(i == samples - 1 ? 0.0 : z, 0.1);
            press[i] = roundTo(pStart - (pStart - pEnd) * double(i) / std::max(1, samples - 1), 0.5);
            if (i > ascentStart && rng.bounded(40) == 0)
                slow[i] = 1;
        }
        if (samples > 1) {
            gas[0] = 1;
            surf[samples - 1] = 1;
            if (deco)
                gas[ascentStart + (samples - ascentStart) / 2] = 2;
        }
        d.setProfilProfondeur(depth);
        d.setASC_Flag(asc);
        d.setSLOW_Flag(slow);
        d.setSURF_Flag(surf);
        d.setCEIL_Flag(ceil);
        d.setGAZ_Flag(gas);
        d.setPRESS_Data(press);
        out.append(std::move(d));
    }
    return out;
}

} // namespace logbookgenerator
