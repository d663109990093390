#include "app/draw/ProfileCommand.h"

#include "platform/context/AppContext.h"
#include "app/cli/CliSession.h"
#include "logbook/Carnet.h"
#include "platform/SafeSave.h"
#include "profile/ProfileScene.h"
#include "profile/draw/ProfilePainter.h"

#include <memory>

using namespace cli;

int ProfileCommand::run(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err)
{
    Io io{out, err};
    const QString synopsis = QStringLiteral("profile takes LOGBOOK ROW (--png OUT | --pdf OUT)");
    QStringList positional;
    QString outPath;
    bool pdf = false;
    bool formatGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--png" || a == u"--pdf") {
            if (formatGiven || i + 1 >= args.size())
                return io.usage(synopsis);
            formatGiven = true;
            pdf = a == u"--pdf";
            outPath = args[++i];
        } else if (a.startsWith(u"--")) {
            return io.usage(QStringLiteral("profile: unknown option \"%1\"").arg(a));
        } else {
            positional.append(a);
        }
    }
    if (positional.size() != 2 || !formatGiven || outPath.isEmpty())
        return io.usage(synopsis);
    int row = 0;
    if (!parseRow(positional[1], &row))
        return io.usage(synopsis);
    const QString& logbook = positional[0];

    LogbookSession session(io, settingsPath);
    if (!session.open(logbook) || !session.selectRow(row))
        return kRefused;
    Carnet& carnet = session.carnet();
    const AppContext& context = session.context();

    const ProfileScene scene(ProfileScene::Inputs::fromForm(carnet.form()),
                             ProfileScene::Style::fromSettings(context.settings()),
                             ProfileScene::Texts::fromLocalizer(context.localizer()));
    const QByteArray bytes = pdf ? ProfilePainter::pdf(scene, ProfileScene::titleOf(carnet.form(), context.localizer()))
                                 : ProfilePainter::png(scene, kPictureSize);
    if (bytes.isEmpty())
        return io.refuse(outPath, QStringLiteral("the picture could not be made"));
    return io.saved(outPath, saveFileAtomically(outPath, bytes));
}
