#include "app/cli/Cli.h"
#include "app/draw/DrawLayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    // Without TZ, the C library looks at /etc/localtime again at every
    // local time it makes (a stat each time: thousands in an import). A run
    // of the command line is short: the zone it starts in is the zone.
    if (qEnvironmentVariableIsEmpty("TZ") && ::access("/etc/localtime", R_OK) == 0)
        qputenv("TZ", ":/etc/localtime");
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const QHash<QString, Cli::Command> painting = drawlayer::commands();

    // Painting needs fonts and images: a GUI application without a screen.
    std::unique_ptr<QCoreApplication> app;
    if (painting.contains(Cli::commandOf(args))) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Without a session (a script, a cron job) Qt warns on stderr that
        // it has no runtime folder; give it a private one.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QByteArray runtime = QDir::tempPath().toLocal8Bit() + "/ondrix-runtime-" + QByteArray::number(getuid());
            if (::mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST)
                qputenv("XDG_RUNTIME_DIR", runtime);
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QByteArray out, err;
    const int status = Cli::run(args, out, err, painting);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fwrite(err.constData(), 1, size_t(err.size()), stderr);
    return status;
}
