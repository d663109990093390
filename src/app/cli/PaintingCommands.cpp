#include "app/cli/PaintingCommands.h"

#include <QFileInfo>
#include <QLibrary>

namespace paintingcommands {

const QStringList& names()
{
    static const QStringList all = {QStringLiteral("profile"), QStringLiteral("print"), QStringLiteral("report"),
                                    QStringLiteral("graph")};
    return all;
}

const Module* load(QString* error)
{
    // Beside the program, whatever folder it is started from.
    const QString folder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    QLibrary library(folder + QStringLiteral("/ondrix-painting.so"));
    // Loaded for the rest of the run: its commands and application live in it.
    library.setLoadHints(QLibrary::PreventUnloadHint);
    const auto entry = reinterpret_cast<EntryPoint>(library.resolve(kEntryPoint));
    if (!entry) {
        *error = library.errorString();
        return nullptr;
    }
    return entry();
}

} // namespace paintingcommands
