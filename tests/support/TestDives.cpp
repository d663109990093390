#include "support/TestDives.h"

#include <QTimeZone>

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
