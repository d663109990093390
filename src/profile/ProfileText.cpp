#include "profile/ProfileText.h"

#include "platform/NumberText.h"

#include <QStringList>
#include <cmath>
#include <limits>

namespace profiletext {

namespace {

constexpr divebounds::Range kAnyFloat{-std::numeric_limits<float>::max(), std::numeric_limits<float>::max()};
constexpr divebounds::Range kAnyShort{std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()};

QList<QStringView> lines(const QString& text)
{
    QList<QStringView> pieces = QStringView(text).split(u'\n');
    while (!pieces.isEmpty() && pieces.last().trimmed().isEmpty())
        pieces.removeLast();
    return pieces;
}

// The line's number, when it is one the list can hold.
std::optional<double> valueOf(QStringView line, const divebounds::Range& range, bool whole)
{
    static const QStringList units = {QStringLiteral("m"), QStringLiteral("bar")};
    const numbertext::Typed t = numbertext::typed(line, units);
    if (!t.isNumber() || !range.holds(t.value) || (whole && t.value != std::trunc(t.value)))
        return std::nullopt;
    return t.value;
}

template <typename T> Lines<T> read(const QString& text, const divebounds::Range& range)
{
    constexpr bool whole = std::is_integral_v<T>;
    Lines<T> out;
    const QList<QStringView> pieces = lines(text);
    out.values.reserve(pieces.size());
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const auto v = valueOf(pieces[i], range, whole);
        if (!v) {
            out.values.clear();
            out.badLine = i + 1;
            out.badText = pieces[i].trimmed().left(40).toString();
            return out;
        }
        out.values.append(T(*v));
    }
    return out;
}

template <typename T> QList<T> lenient(const QString& text, const divebounds::Range& range, T fallback)
{
    constexpr bool whole = std::is_integral_v<T>;
    QList<T> values;
    for (const QStringView line : lines(text))
        values.append(T(valueOf(line, range, whole).value_or(double(fallback))));
    return values;
}

} // namespace

QString render(const QList<float>& values)
{
    QStringList parts;
    parts.reserve(values.size());
    for (const float v : values)
        parts.append(QString::number(double(v), 'f', 1));
    return parts.join(u'\n');
}

QString render(const QList<qint16>& values)
{
    QStringList parts;
    parts.reserve(values.size());
    for (const qint16 v : values)
        parts.append(QString::number(v));
    return parts.join(u'\n');
}

Lines<float> readDecimals(const QString& text, const divebounds::Range& range) { return read<float>(text, range); }

Lines<qint16> readIntegers(const QString& text, const divebounds::Range& range) { return read<qint16>(text, range); }

QList<float> parseDecimals(const QString& text)
{
    return lenient<float>(text, kAnyFloat, std::numeric_limits<float>::quiet_NaN());
}

QList<qint16> parseIntegers(const QString& text) { return lenient<qint16>(text, kAnyShort, 0); }

const divebounds::Range& listRange(int list)
{
    static constexpr divebounds::Range ranges[kListCount] = {
        divebounds::kSampleDepth, divebounds::kEventFlag, divebounds::kEventFlag, divebounds::kEventFlag,
        divebounds::kEventFlag,   divebounds::kGasCode,   divebounds::kSamplePressure,
    };
    return ranges[list];
}

Lines<double> checkList(int list, const QString& text)
{
    Lines<double> out;
    const bool decimal = list == 0 || list == kListCount - 1;
    if (decimal) {
        const auto lines = readDecimals(text, listRange(list));
        out.badLine = lines.badLine;
        out.badText = lines.badText;
    } else {
        const auto lines = readIntegers(text, listRange(list));
        out.badLine = lines.badLine;
        out.badText = lines.badText;
    }
    return out;
}

} // namespace profiletext
