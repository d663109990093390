#include "app/draw/DrawLayer.h"

#include "app/cli/RegisterCommands.h"
#include "app/draw/ProfileCommand.h"
#include "app/draw/ReportCommand.h"
#include "app/draw/StatsDrawCommands.h"
#include "logbook/draw/PrintCommand.h"
#include "platform/Localizer.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"
#include "platform/context/AppContext.h"
#include "registers/RegisterDocument.h"
#include "registers/draw/RegisterListPrinter.h"

#include <QFileInfo>

namespace drawlayer {

namespace {

// A register's list as its list window prints it.
QByteArray registerListPdf(const registers::RegisterDescription& reg, const QString& file,
                           const QString& settingsPath, QString* refusal)
{
    ScriptedAlerts alerts;
    auto settings = settingsPath.isEmpty() ? SettingsStore::userStore() : std::make_unique<SettingsStore>(settingsPath);
    AppContext context(std::move(settings), alerts, Localizer::languageFromEnvironment());
    RegisterDocument document(context, reg);
    if (!document.openFile(file, refusal))
        return QByteArray();
    const QByteArray bytes = registerlistprinter::pdf(reg, document.records(), context.localizer(),
                                                      QFileInfo(file).completeBaseName());
    if (bytes.isEmpty())
        *refusal = QStringLiteral("the list could not be printed");
    return bytes;
}

// "print": the list of whatever document the file holds.
int print(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err)
{
    for (const QString& a : args) {
        if (a.startsWith(u"--"))
            break;
        if (const registers::RegisterDescription* reg = cli::registerOfFile(a))
            return PrintCommand::runWith(args, err, [&](const QString& file, QString* refusal) {
                return registerListPdf(*reg, file, settingsPath, refusal);
            });
        break;
    }
    return PrintCommand::run(args, settingsPath, out, err);
}

} // namespace

QHash<QString, Cli::Command> commands()
{
    QHash<QString, Cli::Command> all;
    all.insert(QStringLiteral("profile"), &ProfileCommand::run);
    all.insert(QStringLiteral("print"), &print);
    all.insert(QStringLiteral("report"), &ReportCommand::run);
    all.insert(QStringLiteral("graph"), &statsdraw::graph);
    return all;
}

} // namespace drawlayer
