#pragma once

#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <memory>

// Nodes of an XML document as the parser reported them, copied out of the
// parser (which frees its nodes as it goes) so that the reader can look at
// them on another thread, a little later. A batch is a run of nodes in
// document order, written as compact codes in one block of bytes: the two
// threads share as few bytes as they can.
//
// Each node begins with a code byte (its kind and flags). A start tag goes
// on with its depth, its name, where it stands and its attributes; a text
// with its length and bytes; an end tag and the end of the document are the
// code alone. Numbers are variable-length; places are differences from the
// start tag before in the batch.
struct XmlNodeBatch {
    enum Code : quint8 {
        kStart = 0,
        kEmptyStart = 1, // a start tag that is also its end
        kEnd = 2,
        kText = 3,
        kEndOfDocument = 4,
        kFailed = 5,
        kKindMask = 7,
        kAttributes = 1 << 4, // a count of attributes follows the place
    };

    // Where a start tag begins, from 1; the column in characters.
    struct Place {
        int line = 1;
        int column = 1;
    };

    // The codes: a block that grows, written through a cursor. A node asks
    // for room for all its bytes once, and writes them without a check each.
    class Bytes {
    public:
        const char* data() const { return m_data.get(); }
        size_t size() const { return m_size; }
        void clear() { m_size = 0; }
        void truncate(size_t size) { m_size = std::min(size, m_size); }
        void reserve(size_t capacity)
        {
            if (capacity <= m_capacity)
                return;
            auto grown = std::make_unique_for_overwrite<char[]>(capacity);
            if (m_size)
                std::memcpy(grown.get(), m_data.get(), m_size);
            m_data = std::move(grown);
            m_capacity = capacity;
        }
        // Where the next `n` bytes go; end() tells where they ended.
        char* room(size_t n)
        {
            if (m_size + n > m_capacity)
                reserve(std::max(m_capacity * 2, m_size + n));
            return m_data.get() + m_size;
        }
        void end(const char* at) { m_size = size_t(at - m_data.get()); }
        void push_back(char c) { *room(1) = c, ++m_size; }

    private:
        std::unique_ptr<char[]> m_data;
        size_t m_size = 0;
        size_t m_capacity = 0;
    };

    Bytes bytes;
    qint64 startRead = 0; // bytes read from the device when the batch began
    bool last = false;    // the batch ends with the end of the document, or its failure

    // The longest number written.
    static constexpr size_t kMaxVarint = 10;

    // Writes at `out`, which has room for them; each returns where it ended.
    static char* putVarint(char* out, quint64 v)
    {
        while (v >= 0x80) {
            *out++ = char(v | 0x80);
            v >>= 7;
        }
        *out++ = char(v);
        return out;
    }
    static char* putSigned(char* out, qint64 v) { return putVarint(out, (quint64(v) << 1) ^ quint64(v >> 63)); }
    static char* putPointer(char* out, const void* p)
    {
        std::memcpy(out, &p, sizeof p);
        return out + sizeof p;
    }
    static char* putText(char* out, const char* data, size_t length)
    {
        out = putVarint(out, length);
        std::memcpy(out, data, length);
        return out + length;
    }
    // The same at the end of the bytes.
    void putVarint(quint64 v) { bytes.end(putVarint(bytes.room(kMaxVarint), v)); }
    void putText(const char* data, size_t length) { bytes.end(putText(bytes.room(kMaxVarint + length), data, length)); }

    // Reads what the put functions wrote, from a cursor in the bytes.
    static quint64 varint(const char*& at)
    {
        quint64 v = 0;
        for (int shift = 0;; shift += 7) {
            const auto byte = quint8(*at++);
            v |= quint64(byte & 0x7F) << shift;
            if (byte < 0x80)
                return v;
        }
    }
    static qint64 signedVarint(const char*& at)
    {
        const quint64 v = varint(at);
        return qint64(v >> 1) ^ -qint64(v & 1);
    }
    static const char* pointer(const char*& at)
    {
        const char* p;
        std::memcpy(&p, at, sizeof p);
        at += sizeof p;
        return p;
    }
};
