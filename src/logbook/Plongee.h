#pragma once

#include "logbook/PlongeeFields.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <variant>

class ArchiveReader;
class ArchiveWriter;

namespace plongee {

enum class Kind : quint8 { Int, Float, FloatBits, String, Date, FloatArray, IntArray };

using Text = std::optional<QString>;
using FloatSamples = std::optional<QList<float>>;
using IntSamples = std::optional<QList<qint16>>;

// Getter and setter types of each kind of field.
template <Kind K> struct Types;
template <> struct Types<Kind::Int> { using Get = qint32; using Param = qint32; };
template <> struct Types<Kind::Float> { using Get = float; using Param = float; };
template <> struct Types<Kind::FloatBits> { using Get = float; using Param = float; };
template <> struct Types<Kind::String> { using Get = const Text&; using Param = const Text&; };
template <> struct Types<Kind::Date> { using Get = const QDateTime&; using Param = const QDateTime&; };
template <> struct Types<Kind::FloatArray> { using Get = const FloatSamples&; using Param = const FloatSamples&; };
template <> struct Types<Kind::IntArray> { using Get = const IntSamples&; using Param = const IntSamples&; };

enum Index : int {
#define ONDRIX_INDEX(k, n, N, v) idx_##n,
    ONDRIX_PLONGEE_FIELDS(ONDRIX_INDEX)
#undef ONDRIX_INDEX
        FieldCount
};

inline constexpr Kind kKinds[] = {
#define ONDRIX_KIND(k, n, N, v) Kind::k,
    ONDRIX_PLONGEE_FIELDS(ONDRIX_KIND)
#undef ONDRIX_KIND
};

// Fields of one kind share one storage array; Float and FloatBits both hold floats.
constexpr int storageGroup(Kind k)
{
    switch (k) {
    case Kind::Int: return 0;
    case Kind::Float:
    case Kind::FloatBits: return 1;
    case Kind::String: return 2;
    case Kind::Date: return 3;
    case Kind::FloatArray: return 4;
    case Kind::IntArray: return 5;
    }
    return 0;
}

struct Layout {
    std::array<int, FieldCount> slot{};
    std::array<int, 6> count{};
};

constexpr Layout computeLayout()
{
    Layout l;
    for (int i = 0; i < FieldCount; ++i)
        l.slot[i] = l.count[storageGroup(kKinds[i])]++;
    return l;
}

inline constexpr Layout kLayout = computeLayout();

// Texts and profile lists read from a file may stay in their archived form
// until something asks for them; each has a slot among these.
inline constexpr int kEncodableCount = kLayout.count[2] + kLayout.count[4] + kLayout.count[5];

constexpr int encodableSlot(int index)
{
    switch (storageGroup(kKinds[index])) {
    case 2: return kLayout.slot[index];
    case 4: return kLayout.count[2] + kLayout.slot[index];
    case 5: return kLayout.count[2] + kLayout.count[4] + kLayout.slot[index];
    default: return -1;
    }
}

// The texts and sample lists of a dive. A dive read from a file keeps them
// encoded until they are asked for, so they live in a block of their own,
// made when the first of them is decoded or set: ten thousand dives read
// hold their numbers only.
struct Objects {
    std::array<Text, kLayout.count[2]> texts{};
    std::array<FloatSamples, kLayout.count[4]> floatSamples{};
    std::array<IntSamples, kLayout.count[5]> intSamples{};
};

// Owns a dive's Objects, none at first; a copy of a dive copies them.
class ObjectBlock {
public:
    ObjectBlock() = default;
    ObjectBlock(const ObjectBlock& other) : m_objects(other.m_objects ? new Objects(*other.m_objects) : nullptr) {}
    ObjectBlock(ObjectBlock&&) noexcept = default;
    ObjectBlock& operator=(const ObjectBlock& other)
    {
        if (this != &other)
            m_objects.reset(other.m_objects ? new Objects(*other.m_objects) : nullptr);
        return *this;
    }
    ObjectBlock& operator=(ObjectBlock&&) noexcept = default;

    // The block, made empty on first use.
    Objects& get()
    {
        if (!m_objects)
            m_objects = std::make_unique<Objects>();
        return *m_objects;
    }
    // The block as it is: empty values while none is made.
    const Objects& read() const
    {
        static const Objects none;
        return m_objects ? *m_objects : none;
    }

private:
    std::unique_ptr<Objects> m_objects;
};

} // namespace plongee

// One logged dive. A plain value record: every field has a getter named after
// it and a setter "set" + the name, plus access by field name for the code
// that addresses fields generically (columns, sorting, find, import). Numbers
// are stored in the units the diver typed them in.
class Plongee {
public:
    static constexpr int kClassVersion = 24;
    static constexpr const char* kClassName = "Plongee";

