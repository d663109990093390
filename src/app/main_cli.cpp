#include "app/cli/Cli.h"
#include "app/cli/PaintingCommands.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

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

    std::unique_ptr<QCoreApplication> app;
    QHash<QString, Cli::Command> painting;
    if (paintingcommands::names().contains(Cli::commandOf(args))) {
        QString why;
        const paintingcommands::Module* module = paintingcommands::load(&why);
        if (!module) {
            std::fprintf(stderr, "ondrix-cli: the painting commands cannot be loaded: %s\n", qPrintable(why));
            return 1;
        }
        app = module->application(argc, argv);
        painting = module->commands();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QByteArray out, err;
    const int status = Cli::run(args, out, err, painting);
    std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    std::fwrite(err.constData(), 1, size_t(err.size()), stderr);
    return status;
}
