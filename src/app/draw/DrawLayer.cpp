#include "app/draw/DrawLayer.h"

namespace drawlayer {

QHash<QString, Cli::Command> commands()
{
    QHash<QString, Cli::Command> all;
    return all;
}

} // namespace drawlayer
