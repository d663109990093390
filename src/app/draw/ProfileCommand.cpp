#include "app/draw/ProfileCommand.h"
#include "app/draw/PictureArgs.h"

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
    const auto parsed = PictureArgs::parse(io, args, QStringLiteral("profile"), synopsis, 2);
    if (!parsed)
        return kUsage;
    const QStringList& positional = parsed->positional;
    const QString& outPath = parsed->outPath;
    const bool pdf = parsed->pdf;
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
