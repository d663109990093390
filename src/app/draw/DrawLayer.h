#pragma once

#include "app/cli/Cli.h"

// Commands of the command line that paint (profile pictures, printed PDFs).
// They need Qt Gui, which the headless core does not link, so the program
// hands them to the command line at start.
namespace drawlayer {

// Every painting command by name.
QHash<QString, Cli::Command> commands();

} // namespace drawlayer
