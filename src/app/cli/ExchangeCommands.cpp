#include "app/cli/ExchangeCommands.h"

#include "platform/context/AppContext.h"
#include "app/cli/CliSession.h"
#include "exchange/ExchangeRegistry.h"
#include "exchange/FileImport.h"
#include "logbook/Carnet.h"
#include "platform/SafeSave.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {

using namespace cli;

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo x(a), y(b);
    if (x.exists() && y.exists())
        return x.canonicalFilePath() == y.canonicalFilePath();
    return x.absoluteFilePath() == y.absoluteFilePath();
}

} // namespace

int runImportCommand(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err)
{
    Io io{out, err};
    if (args.size() < 2)
        return io.usage(QStringLiteral("import takes LOGBOOK FILE..."));
    const QString& logbook = args[0];
    LogbookSession session(io, settingsPath);
    if (!session.openForWriting(logbook))
        return kRefused;
    QByteArray lines;
    int imported = 0;
    for (const QString& path : args.mid(1)) {
        QFile file(path);
        if (QFileInfo(path).isDir())
            return io.refuse(path, QStringLiteral("is a folder, not a file"));
        if (!file.open(QIODevice::ReadOnly))
            return io.refuse(path, file.errorString());
        // A file of no known format still goes through the UDDF reader,
        // which tells what is wrong with it.
        const fileimport::Outcome outcome = fileimport::importDevice(session.carnet(), file);
        if (!outcome.ok)
            return io.refuse(path, outcome.format != ExchangeFormat::Unknown
                                       ? outcome.error
                                       : QStringLiteral("not a UDDF file: ") + outcome.error);
        if (outcome.dives == 0)
            return io.refuse(path, QStringLiteral("the file holds no dive that can be read"));
        imported += outcome.dives;
        lines.append(QStringLiteral("imported %1 dives from %2\n").arg(outcome.dives).arg(path).toUtf8());
        if (outcome.placeholders > 0)
            err.append(QStringLiteral("ondrix-cli: %1: %2 empty dive elements skipped\n")
                           .arg(path)
                           .arg(outcome.placeholders)
                           .toUtf8());
    }
    if (imported > 0) {
        if (const int status = session.save(); status != kDone)
            return status;
    }
    out.append(lines);
    return kDone;
}

int runExportCommand(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err)
{
    Io io{out, err};
    if (args.size() != 3)
        return io.usage(QStringLiteral("export takes LOGBOOK TYPE OUT"));
    const QString& logbook = args[0];
    const QString& type = args[1];
    const QString& target = args[2];
    if (!ExchangeRegistry::exports(type))
        return io.usage(QStringLiteral("\"%1\" is not an export type of the logbook").arg(type));
    if (sameFile(logbook, target))
        return io.refuse(target, QStringLiteral("is the logbook itself; an export writes a copy elsewhere"));
    LogbookSession session(io, settingsPath);
    if (!session.open(logbook))
        return kRefused;
    auto written = ExchangeRegistry(session.context()).exportDives(type, session.carnet().dives());
    if (!written)
        return io.refuse(logbook, written.error());
    for (const QString& line : written->report)
        err.append(QStringLiteral("ondrix-cli: %1: warning: %2\n").arg(logbook, line).toUtf8());
    return io.saved(target, saveFileAtomically(target, written->bytes));
}
