#include "logbook/Plongee.h"

#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"
#include "platform/NumberText.h"

#include <QHash>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

using plongee::kLayout;

namespace {

constexpr Plongee::FieldInfo kFieldTable[] = {
#define ONDRIX_INFO(k, n, N, v) {#n, Plongee::Kind::k, v},
    ONDRIX_PLONGEE_FIELDS(ONDRIX_INFO)
#undef ONDRIX_INFO
};
static_assert(std::size(kFieldTable) == 126, "a dive has 126 archived fields");

qint32 toInt32(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= double(std::numeric_limits<qint32>::max()))
        return std::numeric_limits<qint32>::max();
    if (v <= double(std::numeric_limits<qint32>::min()))
        return std::numeric_limits<qint32>::min();
    return qint32(v);
}

const char* kindName(Plongee::Kind k)
{
    switch (k) {
    case Plongee::Kind::Int: return "an integer";
    case Plongee::Kind::Float:
    case Plongee::Kind::FloatBits: return "a number";
    case Plongee::Kind::String: return "a text";
    case Plongee::Kind::Date: return "a date";
    case Plongee::Kind::FloatArray: return "a list of numbers";
    case Plongee::Kind::IntArray: return "a list of integers";
    }
    return "?";
}

template <typename T> bool sameBits(const std::optional<QList<T>>& a, const std::optional<QList<T>>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    if (!a)
        return true;
    if (a->size() != b->size())
        return false;
    return a->isEmpty() || std::memcmp(a->constData(), b->constData(), size_t(a->size()) * sizeof(T)) == 0;
}

qsizetype skipObject(ArchiveReader& in, Plongee::Kind kind)
{
    switch (kind) {
    case Plongee::Kind::String: return in.skipString();
    case Plongee::Kind::FloatArray: return in.skipFloatArray();
    case Plongee::Kind::IntArray: return in.skipIntArray();
    default: return 0;
    }
}

} // namespace

std::span<const Plongee::FieldInfo> Plongee::fields() { return kFieldTable; }

int Plongee::fieldIndex(QStringView name)
{
    static const QHash<QString, int> byName = [] {
        QHash<QString, int> h;
        for (int i = 0; i < FieldCount; ++i)
            h.insert(QString::fromLatin1(kFieldTable[i].name), i);
        return h;
    }();
    return byName.value(name.toString(), -1);
}

Plongee::Value Plongee::value(int index) const
{
    const int s = kLayout.slot[index];
    if (const int e = plongee::encodableSlot(index); e >= 0)
        decodeIfEncoded(e);
    switch (kFieldTable[index].kind) {
    case Kind::Int: return m_ints[s];
    case Kind::Float:
    case Kind::FloatBits: return m_floats[s];
    case Kind::String: return m_objects.read().texts[s];
    case Kind::Date: return m_dates[s];
    case Kind::FloatArray: return m_objects.read().floatSamples[s];
    case Kind::IntArray: return m_objects.read().intSamples[s];
    }
    return {};
}

void Plongee::setValue(int index, const Value& value)
{
    const int s = kLayout.slot[index];
    if (const int e = plongee::encodableSlot(index); e >= 0)
        m_encodedAt[e] = 0;
    m_recordSize = 0;
    switch (kFieldTable[index].kind) {
    case Kind::Int: m_ints[s] = std::get<qint32>(value); break;
    case Kind::Float:
    case Kind::FloatBits: m_floats[s] = std::get<float>(value); break;
    case Kind::String: m_objects.get().texts[s] = std::get<Text>(value); break;
    case Kind::Date: m_dates[s] = std::get<QDateTime>(value); break;
    case Kind::FloatArray: m_objects.get().floatSamples[s] = std::get<FloatSamples>(value); break;
    case Kind::IntArray: m_objects.get().intSamples[s] = std::get<IntSamples>(value); break;
    }
}

std::optional<Plongee::Value> Plongee::value(QStringView name, QString* error) const
{
    const int index = fieldIndex(name);
    if (index < 0) {
        if (error)
            *error = QStringLiteral("no dive field is named \"%1\"").arg(name);
        return std::nullopt;
    }
    return value(index);
}

