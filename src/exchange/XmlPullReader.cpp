#include "exchange/XmlPullReader.h"

#include <QIODevice>

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlreader.h>

#include <algorithm>
#include <cstring>

namespace {

// No external entity, DTD or schema is ever fetched, from the network or
// from a file: an exchange file must stand on its own.
xmlParserInputPtr refuseExternalEntity(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

// libxml2's loader is one for the whole process; it is set once, before the
// first document is read, in a thread-safe initialiser.
void prepareLibxml()
{
    static const bool ready = [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseExternalEntity);
        return true;
    }();
    (void)ready;
}

// No network, line numbers beyond 65535; no entity substitution, no DTD
// loading or defaulting, and libxml2's own bounds on text and depth kept.
// Short texts live in their node, without an allocation of their own.
// (Leaving out the blanks between tags would make fewer nodes, but then
// the parser runs further ahead of the node it reports, and finding a
// tag's column costs more than it saves.)
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_BIG_LINES | XML_PARSE_COMPACT;

constexpr qsizetype kWindowBytes = 1 << 19;

void onXmlError(void* context, xmlErrorPtr error)
{
    if (!error || error->level < XML_ERR_ERROR)
        return;
    auto* reader = static_cast<XmlPullReader*>(context);
    if (!reader->error().isEmpty())
        return;
    QString message = error->message ? QString::fromUtf8(error->message).trimmed() : QStringLiteral("unreadable XML");
    // At the end of the input, an unfinished document is one cut short
    // (libxml2 words it as extra content).
    if (error->code == XML_ERR_DOCUMENT_END && reader->inputEnded())
        message = QStringLiteral("the file ends before its elements are closed: it is cut short");
    else
        message = QStringLiteral("malformed XML: %1").arg(message);
    reader->failAt(error->line > 0 ? error->line : 1, error->int2 > 0 ? error->int2 : 1, message);
}

bool isNameEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/'; }

} // namespace

XmlPullReader::XmlPullReader(QIODevice& device, ImportProgress progress)
    : m_progress(std::move(progress)),
      m_total(device.isSequential() ? 0 : std::max<qint64>(0, device.size() - device.pos())), m_input(device)
{
    prepareLibxml();
    m_window.reserve(2 * kWindowBytes + (1 << 16));
    m_reader = xmlReaderForIO(readInput, closeInput, this, nullptr, nullptr, kParseOptions);
    if (!m_reader) {
        failAt(1, 1, m_readFailed ? QStringLiteral("the file could not be read: %1").arg(m_input.reason())
                                  : QStringLiteral("the file is empty or holds no XML"));
        return;
    }
    xmlTextReaderSetStructuredErrorHandler(m_reader, onXmlError, this);
}

XmlPullReader::~XmlPullReader()
{
    if (m_reader)
        xmlFreeTextReader(m_reader);
}

int XmlPullReader::readInput(void* context, char* buffer, int length)
{
    auto* self = static_cast<XmlPullReader*>(context);
    if (self->m_bytesRead - self->m_bytesAtEvent > kMaxPendingBytes) {
        if (self->m_reader)
            self->failAt(xmlTextReaderGetParserLineNumber(self->m_reader),
                         xmlTextReaderGetParserColumnNumber(self->m_reader),
                         QStringLiteral("nothing ends within %1 MiB: no exchange file holds such a tag or text")
                             .arg(kMaxPendingBytes >> 20));
        else
            self->failAt(1, 1, QStringLiteral("the file starts with more than %1 MiB without XML")
                                   .arg(kMaxPendingBytes >> 20));
        return -1;
    }
    const qsizetype n = self->m_input.read(buffer, length);
    if (n == 0) {
        switch (self->m_input.stop()) {
        case GuardedInput::Stop::None:
        case GuardedInput::Stop::End: self->m_inputEnded = true; return 0;
        case GuardedInput::Stop::ReadFailed: self->m_readFailed = true; return -1;
        case GuardedInput::Stop::Refused:
            self->failAt(self->m_input.line(), self->m_input.column(), self->m_input.reason());
            return -1;
        }
    }
    self->keepWindow(buffer, n);
    self->m_bytesRead += n;
    return int(n);
}

int XmlPullReader::closeInput(void*) { return 0; }

