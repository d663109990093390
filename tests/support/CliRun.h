#pragma once

#include "app/cli/Cli.h"

#include <QByteArray>
#include <QStringList>

// What a run of the command line gave: its exit status and both streams.
struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the command line in this process with the arguments after the
// program's name.
inline CliRun runCli(const QStringList& args)
{
    CliRun r;
    r.status = Cli::run(args, r.out, r.err);
    return r;
}

// The same with a settings file of the test's own, so that no run reads or
// writes the diver's settings.
inline CliRun runCli(const QString& settings, QStringList args)
{
    args.prepend(settings);
    args.prepend(QStringLiteral("--settings"));
    return runCli(args);
}
