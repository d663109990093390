#include "app/draw/DrawLayer.h"

#include "logbook/draw/PrintCommand.h"
#include "app/draw/ProfileCommand.h"
#include "app/draw/StatsDrawCommands.h"

namespace drawlayer {

QHash<QString, Cli::Command> commands()
{
    QHash<QString, Cli::Command> all;
    all.insert(QStringLiteral("profile"), &ProfileCommand::run);
    all.insert(QStringLiteral("print"), &PrintCommand::run);
    all.insert(QStringLiteral("report"), &statsdraw::report);
    all.insert(QStringLiteral("graph"), &statsdraw::graph);
    return all;
}

} // namespace drawlayer
