#pragma once

#include "app/cli/Cli.h"

#include <QCoreApplication>
#include <memory>

// The painting commands of the command line (profile pictures, printed
// PDFs, graphs) need Qt Gui and all it loads: fonts, images, the platform
// plugins. They live in a module of their own, which the program loads only
// for a run that paints, so that every other command starts without them.
namespace paintingcommands {

// What the module gives.
struct Module {
    QHash<QString, Cli::Command> (*commands)();
    // The application its commands run in: a GUI application without a
    // screen.
    std::unique_ptr<QCoreApplication> (*application)(int& argc, char** argv);
};

// The module's entry point, by that name: a function returning its Module.
inline constexpr char kEntryPoint[] = "ondrix_painting_module";
using EntryPoint = const Module* (*)();

// The painting commands, by name.
const QStringList& names();
// The module, from beside the program; null, with the reason, when it
// cannot be loaded.
const Module* load(QString* error);

} // namespace paintingcommands
