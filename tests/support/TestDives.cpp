#include "support/TestDives.h"

#include "logbook/DiveBounds.h"

#include <QTimeZone>
#include <algorithm>
#include <cmath>

Plongee fullyPopulatedDive(int seed)
{
    Plongee d;
    for (int i = 0; i < Plongee::FieldCount; ++i) {
        const int v = seed * 1000 + i + 1;
        switch (Plongee::field(i).kind) {
        case Plongee::Kind::Int: d.setValue(i, qint32(v)); break;
        case Plongee::Kind::Float:
        case Plongee::Kind::FloatBits: d.setValue(i, float(v) + 0.25f); break;
        case Plongee::Kind::String:
            d.setValue(i, Plongee::Text(QStringLiteral("%1 «é» %2").arg(QLatin1String(Plongee::field(i).name)).arg(v)));
            break;
        case Plongee::Kind::Date:
            d.setValue(i, QDateTime(QDate(2000 + seed % 20, 1 + i % 12, 1 + i % 28), QTime(10, i % 60, 0)));
            break;
        case Plongee::Kind::FloatArray:
            d.setValue(i, Plongee::FloatSamples(QList<float>{float(v), 12.4f, -0.5f, 33.3f}));
            break;
        case Plongee::Kind::IntArray:
            d.setValue(i, Plongee::IntSamples(QList<qint16>{qint16(i % 7), 1, 0, qint16(-seed)}));
            break;
        }
    }
    d.setGaz_2(0); // reserved: never survives a save
    return d;
}

QList<Plongee> someDives(int count)
{
    QList<Plongee> dives;
    for (int i = 0; i < count; ++i)
        dives.append(fullyPopulatedDive(i + 1));
    return dives;
}

Plongee plausibleDive(int seed)
{
    Plongee d = fullyPopulatedDive(seed);
    for (int i = 0; i < Plongee::FieldCount; ++i) {
        const std::optional<divebounds::Range> range = divebounds::of(i);
        if (!range)
            continue;
        // Still distinct per field and seed, but inside the field's range.
        const double span = range->highest - std::max(range->lowest, 0.0) + 1;
        const double v = std::max(range->lowest, 0.0) + std::fmod(seed * 1000.0 + i + 1, span);
        if (Plongee::field(i).kind == Plongee::Kind::Int)
            d.setValue(i, qint32(v));
        else
            d.setValue(i, float(std::min(v + 0.25, range->highest)));
    }
    for (const divebounds::MixFields& mix : divebounds::mixes()) {
        const qint32 o2 = std::get<qint32>(d.value(mix.oxygen));
        const qint32 he = std::get<qint32>(d.value(mix.helium));
        d.setValue(mix.helium, qint32(std::min({he, 100 - o2, 86})));
    }
    d.setProfilProfondeur(QList<float>{float(seed % 50), 12.4f, 0.5f, 33.3f});
    d.setPRESS_Data(QList<float>{200.5f, float(150 + seed % 50), 0, 60});
    for (int f : {plongee::idx_ASC_Flag, plongee::idx_SLOW_Flag, plongee::idx_SURF_Flag, plongee::idx_CEIL_Flag})
        d.setValue(f, Plongee::IntSamples(QList<qint16>{qint16(f % 2), 1, 0, qint16(seed % 2)}));
    d.setGAZ_Flag(QList<qint16>{qint16(seed % 7), 1, 0, 6});
    return d;
}
