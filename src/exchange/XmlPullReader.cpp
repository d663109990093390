#include "exchange/XmlPullReader.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

XmlPullReader::XmlPullReader(QIODevice& device, ImportProgress progress, Reading reading)
    : m_progress(std::move(progress)),
      m_total(device.isSequential() ? 0 : std::max<qint64>(0, device.size() - device.pos())),
      m_parser(device, reading)
{
    if (!m_parser.ready())
        m_error = m_parser.error();
}

XmlPullReader::~XmlPullReader() = default;

XmlPullReader::Event XmlPullReader::stop(Event event)
{
    m_finished = true;
    m_finalEvent = event;
    m_text = QByteArrayView();
    m_attributeCount = 0;
    return event;
}

// Takes the next batch; false when the import is cancelled there, or when
// nothing more comes.
bool XmlPullReader::nextBatch()
{
    m_batch = m_parser.take(m_batch);
    if (!m_batch)
        return false;
    m_at = m_batch->bytes.data();
    m_end = m_at + m_batch->bytes.size();
    m_lastLine = 0;
    if (m_progress && m_batch->startRead >= m_nextReport) {
        m_nextReport = m_batch->startRead + kProgressStep;
        if (!m_progress(m_batch->startRead, m_total)) {
            m_cancelled = true;
            m_error = QStringLiteral("the import was cancelled");
            return false;
        }
    }
    return true;
}

XmlPullReader::Event XmlPullReader::next()
{
    if (m_finished)
        return m_finalEvent;
    if (!m_error.isEmpty())
        return stop(Event::Failed);
    m_attributeCount = 0;
    if (m_pendingEnd) {
        m_pendingEnd = false;
        return endTag();
    }
    while (m_at == m_end)
        if (!nextBatch())
            return stop(m_error.isEmpty() ? Event::EndOfDocument : Event::Failed);
    const auto code = quint8(*m_at++);
    switch (code & XmlNodeBatch::kKindMask) {
    case XmlNodeBatch::kStart:
    case XmlNodeBatch::kEmptyStart:
        startTag(code);
        m_pendingEnd = (code & XmlNodeBatch::kKindMask) == XmlNodeBatch::kEmptyStart;
        return Event::StartElement;
    case XmlNodeBatch::kEnd: return endTag();
    case XmlNodeBatch::kText: {
        const auto length = qsizetype(XmlNodeBatch::varint(m_at));
        m_text = QByteArrayView(m_at, length);
        m_at += length;
        m_placed = m_innermost;
        return Event::Text;
    }
    case XmlNodeBatch::kEndOfDocument: return stop(Event::EndOfDocument);
    default: m_error = m_parser.error(); return stop(Event::Failed);
    }
}

void XmlPullReader::startTag(quint8 code)
{
    const auto depth = int(XmlNodeBatch::varint(m_at));
    Open open;
    open.name = m_parser.name(m_at);
    open.place.line = int(m_lastLine + XmlNodeBatch::signedVarint(m_at));
    open.place.column = int(XmlNodeBatch::varint(m_at));
    m_lastLine = open.place.line;
    if (m_open.size() <= size_t(depth))
        m_open.resize(size_t(depth) + 1);
    m_open[size_t(depth)] = open;
    m_innermost = m_placed = m_depth = depth;
    m_name = open.name;
    if (code & XmlNodeBatch::kAttributes) {
        m_attributeCount = XmlNodeBatch::varint(m_at);
        m_attributes = m_at;
        for (quint64 i = 0; i < m_attributeCount; ++i)
            attributeAt(m_at);
    }
}

XmlPullReader::Event XmlPullReader::endTag()
{
    if (m_innermost < 0) {
        failAt(1, 1, QStringLiteral("malformed XML: an end tag without its start"));
        return stop(Event::Failed);
    }
    m_placed = m_depth = m_innermost--;
    m_name = m_open[size_t(m_depth)].name;
    return Event::EndElement;
}

XmlPullReader::Attribute XmlPullReader::attributeAt(const char*& at) const
{
    Attribute a;
    a.name = m_parser.name(at);
    a.plain = *at++ != 0;
    const auto length = qsizetype(XmlNodeBatch::varint(at));
    a.value = QByteArrayView(at, length);
    at += length;
    return a;
}

std::optional<XmlPullReader::Attribute> XmlPullReader::findAttribute(const char* name) const
{
    const char* at = m_attributes;
    for (quint64 i = 0; i < m_attributeCount; ++i)
        if (const Attribute a = attributeAt(at); std::strcmp(a.name, name) == 0)
            return a;
    return std::nullopt;
}

bool XmlPullReader::attribute(const char* name, QByteArray* value) const
{
    const auto a = name[0] ? findAttribute(name) : std::nullopt;
    if (!a)
        return false;
    if (value)
        *value = a->value.toByteArray();
    return true;
}

std::optional<QByteArrayView> XmlPullReader::plainAttribute(const char* name) const
{
    const auto a = name[0] ? findAttribute(name) : std::nullopt;
    if (!a || !a->plain)
        return std::nullopt;
    return a->value;
}

// The root's namespace comes as an attribute of the empty name.
QByteArray XmlPullReader::namespaceUri() const
{
    const auto a = m_depth == 0 ? findAttribute("") : std::nullopt;
    return a ? a->value.toByteArray() : QByteArray();
}

void XmlPullReader::elementPosition(int* line, int* column) const
{
    *line = 1;
    *column = 1;
    if (m_placed >= 0 && size_t(m_placed) < m_open.size()) {
        *line = m_open[size_t(m_placed)].place.line;
        *column = m_open[size_t(m_placed)].place.column;
    }
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
