#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The command line's "report FILE [--text | --html OUT | --pdf OUT]" on a
// register: the synthesis of every record, as the synthesis window shows it,
// written as plain text on stdout, as an HTML page or as a portrait PDF
// (HTML and PDF saved atomically).
class ReportCommand {
public:
    // The arguments after the command's name; exit status 0 done, 1 input
    // refused, 2 usage error.
    static int run(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err);
};
