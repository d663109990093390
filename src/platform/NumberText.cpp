#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace numbertext {

namespace {

bool isSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v'; }

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

template <typename T> QByteArray toChars(T value)
{
    if (std::isnan(value))
        return QByteArrayLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QByteArrayLiteral("inf") : QByteArrayLiteral("-inf");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value);
    return QByteArray(buf, res.ptr - buf);
}

} // namespace

qint32 leadingInt(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 value = 0;
    while (i < n && isDigit(text[i])) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            value = qint64(std::numeric_limits<qint32>::max()) + 1;
        ++i;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    if (value < std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    return qint32(value);
}

double leadingDouble(QStringView text, bool* ok)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isSpace(text[i]))
        ++i;
    QByteArray ascii;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0) {
        if (ok)
            *ok = false;
        return 0.0;
    }
    qsizetype end = i;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            end = j;
        }
    }
    ascii = text.sliced(start, end - start).toLatin1();
    if (ascii.startsWith('+'))
        ascii.remove(0, 1);
    double value = 0.0;
    const auto res = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), value);
    if (res.ec == std::errc::result_out_of_range)
        value = ascii.startsWith('-') ? -std::numeric_limits<double>::infinity()
                                      : std::numeric_limits<double>::infinity();
    if (ok)
        *ok = true;
    return value;
}

Typed typed(QStringView text, const QStringList& units)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return Typed{};
    const Typed invalid{Typed::Kind::Invalid, 0};
    QByteArray ascii;
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (t[i] == u'+' || t[i] == u'-')
        ascii.append(char(t[i++].unicode()));
    qsizetype digits = 0;
    const auto takeDigits = [&] {
        while (i < n && isDigit(t[i]))
            ascii.append(char(t[i++].unicode())), ++digits;
    };
    takeDigits();
    if (i < n && (t[i] == u'.' || t[i] == u',')) {
        ascii.append('.');
        ++i;
        takeDigits();
    }
    if (digits == 0)
        return invalid;
    if (i + 1 < n && (t[i] == u'e' || t[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (t[j] == u'+' || t[j] == u'-'))
            ++j;
        if (j < n && isDigit(t[j])) {
            ascii.append('e');
            for (qsizetype k = i + 1; k < j; ++k)
                ascii.append(char(t[k].unicode()));
            i = j;
            digits = 0;
            takeDigits();
        }
    }
    const QStringView rest = t.sliced(i).trimmed();
    if (!rest.isEmpty()) {
        bool isUnit = false;
        for (const QString& unit : units)
            isUnit = isUnit || rest.compare(unit, Qt::CaseInsensitive) == 0;
        if (!isUnit)
            return invalid;
    }
    const char* first = ascii.constData() + (ascii.startsWith('+') ? 1 : 0);
    double value = 0.0;
    const auto res = std::from_chars(first, ascii.constData() + ascii.size(), value);
    if (res.ec != std::errc() || !std::isfinite(value))
        return invalid;
    return Typed{Typed::Kind::Number, value};
}

std::optional<double> exactDecimal(QStringView text)
{
    const QByteArray bytes = text.toLatin1();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    double value = 0.0;
    const auto result = std::from_chars(first, last, value);
    if (bytes.isEmpty() || result.ec != std::errc() || result.ptr != last)
        return std::nullopt;
    return value;
}

QByteArray shortestUtf8(float value) { return toChars(value); }
QByteArray shortestUtf8(double value) { return toChars(value); }
QString shortest(float value) { return QString::fromLatin1(toChars(value)); }
QString shortest(double value) { return QString::fromLatin1(toChars(value)); }

} // namespace numbertext
