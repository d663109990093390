#pragma once

#include "exchange/ExportOutput.h"
#include "logbook/Plongee.h"

#include <QList>
#include <QString>

class Localizer;

// The logbook as a table of text: one line per dive (semicolon, comma or
// tab separated), or one line per profile sample of every dive. Cells are
// quoted as RFC 4180 says where the separator, a quote or a line break
// occurs (the semicolon table quotes every cell), text cells that a
// spreadsheet would run as a formula (=, +, -, @) are prefixed with an
// apostrophe while numbers stay numbers, and every line ends with CR LF.
// The text is Mac OS Roman, with the nearest character (or "?") for one
// it lacks and the dives concerned reported, or UTF-8.
class TextExport {
public:
    enum class Table { Dives, Profiles };
    enum class Encoding { MacRoman, Utf8 };
    struct Type {
        QString name;
        Table table;
        QChar separator;
        bool quoteEveryCell;
        Encoding encoding;
    };
    // The save types, each also in UTF-8 with " (UTF-8)" after its name.
    static const QList<Type>& types();

    explicit TextExport(const Localizer& localizer);

    ExportOutput write(const Type& type, const QList<Plongee>& dives) const;

    // One cell: a text cell neutralised, then quoted where it must be.
    static QString cell(const QString& value, const Type& type, bool isText);
    // Mac OS Roman bytes of a text; characters it lacks become their base
    // letter ("ł" has none: "?"). `lossy` tells whether any did.
    static QByteArray macRoman(const QString& text, bool* lossy);

private:
    QStringList diveCells(const Plongee& dive) const;
    QString word(int field, int code) const;

    const Localizer& m_localizer;
};
