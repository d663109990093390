#include "exchange/TextExport.h"

#include "logbook/DiveChoices.h"
#include "platform/Localizer.h"
#include "platform/NumberText.h"

#include <QStringEncoder>

using namespace plongee;

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString text(const Plongee::Text& value) { return value.value_or(QString()); }

QString localPart(const QDateTime& moment, const char* pattern)
{
    return moment.isValid() ? moment.toLocalTime().toString(QLatin1String(pattern)) : QString();
}

QString decimal(float value) { return QString::number(double(value), 'g', 7); }

// Which cells of a dive line hold text rather than a number or a date.
constexpr bool kTextColumn[] = {false, false, true,  true,  true,  false, true,  false, false, false,
                                false, false, false, false, true,  true,  true,  false, false, true};

} // namespace

const QList<TextExport::Type>& TextExport::types()
{
    static const QList<Type> all = [] {
        const QList<Type> macRoman = {
            {QStringLiteral("Export Carnet CSV (Point-virgule)"), Table::Dives, u';', true, Encoding::MacRoman},
            {QStringLiteral("Export Carnet CSV (Virgule)"), Table::Dives, u',', false, Encoding::MacRoman},
            {QStringLiteral("Export Carnet TXT (Tabulation)"), Table::Dives, u'\t', false, Encoding::MacRoman},
            {QStringLiteral("Export Profils CSV (Virgule)"), Table::Profiles, u',', false, Encoding::MacRoman},
        };
        QList<Type> both = macRoman;
        for (Type t : macRoman) {
            t.name += QStringLiteral(" (UTF-8)");
            t.encoding = Encoding::Utf8;
            both.append(t);
        }
        return both;
    }();
    return all;
}

TextExport::TextExport(const Localizer& localizer) : m_localizer(localizer) {}

QString TextExport::cell(const QString& value, const Type& type, bool isText)
{
    QString v = value;
    // "--:--", the surface interval of a first dive, is no formula.
    if (isText && !v.isEmpty() && QStringLiteral("=+-@\t\r").contains(v.front()) && v != u"--:--")
        v.prepend(u'\'');
    const bool quote = type.quoteEveryCell || v.contains(type.separator) || v.contains(u'"') || v.contains(u'\n')
        || v.contains(u'\r');
    if (!quote)
        return v;
    v.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + v + u'"';
}

QByteArray TextExport::macRoman(const QString& text, bool* lossy)
{
    QStringEncoder encoder("macintosh", QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder(text);
    *lossy = encoder.hasError();
    if (!*lossy)
        return bytes;
    bytes.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, width);
        i += width - 1;
        QStringEncoder single("macintosh", QStringConverter::Flag::Stateless);
        QByteArray b = single(one);
        if (single.hasError()) {
            // The base letter of an accented one, when Mac OS Roman has it.
            const QString base = one.normalized(QString::NormalizationForm_KD).left(1);
            QStringEncoder fallback("macintosh", QStringConverter::Flag::Stateless);
            b = fallback(base);
            if (fallback.hasError() || base.isEmpty() || base == one)
                b = "?";
        }
        bytes.append(b);
    }
    return bytes;
}

QString TextExport::word(int field, int code) const
{
    for (const DiveChoice& item : divechoices::items(field)) {
        if (item.tag != code)
            continue;
        const QString key = QLatin1String(item.text);
        return key == u"N/A" ? key : m_localizer.text(key, QStringLiteral("Carnet"));
    }
    return QString();
}

QStringList TextExport::diveCells(const Plongee& d) const
{
    return {QString::number(d.noPlongee()), localPart(d.date(), "dd/MM/yyyy"), text(d.lieu()), text(d.site()),
            text(d.pays()), QString::number(d.coeff()), text(d.surface()), localPart(d.heure(), "HH:mm"),
            decimal(d.profondeur()), QString::number(d.temps()), QString::number(d.pressionDepart()),
            QString::number(d.pressionFin()), QString::number(d.o2Mix()), QString::number(d.heMix()),
            word(idx_meteo, d.meteo()), word(idx_courant, d.courant()), word(idx_visibilite, d.visibilite()),
            QString::number(d.tempEau()), QString::number(d.tempAir()), text(d.partenaires())};
}