// The window lives in one allocation: when the next bytes would pass twice
// its size, its last kWindowBytes move to the front.
void XmlPullReader::keepWindow(const char* data, qsizetype length)
{
    if (m_window.size() + length > 2 * kWindowBytes && m_window.size() > kWindowBytes) {
        std::memmove(m_window.data(), m_window.constData() + m_window.size() - kWindowBytes, size_t(kWindowBytes));
        m_window.resize(kWindowBytes);
    }
    m_window.append(data, length);
}

XmlPullReader::Event XmlPullReader::stop(Event event)
{
    m_finished = true;
    m_finalEvent = event;
    m_text = QByteArrayView();
    return event;
}

XmlPullReader::Event XmlPullReader::next()
{
    if (m_finished)
        return m_finalEvent;
    if (!m_error.isEmpty())
        return stop(Event::Failed);
    if (m_pendingEnd) {
        m_pendingEnd = false;
        return Event::EndElement;
    }
    for (;;) {
        const int status = xmlTextReaderRead(m_reader);
        if (m_progress && m_bytesRead >= m_nextReport) {
            m_nextReport = m_bytesRead + kProgressStep;
            if (!m_progress(m_bytesRead, m_total)) {
                m_cancelled = true;
                m_error = QStringLiteral("the import was cancelled");
                return stop(Event::Failed);
            }
        }
        m_bytesAtEvent = m_bytesRead;
        if (!m_error.isEmpty())
            return stop(Event::Failed);
        if (status == 0)
            return stop(Event::EndOfDocument);
        if (status < 0) {
            failAt(xmlTextReaderGetParserLineNumber(m_reader), xmlTextReaderGetParserColumnNumber(m_reader),
                   m_readFailed ? QStringLiteral("the file could not be read: %1").arg(m_input.reason())
                                : QStringLiteral("malformed XML"));
            return stop(Event::Failed);
        }
        switch (xmlTextReaderNodeType(m_reader)) {
        case XML_READER_TYPE_ELEMENT:
            m_name = reinterpret_cast<const char*>(xmlTextReaderConstLocalName(m_reader));
            m_depth = xmlTextReaderDepth(m_reader);
            m_pendingEnd = xmlTextReaderIsEmptyElement(m_reader) == 1;
            return Event::StartElement;
        case XML_READER_TYPE_END_ELEMENT:
            m_name = reinterpret_cast<const char*>(xmlTextReaderConstLocalName(m_reader));
            m_depth = xmlTextReaderDepth(m_reader);
            return Event::EndElement;
        case XML_READER_TYPE_TEXT:
        case XML_READER_TYPE_CDATA:
        case XML_READER_TYPE_WHITESPACE:
        case XML_READER_TYPE_SIGNIFICANT_WHITESPACE: {
            const char* value = reinterpret_cast<const char*>(xmlTextReaderConstValue(m_reader));
            const qsizetype length = value ? qsizetype(std::strlen(value)) : 0;
            if (length > kMaxTextBytes) {
                failAt(xmlTextReaderGetParserLineNumber(m_reader), xmlTextReaderGetParserColumnNumber(m_reader),
                       QStringLiteral("a text of %1 bytes is beyond any exchange file's need (at most %2)")
                           .arg(length)
                           .arg(kMaxTextBytes));
                return stop(Event::Failed);
            }
            m_text = QByteArrayView(value, length);
            return Event::Text;
        }
        case XML_READER_TYPE_ENTITY_REFERENCE:
            failAt(xmlTextReaderGetParserLineNumber(m_reader), xmlTextReaderGetParserColumnNumber(m_reader),
                   QStringLiteral("the file uses the entity &%1;, and entities are not accepted")
                       .arg(QString::fromUtf8(reinterpret_cast<const char*>(xmlTextReaderConstName(m_reader)))));
            return stop(Event::Failed);
        case XML_READER_TYPE_DOCUMENT_TYPE: {
            const auto* dtd = reinterpret_cast<const xmlDtd*>(xmlTextReaderCurrentNode(m_reader));
            if (dtd && (dtd->entities || dtd->pentities)) {
                failAt(xmlTextReaderGetParserLineNumber(m_reader), xmlTextReaderGetParserColumnNumber(m_reader),
                       QStringLiteral("the file declares entities in its document type, and entities are not "
                                      "accepted"));
                return stop(Event::Failed);
            }
            continue;
        }
        default: continue;
        }
    }
}

