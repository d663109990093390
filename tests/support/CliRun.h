#pragma once

#include "app/cli/Cli.h"

#include <QByteArray>
#include <QProcess>
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

// The same through the whole program in a process of its own, for the
// commands that paint or that a test needs as a separate run.
inline CliRun runProgram(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(ONDRIX_CLI_PATH), args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

inline CliRun runProgram(const QString& settings, QStringList args)
{
    args.prepend(settings);
    args.prepend(QStringLiteral("--settings"));
    return runProgram(args);
}