ExportOutput TextExport::write(const Type& type, const QList<Plongee>& dives) const
{
    ExportOutput out;
    QStringList lossyDives;
    const auto append = [&](const QStringList& cells, const bool* textColumns, const Plongee* dive, qsizetype row) {
        QString line;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (i)
                line += type.separator;
            line += cell(cells[i], type, textColumns && textColumns[i]);
        }
        line += kLineEnd;
        if (type.encoding == Encoding::Utf8) {
            out.bytes += line.toUtf8();
            return;
        }
        bool lossy = false;
        out.bytes += macRoman(line, &lossy);
        if (lossy && dive)
            lossyDives.append(QStringLiteral("%1 (row %2)").arg(dive->noPlongee()).arg(row));
    };

    if (type.table == Table::Dives) {
        append({QStringLiteral("Dive #"), QStringLiteral("Date"), QStringLiteral("Location"), QStringLiteral("Site"),
                QStringLiteral("Country"), QStringLiteral("Tide coeff"), QStringLiteral("Surface time"),
                QStringLiteral("Start time"), QStringLiteral("Depth"), QStringLiteral("Dive time"),
                QStringLiteral("Pressure in"), QStringLiteral("Pressure out"), QStringLiteral("O2 mix"),
                QStringLiteral("He mix"), QStringLiteral("Weather"), QStringLiteral("Current"),
                QStringLiteral("Visibility"), QStringLiteral("Water temp."), QStringLiteral("Air temp."),
                QStringLiteral("Buddies")},
               nullptr, nullptr, -1);
        for (qsizetype row = 0; row < dives.size(); ++row)
            append(diveCells(dives[row]), kTextColumn, &dives[row], row);
    } else {
        append({QStringLiteral("Dive #"), QStringLiteral("Point"), QStringLiteral("Depth"), QStringLiteral("ASC"),
                QStringLiteral("SLOW"), QStringLiteral("CEIL"), QStringLiteral("SURF"), QStringLiteral("GAS"),
                QStringLiteral("PRESS")},
               nullptr, nullptr, -1);
        for (const Plongee& d : dives) {
            const QList<float> depths = d.profilProfondeur().value_or(QList<float>());
            const QList<qint16> none;
            const QList<qint16>* flags[] = {d.ASC_Flag() ? &*d.ASC_Flag() : &none, d.SLOW_Flag() ? &*d.SLOW_Flag() : &none,
                                            d.CEIL_Flag() ? &*d.CEIL_Flag() : &none, d.SURF_Flag() ? &*d.SURF_Flag() : &none,
                                            d.GAZ_Flag() ? &*d.GAZ_Flag() : &none};
            const QList<float> pressures = d.PRESS_Data().value_or(QList<float>());
            const QString number = QString::number(d.noPlongee());
            for (qsizetype i = 0; i < depths.size(); ++i) {
                QString line = number + type.separator + QString::number(i + 1) + type.separator
                    + QString::asprintf("%.1f", double(depths[i]));
                for (const QList<qint16>* f : flags)
                    line += type.separator + (f->size() == depths.size() ? QString::number((*f)[i]) : QString());
                line += type.separator
                    + (pressures.size() == depths.size() ? QString::asprintf("%.1f", double(pressures[i])) : QString());
                line += kLineEnd;
                // Numbers only: no cell needs quoting, and the line is ASCII.
                out.bytes += line.toLatin1();
            }
        }
    }
    if (!lossyDives.isEmpty())
        out.report.append(QStringLiteral("Mac OS Roman has no letter for some characters of dives %1; they are "
                                         "written as their nearest letter or \"?\" (the UTF-8 types keep them)")
                              .arg(lossyDives.join(QStringLiteral(", "))));
    return out;
}
