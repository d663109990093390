#pragma once

#include "exchange/GuardedInput.h"
#include "exchange/XmlNodeBatch.h"

#include <QString>

#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

class QIODevice;
typedef struct _xmlTextReader xmlTextReader;
typedef struct _xmlError* xmlErrorPtr;
typedef struct _xmlNode xmlNode;

// libxml2's streaming reader on a thread of its own, a few batches of nodes
// ahead of the one who reads them (XmlPullReader): each node it reports is
// copied into a batch (XmlNodeBatch) before libxml2 frees it. The parser is
// hardened for files from anywhere (see XmlPullReader); its failures, with
// their place, come as the last node of the last batch.
class XmlPullParser {
public:
    // The longest text node accepted, in bytes.
    static constexpr qsizetype kMaxTextBytes = 1 << 20;
    // The most bytes read while nothing completes (no tag, no text): the
    // parser would otherwise hold them all, waiting for the end of a tag.
    static constexpr qint64 kMaxPendingBytes = qint64(16) << 20;
    // A batch ends after so many bytes of codes, or bytes read. At most
    // kBatchesAhead wait for the reader; once that far, the parser waits
    // until half of them are taken (each wait and wake costs more than a
    // batch). A reader with nothing to read waits for kBatchesWoken: it is
    // woken by the first, so that it is at most a batch behind when the
    // parser ends, and what is left to read then takes least.
    static constexpr size_t kBatchBytes = 1 << 18;
    static constexpr qint64 kBatchSpan = 1 << 20;
    static constexpr size_t kBatchesAhead = 8;
    static constexpr size_t kBatchesWoken = 1;

    explicit XmlPullParser(QIODevice& device, Reading reading = Reading::Ahead);
    ~XmlPullParser();
    XmlPullParser(const XmlPullParser&) = delete;
    XmlPullParser& operator=(const XmlPullParser&) = delete;

    // False when the device holds no XML to begin with (error() says why).
    bool ready() const { return m_reader != nullptr; }

    // The next batch, waiting for it; `done` (the batch taken before, or
    // null) is given back. After the batch that ends in EndOfDocument or
    // Failed, nothing more comes: the call returns null.
    XmlNodeBatch* take(XmlNodeBatch* done);

    // The interned pointer of a name: a node's name is equal to it when
    // their pointers are.
    const char* intern(const char* name) { return canonical(name, false); }
    // A name of a batch by its code (see putName), from a cursor.
    const char* name(const char*& at) const
    {
        const auto code = quint8(*at++);
        return code == kNameFollows ? XmlNodeBatch::pointer(at) : m_names[code];
    }

    // Why parsing stopped: meaningful once the Failed node was taken.
    const QString& error() const { return m_error; }

private:
    static int readInput(void* context, char* buffer, int length);
    static int closeInput(void* context);
    static void onError(void* context, xmlErrorPtr error);
    void failAt(int line, int column, const QString& reason);
    void failHere(const QString& reason);

    void parseAhead();
    // Fills a batch with the next nodes; false once it holds the last.
    bool fill(XmlNodeBatch& batch);
    bool readNode(XmlNodeBatch& batch);
    bool otherNode(XmlNodeBatch& batch, int status, const xmlNode* node);
    // Adds a start tag; true when its element stays open.
    bool addStart(XmlNodeBatch& batch, const xmlNode* node);
    XmlNodeBatch::Place placeOf(const xmlNode* node);
    XmlNodeBatch::Place libxmlPlaceOf(const xmlNode* node);
    void putAttributes(XmlNodeBatch& batch, const xmlNode* node, bool rootNamespace);
    bool addText(XmlNodeBatch& batch, const xmlNode* node);
    bool refuseText(size_t length);
    static constexpr size_t kMaxNameBytes = 1 + sizeof(void*);
    char* putName(char* out, const char* name);
    char* putNewName(char* out, const char* name, size_t slot);
    // The one pointer a name has, shared by both threads: libxml2's own
    // (which lives as long as its parser) for a name the parser met first,
    // a copy for a name someone asked for first.
    const char* canonical(const char* name, bool parsers);
    XmlNodeBatch* freeBatch();
    void publish(XmlNodeBatch* batch);

    // The parser's side.
    GuardedInput m_input;
    xmlTextReader* m_reader = nullptr;
    QString m_error;
    bool m_readFailed = false;
    bool m_inputEnded = false;
    qint64 m_bytesRead = 0;
    qint64 m_bytesAtNode = 0;
    std::vector<const xmlNode*> m_elements; // open, outermost first
    // The line the places of the batch being filled are relative to.
    int m_lastLine = 0;
    // The guard's start tags are the parser's (see placeOf).
    bool m_guardPlaces = true;
    // What the node before was. Blanks after an end tag go (the blanks
    // between tags mean nothing), blanks after a text stay; blanks after a
    // start tag are added and stay if the element ends there, and go when
    // a tag follows.
    enum class Previous { Start, Text, End };
    Previous m_previous = Previous::End;
    // Where blanks just added after a start tag begin in the batch, until
    // the next node tells whether they stay.
    static constexpr size_t kNoBlanks = size_t(-1);
    size_t m_blanksAt = kNoBlanks;
    // Names by their one-byte code, given in order of first use; the names
    // beyond the table are written out whole.
    static constexpr quint8 kNameFollows = 255;
    std::array<const char*, kNameFollows> m_names{};
    struct NameSlot {
        const char* name = nullptr;
        quint8 code = 0;
    };
    std::array<NameSlot, 1024> m_nameSlots{}; // a small hash of m_names
    int m_namesUsed = 0;
    std::mutex m_namesMutex;
    std::unordered_map<std::string_view, const char*> m_canonical; // under m_namesMutex, as m_copies
    std::deque<std::string> m_copies;

    // Between the two threads, under m_mutex; on lines of their own, away
    // from what the parser's thread writes for each node.
    alignas(64) std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<XmlNodeBatch*> m_ready;
    std::vector<std::unique_ptr<XmlNodeBatch>> m_batches; // all of them, to free
    std::vector<XmlNodeBatch*> m_free;
    alignas(64) std::atomic<bool> m_quit{false};
    bool m_last = false; // the batch with the last node is published
    alignas(64) std::thread m_thread; // last: started once everything above is ready
};
