#include "app/draw/PictureArgs.h"

std::optional<PictureArgs> PictureArgs::parse(cli::Io& io, const QStringList& args, const QString& command,
                                              const QString& synopsis, qsizetype positionalCount,
                                              const QStringList& allowedSwitches)
{
    PictureArgs parsed;
    bool formatGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--png" || a == u"--pdf") {
            if (formatGiven || i + 1 >= args.size())
                return io.usage(synopsis), std::nullopt;
            formatGiven = true;
            parsed.pdf = a == u"--pdf";
            parsed.outPath = args[++i];
        } else if (allowedSwitches.contains(a)) {
            parsed.switches.append(a);
        } else if (a.startsWith(u"--")) {
            return io.usage(QStringLiteral("%1: unknown option \"%2\"").arg(command, a)), std::nullopt;
        } else {
            parsed.positional.append(a);
        }
    }
    if (parsed.positional.size() != positionalCount || !formatGiven || parsed.outPath.isEmpty())
        return io.usage(synopsis), std::nullopt;
    return parsed;
}