const char* XmlPullReader::intern(const char* name)
{
    return m_reader ? reinterpret_cast<const char*>(xmlTextReaderConstString(m_reader, BAD_CAST name)) : name;
}

bool XmlPullReader::attribute(const char* name, QByteArray* value) const
{
    if (!m_reader)
        return false;
    xmlChar* v = xmlTextReaderGetAttribute(m_reader, BAD_CAST name);
    if (!v)
        return false;
    if (value)
        *value = QByteArray(reinterpret_cast<const char*>(v));
    xmlFree(v);
    return true;
}

std::optional<QByteArrayView> XmlPullReader::plainAttribute(const char* name) const
{
    const xmlNode* node = m_reader ? xmlTextReaderCurrentNode(m_reader) : nullptr;
    if (!node || node->type != XML_ELEMENT_NODE)
        return std::nullopt;
    for (const xmlAttr* a = node->properties; a; a = a->next) {
        if (a->ns || std::strcmp(reinterpret_cast<const char*>(a->name), name) != 0)
            continue;
        const xmlNode* value = a->children;
        if (!value)
            return QByteArrayView("");
        if (value->type != XML_TEXT_NODE || value->next || !value->content)
            return std::nullopt;
        return QByteArrayView(reinterpret_cast<const char*>(value->content));
    }
    return std::nullopt;
}

QByteArray XmlPullReader::namespaceUri() const
{
    const xmlChar* uri = m_reader ? xmlTextReaderConstNamespaceUri(m_reader) : nullptr;
    return uri ? QByteArray(reinterpret_cast<const char*>(uri)) : QByteArray();
}

void XmlPullReader::elementPosition(int* line, int* column) const
{
    *line = 1;
    *column = 1;
    if (!m_reader)
        return;
    const int parserLine = xmlTextReaderGetParserLineNumber(m_reader);
    xmlNodePtr node = xmlTextReaderCurrentNode(m_reader);
    const long nodeLine = node ? xmlGetLineNo(node) : -1;
    if (nodeLine <= 0 || nodeLine > parserLine) {
        *line = parserLine;
        *column = xmlTextReaderGetParserColumnNumber(m_reader);
        return;
    }
    *line = int(nodeLine);
    // libxml2 keeps the line of a start tag, not its column: the tag is
    // found in the bytes last read. The parser stands at a known line and
    // byte; walking back from there gives the end of the tag's line, and
    // the tag is the last "<name" before it.
    const qint64 windowStart = m_bytesRead - m_window.size();
    const qint64 consumed = xmlTextReaderByteConsumed(m_reader);
    if (consumed < windowStart || consumed > m_bytesRead)
        return;
    const char* data = m_window.constData();
    qsizetype endOfLine = qsizetype(consumed - windowStart);
    qint64 lineNo = parserLine;
    while (lineNo > nodeLine) {
        if (--endOfLine < 0)
            return; // the window no longer holds the line
        if (data[endOfLine] == '\n')
            --lineNo;
    }
    const QByteArray qname = QByteArray("<") + reinterpret_cast<const char*>(xmlTextReaderConstName(m_reader));
    qsizetype at = -1;
    for (qsizetype from = endOfLine; from >= 0;) {
        const qsizetype found = m_window.lastIndexOf(qname, from);
        if (found < 0)
            break;
        const qsizetype after = found + qname.size();
        if (after < m_window.size() && isNameEnd(data[after])) {
            at = found;
            break;
        }
        from = found - 1;
    }
    if (at < 0)
        return;
    *line = int(nodeLine - std::count(data + at, data + endOfLine, '\n'));
    qsizetype lineStart = at;
    while (lineStart > 0 && data[lineStart - 1] != '\n')
        --lineStart;
    int col = 1;
    for (qsizetype i = lineStart; i < at; ++i)
        if ((uchar(data[i]) & 0xC0) != 0x80)
            ++col;
    *column = col;
}

QString XmlPullReader::located(int line, int column, const QString& reason)
{
    return QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(reason);
}

void XmlPullReader::fail(const QString& reason)
{
    int line = 1, column = 1;
    elementPosition(&line, &column);
    failAt(line, column, reason);
}

void XmlPullReader::failAt(int line, int column, const QString& reason)
{
    if (m_error.isEmpty())
        m_error = located(line, column, reason);
}
