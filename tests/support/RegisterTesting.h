#pragma once

#include "platform/ArchiveWriter.h"
#include "platform/NamedColours.h"
#include "platform/StyledText.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterRecord.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

// Helpers of the register suites.
namespace registertesting {

// A register file of one record written by an older class version: only
// the fields that version archived, each as it wrote them (a decimal as a
// whole number, a date as the day typed, `oldDay`, before their versions).
inline QByteArray olderFile(const QString& typeId, const registers::RecordSchema& schema, int version,
                            const std::function<RegisterRecord::Value(int)>& valueOf,
                            const QString& oldDay = QString())
{
    ArchiveWriter out(typeId, {{QString::fromLatin1(schema.className), version}}, 1);
    out.beginRecord(0);
    for (int f = 0; f < schema.fieldCount(); ++f) {
        const registers::FieldInfo& info = schema.field(f);
        if (info.sinceVersion > version)
            continue;
        const RegisterRecord::Value v = valueOf(f);
        if (const auto* i = std::get_if<qint32>(&v))
            out.writeInt(*i);
        else if (const auto* x = std::get_if<float>(&v))
            version < info.floatSinceVersion ? out.writeInt(qint32(*x)) : out.writeFloat(*x);
        else if (const auto* t = std::get_if<RegisterRecord::Text>(&v))
            out.writeString(*t);
        else if (const auto* d = std::get_if<QDateTime>(&v))
            version < info.dateSinceVersion ? out.writeString(oldDay) : out.writeDate(*d);
        else if (const auto* image = std::get_if<RegisterRecord::Image>(&v))
            out.writeImage(*image);
    }
    return out.finish().take();
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

} // namespace registertesting
