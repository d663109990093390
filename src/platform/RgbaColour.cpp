#include "platform/RgbaColour.h"

#include <QStringList>

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// Shortest round-trip decimal form of a double, always with '.' as the
// decimal point.
QString shortestDecimal(double value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (result.ec != std::errc())
        return QStringLiteral("0");
    return QString::fromLatin1(buffer.data(), int(result.ptr - buffer.data()));
}

// Parses a whole text as a decimal number; nothing may follow it.
std::optional<double> parseComponent(const QString& text)
{
    const QByteArray bytes = text.trimmed().toLatin1();
    if (bytes.isEmpty())
        return std::nullopt;
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (*first == '+')
        ++first;
    double value = 0.0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value))
        return std::nullopt;
    if (value < 0.0 || value > 1.0)
        return std::nullopt;
    return value;
}

} // namespace

RgbaColour RgbaColour::rgb(double r, double g, double b, double a)
{
    return RgbaColour{r, g, b, a};
}

RgbaColour RgbaColour::grey(double level, double alpha)
{
    return RgbaColour{level, level, level, alpha};
}

QString RgbaColour::toText() const
{
    return QStringLiteral("rgba(%1,%2,%3,%4)")
        .arg(shortestDecimal(red), shortestDecimal(green), shortestDecimal(blue),
             shortestDecimal(alpha));
}

std::optional<RgbaColour> RgbaColour::fromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    const QString prefix = QStringLiteral("rgba(");
    if (!trimmed.startsWith(prefix) || !trimmed.endsWith(QLatin1Char(')')))
        return std::nullopt;
    const QStringList parts =
        trimmed.mid(prefix.size(), trimmed.size() - prefix.size() - 1).split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    std::array<double, 4> components{};
    for (int i = 0; i < 4; ++i) {
        const auto component = parseComponent(parts.at(i));
        if (!component)
            return std::nullopt;
        components[std::size_t(i)] = *component;
    }
    return RgbaColour{components[0], components[1], components[2], components[3]};
}
