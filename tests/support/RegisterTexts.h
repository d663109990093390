#pragma once

#include "platform/NamedColours.h"
#include "platform/StyledText.h"
#include "registers/FormRule.h"
#include "registers/RegisterForm.h"

#include <QStringList>
#include <algorithm>
#include <QVariant>
#include <gtest/gtest.h>
#include <string>

// A card typed into a blank form, "field=text" each; the other fields as a
// blank form leaves them.
inline RegisterRecord typedCard(RegisterForm& form, const QStringList& assignments)
{
    form.blank();
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

// What a refresh derives from the form, "name=value" each, space-separated.
inline std::string derivedText(const registers::RegisterDescription& reg, const RegisterForm& form,
                               const Localizer& localizer)
{
    QStringList derived;
    for (const registers::DerivedValue& d : registers::derive(reg.formRules, form, localizer))
        derived.append(d.name + u'=' + std::visit([](const auto& v) { return QVariant(v).toString(); }, d.value));
    return derived.join(u' ').toStdString();
}
