#include "exchange/XmlMarkupGuard.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char kComment[] = "--";
constexpr char kCData[] = "[CDATA[";

bool isQuote(char c) { return c == '"' || c == '\''; }

// The characters of UTF-8 bytes: every byte but the continuation bytes.
qsizetype characters(const char* from, const char* to)
{
    qsizetype n = 0;
    for (const char* p = from; p < to; ++p)
        n += (uchar(*p) & 0xC0) != 0x80;
    return n;
}

// The bytes that end a run inside a tag, and inside a document type.
enum : unsigned char { kTagStop = 1, kDeclarationStop = 2 };
constexpr auto kStops = [] {
    std::array<unsigned char, 256> stops{};
    for (const unsigned char c : {'"', '\'', '>'})
        stops[c] = kTagStop | kDeclarationStop;
    stops[uchar('=')] = kTagStop;
    stops[uchar('[')] = stops[uchar(']')] = kDeclarationStop;
    return stops;
}();

const char* scan(const char* from, const char* to, unsigned char stop)
{
    while (from < to && !(kStops[uchar(*from)] & stop))
        ++from;
    return from;
}

const char* find(const char* from, const char* to, char c)
{
    const void* at = std::memchr(from, c, size_t(to - from));
    return at ? static_cast<const char*>(at) : to;
}

} // namespace

// Most bytes change nothing but the length of the piece they belong to: the
// bytes of a text before its '<', of a quoted value before its quote, of a
// tag between its quotes, '=' and '>'. They are skipped in runs; the bytes
// that can change the state go one at a time through step(). Lines and
// columns are counted once per chunk, in one pass over its bytes: a piece
// notes only the byte it begins at, and its line and column are found when
// it is refused or outlives the chunk.
bool XmlMarkupGuard::feed(const char* data, qsizetype length)
{
    if (!m_reason.isEmpty())
        return false;
    if (m_tagsSeen && std::memchr(data, 0, size_t(length)))
        m_tagsSeen = false;
    m_chunk = data;
    m_counted = data;
    m_pieceAt = nullptr;
    const char* p = data;
    const char* const end = data + length;
    while (p < end) {
        if (m_state == State::Text)
            p = plainRun(p, end);
        if (p == end)
            break;
        const char* stop = nextStep(p, end);
        if (stop > p) {
            if (m_state == State::Text && m_pieceBytes == 0)
                markStart(p);
            const bool isText = m_state == State::Text || m_state == State::CData;
            if (m_pieceBytes + (stop - p) > (isText ? kMaxTextBytes : kMaxMarkupBytes)) {
                refuseLength(isText);
                placeStart();
                return false;
            }
            m_pieceBytes += stop - p;
            p = stop;
            if (p == end)
                break;
        }
        step(p);
        if (!m_reason.isEmpty()) {
            placeStart();
            return false;
        }
        ++p;
    }
    placeStart();
    countTo(end);
    if (length >= 2) {
        m_last[0] = end[-2];
        m_last[1] = end[-1];
    } else if (length == 1) {
        m_last[0] = m_last[1];
        m_last[1] = end[-1];
    }
    return true;
}

// Most of a document is texts and start and end tags, each whole within the
// chunk: they are taken here in one go, a tag from its "<" to its ">". This
// stops before anything else (a comment, CDATA, an instruction, a document
// type, a piece the chunk cuts, a piece past a bound), which step() takes a
// byte at a time, as it does every piece.
const char* XmlMarkupGuard::plainRun(const char* p, const char* end)
{
    while (p < end) {
        const char* const open = find(p, end, '<');
        if (open + 1 >= end || m_pieceBytes + (open - p) > kMaxTextBytes)
            return p;
        const char first = open[1];
        if (first == '!' || first == '?')
            return open;
        const bool startTag = first != '/';
        int attributes = 0;
        const char* q = open + 2;
        for (;;) {
            q = scan(q, end, kTagStop);
            if (q == end)
                return open;
            if (*q == '>')
                break;
            if (*q == '=') {
                if (startTag && ++attributes > kMaxAttributes)
                    return open;
                ++q;
                continue;
            }
            q = find(q + 1, end, *q);
            if (q == end)
                return open;
            ++q;
        }
        if (q + 1 - open > kMaxMarkupBytes)
            return open;
        if (startTag)
            noteStartTag(open, first);
        m_pieceBytes = 0;
        p = q + 1;
    }
    return p;
}

void XmlMarkupGuard::noteStartTag(const char* open, char first)
{
    if (!m_tagsSeen)
        return;
    countTo(open);
    m_startTags.push_back({m_line, m_column, first});
}

const char* XmlMarkupGuard::nextStep(const char* from, const char* to) const
{
    switch (m_state) {
    case State::Text: return find(from, to, '<');
    case State::Quoted:
    case State::DeclQuoted: return find(from, to, m_quote);
    case State::Comment:
    case State::CData:
    case State::Instruction: return find(from, to, '>');
    case State::Tag: return scan(from, to, kTagStop);
    case State::Declaration: return scan(from, to, kDeclarationStop);
    case State::Open:
    case State::Bang: break;
    }
    return from;
}

