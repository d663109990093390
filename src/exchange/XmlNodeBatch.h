#pragma once

#include <QtGlobal>

#include <cstring>
#include <vector>

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

    std::vector<char> bytes;
    qint64 startRead = 0; // bytes read from the device when the batch began
    bool last = false;    // the batch ends with the end of the document, or its failure

    void putVarint(quint64 v)
    {
        while (v >= 0x80) {
            bytes.push_back(char(v | 0x80));
            v >>= 7;
        }
        bytes.push_back(char(v));
    }
    void putSigned(qint64 v) { putVarint((quint64(v) << 1) ^ quint64(v >> 63)); }
    void putPointer(const void* p)
    {
        const auto* data = reinterpret_cast<const char*>(&p);
        bytes.insert(bytes.end(), data, data + sizeof p);
    }
    void putText(const char* data, size_t length)
    {
        putVarint(length);
        bytes.insert(bytes.end(), data, data + length);
    }

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
