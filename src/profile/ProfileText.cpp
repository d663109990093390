#include "profile/ProfileText.h"

#include "platform/NumberText.h"

#include <QStringList>
#include <algorithm>
#include <limits>

namespace profiletext {

namespace {

QList<QStringView> lines(const QString& text)
{
    QList<QStringView> pieces = QStringView(text).split(u'\n');
    while (!pieces.isEmpty() && pieces.last().trimmed().isEmpty())
        pieces.removeLast();
    return pieces;
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

QList<float> parseDecimals(const QString& text)
{
    QList<float> values;
    for (const QStringView line : lines(text)) {
        bool ok = false;
        const double v = numbertext::leadingDouble(line, &ok);
        values.append(ok ? float(v) : std::numeric_limits<float>::quiet_NaN());
    }
    return values;
}

QList<qint16> parseIntegers(const QString& text)
{
    QList<qint16> values;
    for (const QStringView line : lines(text)) {
        const qint32 v = numbertext::leadingInt(line);
        values.append(qint16(std::clamp<qint32>(v, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max())));
    }
    return values;
}

} // namespace profiletext