    using Kind = plongee::Kind;
    using Text = plongee::Text;
    using FloatSamples = plongee::FloatSamples;
    using IntSamples = plongee::IntSamples;
    using Value = std::variant<qint32, float, Text, QDateTime, FloatSamples, IntSamples>;
    static constexpr int FieldCount = plongee::FieldCount;

    struct FieldInfo {
        const char* name;
        Kind kind;
        int sinceVersion; // first class version that archives the field
    };

    static std::span<const FieldInfo> fields();
    static int fieldIndex(QStringView name); // -1 for a name that is no field
    static const FieldInfo& field(int index) { return fields()[index]; }

    // Access by index, for generic code that already resolved a name. The
    // value must be of the field's own kind (see Kind and Value).
    Value value(int index) const;
    void setValue(int index, const Value& value);

    // Access by name. A name that is no field, or a value that cannot become
    // the field's type, is reported through error and changes nothing.
    // Numbers convert to the field's type (integer or float).
    std::optional<Value> value(QStringView name, QString* error = nullptr) const;
    bool setValue(QStringView name, const Value& value, QString* error = nullptr);
    // Numbers take the text's leading number ("." as decimal separator);
    // texts are stored as given.
    bool setValueFromText(QStringView name, const QString& text, QString* error = nullptr);

    void write(ArchiveWriter& out) const;
    void read(ArchiveReader& in, int classVersion);
    // The record's bytes in the file it was read from, class index
    // included, while they are still what write() would write: read from
    // shared bytes in the current class version and not changed since.
    // Empty otherwise.
    QByteArrayView encodedRecord() const
    {
        return m_recordSize ? QByteArrayView(m_source).sliced(m_recordAt, m_recordSize) : QByteArrayView();
    }
    // The fewest bytes one archived record can take: no archive that claims
    // more records than its size allows is believed.
    static int minimumArchivedSize();
    // The number of depth samples, without decoding them.
    qsizetype sampleCount() const;

    // Field by field, with floats compared by their bits (so NaN samples
    // compare equal to themselves).
    bool identical(const Plongee& other) const;

private:
    template <int I> auto& storage()
    {
        constexpr int s = plongee::kLayout.slot[I];
        constexpr int g = plongee::storageGroup(plongee::kKinds[I]);
        if constexpr (g == 0) return m_ints[s];
        else if constexpr (g == 1) return m_floats[s];
        else if constexpr (g == 2) return m_objects.get().texts[s];
        else if constexpr (g == 3) return m_dates[s];
        else if constexpr (g == 4) return m_objects.get().floatSamples[s];
        else return m_objects.get().intSamples[s];
    }
    template <int I> const auto& storage() const
    {
        constexpr int s = plongee::kLayout.slot[I];
        constexpr int g = plongee::storageGroup(plongee::kKinds[I]);
        if constexpr (g == 2) return m_objects.read().texts[s];
        else if constexpr (g == 4) return m_objects.read().floatSamples[s];
        else if constexpr (g == 5) return m_objects.read().intSamples[s];
        else return const_cast<Plongee*>(this)->storage<I>();
    }

    template <int I> const auto& get() const
    {
        constexpr int e = plongee::encodableSlot(I);
        if constexpr (e >= 0)
            decodeIfEncoded(e);
        return storage<I>();
    }
    template <int I, typename T> void set(const T& value)
    {
        constexpr int e = plongee::encodableSlot(I);
        if constexpr (e >= 0)
            m_encodedAt[e] = 0;
        m_recordSize = 0;
        storage<I>() = value;
    }
    void decodeIfEncoded(int slot) const
    {
        if (m_encodedAt[slot] != 0)
            decodeEncoded(slot);
    }
    void decodeEncoded(int slot) const;
    void decodeAll() const;

    std::array<qint32, plongee::kLayout.count[0]> m_ints{};
    std::array<float, plongee::kLayout.count[1]> m_floats{};
    // Decoded on first use when m_encodedAt holds their place in m_source.
    std::array<QDateTime, plongee::kLayout.count[3]> m_dates{};
    // Decoding an object on first use changes the block in a const dive.
    mutable plongee::ObjectBlock m_objects;
    // The file the record was read from, shared by every record read from
    // it, and where each still undecoded object sits in it (0: decoded).
    // The file was checked whole when it was read, so decoding cannot fail.
    QByteArray m_source;
    mutable std::array<quint32, plongee::kEncodableCount> m_encodedAt{};
    // The whole record in m_source while unchanged (see encodedRecord()).
    quint32 m_recordAt = 0;
    quint32 m_recordSize = 0;

public:
#define ONDRIX_ACCESSORS(k, n, N, v)                                                                       \
    plongee::Types<Kind::k>::Get n() const { return get<plongee::idx_##n>(); }                             \
    void set##N(plongee::Types<Kind::k>::Param value) { set<plongee::idx_##n>(value); }
    ONDRIX_PLONGEE_FIELDS(ONDRIX_ACCESSORS)
#undef ONDRIX_ACCESSORS

};
