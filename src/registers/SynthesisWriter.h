#pragma once

#include "platform/NamedColours.h"
#include "platform/StyledText.h"

#include <QString>
#include <QStringList>

class Localizer;

// Writes a register's synthesis in the styles the registers share: headings
// green, section titles red and underlined, labels black, values blue. The
// labels and titles are the localised texts of keys in the register's
// table; they carry their own line breaks.
class SynthesisWriter {
public:
    SynthesisWriter(const Localizer& localizer, const QString& table);

    // The localised text of a key of the register's table.
    QString text(const QString& key) const;

    void heading(const QString& text);
    void title(const QString& key);
    void label(const QString& key);
    void value(const QString& text, const RgbaColour& colour = namedcolours::blue);
    // A label and its value.
    void field(const QString& key, const QString& text, const RgbaColour& colour = namedcolours::blue)
    {
        label(key);
        value(text, colour);
    }

    // The localised text of keys[code - 1] for a code from 1, "N/A" for any
    // other code.
    QString codeText(int code, const QStringList& keys) const;
    QString codeText(int code, const QStringList& keys, const QString& table) const;

    // The dash line that closes a record, and the title.
    void rule();

    // A register's title in green, closed by a dash line.
    static StyledText titled(const Localizer& localizer, const QString& table, const QString& key);

    const StyledText& result() const { return m_text; }
    StyledText take() { return std::move(m_text); }

private:
    const Localizer& m_localizer;
    QString m_table;
    StyledText m_text;
};
