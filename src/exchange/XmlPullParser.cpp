#include "exchange/XmlPullParser.h"

#include "exchange/XmlPullReader.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlreader.h>

#include <algorithm>
#include <cstring>
#include <system_error>

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
// Short texts live in their node, without an allocation of their own. The
// blanks between tags make no node (libxml2 keeps those that are all of an
// element's text, and those beside a text).
constexpr int kParseOptions =
    XML_PARSE_NONET | XML_PARSE_BIG_LINES | XML_PARSE_COMPACT | XML_PARSE_NOBLANKS;

const char* constText(const xmlChar* text) { return reinterpret_cast<const char*>(text); }

} // namespace

XmlPullParser::XmlPullParser(QIODevice& device, Reading reading) : m_input(device, reading)
{
    prepareLibxml();
    m_reader = xmlReaderForIO(readInput, closeInput, this, nullptr, nullptr, kParseOptions);
    if (!m_reader) {
        failAt(1, 1, m_readFailed ? QStringLiteral("the file could not be read: %1").arg(m_input.reason())
                                  : QStringLiteral("the file is empty or holds no XML"));
        return;
    }
    xmlTextReaderSetStructuredErrorHandler(m_reader, onError, this);
    if (reading == Reading::WhenAsked)
        return;
    try {
        m_thread = std::thread([this] { parseAhead(); });
    } catch (const std::system_error&) {
        // No thread to spare: each batch is parsed when the reader asks.
    }
}

XmlPullParser::~XmlPullParser()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    if (m_reader)
        xmlFreeTextReader(m_reader);
}

void XmlPullParser::onError(void* context, xmlErrorPtr error)
{
    if (!error || error->level < XML_ERR_ERROR)
        return;
    auto* parser = static_cast<XmlPullParser*>(context);
    if (!parser->m_error.isEmpty())
        return;
    QString message = error->message ? QString::fromUtf8(error->message).trimmed() : QStringLiteral("unreadable XML");
    // At the end of the input, an unfinished document is one cut short
    // (libxml2 words it as extra content).
    if (error->code == XML_ERR_DOCUMENT_END && parser->m_inputEnded)
        message = QStringLiteral("the file ends before its elements are closed: it is cut short");
    else
        message = QStringLiteral("malformed XML: %1").arg(message);
    parser->failAt(error->line > 0 ? error->line : 1, error->int2 > 0 ? error->int2 : 1, message);
}

void XmlPullParser::failAt(int line, int column, const QString& reason)
{
    if (m_error.isEmpty())
        m_error = XmlPullReader::located(line, column, reason);
}

void XmlPullParser::failHere(const QString& reason)
{
    failAt(xmlTextReaderGetParserLineNumber(m_reader), xmlTextReaderGetParserColumnNumber(m_reader), reason);
}

