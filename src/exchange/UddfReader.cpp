#include "exchange/UddfReader.h"

#include "exchange/ExchangeSniffer.h"
#include "exchange/LegacyUddfReader.h"
#include "exchange/Uddf3Reader.h"
#include "exchange/XmlPullReader.h"

UddfReader::UddfReader(ImportProgress progress) : m_progress(std::move(progress)) {}

Result<QList<ImportedDive>> UddfReader::read(QIODevice& device, ImportSink* sink)
{
    m_cancelled = false;
    m_placeholders = 0;
    m_taken = 0;
    m_readAgain = false;
    XmlPullReader xml(device, m_progress);
    XmlPullReader::Event event;
    do
        event = xml.next();
    while (event == XmlPullReader::Event::Text);

    Result<QList<ImportedDive>> result = Result<QList<ImportedDive>>::failure(QString());
    if (event != XmlPullReader::Event::StartElement) {
        if (xml.error().isEmpty())
            xml.failAt(1, 1, QStringLiteral("the file holds no XML element"));
    } else if (qstrcmp(xml.localName(), "uddf") != 0) {
        xml.fail(QStringLiteral("the file is no UDDF file: its root element is <%1>, not <uddf>")
                     .arg(QString::fromUtf8(xml.localName())));
    } else {
        QByteArray version;
        xml.attribute("version", &version);
        if (ExchangeSniffer::uddfLayout(version, xml.namespaceUri()) == ExchangeFormat::Uddf3) {
            Uddf3Reader reader(xml, sink);
            result = reader.read();
            m_placeholders = reader.placeholders();
            m_taken = reader.taken();
            m_readAgain = reader.readAgain();
        } else
            result = LegacyUddfReader(xml).read();
    }
    m_cancelled = xml.cancelled();
    if (!xml.error().isEmpty())
        return Result<QList<ImportedDive>>::failure(xml.error());
    return result;
}
