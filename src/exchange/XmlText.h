#pragma once

#include <QString>

class QXmlStreamWriter;

// Text as XML 1.0 can carry it.
namespace xmltext {

// The text without the characters XML 1.0 forbids: control characters
// other than tab, line feed and carriage return, U+FFFE, U+FFFF and
// unpaired surrogates (notes pasted from elsewhere bring them along).
QString legal(const QString& text);

// Writes text content that reads back unchanged: the forbidden characters
// left out, and carriage returns as character references (a parser would
// turn a plain one into a line feed).
void writeCharacters(QXmlStreamWriter& writer, const QString& text);
// An element holding only that text.
void writeTextElement(QXmlStreamWriter& writer, const QString& name, const QString& text);

} // namespace xmltext
