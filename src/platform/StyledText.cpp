#include "platform/StyledText.h"

#include <algorithm>
#include <cmath>
#include <QStringList>

void StyledText::append(const QString& text, const Style& style)
{
    if (text.isEmpty())
        return;
    if (!m_runs.isEmpty() && m_runs.last().style == style)
        m_runs.last().text += text;
    else
        m_runs.append(Run{text, style});
}

void StyledText::append(const StyledText& other)
{
    for (const Run& run : other.m_runs)
        append(run.text, run.style);
}

QString StyledText::plainText() const
{
    QString text;
    for (const Run& run : m_runs)
        text += run.text;
    return text;
}

namespace {

QString cssColour(const RgbaColour& colour)
{
    const auto byte = [](double component) { return int(std::lround(std::clamp(component, 0.0, 1.0) * 255.0)); };
    return QStringLiteral("#%1%2%3")
        .arg(byte(colour.red), 2, 16, QLatin1Char('0'))
        .arg(byte(colour.green), 2, 16, QLatin1Char('0'))
        .arg(byte(colour.blue), 2, 16, QLatin1Char('0'));
}

QString css(const StyledText::Style& style)
{
    QStringList parts;
    if (style.colour)
        parts << QStringLiteral("color:") + cssColour(*style.colour);
    if (style.underline)
        parts << QStringLiteral("text-decoration:underline");
    if (style.bold)
        parts << QStringLiteral("font-weight:bold");
    return parts.join(u';');
}

} // namespace

QString StyledText::html(const QString& title) const
{
    QString body;
    for (const Run& run : m_runs) {
        const QString text = run.text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br/>\n"));
        const QString style = css(run.style);
        body += style.isEmpty() ? text : QStringLiteral("<span style=\"%1\">%2</span>").arg(style, text);
    }
    return QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"/><title>%1</title></head>\n"
                          "<body style=\"font-family:sans-serif\">\n%2</body></html>\n")
        .arg(title.toHtmlEscaped(), body);
}
