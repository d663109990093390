#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>
#include <type_traits>

// Appends JSON text to a byte buffer. Unlike QJsonDocument it prints floats in
// their shortest form (a float 12.4 prints 12.4, not 12.399999618530273)
// and streams large documents without building a tree.
class JsonWriter {
public:
    explicit JsonWriter(QByteArray& out) : m_out(out) {}

    void raw(const char* text) { m_out.append(text); }
    void key(QStringView name);
    // A plain ASCII name that needs no escaping (field names).
    void key(const char* asciiName);
    void string(QStringView text);
    void null() { m_out.append("null"); }
    void integer(qint64 value) { m_out.append(QByteArray::number(value)); }
    // Not-a-number and infinities have no JSON form: they print null.
    void number(float value);
    void number(double value);
    void separator() { m_out.append(','); }

    // An array of numbers, or null when there is none: whole numbers as
    // integers, floating ones in their shortest form.
    template <typename List> void numbers(const std::optional<List>& values)
    {
        if (!values) {
            null();
            return;
        }
        raw("[");
        for (qsizetype i = 0; i < values->size(); ++i) {
            if (i > 0)
                separator();
            if constexpr (std::is_floating_point_v<typename List::value_type>)
                number((*values)[i]);
            else
                integer((*values)[i]);
        }
        raw("]");
    }

private:
    QByteArray& m_out;
};
