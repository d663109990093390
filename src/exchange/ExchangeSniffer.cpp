#include "exchange/ExchangeSniffer.h"

#include "exchange/XmlPullReader.h"

#include <QBuffer>
#include <QIODevice>

ExchangeFormat ExchangeSniffer::sniff(QIODevice& device)
{
    return sniff(device.peek(kPeekBytes));
}

ExchangeFormat ExchangeSniffer::sniff(const QByteArray& start)
{
    QByteArray bytes = start.left(kPeekBytes);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    XmlPullReader xml(buffer);
    // The first element is enough; the document may be cut short after it.
    for (;;) {
        switch (xml.next()) {
        case XmlPullReader::Event::StartElement: {
            if (qstrcmp(xml.localName(), "uddf") != 0)
                return ExchangeFormat::Unknown;
            QByteArray version;
            xml.attribute("version", &version);
            return uddfLayout(version, xml.namespaceUri());
        }
        case XmlPullReader::Event::Text: continue;
        default: return ExchangeFormat::Unknown;
        }
    }
}

ExchangeFormat ExchangeSniffer::uddfLayout(const QByteArray& version, const QByteArray& namespaceUri)
{
    const QByteArray v = version.trimmed();
    if (!v.isEmpty() && v[0] >= '0' && v[0] <= '9') {
        qsizetype end = 0;
        while (end < v.size() && v[end] >= '0' && v[end] <= '9')
            ++end;
        return v.left(end).toInt() >= 3 ? ExchangeFormat::Uddf3 : ExchangeFormat::UddfLegacy;
    }
    return namespaceUri.contains("/uddf/3") ? ExchangeFormat::Uddf3 : ExchangeFormat::UddfLegacy;
}
