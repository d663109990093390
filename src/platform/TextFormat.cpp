#include "platform/TextFormat.h"

#include "platform/NumberText.h"

#include <QList>

#include <cmath>

namespace {

QString anyText(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Float: return numbertext::shortest(v.toFloat());
    case QMetaType::Double: return numbertext::shortest(v.toDouble());
    default: return v.toString();
    }
}

// A number with fixed decimals. A text stands as it is (for "%d" as well) (a "-" where a
// figure is missing); an infinite or undefined number is no figure either.
QString fixedText(const QVariant& v, int decimals)
{
    if (!v.isValid())
        return QString();
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    const double value = v.toDouble();
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("-");
}

} // namespace

FormatDirective directiveAt(QStringView format, qsizetype at)
{
    const qsizetype n = format.size();
    qsizetype j = at + 1;
    int precision = -1;
    if (format[j] == u'.') {
        qsizetype k = j + 1;
        int p = 0;
        while (k < n && format[k].isDigit() && p < 1000)
            p = p * 10 + format[k++].digitValue();
        if (k < n && format[k] == u'f') {
            precision = p;
            j = k;
        }
    }
    return {format[j].unicode(), precision, j};
}

QString formatText(const QString& format, std::initializer_list<QVariant> argList)
{
    const QList<QVariant> args(argList);
    QString out;
    out.reserve(format.size() + 16);
    qsizetype next = 0;
    const qsizetype n = format.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = format[i];
        if (c != u'%' || i + 1 >= n) {
            out.append(c);
            continue;
        }
        const FormatDirective directive = directiveAt(format, i);
        const qsizetype j = directive.last;
        const int precision = directive.precision;
        const QChar d = directive.letter;
        const QVariant arg = next < args.size() ? args[next] : QVariant();
        switch (d.unicode()) {
        case u'%': out.append(u'%'); break;
        case u'@':
        case u's': out.append(anyText(arg)); ++next; break;
        case u'd':
        case u'i':
            out.append(!arg.isValid() ? QString()
                       : arg.typeId() == QMetaType::QString ? arg.toString()
                                                            : QString::number(arg.toLongLong()));
            ++next;
            break;
        case u'f': out.append(fixedText(arg, precision < 0 ? 6 : precision)); ++next; break;
        default: out.append(format.mid(i, j - i + 1)); break;
        }
        i = j;
    }
    return out;
}
