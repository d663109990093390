#include "calculators/CalculatorFormat.h"

#include "platform/TextFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};
constexpr quint64 kIntegerPowersOfTen[] = {1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL,
                                           10000000ULL, 100000000ULL, 1000000000ULL, 10000000000ULL};

// The quick way for the usual numbers: whole part and scaled fraction in
// integers. The fraction v - trunc(v) is exact, and scaling it by at most
// 1e10 errs by less than 2e-6, so the rounding goes the same way as for the
// exact value unless the scaled fraction lies within 1e-5 of a half; such
// values (and very large ones) are left to the exact conversion.
bool appendFixedQuickly(QString& out, double value, int decimals)
{
    if (decimals > 10 || !(std::fabs(value) < 9007199254740992.0))
        return false;
    const double magnitude = std::fabs(value);
    const double whole = std::trunc(magnitude);
    const double scaled = (magnitude - whole) * kPowersOfTen[decimals];
    const double below = std::floor(scaled);
    const double rest = scaled - below;
    if (std::fabs(rest - 0.5) < 1e-5)
        return false;
    quint64 integer = quint64(whole);
    quint64 fraction = quint64(below) + (rest > 0.5 ? 1 : 0);
    if (fraction == kIntegerPowersOfTen[decimals]) {
        fraction = 0;
        ++integer;
    }
    char buffer[48];
    char* p = buffer + sizeof buffer;
    for (int i = 0; i < decimals; ++i) {
        *--p = char('0' + fraction % 10);
        fraction /= 10;
    }
    if (decimals > 0)
        *--p = '.';
    do {
        *--p = char('0' + integer % 10);
        integer /= 10;
    } while (integer != 0);
    if (value < 0.0)
        *--p = '-';
    out.append(QLatin1String(p, buffer + sizeof buffer));
    return true;
}

} // namespace

void CalculatorFormat::appendFixed(QString& out, double value, int decimals)
{
    if (!std::isfinite(value)) {
        out.append(u'-');
        return;
    }
    if (value == 0.0)
        value = 0.0; // no "-0"
    decimals = std::clamp(decimals, 0, 40);
    if (appendFixedQuickly(out, value, decimals))
        return;
    // The largest double has 309 digits before the point.
    char buffer[360];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    out.append(QLatin1String(buffer, end.ptr));
}

QString CalculatorFormat::fixed(double value, int decimals)
{
    QString out;
    appendFixed(out, value, decimals);
    return out;
}

namespace {

// The directive of argument `index` (from 0): its letter ('f', 'd', 'i',
// '@'; 0 when the format has no such argument) and, for 'f', its decimals.
struct Directive {
    char16_t letter = 0;
    int decimals = -1;
};

Directive directiveOf(QStringView format, int index)
{
    const qsizetype n = format.size();
    int argument = 0;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (format[i] != u'%')
            continue;
        const FormatDirective directive = directiveAt(format, i);
        const qsizetype j = directive.last;
        const int precision = directive.precision < 0 ? 6 : directive.precision;
        const char16_t d = directive.letter;
        if (d == u'%') {
            i = j;
            continue;
        }
        if (d != u'f' && d != u'd' && d != u'i' && d != u'@')
            continue;
        i = j;
        if (argument++ == index)
            return {d, d == u'f' ? std::clamp(precision, 0, 40) : d == u'@' ? -1 : 0};
    }
    return {};
}

} // namespace

int CalculatorFormat::decimalsOf(QStringView format, int index)
{
    return directiveOf(format, index).decimals;
}

double CalculatorFormat::shown(QStringView format, int index, double value)
{
    const Directive d = directiveOf(format, index);
    if (!std::isfinite(value) || d.decimals < 0)
        return value;
    if (d.letter != u'f')
        return std::trunc(value); // "%d" prints the whole part
    return fixed(value, d.decimals).toDouble();
}

QString CalculatorFormat::fill(QStringView format, std::initializer_list<double> args)
{
    QString out;
    out.reserve(format.size() + 16 * qsizetype(args.size()));
    const double* next = args.begin();
    const qsizetype n = format.size();
    qsizetype literal = 0; // start of the text not copied yet
    for (qsizetype i = 0; i < n; ++i) {
        if (format[i] != u'%' || i + 1 >= n)
            continue;
        const FormatDirective directive = directiveAt(format, i);
        const qsizetype j = directive.last;
        const int precision = directive.precision;
        const char16_t d = directive.letter;
        if (d != u'%' && d != u'f' && d != u'd' && d != u'i' && d != u'@')
            continue; // copied as it stands
        out.append(format.sliced(literal, i - literal));
        literal = j + 1;
        i = j;
        if (d == u'%') {
            out.append(u'%');
            continue;
        }
        if (next == args.end())
            continue;
        const double value = *next++;
        if (d == u'f') {
            appendFixed(out, value, precision < 0 ? 6 : precision);
        } else if (d == u'@') {
            char buffer[64];
            if (!std::isfinite(value)) {
                out.append(u'-');
            } else {
                const auto end = std::to_chars(buffer, buffer + sizeof buffer, value == 0.0 ? 0.0 : value);
                out.append(QLatin1String(buffer, end.ptr));
            }
        } else if (std::isfinite(value)) {
            // A whole number: the calculators pass only whole values here.
            out.append(QString::number(qint64(std::trunc(std::clamp(value, -9.2e18, 9.2e18)))));
        } else {
            appendFixed(out, value, 0);
        }
    }
    out.append(format.sliced(literal));
    return out;
}
