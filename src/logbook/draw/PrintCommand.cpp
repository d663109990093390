#include "logbook/draw/PrintCommand.h"

#include "platform/context/AppContext.h"
#include "logbook/Carnet.h"
#include "logbook/DiveList.h"
#include "logbook/draw/ListPrinter.h"
#include "platform/SafeSave.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>

#include <memory>

namespace {

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

int refuse(QByteArray& err, const QString& file, const QString& reason)
{
    err.append(QStringLiteral("ondrix-cli: %1: %2\n").arg(file, reason).toUtf8());
    return kRefused;
}

int usage(QByteArray& err, const QString& message)
{
    err.append(QStringLiteral("ondrix-cli: %1\nTry 'ondrix-cli --help'.\n").arg(message).toUtf8());
    return kUsage;
}

} // namespace

QByteArray PrintCommand::pdf(const QList<Plongee>& dives, const SettingsStore& settings, const Localizer& localizer,
                             const QString& title)
{
    const DiveListFormatter formatter(settings, localizer);
    const QList<int> shown = divelist::visibleColumns(settings);

    return TablePrinter::pdf(ListPrinter::kPageSettings, title, [&](QPagedPaintDevice& device) {
        ListPrinter printer(dives, formatter, ListPrinter::fittedColumns(shown, dives, formatter));
        printer.setTitle(title);
        return printer.print(device);
    });
}

int PrintCommand::run(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err)
{
    Q_UNUSED(out);
    return runWith(args, err, [&](const QString& logbook, QString* refusal) {
        // The logbook with the settings in force; alerts are answered with
        // their first button and reported.
        ScriptedAlerts alerts;
        alerts.setLog([&err](const QString& line) { err.append((line + u'\n').toUtf8()); });
        auto settings =
            settingsPath.isEmpty() ? SettingsStore::userStore() : std::make_unique<SettingsStore>(settingsPath);
        AppContext context(std::move(settings), alerts, Localizer::languageFromEnvironment());
        Carnet carnet(context);
        if (!carnet.openFile(logbook, refusal))
            return QByteArray();
        const QByteArray bytes =
            pdf(carnet.dives(), context.settings(), context.localizer(), QFileInfo(logbook).completeBaseName());
        if (bytes.isEmpty())
            *refusal = QStringLiteral("the list could not be printed");
        return bytes;
    });
}

int PrintCommand::runWith(const QStringList& args, QByteArray& err, const ListPdf& make)
{
    const QString synopsis = QStringLiteral("print takes FILE --pdf OUT");
    QStringList positional;
    QString outPath;
    bool pdfGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--pdf") {
            if (pdfGiven || i + 1 >= args.size())
                return usage(err, synopsis);
            pdfGiven = true;
            outPath = args[++i];
        } else if (a.startsWith(u"--")) {
            return usage(err, QStringLiteral("print: unknown option \"%1\"").arg(a));
        } else {
            positional.append(a);
        }
    }
    if (positional.size() != 1 || !pdfGiven || outPath.isEmpty())
        return usage(err, synopsis);
    const QString& file = positional[0];
    QString refusal;
    const QByteArray bytes = make(file, &refusal);
    if (bytes.isEmpty())
        return refuse(err, file, refusal);
    const SaveResult saved = saveFileAtomically(outPath, bytes);
    if (!saved.ok)
        return refuse(err, outPath, saved.error);
    if (!saved.durable)
        err.append(QStringLiteral("ondrix-cli: %1: warning: %2\n").arg(outPath, saved.error).toUtf8());
    return kDone;
}
