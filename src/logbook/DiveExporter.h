#pragma once

#include "logbook/Plongee.h"
#include "platform/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Writes a logbook's dives under one of its export save types. The logbook
// is handed one by whoever opens it (the shell, the command line); without
// one it saves only its own archive.
class DiveExporter {
public:
    virtual ~DiveExporter() = default;

    // The export type names, in the order a save panel offers them.
    virtual const QStringList& typeNames() const = 0;
    // The file's bytes for a type; `report` gets one line for each value
    // that could not be written as it is.
    virtual Result<QByteArray> write(const QString& type, const QList<Plongee>& dives, QStringList* report) const = 0;
};
