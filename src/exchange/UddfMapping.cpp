#include "exchange/UddfMapping.h"

#include "exchange/ProfileGrid.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace uddfmapping {

namespace {

// Lower bound in metres of each rating, best first, and the visibility that
// stands for it in a file.
struct VisibilityBand {
    int tag;
    double from;
    double written;
};
constexpr VisibilityBand kBands[] = {
    {8, 30, 40}, {0, 20, 25}, {1, 15, 17}, {2, 10, 12}, {3, 5, 7}, {4, 3, 4}, {5, 1, 2}, {6, 0, 0.5},
};

} // namespace

int visibilityTag(double metres)
{
    for (const VisibilityBand& b : kBands)
        if (metres >= b.from)
            return b.tag;
    return 6;
}

std::optional<double> visibilityMetres(int tag)
{
    for (const VisibilityBand& b : kBands)
        if (b.tag == tag)
            return b.written;
    return std::nullopt;
}

int markForRating(int rating) { return rating >= 9 ? 1 : 0; }

std::optional<int> ratingForMark(int mark) { return mark == 1 ? std::optional<int>(10) : std::nullopt; }

unsigned char alarmBit(QByteArrayView name)
{
    const QByteArrayView n = name.trimmed();
    if (n == "deco")
        return ProfileGrid::DecoAlarm;
    if (n == "ascent")
        return ProfileGrid::AscentAlarm;
    if (n == "surface")
        return ProfileGrid::SurfaceAlarm;
    if (n == "error")
        return ProfileGrid::ErrorAlarm;
    return 0;
}

double celsiusFromKelvin(double kelvin) { return std::clamp(kelvin - kZeroCelsius, -1e6, 1e6); }

QString intervalText(qint64 seconds)
{
    const qint64 minutes = std::max<qint64>(0, seconds) / 60;
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

std::optional<qint64> intervalSeconds(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5}):([0-5]\\d)$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return (m.captured(1).toLongLong() * 60 + m.captured(2).toLongLong()) * 60;
}

} // namespace uddfmapping
