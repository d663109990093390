#pragma once

#include "exchange/ImportProgress.h"
#include "exchange/XmlPullParser.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <vector>

class QIODevice;

// Reads an XML document from a device as a stream of start tags, texts and
// end tags, with libxml2's streaming reader: the document is never held
// whole, whatever its size. The reader is hardened for files from anywhere:
// no network, no external entities or DTDs are loaded, entities are never
// substituted (a document that declares or uses entities is refused), and
// tags, attribute lists and text nodes above a bound are refused before the
// parser holds them (see XmlMarkupGuard), by a thread that reads the device
// ahead of the parser (see GuardedInput). The parser runs on a thread of
// its own, a few batches of nodes ahead (see XmlPullParser): this reader's
// thread only looks at what it reported. Every failure names the line and
// column where it was found.
class XmlPullReader {
public:
    enum class Event { StartElement, EndElement, Text, EndOfDocument, Failed };

    // The longest text node accepted, in bytes.
    static constexpr qsizetype kMaxTextBytes = XmlPullParser::kMaxTextBytes;
    // Bytes read between two progress reports.
    static constexpr qint64 kProgressStep = 1 << 18;

    explicit XmlPullReader(QIODevice& device, ImportProgress progress = {}, Reading reading = Reading::Ahead);
    ~XmlPullReader();
    XmlPullReader(const XmlPullReader&) = delete;
    XmlPullReader& operator=(const XmlPullReader&) = delete;

    // The next event. An empty element gives a start and an end. After
    // EndOfDocument or Failed every call returns the same again.
    Event next();

    // The local name (without prefix) of the current start or end tag. Names
    // are interned: equal names have equal pointers while the reader lives,
    // so they compare with ==.
    const char* localName() const { return m_name; }
    // The interned pointer of a name, to compare with localName().
    const char* intern(const char* name) { return m_parser.intern(name); }
    // Depth of the current tag: 0 for the root element.
    int depth() const { return m_depth; }
    // The current text, in UTF-8.
    QByteArrayView text() const { return m_text; }
    // An attribute in no namespace of the current start tag, by local name.
    bool attribute(const char* name, QByteArray* value) const;
    // The same without a copy, valid until the next event: the value as the
    // tag holds it, or nothing (then ask attribute()) when the attribute is
    // absent or its value is not one plain text.
    std::optional<QByteArrayView> plainAttribute(const char* name) const;
    // The namespace of the root element, while its start tag is current;
    // empty for none.
    QByteArray namespaceUri() const;

    // Where the current start tag begins (of an end tag, its start tag; of
    // a text, its element's): line and column, from 1.
    void elementPosition(int* line, int* column) const;
    // Formats a message with a place: "line 12, column 7: reason".
    static QString located(int line, int column, const QString& reason);

    // Stops reading with a reason found by the caller at the current tag.
    void fail(const QString& reason);
    // Stops reading with a reason and a place of the caller's.
    void failAt(int line, int column, const QString& reason);
    // Why reading stopped ("line L, column C: reason"); empty while it goes on.
    const QString& error() const { return m_error; }
    // True when the progress callback asked to stop.
    bool cancelled() const { return m_cancelled; }

private:
    struct Open {
        const char* name = nullptr;
        XmlNodeBatch::Place place;
    };
    struct Attribute {
        const char* name;
        bool plain;
        QByteArrayView value;
    };

    Event stop(Event event);
    bool nextBatch();
    void startTag(quint8 code);
    Event endTag();
    Attribute attributeAt(const char*& at) const;
    std::optional<Attribute> findAttribute(const char* name) const;

    ImportProgress m_progress;
    qint64 m_total = 0; // before m_parser, which starts reading the device
    XmlPullParser m_parser;
    XmlNodeBatch* m_batch = nullptr;
    const char* m_at = nullptr; // the next code in the batch
    const char* m_end = nullptr;
    int m_lastLine = 0;
    std::vector<Open> m_open; // the elements open, by depth
    int m_innermost = -1;     // depth of the innermost of them
    bool m_pendingEnd = false;
    int m_placed = -1;        // the depth whose start tag the current node places
    const char* m_attributes = nullptr;
    quint64 m_attributeCount = 0;
    const char* m_name = nullptr;
    int m_depth = -1;
    QByteArrayView m_text;
    bool m_finished = false;
    Event m_finalEvent = Event::EndOfDocument;
    bool m_cancelled = false;
    QString m_error;
    qint64 m_nextReport = kProgressStep;
};
