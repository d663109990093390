#include "platform/draw/StyledTextDocument.h"
#include "platform/draw/PdfBytes.h"

#include <QColor>
#include <QFont>
#include <QPdfWriter>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace styledtext {

namespace {

QTextCharFormat formatOf(const StyledText::Style& style, const QFont& font)
{
    QTextCharFormat format;
    format.setFont(font);
    if (style.colour)
        format.setForeground(QColor::fromRgbF(float(style.colour->red), float(style.colour->green),
                                              float(style.colour->blue), float(style.colour->alpha)));
    format.setFontUnderline(style.underline);
    format.setFontWeight(style.bold ? QFont::Bold : font.weight());
    return format;
}

} // namespace

void fill(QTextDocument& document, const StyledText& text, const QFont& font)
{
    document.clear();
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (const StyledText::Run& run : text.runs()) {
        const QTextCharFormat format = formatOf(run.style, font);
        const QStringList lines = run.text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                cursor.insertBlock();
            if (!lines[i].isEmpty())
                cursor.insertText(lines[i], format);
        }
    }
    cursor.endEditBlock();
}

QByteArray pdf(const StyledText& text, QPageLayout::Orientation orientation, const QMarginsF& marginsMm,
               const QString& title)
{
    const QByteArray bytes = pdfBytes(title, [&](QPdfWriter& writer) {
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation, marginsMm, QPageLayout::Millimeter));
        QTextDocument document;
        fill(document, text, QFont(QStringLiteral("Helvetica"), 10));
        document.print(&writer);
        return true;
    });
    return bytes.startsWith("%PDF") ? bytes : QByteArray();
}

} // namespace styledtext
