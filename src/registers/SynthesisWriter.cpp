#include "registers/SynthesisWriter.h"

#include "platform/Localizer.h"

namespace {
const StyledText::Style kTitle{namedcolours::red, true};
const StyledText::Style kLabel{namedcolours::black};
} // namespace

SynthesisWriter::SynthesisWriter(const Localizer& localizer, const QString& table)
    : m_localizer(localizer), m_table(table)
{
}

QString SynthesisWriter::text(const QString& key) const { return m_localizer.text(key, m_table); }

void SynthesisWriter::heading(const QString& text) { m_text.append(text, namedcolours::green); }
void SynthesisWriter::title(const QString& key) { m_text.append(text(key), kTitle); }
void SynthesisWriter::label(const QString& key) { m_text.append(text(key), kLabel); }
void SynthesisWriter::value(const QString& text, const RgbaColour& colour) { m_text.append(text, colour); }

QString SynthesisWriter::codeText(int code, const QStringList& keys) const { return codeText(code, keys, m_table); }

QString SynthesisWriter::codeText(int code, const QStringList& keys, const QString& table) const
{
    return code >= 1 && code <= keys.size() ? m_localizer.text(keys[code - 1], table) : QStringLiteral("N/A");
}

StyledText SynthesisWriter::titled(const Localizer& localizer, const QString& table, const QString& key)
{
    SynthesisWriter w(localizer, table);
    w.heading(w.text(key));
    w.rule();
    return w.take();
}

void SynthesisWriter::rule() { m_text.append(QStringLiteral("\n--------------------\n"), kLabel); }
