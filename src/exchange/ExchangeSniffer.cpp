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
    XmlPullReader xml(buffer, {}, Reading::WhenAsked);
    // The root element tells UDDF and UDCF; the document may be cut short
    // after it. A handheld logbook shows by a `dive` in a `repgroup` within
    // the bytes looked at.
    bool root = false;
    int repgroupDepth = -1;
    for (;;) {
        switch (xml.next()) {
        case XmlPullReader::Event::StartElement: {
            const char* name = xml.localName();
            if (!root) {
                root = true;
                if (qstrcmp(name, "uddf") == 0) {
                    QByteArray version;
                    xml.attribute("version", &version);
                    return uddfLayout(version, xml.namespaceUri());
                }
                QByteArray flag;
                if (qstricmp(name, "profile") == 0 && (xml.attribute("udcf", &flag) || xml.attribute("UDCF", &flag)))
                    return ExchangeFormat::Udcf;
            } else if (qstricmp(name, "repgroup") == 0) {
                repgroupDepth = xml.depth();
            } else if (repgroupDepth >= 0 && xml.depth() == repgroupDepth + 1 && qstricmp(name, "dive") == 0) {
                return ExchangeFormat::Handheld;
            }
            continue;
        }
        case XmlPullReader::Event::EndElement:
            if (xml.depth() <= repgroupDepth)
                repgroupDepth = -1;
            continue;
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
