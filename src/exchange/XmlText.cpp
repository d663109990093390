#include "exchange/XmlText.h"

#include <QXmlStreamWriter>

namespace xmltext {

namespace {

bool allowed(const QChar* at, const QChar* end, int* width)
{
    const char16_t c = at->unicode();
    *width = 1;
    if (c < 0x20)
        return c == 0x09 || c == 0x0A || c == 0x0D;
    if (c == 0xFFFE || c == 0xFFFF)
        return false;
    if (QChar::isHighSurrogate(c)) {
        if (at + 1 < end && QChar::isLowSurrogate(at[1].unicode())) {
            *width = 2;
            return true;
        }
        return false;
    }
    return !QChar::isLowSurrogate(c);
}

} // namespace

QString legal(const QString& text)
{
    const QChar* begin = text.constData();
    const QChar* end = begin + text.size();
    int width = 1;
    const QChar* p = begin;
    while (p < end && allowed(p, end, &width))
        p += width;
    if (p == end)
        return text;
    QString out;
    out.reserve(text.size());
    out.append(begin, p - begin);
    while (p < end) {
        if (allowed(p, end, &width))
            out.append(p, width);
        p += width;
    }
    return out;
}

void writeCharacters(QXmlStreamWriter& writer, const QString& text)
{
    const QString clean = legal(text);
    qsizetype from = 0;
    for (;;) {
        const qsizetype cr = clean.indexOf(u'\r', from);
        if (cr < 0)
            break;
        if (cr > from)
            writer.writeCharacters(clean.sliced(from, cr - from));
        writer.writeEntityReference(QStringLiteral("#13"));
        from = cr + 1;
    }
    if (from < clean.size() || from == 0)
        writer.writeCharacters(from == 0 ? clean : clean.sliced(from));
}

void writeTextElement(QXmlStreamWriter& writer, const QString& name, const QString& text)
{
    writer.writeStartElement(name);
    writeCharacters(writer, text);
    writer.writeEndElement();
}

} // namespace xmltext
