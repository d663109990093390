#pragma once

#include <QString>

#include <utility>
#include <vector>

// Watches the bytes of an XML document on their way to the parser and stops
// them at the first piece no exchange file needs: a start tag with more
// attributes than kMaxAttributes, a tag (or comment, declaration,
// processing instruction) longer than kMaxMarkupBytes, or a run of text or
// CDATA longer than kMaxTextBytes. The parser would hold such a piece whole
// before anyone sees it, and a tag of many attributes costs it time that
// grows with their square. The guard knows just enough of XML for that:
// quotes inside tags, comments, CDATA sections and the brackets of a
// document type. It counts lines and columns itself (from 1, columns in
// characters of UTF-8), so a refusal names where the piece begins, and it
// notes where each start tag begins, for the parser to report (libxml2 keeps
// only a line per element, and beyond line 65535 not even that).
class XmlMarkupGuard {
public:
    // Where a start tag's "<" stands, and the byte after it (the first of
    // its name), by which the parser checks it is the tag it reports.
    struct StartTag {
        int line;
        int column;
        char first;
    };

    static constexpr int kMaxAttributes = 256;
    static constexpr qsizetype kMaxMarkupBytes = 1 << 20;
    static constexpr qsizetype kMaxTextBytes = 1 << 20;

    // Looks at the next bytes; false once a bound is passed (and after).
    bool feed(const char* data, qsizetype length);

    // Where the refused piece begins, and why; meaningful once feed() failed.
    int line() const { return m_startLine; }
    int column() const { return m_startColumn; }
    const QString& reason() const { return m_reason; }

    // The start tags begun in the bytes fed since the last call, in order.
    // None are noted once a NUL byte has come: the text is then in an
    // encoding of two or four bytes per character (UTF-16, UTF-32), whose
    // tags the guard does not see as such.
    std::vector<StartTag> takeStartTags() { return std::exchange(m_startTags, {}); }

private:
    enum class State { Text, Open, Bang, Tag, Quoted, Comment, CData, Instruction, Declaration, DeclQuoted };

    const char* plainRun(const char* p, const char* end);
    void noteStartTag(const char* open, char first);
    const char* nextStep(const char* from, const char* to) const;
    void step(const char* at);
    char before(const char* at, int back) const;
    void countTo(const char* at);
    void markStart(const char* at);
    void placeStart();
    void beginPiece(State state, const char* at);
    void refuse(const QString& reason);
    void refuseLength(bool isText);

    State m_state = State::Text;
    char m_quote = 0;
    State m_afterQuote = State::Tag;
    bool m_startTag = false;
    int m_attributes = 0;
    int m_brackets = 0;
    qsizetype m_pieceBytes = 0; // bytes of the current tag, comment or text
    QByteArray m_head;          // the first bytes after "<!", to tell what follows
    char m_last[2] = {0, 0};    // the two bytes before the chunk, to find "-->", "]]>" and "?>"
    const char* m_chunk = nullptr;   // the chunk being looked at
    const char* m_counted = nullptr; // where in it m_line and m_column stand
    const char* m_pieceAt = nullptr; // where in it the current piece begins, until placed

    int m_line = 1, m_column = 1; // at m_counted, then at the end of the chunks fed
    int m_startLine = 1, m_startColumn = 1;
    QString m_reason;
    bool m_tagsSeen = true; // no NUL byte so far
    std::vector<StartTag> m_startTags;
};
