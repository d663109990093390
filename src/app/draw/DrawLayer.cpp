#include "app/draw/DrawLayer.h"

#include "logbook/draw/PrintCommand.h"
#include "app/draw/ProfileCommand.h"
#include "app/draw/StatsDrawCommands.h"
#include "app/draw/ReportCommand.h"

namespace drawlayer {

QHash<QString, Cli::Command> commands()
{
    QHash<QString, Cli::Command> all;
    all.insert(QStringLiteral("profile"), &ProfileCommand::run);
    all.insert(QStringLiteral("print"), &PrintCommand::run);
    all.insert(QStringLiteral("report"), &ReportCommand::run);
    all.insert(QStringLiteral("graph"), &statsdraw::graph);
    return all;
}

} // namespace drawlayer
