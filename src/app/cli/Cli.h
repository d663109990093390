#pragma once

#include <QByteArray>
#include <QStringList>

// The headless command line. Runs one command with its arguments (without
// the program name) and returns the exit status: 0 done, 1 input refused,
// 2 usage error. Output goes to out (stdout), messages to err (stderr).
class Cli {
public:
    static int run(const QStringList& args, QByteArray& out, QByteArray& err);
    static QString helpText();
};
