#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The command line's exchange commands. Each takes the arguments after its
// name and the --settings path (empty for the user's own store), writes to
// out and err, and returns the exit status (0 done, 1 refused, 2 usage).
//
//   import LOGBOOK FILE...   appends the dives of each file, whose format is
//                            told from its content; one line per file,
//                            "imported N dives from FILE". A refused file
//                            changes nothing: the logbook is saved, in one
//                            step, only when every file was imported.
//   export LOGBOOK TYPE OUT  writes a copy of the logbook under a save type
//                            named by its type name; the logbook file is
//                            not touched.
int runImportCommand(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err);
int runExportCommand(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err);