int XmlPullParser::readInput(void* context, char* buffer, int length)
{
    auto* self = static_cast<XmlPullParser*>(context);
    if (self->m_quit)
        return -1;
    if (self->m_bytesRead - self->m_bytesAtNode > kMaxPendingBytes) {
        if (self->m_reader)
            self->failHere(QStringLiteral("nothing ends within %1 MiB: no exchange file holds such a tag or text")
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
    self->m_bytesRead += n;
    return int(n);
}

int XmlPullParser::closeInput(void*) { return 0; }

void XmlPullParser::parseAhead()
{
    for (;;) {
        XmlNodeBatch* batch = freeBatch();
        if (!batch)
            return;
        const bool more = fill(*batch);
        publish(batch);
        if (!more)
            return;
    }
}

// A batch to fill once fewer than kBatchesAhead wait; null once the reader
// has gone.
XmlNodeBatch* XmlPullParser::freeBatch()
{
    std::unique_lock lock(m_mutex);
    if (m_ready.size() >= kBatchesAhead)
        m_changed.wait(lock, [&] { return m_quit || m_ready.size() <= kBatchesAhead / 2; });
    if (m_quit)
        return nullptr;
    if (m_free.empty()) {
        m_batches.push_back(std::make_unique<XmlNodeBatch>());
        return m_batches.back().get();
    }
    XmlNodeBatch* batch = m_free.back();
    m_free.pop_back();
    return batch;
}

void XmlPullParser::publish(XmlNodeBatch* batch)
{
    bool wake;
    {
        const std::lock_guard lock(m_mutex);
        m_ready.push_back(batch);
        wake = m_ready.size() == kBatchesWoken || batch->last;
    }
    if (wake)
        m_changed.notify_all();
}

XmlNodeBatch* XmlPullParser::take(XmlNodeBatch* done)
{
    if (!m_thread.joinable()) {
        // Parsed here, in the reader's thread.
        if (m_last || !m_reader)
            return nullptr;
        XmlNodeBatch* batch = done ? done : freeBatch();
        m_last = !fill(*batch);
        return batch;
    }
    std::unique_lock lock(m_mutex);
    if (done)
        m_free.push_back(done);
    if (m_last && m_ready.empty())
        return nullptr;
    if (m_ready.empty())
        m_changed.wait(lock, [&] {
            return m_ready.size() >= kBatchesWoken || (!m_ready.empty() && m_ready.back()->last);
        });
    XmlNodeBatch* batch = m_ready.front();
    m_ready.pop_front();
    m_last = batch->last;
    const bool room = m_ready.size() == kBatchesAhead / 2;
    lock.unlock();
    if (room)
        m_changed.notify_all();
    return batch;
}

// The end of the document, a failure, or a node that is neither a tag nor
// a text: a document type, an entity (refused), a comment or an
// instruction (left out).
[[gnu::cold, gnu::noinline]] bool XmlPullParser::otherNode(XmlNodeBatch& batch, int status, const xmlNode* node)
{
    auto last = [&](XmlNodeBatch::Code code) {
        batch.bytes.push_back(char(code));
        return false;
    };
    if (!m_error.isEmpty())
        return last(XmlNodeBatch::kFailed);
    if (status == 0)
        return last(XmlNodeBatch::kEndOfDocument);
    if (status < 0 || !node) {
        failHere(m_readFailed ? QStringLiteral("the file could not be read: %1").arg(m_input.reason())
                              : QStringLiteral("malformed XML"));
        return last(XmlNodeBatch::kFailed);
    }
    switch (node->type) {
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE: return last(XmlNodeBatch::kFailed); // refused by addText()
    case XML_ENTITY_REF_NODE:
        failHere(QStringLiteral("the file uses the entity &%1;, and entities are not accepted")
                     .arg(QString::fromUtf8(constText(node->name))));
        return last(XmlNodeBatch::kFailed);
    case XML_DTD_NODE: {
        const auto* dtd = reinterpret_cast<const xmlDtd*>(node);
        if (dtd->entities || dtd->pentities) {
            failHere(QStringLiteral("the file declares entities in its document type, and entities are not "
                                    "accepted"));
            return last(XmlNodeBatch::kFailed);
        }
        return true;
    }
    default: return true;
    }
}

// The names seen most are written as a byte: their code in m_names. At
// `out`, with room for kMaxNameBytes; returns where the name ended.
[[gnu::always_inline]] inline char* XmlPullParser::putName(char* out, const char* name)
{
    size_t slot = (quintptr(name) >> 3) % m_nameSlots.size();
    while (m_nameSlots[slot].name && m_nameSlots[slot].name != name)
        slot = (slot + 1) % m_nameSlots.size();
    if (m_nameSlots[slot].name) {
        *out++ = char(m_nameSlots[slot].code);
        return out;
    }
    return putNewName(out, name, slot);
}

// A name met for the first time (its slot is free), or one of the names
// beyond the table.
char* XmlPullParser::putNewName(char* out, const char* name, size_t slot)
{
    if (m_namesUsed < kNameFollows) {
        m_names[size_t(m_namesUsed)] = canonical(name, true);
        m_nameSlots[slot] = {name, quint8(m_namesUsed)};
        *out++ = char(m_namesUsed++);
        return out;
    }
    *out++ = char(kNameFollows);
    return XmlNodeBatch::putPointer(out, canonical(name, true));
}

const char* XmlPullParser::canonical(const char* name, bool parsers)
{
    const std::lock_guard lock(m_namesMutex);
    const std::string_view key(name);
    if (const auto found = m_canonical.find(key); found != m_canonical.end())
        return found->second;
    if (!parsers)
        name = m_copies.emplace_back(key).c_str();
    m_canonical.emplace(std::string_view(name, key.size()), name);
    return name;
}

// Where a start tag begins: as the guard found it, while its tags are the
// parser's; else from libxml2, the element's line (its column unknown) or,
// when libxml2 does not know that, where the parser stands.
[[gnu::always_inline]] inline XmlNodeBatch::Place XmlPullParser::placeOf(const xmlNode* node)
{
    // The tag begins with its prefix, if it has one.
    const char first = node->ns && node->ns->prefix ? char(node->ns->prefix[0]) : char(node->name[0]);
    XmlMarkupGuard::StartTag tag;
    if (m_guardPlaces && m_input.nextStartTag(&tag) && tag.first == first)
        return {tag.line, tag.column};
    return libxmlPlaceOf(node);
}

XmlNodeBatch::Place XmlPullParser::libxmlPlaceOf(const xmlNode* node)
{
    m_guardPlaces = false;
    const long line = xmlGetLineNo(node);
    const int parserLine = xmlTextReaderGetParserLineNumber(m_reader);
    if (line <= 0 || line > parserLine)
        return {parserLine, std::max(1, xmlTextReaderGetParserColumnNumber(m_reader))};
    return {int(line), 1};
}

[[gnu::always_inline]] inline bool XmlPullParser::addStart(XmlNodeBatch& batch, const xmlNode* node)
{
    const int depth = int(m_elements.size());
    const XmlNodeBatch::Place place = placeOf(node);
    // The root's namespace goes with its attributes, under the empty name.
    const bool rootNamespace = depth == 0 && node->ns && node->ns->href;
    bool anyAttribute = rootNamespace;
    for (const xmlAttr* a = node->properties; a && !anyAttribute; a = a->next)
        anyAttribute = !a->ns;

    quint8 code = xmlTextReaderIsEmptyElement(m_reader) == 1 ? XmlNodeBatch::kEmptyStart : XmlNodeBatch::kStart;
    if (anyAttribute)
        code |= XmlNodeBatch::kAttributes;
    char* out = batch.bytes.room(1 + 3 * XmlNodeBatch::kMaxVarint + kMaxNameBytes);
    *out++ = char(code);
    out = XmlNodeBatch::putVarint(out, quint64(depth));
    out = putName(out, constText(node->name));
    out = XmlNodeBatch::putSigned(out, place.line - m_lastLine);
    out = XmlNodeBatch::putVarint(out, quint64(place.column));
    batch.bytes.end(out);
    m_lastLine = place.line;
    const bool open = !(code & XmlNodeBatch::kEmptyStart);
    m_previous = open ? Previous::Start : Previous::End;
    if (anyAttribute)
        putAttributes(batch, node, rootNamespace);
    return open;
}

// Attributes in no namespace, as the tag holds them when they are one
// text, and put together from their pieces otherwise.
void XmlPullParser::putAttributes(XmlNodeBatch& batch, const xmlNode* node, bool rootNamespace)
{
    quint64 count = rootNamespace;
    for (const xmlAttr* a = node->properties; a; a = a->next)
        count += !a->ns;
    batch.putVarint(count);
    if (rootNamespace) {
        batch.bytes.end(putName(batch.bytes.room(kMaxNameBytes), ""));
        batch.bytes.push_back(1);
        const char* uri = constText(node->ns->href);
        batch.putText(uri, std::strlen(uri));
    }
    for (const xmlAttr* a = node->properties; a; a = a->next) {
        if (a->ns)
            continue;
        batch.bytes.end(putName(batch.bytes.room(kMaxNameBytes), constText(a->name)));
        const xmlNode* value = a->children;
        const bool plain = !value || (value->type == XML_TEXT_NODE && !value->next && value->content);
        xmlChar* whole = plain ? nullptr : xmlNodeListGetString(node->doc, value, 1);
        const char* text = plain ? (value ? constText(value->content) : "") : (whole ? constText(whole) : "");
        batch.bytes.push_back(char(plain));
        batch.putText(text, std::strlen(text));
        xmlFree(whole);
    }
}

[[gnu::cold, gnu::noinline]] bool XmlPullParser::refuseText(size_t length)
{
    failHere(QStringLiteral("a text of %1 bytes is beyond any exchange file's need (at most %2)")
                 .arg(length)
                 .arg(kMaxTextBytes));
    return false;
}

[[gnu::always_inline]] inline bool XmlPullParser::addText(XmlNodeBatch& batch, const xmlNode* node)
{
    const char* value = node->content ? constText(node->content) : "";
    const size_t length = std::strlen(value);
    const bool blank = node->type == XML_TEXT_NODE && std::all_of(value, value + length, [](char c) {
        return c == ' ' || c == '\n' || c == '\t' || c == '\r';
    });
    if (length > size_t(kMaxTextBytes))
        return refuseText(length);
    if (blank && m_previous == Previous::End)
        return true;
    if (blank && m_previous == Previous::Start)
        m_blanksAt = batch.bytes.size();
    m_previous = Previous::Text;
    char* out = batch.bytes.room(1 + XmlNodeBatch::kMaxVarint + length);
    *out++ = char(XmlNodeBatch::kText);
    batch.bytes.end(XmlNodeBatch::putText(out, value, length));
    return true;
}

// Reads the next node and adds what it reports; false once the document
// has ended or failed (the batch then ends with that node's code). The
// kind of node is told from the node itself: libxml2's own answer looks up
// the ancestors of every text for xml:space. An element is reported at its
// start and again at its end (unless empty); its end is when it is the
// innermost element open. Start tags, texts and end tags are taken here;
// anything else in otherNode().
// It is the parser's loop: inlined in fill(), with what is rare out of it.
[[gnu::always_inline]] inline bool XmlPullParser::readNode(XmlNodeBatch& batch)
{
    const int status = m_quit ? -1 : xmlTextReaderRead(m_reader);
    m_bytesAtNode = m_bytesRead;
    const xmlNode* node = status == 1 ? xmlTextReaderCurrentNode(m_reader) : nullptr;
    const bool ends = node && !m_elements.empty() && m_elements.back() == node;
    // Blanks after a start tag stay only when the element ends there.
    if (m_blanksAt != kNoBlanks) {
        if (!ends)
            batch.bytes.truncate(m_blanksAt);
        m_blanksAt = kNoBlanks;
    }
    if (!node || !m_error.isEmpty())
        return otherNode(batch, status, node);
    if (ends) {
        m_elements.pop_back();
        batch.bytes.push_back(char(XmlNodeBatch::kEnd));
        m_previous = Previous::End;
        return true;
    }
    if (node->type == XML_ELEMENT_NODE) {
        if (addStart(batch, node))
            m_elements.push_back(node);
        return true;
    }
    if ((node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) && addText(batch, node))
        return true;
    return otherNode(batch, status, node);
}

bool XmlPullParser::fill(XmlNodeBatch& batch)
{
    batch.bytes.clear();
    batch.bytes.reserve(kBatchBytes + (1 << 12));
    batch.startRead = m_bytesRead;
    batch.last = false;
    m_lastLine = 0;
    while ((batch.bytes.size() < kBatchBytes && m_bytesRead - batch.startRead < kBatchSpan)
           || m_blanksAt != kNoBlanks)
        if (!readNode(batch)) {
            batch.last = true;
            return false;
        }
    return true;
}
