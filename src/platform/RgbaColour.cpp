#include "platform/RgbaColour.h"

#include "platform/NumberText.h"

#include <QStringList>

#include <array>
#include <cmath>

namespace {

// A colour component: a whole decimal number (white space and one "+"
// around it allowed) from 0 to 1.
std::optional<double> parseComponent(const QString& text)
{
    QStringView digits = QStringView(text).trimmed();
    if (digits.startsWith(u'+'))
        digits = digits.mid(1);
    const std::optional<double> value = numbertext::exactDecimal(digits);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    if (*value < 0.0 || *value > 1.0)
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
        .arg(numbertext::shortest(red), numbertext::shortest(green), numbertext::shortest(blue),
             numbertext::shortest(alpha));
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
