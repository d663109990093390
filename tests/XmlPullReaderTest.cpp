// The events of the pull reader, whose parser runs ahead on its own thread:
// what each document gives, in order, with names, texts, attributes and
// places, however far the parser has gone when the reader asks.
#include "exchange/XmlPullReader.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <thread>

namespace {

// The events of a document as one line: <name@depth attr=value>, 'text',
// </name>, with the place of the tags asked for ("<name:line.column").
QString events(const QByteArray& document, const QList<QByteArray>& placed = {}, const char* attribute = "a")
{
    QByteArray bytes = document;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    XmlPullReader xml(buffer);
    QString out;
    for (;;) {
        switch (xml.next()) {
        case XmlPullReader::Event::StartElement: {
            out += QStringLiteral("<%1@%2").arg(QString::fromUtf8(xml.localName())).arg(xml.depth());
            QByteArray value;
            if (xml.attribute(attribute, &value)) {
                out += QStringLiteral(" %1=%2").arg(QLatin1String(attribute), QString::fromUtf8(value));
                EXPECT_EQ(xml.plainAttribute(attribute), QByteArrayView(value));
            }
            if (xml.depth() == 0 && !xml.namespaceUri().isEmpty())
                out += QStringLiteral(" ns=") + QString::fromUtf8(xml.namespaceUri());
            out += QLatin1Char('>');
            break;
        }
        case XmlPullReader::Event::EndElement:
            out += QStringLiteral("</%1>").arg(QString::fromUtf8(xml.localName()));
            break;
        case XmlPullReader::Event::Text:
            out += QLatin1Char('\'') + QString::fromUtf8(xml.text()) + QLatin1Char('\'');
            break;
        case XmlPullReader::Event::EndOfDocument: return out;
        case XmlPullReader::Event::Failed: return out + QStringLiteral(" failed: ") + xml.error();
        }
        if (xml.localName() && placed.contains(xml.localName())) {
            int line = 0, column = 0;
            xml.elementPosition(&line, &column);
            out += QStringLiteral("[%1.%2]").arg(line).arg(column);
        }
    }
}

} // namespace

