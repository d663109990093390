#pragma once

#include "platform/NamedColours.h"
#include "platform/StyledText.h"

#include <string>
#include <utility>

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
