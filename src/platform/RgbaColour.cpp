#include "platform/RgbaColour.h"

#include "platform/NumberText.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cctype>
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

// A component as a byte, 0 to 255.
int byteOf(double component) { return int(std::lround(std::clamp(component, 0.0, 1.0) * 255)); }

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

QString RgbaColour::toHex(bool alpha) const
{
    QString text = QStringLiteral("#%1%2%3")
                       .arg(byteOf(red), 2, 16, QLatin1Char('0'))
                       .arg(byteOf(green), 2, 16, QLatin1Char('0'))
                       .arg(byteOf(blue), 2, 16, QLatin1Char('0'));
    if (alpha && byteOf(this->alpha) != 255)
        text += QStringLiteral("%1").arg(byteOf(this->alpha), 2, 16, QLatin1Char('0'));
    return text;
}

std::optional<RgbaColour> RgbaColour::fromHex(const QString& text)
{
    if (!text.startsWith(QLatin1Char('#')) || (text.size() != 7 && text.size() != 9))
        return std::nullopt;
    for (qsizetype i = 1; i < text.size(); ++i)
        if (!isxdigit(text.at(i).unicode() < 128 ? text.at(i).toLatin1() : 'x'))
            return std::nullopt;
    double parts[4] = {0, 0, 0, 1};
    for (int i = 0; i * 2 + 1 < text.size(); ++i)
        parts[i] = QStringView(text).mid(1 + 2 * i, 2).toInt(nullptr, 16) / 255.0;
    return rgb(parts[0], parts[1], parts[2], parts[3]);
}