TEST(XmlPullReaderTest, EventsComeInOrderWithTheirNamesTextsAndAttributes)
{
    const struct {
        const char* name;
        QByteArray document;
        QString expected;
    } cases[] = {
        {"blanks between tags are left out", "<r>\n <a>1</a>\n <b/>\n</r>", "<r@0><a@1>'1'</a><b@1></b></r>"},
        {"an element of blanks keeps them", "<r><a>  </a><b>\n</b></r>", "<r@0><a@1>'  '</a><b@1>'\n'</b></r>"},
        {"texts beside tags stay whole", "<r>x <a/> y</r>", "<r@0>'x '<a@1></a>' y'</r>"},
        {"blanks after a tag go, beside a text too", "<r>x<a/> </r>", "<r@0>'x'<a@1></a></r>"},
        {"blanks between tags go where libxml2 keeps them too", "<r xml:space=\"preserve\"> <a/>\t<b> </b>\n</r>",
         "<r@0><a@1></a><b@1>' '</b></r>"},
        {"CDATA is a text; blanks after it go, as after a tag", "<r><c><![CDATA[<&>]]> </c><s>a<![CDATA[b]]> </s></r>",
         "<r@0><c@1>'<&>'</c><s@1>'a''b'' '</s></r>"},
        {"a warning is no failure", "<r xmlns=\"relative\"><a/></r>", "<r@0 ns=relative><a@1></a></r>"},
        {"a prefix is left out of the name", "<p:r xmlns:p=\"urn:p\"><p:a/></p:r>", "<r@0 ns=urn:p><a@1></a></r>"},
        {"the root's own namespace", "<r xmlns=\"urn:x\"><a/></r>", "<r@0 ns=urn:x><a@1></a></r>"},
        {"attributes, with references and empty", "<r a=\"1\"><s a=\"x&amp;&#65;\"/><t b=\"2\"/><u a=\"\"/></r>",
         "<r@0 a=1><s@1 a=x&A></s><t@1></t><u@1 a=></u></r>"},
        {"an attribute in a namespace is not one without",
         "<r xmlns:q=\"urn:q\"><s q:a=\"1\"/></r>", "<r@0><s@1></s></r>"},
        {"comments and instructions give nothing", "<?xml version=\"1.0\"?><!-- c --><r><?p x?><a/></r>",
         "<r@0><a@1></a></r>"},
        {"malformed XML fails with its place", "<r><a>1</b></r>",
         " failed: line 1, column 12: malformed XML: Opening and ending tag mismatch: a line 1 and b"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(events(c.document).toStdString(), c.expected.toStdString()) << c.name;
}

// A start tag, its end and its texts all place the start tag, wherever it
// stands on its line, with a prefix or not.
TEST(XmlPullReaderTest, TagsArePlacedByTheirStartTag)
{
    EXPECT_EQ(events("<r>\n  <a>x\n</a>  <p:a xmlns:p=\"u\"\n/>\n</r>", {"a"}).toStdString(),
              "<r@0><a@1>[2.3]'x\n'[2.3]</a>[2.3]<a@1>[3.7]</a>[3.7]</r>");
    // Tags of one name on one line each have their own column.
    EXPECT_EQ(events("<r>\n<a><ab/><a\tx=\"1\"><ab/></a></a></r>", {"a"}).toStdString(),
              "<r@0><a@1>[2.1]<ab@2></ab><a@2>[2.9]<ab@3></ab></a>[2.9]</a>[2.1]</r>");
    // Where the guard cannot see the tags (UTF-16) or sees other bytes than
    // the names (ISO-8859-1), a tag has libxml2's line and no column.
    const QString utf16 = QStringLiteral("<r>\n  <a/><b/></r>");
    EXPECT_EQ(events(QByteArray("\xff\xfe") + QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2),
                     {"a", "b"})
                  .toStdString(),
              "<r@0><a@1>[2.1]</a>[2.1]<b@1>[2.1]</b>[2.1]</r>");
    EXPECT_EQ(events("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r>\n  <\xe9/><a/></r>", {"a"}).toStdString(),
              "<r@0><\xc3\xa9@1></\xc3\xa9><a@1>[3.1]</a>[3.1]</r>");
}

// More names than have a short code, and names asked for before and after
// the parser met them: each name is one pointer.
TEST(XmlPullReaderTest, EveryNameIsOnePointerHoweverManyThereAre)
{
    QByteArray bytes = "<r>";
    for (int i = 0; i < 400; ++i)
        bytes += "<n" + QByteArray::number(i) + "/>";
    bytes += "<n399/></r>";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    XmlPullReader xml(buffer);
    const char* early = xml.intern("n390");
    ASSERT_EQ(xml.next(), XmlPullReader::Event::StartElement);
    std::this_thread::sleep_for(std::chrono::milliseconds(20)); // the parser meets every name
    for (int i = 0; i < 401; ++i) {
        ASSERT_EQ(xml.next(), XmlPullReader::Event::StartElement);
        const QByteArray name = "n" + QByteArray::number(std::min(i, 399));
        EXPECT_EQ(xml.localName(), xml.intern(name.constData())) << name.constData();
        EXPECT_STREQ(xml.localName(), name.constData());
        ASSERT_EQ(xml.next(), XmlPullReader::Event::EndElement);
    }
    EXPECT_EQ(xml.intern("n390"), early);
}

// A document of many batches: the reader takes its time at the first tag
// while the parser runs ahead, and every tag is still placed to the column.
TEST(XmlPullReaderTest, PlacesHoldWhileTheParserRunsFarAhead)
{
    QByteArray bytes = "<r>\n";
    const int kLines = 70000; // beyond the 65535 lines libxml2 counts itself
    for (int i = 0; i < kLines; ++i)
        bytes += "  <e a=\"" + QByteArray::number(i) + "\">" + QByteArray(i % 7 * 20, 'x') + "</e>\n";
    bytes += "</r>\n";
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    XmlPullReader xml(buffer);
    int starts = 0, texts = 0;
    for (XmlPullReader::Event e; (e = xml.next()) != XmlPullReader::Event::EndOfDocument;) {
        ASSERT_NE(e, XmlPullReader::Event::Failed) << qPrintable(xml.error());
        if (e == XmlPullReader::Event::Text)
            ++texts;
        if (e != XmlPullReader::Event::StartElement || xml.depth() != 1)
            continue;
        if (starts == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (starts % 997 == 0) {
            int line = 0, column = 0;
            xml.elementPosition(&line, &column);
            ASSERT_EQ(line, starts + 2) << starts;
            ASSERT_EQ(column, 3) << starts;
            QByteArray a;
            ASSERT_TRUE(xml.attribute("a", &a));
            ASSERT_EQ(a.toInt(), starts);
        }
        ++starts;
    }
    EXPECT_EQ(starts, kLines);
    EXPECT_EQ(texts, kLines - (kLines + 6) / 7);
}