bool Plongee::setValue(QStringView name, const Value& v, QString* error)
{
    const int index = fieldIndex(name);
    if (index < 0) {
        if (error)
            *error = QStringLiteral("no dive field is named \"%1\"").arg(name);
        return false;
    }
    const Kind kind = kFieldTable[index].kind;
    std::optional<Value> converted;
    switch (kind) {
    case Kind::Int:
        if (const auto* i = std::get_if<qint32>(&v))
            converted = *i;
        else if (const auto* f = std::get_if<float>(&v))
            converted = toInt32(*f);
        else if (const auto* t = std::get_if<Text>(&v))
            converted = numbertext::leadingInt(t->value_or(QString()));
        break;
    case Kind::Float:
    case Kind::FloatBits:
        if (const auto* i = std::get_if<qint32>(&v))
            converted = float(*i);
        else if (const auto* f = std::get_if<float>(&v))
            converted = *f;
        else if (const auto* t = std::get_if<Text>(&v))
            converted = float(numbertext::leadingDouble(t->value_or(QString())));
        break;
    case Kind::String:
        if (std::holds_alternative<Text>(v))
            converted = v;
        break;
    case Kind::Date:
        if (std::holds_alternative<QDateTime>(v))
            converted = v;
        break;
    case Kind::FloatArray:
        if (std::holds_alternative<FloatSamples>(v))
            converted = v;
        break;
    case Kind::IntArray:
        if (std::holds_alternative<IntSamples>(v))
            converted = v;
        break;
    }
    if (!converted) {
        if (error)
            *error = QStringLiteral("the dive field \"%1\" holds %2").arg(name).arg(QLatin1String(kindName(kind)));
        return false;
    }
    setValue(index, *converted);
    return true;
}

bool Plongee::setValueFromText(QStringView name, const QString& text, QString* error)
{
    return setValue(name, Value(Text(text)), error);
}

void Plongee::write(ArchiveWriter& out) const
{
    for (int i = 0; i < FieldCount; ++i) {
        const int s = kLayout.slot[i];
        // An object never decoded goes back as it came.
        if (const int e = plongee::encodableSlot(i); e >= 0 && m_encodedAt[e] != 0) {
            out.writeEncoded(ArchiveReader::objectAt(m_source, m_encodedAt[e]));
            continue;
        }
        switch (kFieldTable[i].kind) {
        case Kind::Int:
            // The second tank's gas is a reserved field: always archived as 0.
            out.writeInt(i == plongee::idx_gaz_2 ? 0 : m_ints[s]);
            break;
        case Kind::Float: out.writeFloat(m_floats[s]); break;
        case Kind::FloatBits: out.writeInt(std::bit_cast<qint32>(m_floats[s])); break;
        case Kind::String: out.writeString(m_objects.read().texts[s]); break;
        case Kind::Date: out.writeDate(m_dates[s]); break;
        case Kind::FloatArray: out.writeFloatArray(m_objects.read().floatSamples[s]); break;
        case Kind::IntArray: out.writeIntArray(m_objects.read().intSamples[s]); break;
        }
    }
}

