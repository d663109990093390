#pragma once

#include <QString>
#include <QStringList>

// A modal question to the user: the message, the titles of its buttons in
// order, and whether the system alert sounds first. `key` and `table` name
// the localised text the message came from.
struct Alert {
    QString key;
    QString table;
    QString message;
    QStringList buttons;
    bool beep = true;
    // The button that Return presses; a destructive question defaults to
    // its last button (Cancel).
    int defaultButton = 0;
};
