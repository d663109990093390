#pragma once

#include "platform/RgbaColour.h"

#include <QList>
#include <QString>

#include <optional>

// A text made of styled runs (a colour, underlined or bold): what the
// synthesis and statistics windows show and print, and what the command
// line writes as plain text or HTML. Line breaks are "\n" inside the runs.
struct TextStyle {
    std::optional<RgbaColour> colour = {}; // nothing: the default text colour
    bool underline = false;
    bool bold = false;
    bool operator==(const TextStyle&) const = default;
};

class StyledText {
public:
    using Style = TextStyle;
    struct Run {
        QString text;
        Style style;
        bool operator==(const Run&) const = default;
    };

    // Appends a run; one in the style of the run before it extends that run.
    void append(const QString& text, const Style& style = {});
    void append(const QString& text, const RgbaColour& colour) { append(text, Style{colour}); }
    void appendLine(const QString& text = {}, const Style& style = {}) { append(text + u'\n', style); }
    void append(const StyledText& other);

    // Room for this many runs, for a text built from many pieces.
    void reserve(qsizetype runs) { m_runs.reserve(runs); }

    const QList<Run>& runs() const { return m_runs; }
    bool isEmpty() const { return m_runs.isEmpty(); }

    QString plainText() const;
    // A whole HTML document (UTF-8, escaped), each styled run a span.
    QString html(const QString& title = {}) const;

    bool operator==(const StyledText&) const = default;

private:
    QList<Run> m_runs;
};

// A run holds a text and a plain style: it can be moved in memory as bytes.
Q_DECLARE_TYPEINFO(StyledText::Run, Q_RELOCATABLE_TYPE);
