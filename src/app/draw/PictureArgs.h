#pragma once

#include "app/cli/CliSession.h"

#include <QStringList>
#include <optional>

// The arguments of a command that draws a picture: its positional
// arguments, exactly one of "--png OUT" or "--pdf OUT", and the switches
// the command allows.
struct PictureArgs {
    QStringList positional;
    QString outPath;
    bool pdf = false;
    QStringList switches; // those given

    // Nothing, after the usage message, when an option is unknown, the
    // output is missing or given twice, or the count of positional
    // arguments is not `positionalCount`.
    static std::optional<PictureArgs> parse(cli::Io& io, const QStringList& args, const QString& command,
                                            const QString& synopsis, qsizetype positionalCount,
                                            const QStringList& allowedSwitches = {});
};
