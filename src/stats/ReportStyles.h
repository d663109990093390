#pragma once

#include "platform/StyledText.h"

// The styles of the statistics text and the synthesis report: headers
// green, section titles red, values blue, labels black or plain.
namespace reportstyles {

inline TextStyle header() { return {RgbaColour::rgb(0, 0.5, 0)}; }
inline TextStyle sectionTitle() { return {RgbaColour::rgb(1, 0, 0), true}; }
inline TextStyle value() { return {RgbaColour::rgb(0, 0, 1)}; }
inline TextStyle label() { return {RgbaColour::rgb(0, 0, 0)}; }
inline TextStyle plain() { return {}; }

// A report section title: red, underlined from its sixth character on (the
// line breaks and indent before the title's words stay plain of the line).
inline void appendTitle(StyledText& text, const QString& title)
{
    constexpr qsizetype kLead = 5;
    text.append(title.left(kLead), TextStyle{RgbaColour::rgb(1, 0, 0)});
    text.append(title.mid(kLead), sectionTitle());
}

} // namespace reportstyles
