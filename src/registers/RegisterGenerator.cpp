#include "registers/RegisterGenerator.h"

#include "platform/PngEncoder.h"
#include "registers/RegisterDescription.h"
#include "registers/RegisterForm.h"

#include <QHash>
#include <QRandomGenerator>
#include <algorithm>
#include <cmath>

namespace registergenerator {

namespace {

using registers::FieldKind;
using registers::FormControl;
using registers::Rule;
using registers::SampleValues;

constexpr int kPictureEvery = 10;

class Filler {
public:
    Filler(const registers::RegisterDescription& reg, quint64 seed) : m_reg(reg), m_rng(seed)
    {
        m_sampleOf.assign(size_t(reg.schema.fieldCount()), nullptr);
        for (const SampleValues& s : reg.samples)
            m_sampleOf[size_t(s.field)] = &s;
        m_controlOf.assign(size_t(reg.schema.fieldCount()), nullptr);
        for (const FormControl& c : reg.controls)
            m_controlOf[size_t(c.field)] = &c;
    }

    RegisterRecord record(int index)
    {
        RegisterRecord r(m_reg.schema);
        m_record = &r;
        m_groupRow.clear();
        for (int f = 0; f < m_reg.schema.fieldCount(); ++f)
            r.setValue(f, value(f, index));
        return r;
    }

private:
    double between(double low, double high, double step)
    {
        const double v = low + m_rng.generateDouble() * (high - low);
        return step > 0 ? std::clamp(std::round(v / step) * step, low, high) : v;
    }

    int whole(int low, int high) { return low >= high ? low : int(m_rng.bounded(low, high + 1)); }

    QDate day(const SampleValues* s)
    {
        const int first = s && s->high > 0 ? int(s->low) : 1995;
        const int last = s && s->high > 0 ? int(s->high) : 2025;
        return QDate(whole(first, last), whole(1, 12), whole(1, 28));
    }

    // A day as typed; above another day text, low to high years after it.
    QString dayText(const SampleValues* s)
    {
        const QString format = QStringLiteral("dd/MM/yyyy");
        if (s->above < 0)
            return day(s).toString(format);
        const QDate after = QDate::fromString(m_record->text(s->above).value_or(QString()), format);
        const int year = (after.isValid() ? after.year() : 1900) + whole(int(s->low), int(s->high));
        return QDate(year, whole(1, 12), whole(1, 28)).toString(format);
    }

    QString text(const SampleValues* s, int field, int index)
    {
        if (s && s->dayText)
            return dayText(s);
        if (!s || s->texts.isEmpty())
            return QStringLiteral("%1 %2").arg(QLatin1String(m_reg.schema.field(field).name)).arg(index + 1);
        int row = int(m_rng.bounded(quint32(s->texts.size())));
        if (s->group != 0) {
            auto it = m_groupRow.constFind(s->group);
            row = it != m_groupRow.cend() ? *it : *m_groupRow.insert(s->group, row);
        }
        return s->texts[std::min<qsizetype>(row, s->texts.size() - 1)];
    }

    // A number field's value: its samples, else what its control can show.
    double number(int field)
    {
        const SampleValues* s = m_sampleOf[size_t(field)];
        if (s) {
            double base = 0;
            if (s->above >= 0)
                base = m_reg.schema.field(s->above).kind == FieldKind::Float ? m_record->decimal(s->above)
                                                                             : m_record->integer(s->above);
            return base + between(s->low, s->high, s->step);
        }
        const FormControl* c = m_controlOf[size_t(field)];
        switch (c ? c->rule : Rule::Integer) {
        case Rule::PopupTag:
            // A chosen item, not the first ("not given"), where there are others.
            return c->tags.size() > 1 ? c->tags[whole(1, int(c->tags.size()) - 1)] : c->tags.value(0);
        case Rule::Radio: return c->tags.value(whole(0, int(c->tags.size()) - 1));
        case Rule::Switch: return whole(0, 1);
        case Rule::Slider: return whole(std::min(1, c->maximum), c->maximum);
        default: return between(1, 100, 1);
        }
    }

    RegisterRecord::Value value(int field, int index)
    {
        const SampleValues* s = m_sampleOf[size_t(field)];
        switch (m_reg.schema.field(field).kind) {
        case FieldKind::Int: return qint32(std::lround(number(field)));
        case FieldKind::Float: return float(number(field));
        case FieldKind::Text: return RegisterRecord::Text(text(s, field, index));
        case FieldKind::Date:
            if (m_controlOf[size_t(field)] && m_controlOf[size_t(field)]->rule == Rule::Time)
                return RegisterForm::timeOfDay(QTime(whole(0, 23), whole(0, 59)));
            // In UTC, as a record read from a file holds its dates.
            return QDateTime(day(s), QTime(whole(8, 19), whole(0, 59))).toUTC();
        case FieldKind::Image:
            return index % kPictureEvery == 0 ? RegisterRecord::Image(picture(m_rng.generate()))
                                              : RegisterRecord::Image();
        case FieldKind::List: return RegisterRecord::List();
        }
        return qint32(0);
    }

    const registers::RegisterDescription& m_reg;
    QRandomGenerator m_rng;
    std::vector<const SampleValues*> m_sampleOf;
    std::vector<const FormControl*> m_controlOf;
    QHash<int, int> m_groupRow;
    const RegisterRecord* m_record = nullptr; // the record being filled, for fields that follow another
};

} // namespace

QList<RegisterRecord> generate(const registers::RegisterDescription& reg, int records, quint64 seed)
{
    Filler filler(reg, seed);
    QList<RegisterRecord> out;
    out.reserve(std::max(0, records));
    for (int i = 0; i < records; ++i)
        out.append(filler.record(i));
    return out;
}

QByteArray picture(quint32 variant)
{
    constexpr int kWidth = 64, kHeight = 40;
    const int waterline = 12 + int(variant % 8);
    const int hullStart = 8 + int((variant >> 3) % 16);
    const int hullLength = 24 + int((variant >> 7) % 16);
    const int tint = int((variant >> 11) % 64);
    QByteArray rgb(kWidth * kHeight * 3, '\0');
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            char* px = rgb.data() + (y * kWidth + x) * 3;
            // Water darkening with depth; a hull lying on the sand.
            const int depth = std::max(0, y - waterline);
            int red = 10 + tint / 4, green = 90 + tint - depth * 2, blue = 170 - depth * 3;
            const bool sand = y >= kHeight - 5;
            const int hullTop = kHeight - 14 + std::abs(x - hullStart - hullLength / 2) / 4;
            const bool hull = x >= hullStart && x < hullStart + hullLength && y >= hullTop && !sand;
            if (sand)
                red = 190, green = 170, blue = 120;
            else if (hull)
                red = 70, green = 50, blue = 40;
            else if (y < waterline)
                red = 150, green = 200, blue = 235;
            px[0] = char(std::clamp(red, 0, 255));
            px[1] = char(std::clamp(green, 0, 255));
            px[2] = char(std::clamp(blue, 0, 255));
        }
    }
    return pngencoder::encodeRgb(kWidth, kHeight, rgb);
}

} // namespace registergenerator
