#pragma once

#include <QByteArray>

class QIODevice;

// The exchange formats the logbook imports, told apart by their content.
enum class ExchangeFormat {
    Unknown,
    UddfLegacy, // UDDF 1.x and 2.x: date/time elements per dive
    Uddf3,      // UDDF 3.x, with or without a namespace prefix
    Udcf,       // a `profile` root with a `udcf` attribute, in either case
    Handheld,   // any other root holding `repgroup` / `dive` elements
};

// Recognises an exchange file from its first bytes, without consuming them.
class ExchangeSniffer {
public:
    // How much of the file's start is looked at.
    static constexpr qint64 kPeekBytes = 64 * 1024;

    static ExchangeFormat sniff(QIODevice& device);
    // The same from a file's first bytes (only the first kPeekBytes count).
    static ExchangeFormat sniff(const QByteArray& start);

    // The UDDF layout a root element announces by its version attribute
    // ("3.2.0") and namespace ("http://www.streit.cc/uddf/3.2/"). The
    // version decides when it has a major number; files without one are
    // 3.x when their namespace says so, else of the older layout.
    static ExchangeFormat uddfLayout(const QByteArray& version, const QByteArray& namespaceUri);
};
