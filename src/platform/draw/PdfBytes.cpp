#include "platform/draw/PdfBytes.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

QByteArray pdfBytes(const QString& title, const std::function<bool(QPdfWriter&)>& write)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return {};
    bool written = false;
    {
        // The writer finishes the file when it goes.
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Ondrix"));
        writer.setTitle(title);
        writer.setPageSize(QPageSize(QPageSize::A4));
        written = write(writer);
    }
    return written ? bytes : QByteArray();
}
