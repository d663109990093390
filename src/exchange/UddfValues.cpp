#include "exchange/UddfValues.h"

#include <charconv>
#include <cmath>

namespace uddfvalues {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

QByteArrayView trimmed(QByteArrayView t)
{
    qsizetype b = 0, e = t.size();
    while (b < e && isSpace(t[b]))
        ++b;
    while (e > b && isSpace(t[e - 1]))
        --e;
    t = t.sliced(b, e - b);
    if (!t.isEmpty() && t[0] == '+')
        t = t.sliced(1);
    return t;
}

template <typename T> std::optional<T> parse(QByteArrayView text)
{
    const QByteArrayView t = trimmed(text);
    if (t.isEmpty())
        return std::nullopt;
    T value{};
    const auto res = std::from_chars(t.data(), t.data() + t.size(), value, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != t.data() + t.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool digits(QByteArrayView t, qsizetype at, qsizetype count, int* value)
{
    if (at + count > t.size())
        return false;
    int v = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        if (t[i] < '0' || t[i] > '9')
            return false;
        v = v * 10 + (t[i] - '0');
    }
    *value = v;
    return true;
}

} // namespace

std::optional<double> number(QByteArrayView text) { return parse<double>(text); }

std::optional<float> singleNumber(QByteArrayView text) { return parse<float>(text); }

std::optional<WallClock> wallClock(QByteArrayView text)
{
    QByteArrayView t = trimmed(text);
    int year = 0, month = 0, day = 0;
    if (!digits(t, 0, 4, &year) || t.size() < 10 || t[4] != '-' || !digits(t, 5, 2, &month) || t[7] != '-'
        || !digits(t, 8, 2, &day))
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    if (t.size() == 10)
        return WallClock{date, QTime(0, 0)};
    if (t[10] != 'T' && t[10] != 't' && t[10] != ' ')
        return std::nullopt;
    int hour = 0, minute = 0, second = 0;
    if (!digits(t, 11, 2, &hour) || t.size() < 16 || t[13] != ':' || !digits(t, 14, 2, &minute))
        return std::nullopt;
    qsizetype i = 16;
    if (i < t.size() && t[i] == ':') {
        if (!digits(t, 17, 2, &second))
            return std::nullopt;
        i = 19;
        if (i < t.size() && (t[i] == '.' || t[i] == ',')) {
            ++i;
            while (i < t.size() && t[i] >= '0' && t[i] <= '9')
                ++i;
        }
    }
    // A zone or an offset may follow; the wall clock written stands.
    if (i < t.size()) {
        const char z = t[i];
        int oh = 0, om = 0;
        const bool zulu = (z == 'Z' || z == 'z') && i + 1 == t.size();
        const bool offset = (z == '+' || z == '-') && digits(t, i + 1, 2, &oh)
            && ((i + 3 == t.size()) || (t.size() == i + 6 && t[i + 3] == ':' && digits(t, i + 4, 2, &om))
                || (t.size() == i + 5 && digits(t, i + 3, 2, &om)));
        if (!zulu && !offset)
            return std::nullopt;
    }
    if (hour == 24 && minute == 0 && second == 0)
        return WallClock{date.addDays(1), QTime(0, 0)};
    const QTime time(hour, minute, second == 60 ? 59 : second);
    if (!time.isValid())
        return std::nullopt;
    return WallClock{date, time};
}

QString trimmedText(QByteArrayView utf8) { return QString::fromUtf8(utf8).trimmed(); }

} // namespace uddfvalues
