#include "exchange/UpperCaseDive.h"

#include "exchange/GasMix.h"
#include "exchange/UddfMapping.h"
#include "exchange/XmlText.h"
#include "logbook/DiveCalculations.h"
#include "platform/NumberText.h"

#include <QDateTime>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace uppercasedive {

namespace {

// "%d" of a float with its fraction dropped, saturating instead of
// overflowing; a value that is no number writes 0.
QString truncated(float value)
{
    if (std::isnan(value))
        return QStringLiteral("0");
    const double v = std::clamp(double(value), double(std::numeric_limits<int>::min()),
                                double(std::numeric_limits<int>::max()));
    return QString::number(int(std::trunc(v)));
}

QString localPart(const QDateTime& moment, const char* pattern)
{
    return moment.isValid() ? moment.toLocalTime().toString(QLatin1String(pattern)) : QString();
}

QString text(const Plongee::Text& value) { return value.value_or(QString()); }

} // namespace

QString fixed(const char* format, double value) { return QString::asprintf(format, value); }

void element(QXmlStreamWriter& w, const char* name, const QString& value)
{
    xmltext::writeTextElement(w, QLatin1String(name), value);
}

QString mixReport(int row, const Plongee& dive, const QString& problem)
{
    return QStringLiteral("dive %1 (row %2): %3; its mix is left out").arg(dive.noPlongee()).arg(row).arg(problem);
}

void write(QXmlStreamWriter& w, const Plongee& d, int row, const Style& style, const QString& air, QStringList& problems)
{
    w.writeStartElement(QStringLiteral("DIVE"));
    element(w, "PLACE", text(d.lieu()) + QStringLiteral(" - ") + text(d.site()));
    const auto name = [&style](const char* lower) {
        return style.upperCaseDates ? QString::fromLatin1(lower).toUpper() : QString::fromLatin1(lower);
    };
    w.writeStartElement(name("date"));
    xmltext::writeTextElement(w, name("year"), localPart(d.date(), "yyyy"));
    xmltext::writeTextElement(w, name("month"), localPart(d.date(), "MM"));
    xmltext::writeTextElement(w, name("day"), localPart(d.date(), "dd"));
    w.writeEndElement();
    w.writeStartElement(name("time"));
    xmltext::writeTextElement(w, name("hour"), localPart(d.heure(), "HH"));
    xmltext::writeTextElement(w, name("minute"), localPart(d.heure(), "mm"));
    w.writeEndElement();
    // The exact style keeps what the whole numbers and "infinity" would lose.
    const auto interval = style.exact ? uddfmapping::intervalSeconds(text(d.surface())) : std::nullopt;
    element(w, "MAXDEPTH", style.exact ? numbertext::shortest(d.profondeur()) : truncated(d.profondeur()));
    element(w, "DIVETIME", QString::number(d.temps()));
    element(w, "SURFACEINTERVAL", interval ? uddfmapping::intervalText(*interval) : QStringLiteral("infinity"));
    element(w, "TEMPERATURE", QString::number(d.tempEau()));
    element(w, "ALTITUDE", QString::number(d.altitude()));

    w.writeStartElement(QStringLiteral("GASES"));
    const GasMix mix(d.o2Mix(), d.heMix());
    if (mix.isPossible()) {
        w.writeStartElement(QStringLiteral("MIX"));
        element(w, "MIXNAME", mix.nameForCode(d.gaz(), air));
        w.writeStartElement(QStringLiteral("TANK"));
        element(w, "TANKVOLUME", QString::number(d.volumeBloc()));
        element(w, "PSTART", QString::number(d.pressionDepart()));
        element(w, "PEND", QString::number(d.pressionFin()));
        w.writeEndElement();
        element(w, "O2", fixed("%.2f", mix.oxygen() / 100.0));
        element(w, "N2", fixed("%.2f", mix.nitrogen() / 100.0));
        element(w, "HE", fixed("%.2f", mix.helium() / 100.0));
        w.writeEndElement(); // MIX
    } else {
        problems.append(mixReport(row, d, mix.problem()));
    }
    w.writeEndElement(); // GASES
    w.writeEmptyElement(QStringLiteral("DELTAMODE"));

    w.writeStartElement(QStringLiteral("SAMPLES"));
    element(w, "DELTA", fixed("%.1f", divecalc::samplingPeriod(d.samplingRate())));
    element(w, "SWITCH", QStringLiteral("1"));
    element(w, "D", QStringLiteral("0.0"));
    const QList<float> depths = d.profilProfondeur().value_or(QList<float>());
    const QList<qint16>* flags[] = {d.ASC_Flag() ? &*d.ASC_Flag() : nullptr,
                                    d.SLOW_Flag() ? &*d.SLOW_Flag() : nullptr,
                                    d.SURF_Flag() ? &*d.SURF_Flag() : nullptr,
                                    d.CEIL_Flag() ? &*d.CEIL_Flag() : nullptr};
    static const char* const alarms[] = {"deco", "ascent", "surface", "error"};
    for (qsizetype i = 0; i < depths.size(); ++i) {
        element(w, "D", style.exact ? numbertext::shortest(depths[i]) : fixed("%.1f", depths[i]));
        for (int f = 0; f < 4; ++f)
            if (flags[f] && i < flags[f]->size() && (*flags[f])[i] == 1)
                element(w, "ALARM", QLatin1String(alarms[f]));
    }
    element(w, "D", QStringLiteral("0.0"));
    w.writeEndElement(); // SAMPLES
    w.writeEndElement(); // DIVE
}

} // namespace uppercasedive
