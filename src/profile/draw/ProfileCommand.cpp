#include "profile/draw/ProfileCommand.h"

#include "app/AppContext.h"
#include "logbook/Carnet.h"
#include "platform/SafeSave.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"
#include "profile/ProfileScene.h"
#include "profile/draw/ProfilePainter.h"

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

int ProfileCommand::run(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err)
{
    Q_UNUSED(out);
    const QString synopsis = QStringLiteral("profile takes LOGBOOK ROW (--png OUT | --pdf OUT)");
    QStringList positional;
    QString outPath;
    bool pdf = false;
    bool formatGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--png" || a == u"--pdf") {
            if (formatGiven || i + 1 >= args.size())
                return usage(err, synopsis);
            formatGiven = true;
            pdf = a == u"--pdf";
            outPath = args[++i];
        } else if (a.startsWith(u"--")) {
            return usage(err, QStringLiteral("profile: unknown option \"%1\"").arg(a));
        } else {
            positional.append(a);
        }
    }
    if (positional.size() != 2 || !formatGiven || outPath.isEmpty())
        return usage(err, synopsis);
    bool ok = false;
    const int row = positional[1].toInt(&ok);
    if (!ok)
        return usage(err, synopsis);
    const QString& logbook = positional[0];

    // The logbook with the settings in force; alerts are answered with
    // their first button and reported.
    ScriptedAlerts alerts;
    alerts.setLog([&err](const QString& line) { err.append((line + u'\n').toUtf8()); });
    auto settings = settingsPath.isEmpty() ? SettingsStore::userStore() : std::make_unique<SettingsStore>(settingsPath);
    AppContext context(std::move(settings), alerts, Localizer::languageFromEnvironment());
    Carnet carnet(context);
    QString error;
    if (!carnet.openFile(logbook, &error))
        return refuse(err, logbook, error);
    if (row < 0 || row >= carnet.count())
        return refuse(err, logbook,
                      QStringLiteral("row %1 is out of range (0 to %2)").arg(row).arg(carnet.count() - 1));
    carnet.setSelection({row}, row);

    const ProfileScene scene(ProfileScene::Inputs::fromForm(carnet.form()),
                             ProfileScene::Style::fromSettings(context.settings()),
                             ProfileScene::Texts::fromLocalizer(context.localizer()));
    const QByteArray bytes = pdf ? ProfilePainter::pdf(scene, ProfileScene::titleOf(carnet.form(), context.localizer()))
                                 : ProfilePainter::png(scene, kPictureSize);
    if (bytes.isEmpty())
        return refuse(err, outPath, QStringLiteral("the picture could not be made"));
    const SaveResult saved = saveFileAtomically(outPath, bytes);
    if (!saved.ok)
        return refuse(err, outPath, saved.error);
    return kDone;
}
