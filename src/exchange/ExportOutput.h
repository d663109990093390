#pragma once

#include <QByteArray>
#include <QStringList>

// What an export gives: the file's bytes, and one line for each value it
// refused to write (a gas that cannot be, a dive without a date), so that
// the diver is told instead of finding a silently changed value.
struct ExportOutput {
    QByteArray bytes;
    QStringList report;
};
