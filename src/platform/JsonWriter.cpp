#include "platform/JsonWriter.h"

#include "platform/NumberText.h"

#include <cmath>

void JsonWriter::key(QStringView name)
{
    string(name);
    m_out.append(':');
}

void JsonWriter::key(const char* asciiName)
{
    m_out.append('"');
    m_out.append(asciiName);
    m_out.append("\":");
}

void JsonWriter::string(QStringView text)
{
    m_out.append('"');
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '"': m_out.append("\\\""); break;
        case '\\': m_out.append("\\\\"); break;
        case '\n': m_out.append("\\n"); break;
        case '\r': m_out.append("\\r"); break;
        case '\t': m_out.append("\\t"); break;
        case '\b': m_out.append("\\b"); break;
        case '\f': m_out.append("\\f"); break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(static_cast<unsigned char>(c)));
                m_out.append(buf);
            } else {
                m_out.append(c);
            }
        }
    }
    m_out.append('"');
}

void JsonWriter::number(float value)
{
    if (!std::isfinite(value))
        null();
    else
        m_out.append(numbertext::shortestUtf8(value));
}

void JsonWriter::number(double value)
{
    if (!std::isfinite(value))
        null();
    else
        m_out.append(numbertext::shortestUtf8(value));
}
