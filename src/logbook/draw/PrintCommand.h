#pragma once

#include "logbook/Plongee.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class Localizer;
class SettingsStore;

// The command line's "print FILE --pdf OUT" on a logbook: prints the dive list, as
// the list window shows it with the settings in force, to a PDF with the
// logbook's page settings. The output file is written atomically and only
// when everything succeeded.
class PrintCommand {
public:
    // The arguments after the command's name; exit status 0 done, 1 input
    // refused, 2 usage error.
    static int run(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err);

    // The PDF of a document's list, or empty with the refusal said.
    using ListPdf = std::function<QByteArray(const QString& file, QString* refusal)>;
    // "print FILE --pdf OUT" for any document whose list `make` prints:
    // parses the arguments, then writes the PDF atomically.
    static int runWith(const QStringList& args, QByteArray& err, const ListPdf& make);

    // The PDF of a list of dives on A4 paper, with the columns, texts and
    // colours the settings give; empty when it could not be made.
    static QByteArray pdf(const QList<Plongee>& dives, const SettingsStore& settings, const Localizer& localizer,
                          const QString& title);
};
