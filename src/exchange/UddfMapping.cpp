#include "exchange/UddfMapping.h"

#include "exchange/ProfileGrid.h"
#include "platform/NumberText.h"

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

namespace {

const char* const kCurrents[] = {"no-current",       "very-mild-current", "mild-current",
                                 "moderate-current", "hard-current",      "very-hard-current"};

struct SuitRow {
    int tag;
    const char* name;
    const char* type;
};
constexpr SuitRow kSuits[] = {{0, "Wet suit", "wet-suit"}, {1, "Dry suit", "dry-suit"},
                              {2, "Shorty", "wet-suit"},   {4, "Semi-dry suit", "wet-suit"},
                              {5, "T-shirt", "dive-skin"}, {6, "Tropical suit", "dive-skin"}};

struct PurposeRow {
    int kind;
    const char* name;
};
constexpr PurposeRow kPurposes[] = {{1, "sightseeing"}, {3, "photography-videography"}, {7, "work"},
                                    {11, "learning"},   {12, "research"},                {8, "other"}};

struct MaterialRow {
    const char* name;
    const char* material;
};
constexpr MaterialRow kMaterials[] = {{"Steel", "steel"}, {"Aluminum", "aluminium"}, {"Carbon", "carbon"}};

const char* const kRebreathers[] = {nullptr, "SCR", "mCCR", "eCCR", "hCCR"};

} // namespace

std::optional<QString> currentName(int tag)
{
    if (tag < 0 || tag >= int(std::size(kCurrents)))
        return std::nullopt;
    return QString::fromLatin1(kCurrents[tag]);
}

std::optional<int> currentTag(QByteArrayView name)
{
    for (size_t i = 0; i < std::size(kCurrents); ++i)
        if (name.trimmed() == kCurrents[i])
            return int(i);
    return std::nullopt;
}

std::optional<Suit> suitFor(int tag)
{
    for (const SuitRow& r : kSuits)
        if (r.tag == tag)
            return Suit{QString::fromLatin1(r.name), QString::fromLatin1(r.type)};
    return std::nullopt;
}

std::optional<int> suitTag(const QString& name)
{
    for (const SuitRow& r : kSuits)
        if (name == QLatin1String(r.name))
            return r.tag;
    return std::nullopt;
}

std::optional<QString> purposeName(int kind)
{
    for (const PurposeRow& r : kPurposes)
        if (r.kind == kind)
            return QString::fromLatin1(r.name);
    return std::nullopt;
}

std::optional<int> purposeKind(QByteArrayView name)
{
    for (const PurposeRow& r : kPurposes)
        if (name.trimmed() == r.name)
            return r.kind;
    return std::nullopt;
}

QString diveModeName(int rebreather)
{
    return QString::fromLatin1(rebreather == 1 ? "semiclosedcircuit" : rebreather >= 2 ? "closedcircuit" : "opencircuit");
}

std::optional<QString> rebreatherName(int rebreather)
{
    if (rebreather < 1 || rebreather >= int(std::size(kRebreathers)))
        return std::nullopt;
    return QString::fromLatin1(kRebreathers[rebreather]);
}

std::optional<int> apparatusForName(const QString& name)
{
    for (size_t i = 1; i < std::size(kRebreathers); ++i)
        if (name == QLatin1String(kRebreathers[i]))
            return int(i);
    return std::nullopt;
}

std::optional<std::pair<QString, QString>> tankMaterial(int tag)
{
    if (tag < 0 || tag >= int(std::size(kMaterials)))
        return std::nullopt;
    return std::pair{QString::fromLatin1(kMaterials[tag].name), QString::fromLatin1(kMaterials[tag].material)};
}

std::optional<int> tankMaterialTag(QByteArrayView material)
{
    for (size_t i = 0; i < std::size(kMaterials); ++i)
        if (material.trimmed() == kMaterials[i].material)
            return int(i);
    return std::nullopt;
}

// Set-points 0.7 to 1.1 bar are tags 10 down to 6, 1.2 to 1.6 bar tags 1 to 5.
std::optional<double> setPointPascals(int tag)
{
    if (tag >= 1 && tag <= 5)
        return (11 + tag) * 1e4;
    if (tag >= 6 && tag <= 10)
        return (17 - tag) * 1e4;
    return std::nullopt;
}

std::optional<int> setPointTag(double pascals)
{
    if (!std::isfinite(pascals))
        return std::nullopt;
    const double tenths = std::round(pascals / 1e4);
    if (tenths < 7 || tenths > 16)
        return std::nullopt;
    const int t = int(tenths);
    return t >= 12 ? t - 11 : 17 - t;
}

namespace {

// Degrees and decimal minutes, as "43°12.345'", to degrees.
double degrees(const QString& whole, const QString& minutes) { return whole.toDouble() + minutes.toDouble() / 60; }

QString degreesText(double v, int width)
{
    const qint64 thousandths = std::llround(std::abs(v) * 60000); // of a minute
    return QStringLiteral("%1°%2'")
        .arg(thousandths / 60000, width, 10, QLatin1Char('0'))
        .arg(QString::asprintf("%06.3f", double(thousandths % 60000) / 1000));
}

} // namespace

std::optional<Position> position(const QString& text)
{
    static const QRegularExpression minutes(
        QStringLiteral("^\\s*(\\d{1,3})°\\s*([0-5]?\\d(?:\\.\\d{1,9})?)'\\s*([NS])\\s+(\\d{1,3})°\\s*([0-5]?\\d(?:\\.\\d{1,9})?)'\\s*([EW])\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression hemispheres(
        QStringLiteral("^\\s*(\\d{1,3}(?:\\.\\d{1,12})?)\\s*([NS])\\s+(\\d{1,3}(?:\\.\\d{1,12})?)\\s*([EW])\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression signedPair(
        QStringLiteral("^\\s*(-?\\d{1,3}(?:\\.\\d{1,12})?)\\s*[,;]\\s*(-?\\d{1,3}(?:\\.\\d{1,12})?)\\s*$"));
    const auto sign = [](const QString& letter, char negative) {
        return letter.compare(QChar::fromLatin1(negative), Qt::CaseInsensitive) == 0 ? -1.0 : 1.0;
    };
    Position p{};
    if (const QRegularExpressionMatch m = minutes.match(text); m.hasMatch()) {
        p.latitude = degrees(m.captured(1), m.captured(2)) * sign(m.captured(3), 'S');
        p.longitude = degrees(m.captured(4), m.captured(5)) * sign(m.captured(6), 'W');
    } else if (const QRegularExpressionMatch h = hemispheres.match(text); h.hasMatch()) {
        p.latitude = h.captured(1).toDouble() * sign(h.captured(2), 'S');
        p.longitude = h.captured(3).toDouble() * sign(h.captured(4), 'W');
    } else if (const QRegularExpressionMatch d = signedPair.match(text); d.hasMatch()) {
        p.latitude = d.captured(1).toDouble();
        p.longitude = d.captured(2).toDouble();
    } else {
        return std::nullopt;
    }
    if (!(std::abs(p.latitude) <= 90 && std::abs(p.longitude) <= 180))
        return std::nullopt;
    return p;
}

QString positionText(const Position& p)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(degreesText(p.latitude, 2), QLatin1String(p.latitude < 0 ? "S" : "N"), degreesText(p.longitude, 3),
             QLatin1String(p.longitude < 0 ? "W" : "E"));
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
