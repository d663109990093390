#pragma once

#include <QList>
#include <QString>

// An input control of a calculator window, named as its controller's field.
// A text field takes any text (read as its leading number, 0 when there is
// none). A choice control (pop-up menu, option matrix, tab view) takes the
// text that names its selected item: an item index, a cell tag or a tab
// identifier, as its items say; empty text means its default selection.
struct CalculatorField {
    enum class Kind { Text, Choice };

    struct Item {
        QString value; // what is typed to select it
        QString title; // what the control shows
    };

    QString name;
    Kind kind = Kind::Text;
    QList<Item> items;
    QString defaultValue; // for a choice: the value of an empty text

    static CalculatorField text(const QString& name);
    static CalculatorField choice(const QString& name, QList<Item> items, const QString& defaultValue);

    // The value a typed text stands for: the text itself for a text field;
    // for a choice the item's value, the default for an empty text, or
    // nothing when no item has that value.
    bool accepts(const QString& typed) const;
    QString valueOf(const QString& typed) const;
};
