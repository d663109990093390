#include "app/cli/StatsCommands.h"

#include "logbook/Carnet.h"
#include "platform/JsonWriter.h"
#include "platform/SafeSave.h"
#include "platform/SettingsStore.h"
#include "platform/context/AppContext.h"
#include "stats/StartingValues.h"
#include "stats/Statistics.h"
#include "stats/SynthesisReport.h"

#include <QDateTime>
#include <QFileInfo>

namespace cli {

namespace {

// A session over the settings alone, for the commands that open no document.
void writeStatistics(JsonWriter& json, const Statistics& s, const Localizer& loc, const QString& file)
{
    json.raw("{\"categories\":{");
    for (int c = 0; c < Statistics::CategoryCount; ++c) {
        if (c > 0)
            json.separator();
        const auto category = Statistics::Category(c);
        json.key(Statistics::keyOf(category));
        json.raw("{\"count\":");
        json.integer(s.count(category));
        json.raw(",\"percent\":");
        json.string(s.percentText(category));
        json.raw("}");
    }
    json.raw("},\n\"values\":{");
    for (int v = 0; v < Statistics::ValueCount; ++v) {
        if (v > 0)
            json.separator();
        const auto value = Statistics::Value(v);
        json.key(Statistics::valueFieldOf(value));
        json.raw("{\"value\":");
        if (const auto x = s.value(value))
            json.integer(*x);
        else
            json.null();
        json.raw(",\"text\":");
        json.string(s.valueText(value, loc));
        json.raw("}");
    }
    json.raw("},\n\"shares\":{");
    const auto shares = s.shares();
    for (int i = 0; i < Statistics::kShareCount; ++i) {
        if (i > 0)
            json.separator();
        json.key(Statistics::shareNameOf(i));
        json.number(shares[size_t(i)]);
    }
    json.raw("},\n\"text\":");
    json.string(s.text(loc, file, QDateTime::currentDateTime()).plainText());
    json.raw("}\n");
}

} // namespace

int runStatsCommand(const QStringList& args, const QString& settingsPath, Io& io)
{
    QStringList rest = args;
    const bool noPrevious = rest.removeAll(QStringLiteral("--no-previous")) > 0;
    if (rest.size() != 1 || rest[0].startsWith(u"--"))
        return io.usage(QStringLiteral("stats takes LOGBOOK [--no-previous]"));
    LogbookSession session(io, settingsPath);
    if (!session.open(rest[0]))
        return kRefused;
    AppContext& context = session.context();
    const Statistics s = Statistics::compute(session.carnet().dives(), StartingValues::load(context.settings()),
                                             !noPrevious);
    JsonWriter json(io.out);
    writeStatistics(json, s, context.localizer(), QFileInfo(rest[0]).fileName());
    return kDone;
}

int runStatsStartCommand(const QStringList& args, const QString& settingsPath, Io& io)
{
    SettingsSession session(io, settingsPath);
    SettingsStore& settings = session.context().settings();
    StartingValues values = StartingValues::load(settings);
    // Every value is checked before any is stored.
    for (const QString& a : args) {
        const qsizetype eq = a.indexOf(u'=');
        const QString key = a.left(eq);
        if (eq <= 0 || !StartingValues::keys().contains(key))
            return io.usage(QStringLiteral("\"%1\" is not KEY=N with a starting-value key (%2)")
                                .arg(a, StartingValues::keys().join(QStringLiteral(", "))));
        const StartingValues::Parsed parsed = StartingValues::parse(a.mid(eq + 1));
        if (!parsed.ok)
            return io.refuse(key, parsed.reason);
        values.set(key, parsed.value);
    }
    if (!args.isEmpty()) {
        values.store(settings);
        if (!settings.sync())
            return io.refuse(settings.fileName(), QStringLiteral("the settings could not be written"));
        return kDone;
    }
    JsonWriter json(io.out);
    json.raw("{");
    for (qsizetype i = 0; i < StartingValues::keys().size(); ++i) {
        if (i > 0)
            json.separator();
        const QString& key = StartingValues::keys()[i];
        json.key(key);
        if (const auto v = values.value(key))
            json.integer(*v);
        else
            json.null();
    }
    json.raw("}\n");
    return kDone;
}

int runLogbookReport(const QStringList& args, const QString& settingsPath, Io& io, const PdfMaker& pdf)
{
    const QString synopsis = QStringLiteral("report takes LOGBOOK (--all | ROW) [--text | --html OUT | --pdf OUT]");
    QStringList positional;
    QString format = QStringLiteral("--text"), outPath;
    bool all = false, formatGiven = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--all") {
            all = true;
        } else if (a == u"--text" || a == u"--html" || a == u"--pdf") {
            if (formatGiven)
                return io.usage(synopsis);
            formatGiven = true;
            format = a;
            if (a != u"--text") {
                if (i + 1 >= args.size())
                    return io.usage(synopsis);
                outPath = args[++i];
            }
        } else if (a.startsWith(u"--")) {
            return io.usage(QStringLiteral("report: unknown option \"%1\"").arg(a));
        } else {
            positional.append(a);
        }
    }
    int row = -1;
    if (positional.size() != (all ? 1 : 2) || (!all && !parseRow(positional[1], &row)))
        return io.usage(synopsis);
    const QString& logbook = positional[0];
    LogbookSession session(io, settingsPath);
    if (!session.open(logbook))
        return kRefused;
    const Carnet& carnet = session.carnet();
    if (!all && (row < 0 || row >= carnet.count()))
        return io.refuse(logbook, QStringLiteral("row %1 is out of range (0 to %2)").arg(row).arg(carnet.count() - 1));
    AppContext& context = session.context();
    const SynthesisReport report(context.localizer(), context.settings().boolValue(QStringLiteral("us units")));
    const QList<int> rows =
        SynthesisReport::rowsFor(all ? SynthesisReport::AllDives : SynthesisReport::SelectedDive, carnet.count(), row);
    const StyledText text = *report.dives(carnet.dives(), rows);
    const QString title = QFileInfo(logbook).fileName();
    if (format == u"--text") {
        io.out.append(text.plainText().toUtf8());
        return kDone;
    }
    const QByteArray bytes = format == u"--html" ? text.html(title).toUtf8() : pdf ? pdf(text, title) : QByteArray();
    if (bytes.isEmpty())
        return io.refuse(outPath, QStringLiteral("the report could not be made"));
    return io.saved(outPath, saveFileAtomically(outPath, bytes));
}

} // namespace cli
