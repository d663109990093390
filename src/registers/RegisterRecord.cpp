#include "registers/RegisterRecord.h"

#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"

#include <bit>

using registers::FieldInfo;
using registers::FieldKind;

namespace {

// A day kept as its typed text by older versions, at midnight local time.
QDateTime typedDay(const RegisterRecord::Text& text, const char* pattern)
{
    if (!text || !pattern)
        return QDateTime();
    const QDate day = QDate::fromString(text->trimmed(), QLatin1String(pattern));
    return day.isValid() ? QDateTime(day, QTime(0, 0)) : QDateTime();
}

} // namespace

RegisterRecord::Value RegisterRecord::freshValue(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Int: return qint32(0);
    case FieldKind::Float: return 0.0f;
    case FieldKind::Text: return Text();
    case FieldKind::Date: return QDateTime();
    case FieldKind::Image: return Image();
    case FieldKind::List: return List();
    }
    return qint32(0);
}

RegisterRecord::RegisterRecord(const registers::RecordSchema& schema) : m_schema(&schema)
{
    m_values.reserve(size_t(schema.fieldCount()));
    for (const FieldInfo& f : schema.fields)
        m_values.push_back(freshValue(f.kind));
}

void RegisterRecord::write(ArchiveWriter& out) const
{
    for (int i = 0; i < m_schema->fieldCount(); ++i) {
        const Value& v = m_values[size_t(i)];
        switch (m_schema->field(i).kind) {
        case FieldKind::Int: out.writeInt(std::get<qint32>(v)); break;
        case FieldKind::Float: out.writeFloat(std::get<float>(v)); break;
        case FieldKind::Text: out.writeString(std::get<Text>(v)); break;
        case FieldKind::Date: out.writeDate(std::get<QDateTime>(v)); break;
        case FieldKind::Image: out.writeImage(std::get<Image>(v)); break;
        case FieldKind::List: out.writeIntArray32(std::get<List>(v)); break;
        }
    }
}

void RegisterRecord::read(ArchiveReader& in, int classVersion)
{
    for (int i = 0; i < m_schema->fieldCount(); ++i) {
        const FieldInfo& f = m_schema->field(i);
        Value& v = m_values[size_t(i)];
        if (f.sinceVersion > classVersion) {
            v = f.emptyWhenLacking ? Value(Text(QString())) : freshValue(f.kind);
            continue;
        }
        switch (f.kind) {
        case FieldKind::Int: v = in.readInt(); break;
        case FieldKind::Float:
            // Older versions kept the number as a whole one.
            v = classVersion < f.floatSinceVersion ? float(in.readInt()) : in.readFloat();
            break;
        case FieldKind::Text:
            v = classVersion < f.textSinceVersion ? Text(QString::number(in.readInt())) : in.readString();
            break;
        case FieldKind::Date:
            v = classVersion < f.dateSinceVersion ? typedDay(in.readString(), f.oldDatePattern) : in.readDate();
            break;
        case FieldKind::Image: v = in.readImage(); break;
        case FieldKind::List: v = in.readIntArray32(); break;
        }
        if (!in.ok())
            return;
    }
}

bool RegisterRecord::identical(const RegisterRecord& other) const
{
    if (m_schema != other.m_schema)
        return false;
    for (size_t i = 0; i < m_values.size(); ++i) {
        const Value& a = m_values[i];
        const Value& b = other.m_values[i];
        if (const auto* f = std::get_if<float>(&a)) {
            if (std::bit_cast<quint32>(*f) != std::bit_cast<quint32>(std::get<float>(b)))
                return false;
        } else if (const auto* d = std::get_if<QDateTime>(&a)) {
            const QDateTime& e = std::get<QDateTime>(b);
            if (d->isValid() != e.isValid() || (d->isValid() && d->toMSecsSinceEpoch() != e.toMSecsSinceEpoch()))
                return false;
        } else if (a != b) {
            return false;
        }
    }
    return true;
}
