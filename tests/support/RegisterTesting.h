#pragma once

#include "platform/ArchiveWriter.h"
#include "platform/NamedColours.h"
#include "platform/StyledText.h"
#include "registers/FormRule.h"
#include "platform/context/DocumentTypes.h"
#include "registers/RegisterDescription.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterRecord.h"

#include <QList>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <type_traits>

// Helpers of the register suites.
namespace registertesting {

using ValueOf = std::function<RegisterRecord::Value(int)>;

// A value distinct per field for an older file to hold: the field's index
// as a number or text ("t7"), `when` as a date; lists and pictures absent.
inline RegisterRecord::Value distinctValue(const registers::RecordSchema& schema, int field, const QDateTime& when)
{
    switch (schema.field(field).kind) {
    case registers::FieldKind::Int: return qint32(field);
    case registers::FieldKind::Float: return float(field) + 0.25f;
    case registers::FieldKind::Text: return RegisterRecord::Text(QStringLiteral("t%1").arg(field));
    case registers::FieldKind::Date: return when;
    default: return RegisterRecord::freshValue(schema.field(field).kind);
    }
}

// A register file written by an older class version, one record for each
// function: only the fields that version archived, each as it wrote them
// (a decimal or a text kept as a whole number, a date as the day typed,
// `oldDay`, before their versions).
inline QByteArray olderFile(const QString& typeId, const registers::RecordSchema& schema, int version,
                            const QList<ValueOf>& records, const QString& oldDay = QString())
{
    using registers::FieldKind;
    ArchiveWriter out(typeId, {{QString::fromLatin1(schema.className), version}}, int(records.size()));
    for (const ValueOf& valueOf : records) {
        out.beginRecord(0);
        for (int f = 0; f < schema.fieldCount(); ++f) {
            const registers::FieldInfo& info = schema.field(f);
            if (info.sinceVersion > version)
                continue;
            const RegisterRecord::Value v = valueOf(f);
            switch (info.kind) {
            case FieldKind::Int: out.writeInt(std::get<qint32>(v)); break;
            case FieldKind::Float:
                version < info.floatSinceVersion ? out.writeInt(qint32(std::get<float>(v)))
                                                 : out.writeFloat(std::get<float>(v));
                break;
            case FieldKind::Text:
                info.scalarIn(version) ? out.writeInt(std::get<RegisterRecord::Text>(v).value_or(QString()).toInt())
                                       : out.writeString(std::get<RegisterRecord::Text>(v));
                break;
            case FieldKind::Date:
                version < info.dateSinceVersion ? out.writeString(oldDay) : out.writeDate(std::get<QDateTime>(v));
                break;
            case FieldKind::Image: out.writeImage(std::get<RegisterRecord::Image>(v)); break;
            case FieldKind::List: out.writeIntArray32(std::get<RegisterRecord::List>(v)); break;
            }
        }
    }
    return out.finish().take();
}

inline QByteArray olderFile(const QString& typeId, const registers::RecordSchema& schema, int version,
                            const ValueOf& valueOf, const QString& oldDay = QString())
{
    return olderFile(typeId, schema, version, QList<ValueOf>{valueOf}, oldDay);
}

// The same for a register's own type id and schema.
inline QByteArray olderFile(const registers::RegisterDescription& reg, int version, const ValueOf& valueOf)
{
    return olderFile(DocumentTypes::of(reg.kind).id, reg.schema, version, valueOf);
}

// A card typed into a blank form, "field=text" each, as the command line types it.
inline RegisterRecord typedCard(RegisterForm& form, const QStringList& assignments, int recordCount = 0)
{
    form.blank(recordCount);
    for (const QString& a : assignments) {
        const qsizetype eq = a.indexOf(u'=');
        EXPECT_TRUE(form.typeText(a.left(eq), a.mid(eq + 1))) << a.toStdString();
    }
    return form.store();
}

// The text with a mark where its style changes: {k} black, {b} blue, {r}
// red, {g} green, {n} brown, {p} purple, a capital letter underlined.
inline std::string marked(const StyledText& text)
{
    const std::pair<RgbaColour, char> marks[] = {
        {namedcolours::black, 'k'}, {namedcolours::blue, 'b'},  {namedcolours::red, 'r'},
        {namedcolours::green, 'g'}, {namedcolours::brown, 'n'}, {namedcolours::purple, 'p'}};
    QString out;
    for (const StyledText::Run& run : text.runs()) {
        char mark = 'd';
        for (const auto& [colour, m] : marks)
            if (run.style.colour == colour)
                mark = m;
        out += u'{' + QChar(run.style.underline ? QChar(mark).toUpper() : QChar(mark)) + u'}' + run.text;
    }
    return out.toStdString();
}

// A list column by its identifier; the test fails without one.
inline const registers::Column& columnNamed(const registers::RegisterDescription& reg, const char* id)
{
    const auto found = std::find_if(reg.columns.begin(), reg.columns.end(),
                                    [&](const registers::Column& c) { return c.id == QLatin1String(id); });
    EXPECT_NE(found, reg.columns.end()) << id;
    return found != reg.columns.end() ? *found : reg.columns.first();
}

// What a register's form derives, as "name=value" pairs joined by spaces;
// a colour as its "rgba(...)" text, "-" for the default.
inline std::string derivedText(const QList<registers::DerivedValue>& values)
{
    QStringList out;
    for (const registers::DerivedValue& d : values)
        out.append(d.name + u'=' + std::visit([](const auto& v) {
                       if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::optional<RgbaColour>>)
                           return v ? v->toText() : QStringLiteral("-");
                       else
                           return QVariant(v).toString();
                   },
                                               d.value));
    return out.join(u' ').toStdString();
}

inline std::string derivedText(const registers::RegisterDescription& reg, const RegisterForm& form,
                               const Localizer& localizer)
{
    return derivedText(registers::derive(reg.formRules, form, localizer));
}

} // namespace registertesting
