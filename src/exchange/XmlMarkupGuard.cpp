#include "exchange/XmlMarkupGuard.h"

namespace {

constexpr char kComment[] = "--";
constexpr char kCData[] = "[CDATA[";

bool isQuote(char c) { return c == '"' || c == '\''; }

} // namespace

bool XmlMarkupGuard::feed(const char* data, qsizetype length)
{
    for (qsizetype i = 0; i < length && m_reason.isEmpty(); ++i) {
        const char c = data[i];
        step(c);
        m_last[0] = m_last[1];
        m_last[1] = c;
        if (c == '\n') {
            ++m_line;
            m_column = 1;
        } else if ((uchar(c) & 0xC0) != 0x80) {
            ++m_column;
        }
    }
    return m_reason.isEmpty();
}

void XmlMarkupGuard::beginPiece(State state)
{
    m_state = state;
    m_pieceBytes = 1;
    m_startLine = m_line;
    m_startColumn = m_column;
}

void XmlMarkupGuard::refuse(const QString& reason)
{
    if (m_reason.isEmpty())
        m_reason = reason;
}

void XmlMarkupGuard::step(char c)
{
    if (m_state == State::Text && c == '<')
        return beginPiece(State::Open); // the text ends before this byte
    ++m_pieceBytes;
    const bool isText = m_state == State::Text || m_state == State::CData;
    if (isText && m_pieceBytes > kMaxTextBytes)
        return refuse(QStringLiteral("a text of more than %1 MiB: no exchange file holds one").arg(kMaxTextBytes >> 20));
    if (!isText && m_pieceBytes > kMaxMarkupBytes)
        return refuse(QStringLiteral("a tag of more than %1 MiB: no exchange file holds one").arg(kMaxMarkupBytes >> 20));

    switch (m_state) {
    case State::Text:
        if (m_pieceBytes == 1) {
            m_startLine = m_line;
            m_startColumn = m_column;
        }
        break;
    case State::Open:
        m_startTag = c != '/' && c != '?' && c != '!';
        m_attributes = 0;
        m_head.clear();
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
        if (c == '>' && m_last[0] == '-' && m_last[1] == '-')
            m_state = State::Text, m_pieceBytes = 0;
        break;
    case State::CData:
        if (c == '>' && m_last[0] == ']' && m_last[1] == ']')
            m_state = State::Text, m_pieceBytes = 0;
        break;
    case State::Instruction:
        if (c == '>' && m_last[1] == '?')
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