char XmlMarkupGuard::before(const char* at, int back) const
{
    if (at - back >= m_chunk)
        return at[-back];
    // One of the two bytes of the chunks before.
    return m_last[2 - back + (at - m_chunk)];
}

void XmlMarkupGuard::countTo(const char* at)
{
    const char* from = m_counted;
    m_counted = at;
    if (at <= from)
        return;
    // The last line break, then those before it: between two tags there is
    // mostly one, and the column counts only what follows it.
    const auto* nl = static_cast<const char*>(memrchr(from, '\n', size_t(at - from)));
    if (!nl) {
        m_column += int(characters(from, at));
        return;
    }
    ++m_line;
    for (const char* p = from; (p = static_cast<const char*>(std::memchr(p, '\n', size_t(nl - p)))); ++p)
        ++m_line;
    m_column = 1 + int(characters(nl + 1, at));
}

void XmlMarkupGuard::markStart(const char* at) { m_pieceAt = at; }

void XmlMarkupGuard::placeStart()
{
    if (!m_pieceAt)
        return;
    countTo(m_pieceAt);
    m_startLine = m_line;
    m_startColumn = m_column;
    m_pieceAt = nullptr;
}

void XmlMarkupGuard::beginPiece(State state, const char* at)
{
    m_state = state;
    m_pieceBytes = 1;
    markStart(at);
}

void XmlMarkupGuard::refuse(const QString& reason)
{
    if (m_reason.isEmpty())
        m_reason = reason;
}

void XmlMarkupGuard::refuseLength(bool isText)
{
    if (isText)
        refuse(QStringLiteral("a text of more than %1 MiB: no exchange file holds one").arg(kMaxTextBytes >> 20));
    else
        refuse(QStringLiteral("a tag of more than %1 MiB: no exchange file holds one").arg(kMaxMarkupBytes >> 20));
}

void XmlMarkupGuard::step(const char* at)
{
    const char c = *at;
    if (m_state == State::Text && c == '<')
        return beginPiece(State::Open, at); // the text ends before this byte
    ++m_pieceBytes;
    const bool isText = m_state == State::Text || m_state == State::CData;
    if (m_pieceBytes > (isText ? kMaxTextBytes : kMaxMarkupBytes))
        return refuseLength(isText);

    switch (m_state) {
    case State::Text:
        if (m_pieceBytes == 1)
            markStart(at);
        break;
    case State::Open:
        m_startTag = c != '/' && c != '?' && c != '!';
        m_attributes = 0;
        if (m_startTag && m_tagsSeen) {
            placeStart(); // the "<" was the byte before, here or in the chunk before
            m_startTags.push_back({m_startLine, m_startColumn, c});
        }
        if (c == '!')
            m_head.clear(); // only "<!" reads it
        m_state = c == '!' ? State::Bang : c == '?' ? State::Instruction : State::Tag;
        break;
    case State::Bang:
        m_head.append(c);
        if (m_head == kComment) {
            m_state = State::Comment;
        } else if (m_head == kCData) {
            m_state = State::CData;
            m_pieceBytes = 0;
        } else if (!QByteArrayView(kComment).startsWith(m_head) && !QByteArrayView(kCData).startsWith(m_head)) {
            m_state = State::Declaration; // <!DOCTYPE ...>, with or without [ ... ]
            m_brackets = 0;
        }
        break;
    case State::Tag:
        if (isQuote(c)) {
            m_quote = c;
            m_afterQuote = State::Tag;
            m_state = State::Quoted;
        } else if (c == '=' && m_startTag && ++m_attributes > kMaxAttributes) {
            refuse(QStringLiteral("a tag with more than %1 attributes: no exchange file needs so many")
                       .arg(kMaxAttributes));
        } else if (c == '>') {
            m_state = State::Text;
            m_pieceBytes = 0;
        }
        break;
    case State::Quoted:
    case State::DeclQuoted:
        if (c == m_quote)
            m_state = m_afterQuote;
        break;
    case State::Comment:
        if (c == '>' && before(at, 2) == '-' && before(at, 1) == '-')
            m_state = State::Text, m_pieceBytes = 0;
        break;
    case State::CData:
        if (c == '>' && before(at, 2) == ']' && before(at, 1) == ']')
            m_state = State::Text, m_pieceBytes = 0;
        break;
    case State::Instruction:
        if (c == '>' && before(at, 1) == '?')
            m_state = State::Text, m_pieceBytes = 0;
        break;
    case State::Declaration:
        if (isQuote(c)) {
            m_quote = c;
            m_afterQuote = State::Declaration;
            m_state = State::DeclQuoted;
        } else if (c == '[') {
            ++m_brackets;
        } else if (c == ']') {
            --m_brackets;
        } else if (c == '>' && m_brackets <= 0) {
            m_state = State::Text;
            m_pieceBytes = 0;
        }
        break;
    }
}
