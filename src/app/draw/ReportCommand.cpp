#include "app/draw/ReportCommand.h"

#include "app/cli/CliSession.h"
#include "app/cli/RegisterCommands.h"
#include "app/draw/StatsDrawCommands.h"
#include "platform/context/AppContext.h"
#include "platform/draw/StyledTextDocument.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterSynthesis.h"

#include <QDateTime>
#include <algorithm>
#include <QFileInfo>

using namespace cli;

namespace {

// The synthesis is printed with the registers' page margins: 24.8 points
// at the top, 25 at the bottom, 10 on each side.
constexpr double kMmPerPoint = 25.4 / 72.0;
const QMarginsF kMarginsMm(10 * kMmPerPoint, 24.8 * kMmPerPoint, 10 * kMmPerPoint, 25 * kMmPerPoint);

enum class Form { Text, Html, Pdf };

} // namespace

int ReportCommand::run(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err)
{
    // The verb acts on whatever the file holds: a logbook has its own report
    // of one dive or of every dive.
    const auto named = std::find_if(args.begin(), args.end(), [](const QString& a) { return !a.startsWith(u"--"); });
    if (named != args.end() && !registerOfFile(*named))
        return statsdraw::report(args, settingsPath, out, err);

    Io io{out, err};
    const QString synopsis = QStringLiteral("report takes FILE [--text | --html OUT | --pdf OUT]");
    QStringList positional;
    QString outPath;
    Form form = Form::Text;
    bool formGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--text" || a == u"--html" || a == u"--pdf") {
            if (formGiven)
                return io.usage(synopsis);
            formGiven = true;
            form = a == u"--text" ? Form::Text : a == u"--html" ? Form::Html : Form::Pdf;
            if (form != Form::Text) {
                if (i + 1 >= args.size() || args[i + 1].isEmpty())
                    return io.usage(synopsis);
                outPath = args[++i];
            }
        } else if (a.startsWith(u"--")) {
            return io.usage(QStringLiteral("report: unknown option \"%1\"").arg(a));
        } else {
            positional.append(a);
        }
    }
    if (positional.size() != 1)
        return io.usage(synopsis);
    const QString& path = positional[0];
    const registers::RegisterDescription* reg = registerOfFile(path);
    if (!reg)
        return statsdraw::report(args, settingsPath, out, err);

    RegisterSession session(io, settingsPath, *reg);
    if (!session.open(path))
        return kRefused;
    const auto& records = session.document().records();
    const Localizer& localizer = session.context().localizer();
    const QString file = QFileInfo(path).absoluteFilePath();
    const QDateTime now = QDateTime::currentDateTime();
    if (form == Form::Text) {
        registersynthesis::writePieces(*reg, records, localizer, file, now,
                                       [&out](const StyledText& piece) { out.append(piece.plainText().toUtf8()); });
        return kDone;
    }
    const StyledText text = registersynthesis::ofAll(*reg, records, localizer, file, now);
    const QString title = QFileInfo(path).completeBaseName();
    if (form == Form::Html)
        return io.saved(outPath, saveFileAtomically(outPath, text.html(title).toUtf8()));
    const QByteArray pdf = styledtext::pdf(text, QPageLayout::Portrait, kMarginsMm, title);
    if (pdf.isEmpty())
        return io.refuse(outPath, QStringLiteral("the report could not be printed"));
    return io.saved(outPath, saveFileAtomically(outPath, pdf));
}
