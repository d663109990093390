#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>

// The values that generated records of a register take in one field (see
// registergenerator). A field without them takes values of its kind and
// form control: a pop-up one of its items, a switch on or off, a slider a
// value from 1 up, a date a day of the years 1995 to 2025.
namespace registers {

struct SampleValues {
    int field;
    QStringList texts = {};  // a text field: one of these
    double low = 0;          // a number field: from low to high, a multiple of step;
    double high = 0;         // a date field or a day text: a day of a year from low to high
    double step = 1;
    int group = 0;           // texts of the fields of one group (not 0) are taken at the same row
    bool dayText = false;    // a text field holding a day as typed, "DD/MM/YYYY"
    int above = -1;          // a number field: this field's value plus low to high; a day
                             // text: low to high years after this field's day
};

// A list of texts written in UTF-8: sample values, keys of pop-up items.
inline QStringList textsOf(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

} // namespace registers
