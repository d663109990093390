#include "support/DiveFields.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <charconv>

namespace {

QString number(float f)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, f).ptr;
    return QString::fromLatin1(text, end - text);
}

template <typename T> QStringList texts(const QList<T>& samples, qsizetype from, qsizetype to)
{
    QStringList out;
    for (qsizetype i = std::max<qsizetype>(from, 0); i < std::min(to, samples.size()); ++i)
        out.append(number(float(samples[i])));
    return out;
}

// The samples of a list field, whichever their type, as floats.
std::optional<QList<float>> samplesOf(const Plongee::Value& v)
{
    if (const auto* f = std::get_if<Plongee::FloatSamples>(&v))
        return *f;
    if (const auto* i = std::get_if<Plongee::IntSamples>(&v); i && *i)
        return QList<float>((*i)->begin(), (*i)->end());
    return std::nullopt;
}

QString text(const Plongee::Value& v)
{
    if (const auto* i = std::get_if<qint32>(&v))
        return QString::number(*i);
    if (const auto* f = std::get_if<float>(&v))
        return number(*f);
    if (const auto* t = std::get_if<Plongee::Text>(&v))
        return t->value_or(QStringLiteral("(none)"));
    if (const auto* d = std::get_if<QDateTime>(&v))
        return d->isValid() ? d->toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QStringLiteral("(none)");
    const auto samples = samplesOf(v);
    return samples ? u'[' + texts(*samples, 0, samples->size()).join(u',') + u']' : QStringLiteral("(none)");
}

QString levels(const Plongee& d)
{
    QStringList out;
    for (int k = 1; k <= 5; ++k) {
        const auto o2 = std::get<qint32>(*d.value(QStringLiteral("decoO2_Level_%1").arg(k)));
        const auto he = std::get<qint32>(*d.value(QStringLiteral("decoHe_Level_%1").arg(k)));
        out.append(QStringLiteral("%1/%2").arg(o2).arg(he));
    }
    while (!out.isEmpty() && out.last() == QLatin1String("0/0"))
        out.removeLast();
    return out.join(u' ');
}

QString field(const Plongee& d, const QString& name)
{
    if (name == QLatin1String("levels"))
        return levels(d);
    if (name == QLatin1String("day"))
        return d.date().date().toString(Qt::ISODate);
    if (name == QLatin1String("start"))
        return d.heure().time().toString(Qt::ISODate);
    static const QRegularExpression pattern(QStringLiteral("^(\\w+)(#|@|\\[(\\d+)(?::(\\d+))?\\])?$"));
    const auto m = pattern.match(name);
    const auto value = m.hasMatch() ? d.value(m.captured(1)) : std::nullopt;
    if (!value)
        return QStringLiteral("(no field ") + name + u')';
    if (m.captured(2).isEmpty())
        return text(*value);
    const auto samples = samplesOf(*value);
    if (!samples)
        return QStringLiteral("(none)");
    if (m.captured(2) == u'#')
        return QString::number(samples->size());
    if (m.captured(2) == u'@') {
        QStringList out;
        for (qsizetype i = 0; i < samples->size(); ++i)
            if ((*samples)[i] != 0)
                out.append(QString::number(i) + u':' + number((*samples)[i]));
        return out.join(u' ');
    }
    const qsizetype from = m.captured(3).toLongLong();
    const qsizetype to = m.captured(4).isEmpty() ? from + 1 : m.captured(4).toLongLong();
    return texts(*samples, from, to).join(u',');
}

} // namespace

QStringList fieldNames(const QString& like)
{
    QStringList names;
    for (const QString& pair : like.split(QStringLiteral("; "), Qt::SkipEmptyParts))
        names.append(pair.section(u'=', 0, 0));
    return names;
}

QString fieldsOf(const Plongee& dive, const QStringList& names)
{
    QStringList out;
    for (const QString& name : names)
        out.append(name + u'=' + field(dive, name));
    return out.join(QStringLiteral("; "));
}

QString fieldsOf(const Plongee& dive, const QString& like) { return fieldsOf(dive, fieldNames(like)); }

std::string fieldsLike(const Plongee& dive, const QString& like) { return fieldsOf(dive, like).toStdString(); }

void setFields(Plongee& dive, const QString& fields)
{
    for (const QString& pair : fields.split(QStringLiteral("; "), Qt::SkipEmptyParts))
        EXPECT_TRUE(dive.setValueFromText(pair.section(u'=', 0, 0), pair.section(u'=', 1))) << pair.toStdString();
}
