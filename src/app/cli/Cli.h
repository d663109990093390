#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <functional>

// The headless command line. Runs one command with its arguments (without
// the program name) and returns the exit status: 0 done, 1 input refused,
// 2 usage error. Output goes to out (stdout), messages to err (stderr).
class Cli {
public:
    // A command supplied by another layer (the painting ones): it gets the
    // arguments after its name and the --settings path (empty for none).
    using Command = std::function<int(const QStringList& args, const QString& settingsPath, QByteArray& out,
                                      QByteArray& err)>;

    static int run(const QStringList& args, QByteArray& out, QByteArray& err,
                   const QHash<QString, Command>& extra = {});
    // The command named by the arguments (after the options), or empty.
    static QString commandOf(const QStringList& args);
    static QString helpText();
};
