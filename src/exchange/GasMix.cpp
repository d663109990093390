#include "exchange/GasMix.h"

#include <cmath>

std::optional<GasMix> GasMix::fromFractions(double oxygen, double helium)
{
    if (!std::isfinite(oxygen) || !std::isfinite(helium) || oxygen < 0 || helium < 0 || oxygen > 1.005
        || helium > 1.005 || oxygen + helium > 1.005)
        return std::nullopt;
    const int o2 = int(std::lround(oxygen * 100));
    int he = int(std::lround(helium * 100));
    // Two shares rounded up each may pass 100 by one: the helium gives way.
    if (o2 + he > 100)
        he = 100 - o2;
    return GasMix(o2, he < 0 ? 0 : he);
}

bool GasMix::isPossible() const
{
    return m_oxygen >= 0 && m_helium >= 0 && qint64(m_oxygen) + m_helium <= 100;
}

QString GasMix::problem() const
{
    if (m_oxygen < 0)
        return QStringLiteral("%1 % oxygen is no gas").arg(m_oxygen);
    if (m_helium < 0)
        return QStringLiteral("%1 % helium is no gas").arg(m_helium);
    if (qint64(m_oxygen) + m_helium > 100)
        return QStringLiteral("%1 % oxygen and %2 % helium make more than 100 %").arg(m_oxygen).arg(m_helium);
    return QString();
}

int GasMix::code() const
{
    if (m_helium <= 0)
        return m_oxygen == 21 ? Air : Nitrox;
    return nitrogen() <= 0 ? Heliox : Trimix;
}

int GasMix::codeForName(QStringView name) const
{
    const QString n = name.toString().toLower();
    int named = -1;
    if (n.contains(u"heliair"))
        named = Heliair;
    else if (n.contains(u"triox"))
        named = Triox;
    else if (n.contains(u"heliox"))
        named = Heliox;
    else if (n.contains(u"trimix") || n.contains(u"tmx"))
        named = Trimix;
    else if (n.contains(u"nitrox") || n.contains(u"ean") || n.contains(u"oxygen"))
        named = Nitrox;
    else if (n.trimmed() == u"air" || n.contains(u"air "))
        named = Air;

    return fitsCode(named) ? named : code();
}

bool GasMix::fitsCode(int gasCode) const
{
    switch (gasCode) {
    case Air: return m_helium == 0 && m_oxygen == 21;
    case Nitrox: return m_helium == 0;
    case Heliox: return m_helium > 0 && nitrogen() == 0;
    case Trimix:
    case Triox:
    case Heliair: return m_helium > 0 && nitrogen() > 0;
    default: return false;
    }
}

QString GasMix::nameForCode(int gasCode, const QString& airText) const
{
    switch (gasCode) {
    case Air: return airText;
    case Nitrox: return QStringLiteral("Nitrox %1").arg(m_oxygen);
    case Trimix: return QStringLiteral("Trimix %1/%2").arg(m_oxygen).arg(m_helium);
    case Heliox: return QStringLiteral("Heliox %1").arg(m_oxygen);
    case Triox: return QStringLiteral("Triox %1/%2").arg(m_oxygen).arg(m_helium);
    case Heliair: return QStringLiteral("Heliair %1/%2").arg(m_oxygen).arg(m_helium);
    default: return nameForCode(code(), airText);
    }
}
