#include "app/draw/StatsDrawCommands.h"
#include "app/draw/PictureArgs.h"

#include "app/cli/StatsCommands.h"
#include "logbook/Carnet.h"
#include "platform/SafeSave.h"
#include "platform/context/AppContext.h"
#include "platform/draw/StyledTextDocument.h"
#include "stats/StartingValues.h"
#include "stats/Statistics.h"
#include "stats/StatsGraph.h"
#include "stats/draw/GraphPainter.h"

#include <QFileInfo>

using namespace cli;

namespace statsdraw {

int report(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err)
{
    Io io{out, err};
    return runLogbookReport(args, settingsPath, io, [](const StyledText& text, const QString& title) {
        return styledtext::pdf(text, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), title);
    });
}

int graph(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err)
{
    Io io{out, err};
    const QString synopsis = QStringLiteral("graph takes LOGBOOK (--png OUT | --pdf OUT) [--no-previous]");
    const auto parsed = PictureArgs::parse(io, args, QStringLiteral("graph"), synopsis, 1, {QStringLiteral("--no-previous")});
    if (!parsed)
        return kUsage;
    const QStringList& positional = parsed->positional;
    const QString& outPath = parsed->outPath;
    const bool pdf = parsed->pdf;
    const bool noPrevious = !parsed->switches.isEmpty();
    LogbookSession session(io, settingsPath);
    if (!session.open(positional[0]))
        return kRefused;
    const SettingsStore& settings = session.context().settings();
    const Statistics s = Statistics::compute(session.carnet().dives(), StartingValues::load(settings), !noPrevious);
    const StatsGraph chart(s.shares(), StatsGraph::Style::fromSettings(settings));
    const QByteArray bytes = pdf ? GraphPainter::pdf(chart, QFileInfo(positional[0]).fileName())
                                 : GraphPainter::png(chart, kGraphPictureSize);
    if (bytes.isEmpty())
        return io.refuse(outPath, QStringLiteral("the picture could not be made"));
    return io.saved(outPath, saveFileAtomically(outPath, bytes));
}

} // namespace statsdraw
