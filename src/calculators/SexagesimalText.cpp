#include "calculators/SexagesimalText.h"

#include <cmath>

std::optional<SexagesimalText> SexagesimalText::fromDegrees(double degrees)
{
    const double thousandths = std::round(std::fabs(degrees) * 3600000.0);
    // 2^62 leaves room for the arithmetic below in 64 bits.
    if (!(thousandths < 4.6e18))
        return std::nullopt;
    const qint64 total = qint64(thousandths);
    SexagesimalText t;
    t.negative = degrees < 0.0 && total != 0;
    t.degrees = total / 3600000;
    t.minutes = int(total / 60000 % 60);
    t.milliseconds = int(total % 60000);
    return t;
}

QString SexagesimalText::text() const
{
    QString out;
    out.reserve(28);
    if (negative)
        out.append(u'-');
    out.append(QString::number(degrees));
    out.append(u"\u00b0 ");
    out.append(QString::number(minutes));
    out.append(u"' ");
    out.append(QString::number(milliseconds / 1000));
    out.append(u'.');
    const int thousandths = milliseconds % 1000;
    out.append(QChar(u'0' + thousandths / 100));
    out.append(QChar(u'0' + thousandths / 10 % 10));
    out.append(QChar(u'0' + thousandths % 10));
    out.append(u"''");
    return out;
}