void Plongee::read(ArchiveReader& in, int classVersion)
{
    // From shared bytes, texts and lists are checked now and decoded on
    // first use; from a view, decoded now.
    const bool keepEncoded = !in.source().isNull();
    if (keepEncoded)
        m_source = in.source();
    // The record, its two-byte class index included, may go back to a file
    // as it came when write() would give the same bytes: every field of
    // the current version, the reserved gas 0, every date one it can write.
    const qsizetype start = in.recordStart();
    bool verbatim = keepEncoded && classVersion == kClassVersion && start >= 0 && in.position() == start + 2;
    m_recordSize = 0;
    for (int i = 0; i < FieldCount; ++i) {
        if (kFieldTable[i].sinceVersion > classVersion)
            continue; // not archived by that version: keeps its fresh value
        const int s = kLayout.slot[i];
        if (const int e = plongee::encodableSlot(i); keepEncoded && e >= 0) {
            m_encodedAt[e] = quint32(skipObject(in, kFieldTable[i].kind));
            if (!in.ok())
                return;
            continue;
        }
        switch (kFieldTable[i].kind) {
        case Kind::Int: {
            const qint32 v = in.readInt();
            if (i != plongee::idx_gaz_2)
                m_ints[s] = v;
            else
                verbatim = verbatim && v == 0;
            break;
        }
        case Kind::Float: m_floats[s] = in.readFloat(); break;
        case Kind::FloatBits: m_floats[s] = std::bit_cast<float>(in.readInt()); break;
        case Kind::String: m_objects.get().texts[s] = in.readString(); break;
        case Kind::Date: {
            const bool absent = verbatim && in.nextByteIs(0);
            m_dates[s] = in.readDate();
            verbatim = verbatim && (absent || m_dates[s].isValid());
            break;
        }
        case Kind::FloatArray: m_objects.get().floatSamples[s] = in.readFloatArray(); break;
        case Kind::IntArray: m_objects.get().intSamples[s] = in.readIntArray(); break;
        }
        if (!in.ok())
            return;
    }
    if (verbatim) {
        m_recordAt = quint32(start);
        m_recordSize = quint32(in.position() - start);
    }
}

void Plongee::decodeEncoded(int slot) const
{
    ArchiveReader in{QByteArrayView(m_source)};
    in.seek(m_encodedAt[slot]);
    m_encodedAt[slot] = 0;
    constexpr int texts = kLayout.count[2];
    constexpr int floatLists = kLayout.count[4];
    plongee::Objects& objects = m_objects.get();
    if (slot < texts)
        objects.texts[slot] = in.readString();
    else if (slot < texts + floatLists)
        objects.floatSamples[slot - texts] = in.readFloatArray();
    else
        objects.intSamples[slot - texts - floatLists] = in.readIntArray();
}

void Plongee::decodeAll() const
{
    for (int e = 0; e < plongee::kEncodableCount; ++e)
        decodeIfEncoded(e);
}

qsizetype Plongee::sampleCount() const
{
    constexpr int e = plongee::encodableSlot(plongee::idx_profilProfondeur);
    if (m_encodedAt[e] != 0)
        return ArchiveReader::listCountAt(m_source, m_encodedAt[e]);
    const FloatSamples& depths = m_objects.read().floatSamples[kLayout.slot[plongee::idx_profilProfondeur]];
    return depths ? depths->size() : 0;
}

int Plongee::minimumArchivedSize()
{
    int size = 2; // class index
    for (const FieldInfo& f : kFieldTable) {
        if (f.sinceVersion > 0)
            continue;
        const bool scalar = f.kind == Kind::Int || f.kind == Kind::Float || f.kind == Kind::FloatBits;
        size += scalar ? 4 : 1;
    }
    return size;
}

bool Plongee::identical(const Plongee& other) const
{
    decodeAll();
    other.decodeAll();
    if (std::memcmp(m_ints.data(), other.m_ints.data(), sizeof m_ints) != 0)
        return false;
    if (std::memcmp(m_floats.data(), other.m_floats.data(), sizeof m_floats) != 0)
        return false;
    const plongee::Objects& mine = m_objects.read();
    const plongee::Objects& theirs = other.m_objects.read();
    if (mine.texts != theirs.texts)
        return false;
    for (size_t i = 0; i < m_dates.size(); ++i) {
        if (m_dates[i].isValid() != other.m_dates[i].isValid())
            return false;
        if (m_dates[i].isValid() && m_dates[i].toMSecsSinceEpoch() != other.m_dates[i].toMSecsSinceEpoch())
            return false;
    }
    for (size_t i = 0; i < mine.floatSamples.size(); ++i)
        if (!sameBits(mine.floatSamples[i], theirs.floatSamples[i]))
            return false;
    for (size_t i = 0; i < mine.intSamples.size(); ++i)
        if (!sameBits(mine.intSamples[i], theirs.intSamples[i]))
            return false;
    return true;
}
