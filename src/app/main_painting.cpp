// The module of the command line's painting commands (see PaintingCommands.h).
#include "app/cli/PaintingCommands.h"
#include "app/draw/DrawLayer.h"

#include <QDir>
#include <QGuiApplication>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Painting needs fonts and images: a GUI application without a screen.
std::unique_ptr<QCoreApplication> application(int& argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session (a script, a cron job) Qt warns on stderr that it
    // has no runtime folder; give it a private one.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = QDir::tempPath().toLocal8Bit() + "/ondrix-runtime-" + QByteArray::number(getuid());
        if (::mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST)
            qputenv("XDG_RUNTIME_DIR", runtime);
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

constexpr paintingcommands::Module kModule{&drawlayer::commands, &application};

} // namespace

extern "C" Q_DECL_EXPORT const paintingcommands::Module* ondrix_painting_module() { return &kModule; }
