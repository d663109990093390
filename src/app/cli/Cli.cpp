#include "app/cli/Cli.h"

#include "platform/context/AppContext.h"
#include "platform/context/DocumentTypes.h"
#include "app/cli/CalcCommand.h"
#include "app/cli/CliSession.h"
#include "app/cli/ExchangeCommands.h"
#include "app/cli/PrefsCommands.h"
#include "app/cli/RegisterCommands.h"
#include "app/cli/StatsCommands.h"
#include "logbook/Carnet.h"
#include "logbook/DiveForm.h"
#include "logbook/DiveList.h"
#include "logbook/LogbookArchive.h"
#include "logbook/LogbookGenerator.h"
#include "logbook/Plongee.h"
#include "logbook/PlongeeJson.h"
#include "platform/ArchiveReader.h"
#include "platform/FileBytes.h"
#include "platform/JsonWriter.h"
#include "platform/SafeSave.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterDescription.h"
#include "registers/RegisterGenerator.h"
#include "registers/RegisterJson.h"

#include <algorithm>
#include <cmath>

#include <QFile>
#include <optional>

namespace {

using namespace cli;

// Opens FILE and checks its archive header; the decoder the header names
// checks the rest. On failure the refusal is written and nothing is returned.
std::optional<ArchiveReader::Header> readHeader(Io& io, const QString& path, FileBytes& file)
{
    QString error;
    if (!file.openArriving(path, &error))
        return io.refuse(path, error), std::nullopt;
    // A logbook is decoded while its bytes arrive; anything else waits for them.
    ArchiveReader reader(file.data(), file.arrival());
    const bool known = reader.peekHeader() && DocumentTypes::byId(reader.header().documentType);
    if (known && reader.header().documentType == DocumentTypes::of(DocumentKind::Logbook).id)
        return reader.header();
    if (!file.waitWhole(&error))
        return io.refuse(path, error), std::nullopt;
    if (known)
        return reader.header();
    // Of a damaged file, the damage is named.
    ArchiveReader whole(file.bytes());
    if (!whole.open())
        return io.refuse(path, whole.error()), std::nullopt;
    if (!reader.ok())
        return io.refuse(path, reader.error()), std::nullopt;
    return io.refuse(path, QStringLiteral("unknown document type \"%1\"").arg(reader.header().documentType)),
           std::nullopt;
}

QStringList documentTypeIds()
{
    QStringList ids;
    for (const DocumentType& type : DocumentTypes::all())
        ids.append(type.id);
    return ids;
}

int info(Io& io, const QStringList& args)
{
    if (args.size() != 1)
        return io.usage(QStringLiteral("info takes one FILE"));
    const QString& path = args[0];
    FileBytes file;
    const auto found = readHeader(io, path, file);
    if (!found)
        return kRefused;
    const ArchiveReader::Header& header = *found;
    quint32 records = header.recordCount;
    // A logbook is decoded whole, so that a damaged record is refused here too.
    if (header.documentType == DocumentTypes::of(DocumentKind::Logbook).id) {
        auto dives = logbookarchive::decode(file.data(), file.arrival());
        if (!dives)
            return io.refuse(path, dives.error());
        records = quint32(dives->size());
    } else if (const auto* reg = registers::descriptionOf(header.documentType)) {
        auto cards = registerarchive::decode(*reg, file.data());
        if (!cards)
            return io.refuse(path, cards.error());
        records = quint32(cards->size());
    }
    JsonWriter json(io.out);
    json.raw("{");
    json.key(u"type");
    json.string(header.documentType);
    json.separator();
    json.key(u"records");
    json.integer(records);
    json.separator();
    json.key(u"versions");
    json.raw("{");
    for (qsizetype i = 0; i < header.classes.size(); ++i) {
        if (i > 0)
            json.separator();
        json.key(header.classes[i].name);
        json.integer(header.classes[i].version);
    }
    json.raw("}");
    json.separator();
    json.key(u"bytes");
    json.integer(file.size());
    json.raw("}\n");
    return kDone;
}

int dump(Io& io, const QStringList& args)
{
    if (args.size() != 1)
        return io.usage(QStringLiteral("dump takes one FILE"));
    const QString& path = args[0];
    FileBytes file;
    const auto header = readHeader(io, path, file);
    if (!header)
        return kRefused;
    if (const auto* reg = registers::descriptionOf(header->documentType)) {
        auto records = registerarchive::decode(*reg, file.data());
        if (!records)
            return io.refuse(path, records.error());
        io.out.append(registerjson::dump(*records));
        return kDone;
    }
    if (header->documentType != DocumentTypes::of(DocumentKind::Logbook).id)
        return io.refuse(path, QStringLiteral("\"%1\" documents cannot be dumped by this version").arg(header->documentType));
    auto dives = logbookarchive::decode(file.data(), file.arrival());
    if (!dives)
        return io.refuse(path, dives.error());
    io.out.append(plongeejson::dump(*dives));
    return kDone;
}

// Writes a whole new document over PATH, under its lock so that no command
// changing the old one saves over it meanwhile.
int save(Io& io, const QString& path, const Result<QByteArray>& bytes)
{
    if (!bytes)
        return io.refuse(path, bytes.error());
    WriteLock lock(path);
    if (!lock.acquire(io, path))
        return kRefused;
    return io.saved(path, saveFileAtomically(path, *bytes));
}

int fromJson(Io& io, const QStringList& args)
{
    if (args.size() != 3)
        return io.usage(QStringLiteral("from-json takes ID IN.json OUT"));
    const QString& id = args[0];
    const QString& in = args[1];
    const QString& outPath = args[2];
    const DocumentType* type = DocumentTypes::byId(id);
    if (!type)
        return io.usage(QStringLiteral("unknown document type id \"%1\"").arg(id));
    const auto* reg = registers::descriptionOf(type->kind);
    if (type->kind != DocumentKind::Logbook && !reg)
        return io.refuse(in, QStringLiteral("\"%1\" documents cannot be built by this version").arg(id));
    QFile file(in);
    if (!file.open(QIODevice::ReadOnly))
        return io.refuse(in, file.errorString());
    if (reg) {
        auto records = registerjson::parse(reg->schema, file.readAll());
        if (!records)
            return io.refuse(in, records.error());
        return save(io, outPath, registerarchive::encode(*reg, *records));
    }
    auto dives = plongeejson::parse(file.readAll());
    if (!dives)
        return io.refuse(in, dives.error());
    return save(io, outPath, logbookarchive::encode(*dives));
}

// An empty document of a type, written as a save writes it: over OUT,
// atomically and under its lock.
int newDocument(Io& io, const QStringList& args)
{
    if (args.size() != 2)
        return io.usage(QStringLiteral("new takes ID OUT"));
    const QString& id = args[0];
    const QString& outPath = args[1];
    const DocumentType* type = DocumentTypes::byId(id);
    if (!type)
        return io.refuse(outPath, QStringLiteral("unknown document type id \"%1\" (the ids are %2)")
                                      .arg(id, documentTypeIds().join(QStringLiteral(", "))));
    if (const auto* reg = registers::descriptionOf(type->kind))
        return save(io, outPath, registerarchive::encode(*reg, {}));
    if (type->kind != DocumentKind::Logbook)
        return io.refuse(outPath, QStringLiteral("\"%1\" documents cannot be made by this version").arg(id));
    return save(io, outPath, logbookarchive::encode({}));
}

bool parseCount(const QString& text, qint64 max, qint64* value)
{
    bool ok = false;
    const qint64 v = text.toLongLong(&ok);
    if (!ok || v < 0 || v > max)
        return false;
    *value = v;
    return true;
}

int generate(Io& io, const QStringList& args)
{
    qint64 dives = -1, records = -1, samples = 600, seed = 1;
    QString outPath, typeId;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == u"--dives" && hasValue) {
            if (!parseCount(args[++i], 1'000'000, &dives))
                return io.usage(QStringLiteral("--dives takes a count from 0 to 1000000"));
        } else if (a == u"--records" && hasValue) {
            if (!parseCount(args[++i], 1'000'000, &records))
                return io.usage(QStringLiteral("--records takes a count from 0 to 1000000"));
        } else if (a == u"--type" && hasValue) {
            typeId = args[++i];
        } else if (a == u"--samples" && hasValue) {
            if (!parseCount(args[++i], 100'000, &samples) || samples < 1)
                return io.usage(QStringLiteral("--samples takes a count from 1 to 100000"));
        } else if (a == u"--seed" && hasValue) {
            bool ok = false;
            seed = args[++i].toLongLong(&ok);
            if (!ok)
                return io.usage(QStringLiteral("--seed takes an integer"));
        } else if (!a.startsWith(u"--") && outPath.isEmpty()) {
            outPath = a;
        } else {
            return io.usage(QStringLiteral("generate: unexpected argument \"%1\"").arg(a));
        }
    }
    const QString synopsis = QStringLiteral(
        "generate takes --dives N [--samples M] [--seed S] OUT or --type ID --records N [--seed S] OUT");
    if (outPath.isEmpty() || (dives < 0) == (records < 0) || (records >= 0) != !typeId.isEmpty())
        return io.usage(synopsis);
    if (records >= 0 && typeId != DocumentTypes::of(DocumentKind::Logbook).id) {
        const DocumentType* type = DocumentTypes::byId(typeId);
        if (!type)
            return io.usage(QStringLiteral("unknown document type id \"%1\"").arg(typeId));
        const auto* reg = registers::descriptionOf(type->kind);
        if (!reg)
            return io.refuse(outPath, QStringLiteral("\"%1\" documents cannot be made by this version").arg(typeId));
        return save(io, outPath, registerarchive::encode(*reg, registergenerator::generate(*reg, int(records), quint64(seed))));
    }
    const auto logbook = logbookgenerator::generate(int(dives >= 0 ? dives : records), int(samples), quint64(seed));
    return save(io, outPath, logbookarchive::encode(logbook));
}

// Types FIELD=TEXT assignments into the form as the window does: each
// field ends its editing (a pick-list field offers to add its text) and the
// form refreshes before the next one. Returns an exit status, or -1 when
// every assignment was taken.
int typeAssignments(Io& io, Carnet& carnet, const QStringList& assignments, const QString& path)
{
    DiveForm& form = carnet.form();
    for (const QString& a : assignments) {
        const qsizetype eq = a.indexOf(u'=');
        if (eq <= 0)
            return io.usage(QStringLiteral("\"%1\" is not FIELD=TEXT").arg(a));
        const QString field = a.left(eq);
        const int index = Plongee::fieldIndex(field);
        if (index < 0 || DiveForm::controlOf(index) == DiveForm::Control::None)
            return io.usage(QStringLiteral("the dive form has no field \"%1\"").arg(field));
        QString error;
        if (!form.typeText(field, a.mid(eq + 1), &error))
            return io.refuse(path, error);
        carnet.endEditingPickList(index);
        carnet.updateUI();
    }
    return -1;
}

int addOrInsert(Io& io, const QStringList& args, const QString& settings, bool insert)
{
    const int fixed = insert ? 2 : 1;
    if (args.size() < fixed)
        return io.usage(insert ? QStringLiteral("insert takes LOGBOOK ROW [FIELD=TEXT ...]")
                               : QStringLiteral("add takes LOGBOOK [FIELD=TEXT ...]"));
    int row = 0;
    if (insert && !parseRow(args[1], &row))
        return io.usage(QStringLiteral("ROW must be a whole number"));
    LogbookSession session(io, settings);
    if (!session.openForWriting(args[0]))
        return kRefused;
    Carnet& carnet = session.carnet();
    if (insert && (row < 0 || row > carnet.count()))
        return io.refuse(args[0], QStringLiteral("row %1 is out of range (0 to %2)").arg(row).arg(carnet.count()));
    carnet.newDive();
    if (const int status = typeAssignments(io, carnet, args.mid(fixed), args[0]); status >= 0)
        return status;
    if (!(insert ? carnet.insertDiveAt(row) : carnet.addDive()))
        return io.refuse(args[0], QStringLiteral("the dive was not stored"));
    return session.save();
}

int update(Io& io, const QStringList& args, const QString& settings)
{
    int row = 0;
    if (args.size() < 2 || !parseRow(args[1], &row))
        return io.usage(QStringLiteral("update takes LOGBOOK ROW [FIELD=TEXT ...]"));
    LogbookSession session(io, settings);
    if (!session.openForWriting(args[0]) || !session.selectRow(row))
        return kRefused;
    Carnet& carnet = session.carnet();
    if (const int status = typeAssignments(io, carnet, args.mid(2), args[0]); status >= 0)
        return status;
    if (!carnet.updateDive())
        return io.refuse(args[0], QStringLiteral("the dive was not stored"));
    return session.save();
}

int remove(Io& io, const QStringList& args, const QString& settings)
{
    int row = 0;
    if (args.size() != 2 || !parseRow(args[1], &row))
        return io.usage(QStringLiteral("delete takes LOGBOOK ROW"));
    LogbookSession session(io, settings);
    if (!session.openForWriting(args[0]) || !session.selectRow(row))
        return kRefused;
    Carnet& carnet = session.carnet();
    carnet.deleteDive();
    return session.save();
}

int renumber(Io& io, const QStringList& args, const QString& settings)
{
    int first = 0;
    if (args.size() != 2 || !parseRow(args[1], &first))
        return io.usage(QStringLiteral("renumber takes LOGBOOK FIRST"));
    LogbookSession session(io, settings);
    if (!session.openForWriting(args[0]))
        return kRefused;
    if (!session.carnet().renumDives(first))
        return io.refuse(args[0], QStringLiteral("no dive was renumbered"));
    return session.save();
}

int list(Io& io, const QStringList& args, const QString& settings)
{
    const bool colours = args.contains(QStringLiteral("--colours"));
    QStringList rest = args;
    rest.removeAll(QStringLiteral("--colours"));
    if (rest.size() != 1)
        return io.usage(QStringLiteral("list takes LOGBOOK [--colours]"));
    LogbookSession session(io, settings);
    if (!session.open(rest[0]))
        return kRefused;
    AppContext& context = session.context();
    const DiveListFormatter formatter(context.settings(), context.localizer());
    const QList<int> columns = divelist::visibleColumns(context.settings());
    QByteArray& out = io.out;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        if (c > 0)
            out.append('\t');
        out.append(formatter.title(columns[c]).toUtf8());
    }
    out.append('\n');
    for (const Plongee& dive : session.carnet().dives()) {
        for (qsizetype c = 0; c < columns.size(); ++c) {
            if (c > 0)
                out.append('\t');
            out.append(formatter.text(dive, columns[c]).toUtf8());
            if (colours) {
                out.append('\t');
                out.append(colourText(formatter.style(dive, columns[c]).text));
            }
        }
        out.append('\n');
    }
    return kDone;
}

int sort(Io& io, const QStringList& args, const QString& settings)
{
    if (args.size() < 2 || args.size() > 3)
        return io.usage(QStringLiteral("sort takes LOGBOOK COLUMN [asc|desc]"));
    if (divelist::columnOf(args[1]) < 0)
        return io.usage(QStringLiteral("\"%1\" is not a list column").arg(args[1]));
    if (args.size() == 3 && args[2] != u"asc" && args[2] != u"desc")
        return io.usage(QStringLiteral("the direction is asc or desc"));
    LogbookSession session(io, settings);
    if (!session.openForWriting(args[0]))
        return kRefused;
    if (args.size() == 3)
        session.carnet().sortByColumn(args[1], args[2] == u"asc");
    else
        session.carnet().sortByColumn(args[1]);
    return session.save();
}

int find(Io& io, const QStringList& args, const QString& settings)
{
    if (args.size() != 3)
        return io.usage(QStringLiteral("find takes LOGBOOK FIELD TEXT"));
    const int field = Plongee::fieldIndex(args[1]);
    if (field < 0 || Plongee::field(field).kind != Plongee::Kind::String)
        return io.usage(QStringLiteral("\"%1\" is not a text field of the dive").arg(args[1]));
    LogbookSession session(io, settings);
    if (!session.open(args[0]))
        return kRefused;
    const QString countText = session.carnet().findTextWithField(args[1], args[2]);
    for (const int row : session.carnet().selectedRows())
        io.out.append(QByteArray::number(row) + '\n');
    io.out.append(countText.toUtf8() + '\n');
    return kDone;
}

int show(Io& io, const QStringList& args, const QString& settings)
{
    int row = 0;
    if (args.size() != 2 || !parseRow(args[1], &row))
        return io.usage(QStringLiteral("show takes LOGBOOK ROW"));
    LogbookSession session(io, settings);
    if (!session.open(args[0]) || !session.selectRow(row))
        return kRefused;
    Carnet& carnet = session.carnet();
    const DiveForm& form = carnet.form();
    const DiveForm::Derived& r = form.derived();

    JsonWriter json(io.out);
    bool first = true;
    const auto key = [&](const char* name) {
        if (!first)
            json.raw(",\n ");
        first = false;
        json.key(name);
    };
    const auto text = [&](const char* name, const QString& value) {
        key(name);
        json.string(value);
    };
    const auto number = [&](const char* name, auto value) {
        key(name);
        json.number(value);
    };
    const auto integer = [&](const char* name, qint64 value) {
        key(name);
        json.integer(value);
    };
    json.raw("{");
    text("title", r.title);
    text("totalField", r.totalText);
    text("deltaPressionField", r.deltaPressure1Text);
    text("deltaPression2Field", r.deltaPressure2Text);
    text("consommationField", r.consumptionText);
    integer("_pressionConsommee", r.consumption.pressionConsommee);
    number("_pressionParMinute", r.consumption.pressionParMinute);
    integer("_volumeDisponible", r.consumption.volumeDisponible);
    integer("_volumeConsomme", r.consumption.volumeConsomme);
    number("_sac", r.consumption.sac);
    number("_sacBar", r.consumption.sacBar);
    number("averageDepth", r.averageDepth);
    number("ppO2Max", r.highestPpO2);
    number("cnsPercent", r.cnsPercent);
    text("sncDrawer", r.cnsText);
    static const char* const cylinderNames[] = {"pony1", "pony2", "pony3", "bailout1", "bailout2"};
    for (size_t i = 0; i < 5; ++i) {
        const auto& c = r.cylinders[i];
        text((std::string(cylinderNames[i]) + "Field").c_str(), c.text);
        key((std::string(cylinderNames[i]) + "Gauge").c_str());
        if (c.gaugeVisible) {
            json.raw("{\"maximum\":");
            json.integer(c.gaugeMaximum);
            json.raw(",\"value\":");
            json.integer(c.gaugeValue);
            json.raw(",\"ticks\":");
            json.integer(c.gaugeTicks);
            json.raw("}");
        } else {
            json.null();
        }
    }
    for (size_t i = 0; i < 3; ++i)
        text((QStringLiteral("pony%1Button").arg(i + 1)).toLatin1().constData(), r.ponyTitles[i]);
    text("difficultyField", r.difficultyText);
    text("gasSummaryField", r.gasSummary);
    text("n2Field", form.nitrogenText(1));
    text("n2Field_2", form.nitrogenText(2));
    text("profMoyenne", r.depthSummaryText);
    number("maxDepth", r.maxDepth);
    text("samplingDrawer", r.samplingText);
    text("pointsDrawer", r.pointsText);
    integer("SLOW_CountField", r.slowCount);
    integer("CEIL_CountField", r.ceilCount);
    integer("SURF_CountField", r.surfCount);
    integer("GAZ_CountField", r.gazCount);
    json.raw("}\n");
    return kDone;
}

} // namespace

QString Cli::helpText()
{
    return QStringLiteral(
        "Usage: ondrix-cli [--settings FILE] COMMAND ARGS...\n"
        "\n"
        "Runs Ondrix's own code without windows. Exit status: 0 done, 1 input refused\n"
        "(the reason on stderr, no file changed), 2 usage error.\n"
        "\n"
        "Saving: a command that changes a document holds a lock beside it (.NAME.lock)\n"
        "from reading it to saving it; another such command waits up to 5 seconds, then\n"
        "is refused (status 1). A save that replaced the file but could not flush its\n"
        "folder to disk is done (status 0) with a warning on stderr, \"FILE: warning: ...\".\n"
        "\n"
        "Options:\n"
        "  --settings FILE   use this INI file as the settings store (created when absent)\n"
        "  --help            show this text\n"
        "\n"
        "Documents:\n"
        "  info FILE                 type, record count, class versions and size, as JSON\n"
        "  dump FILE                 every record as JSON, fields in archive order\n"
        "  new ID OUT                write an empty document of type ID over OUT (logbook and\n"
        "                            the registers this version holds; others are refused, status 1)\n"
        "  from-json ID IN.json OUT  build a document of type ID from dump-shaped JSON\n"
        "  generate --dives N [--samples M] [--seed S] OUT\n"
        "                            write a synthetic logbook (default 600 samples, seed 1)\n"
        "\n"
        "Logbook (rows count from 0 in list order; alerts are answered with their\n"
        "first button and reported on stderr as \"alert: KEY\"):\n"
        "  add LOGBOOK [FIELD=TEXT ...]         type the fields into a blank dive form, append the dive\n"
        "  insert LOGBOOK ROW [FIELD=TEXT ...]  the same, inserted at ROW\n"
        "  update LOGBOOK ROW [FIELD=TEXT ...]  load dive ROW into the form, type the fields, store it back\n"
        "  delete LOGBOOK ROW                   delete dive ROW\n"
        "  renumber LOGBOOK FIRST               renumber every dive from FIRST, through the form\n"
        "  list LOGBOOK [--colours]             the dive list as the window shows it, tab-separated\n"
        "  sort LOGBOOK COLUMN [asc|desc]       sort by a list column, as a click on its header does\n"
        "  show LOGBOOK ROW                     what the edit form derives for dive ROW, as JSON\n"
        "  find LOGBOOK FIELD TEXT              the rows whose text FIELD contains TEXT, then the count\n"
        "  print FILE --pdf OUT                 print the list of a logbook or register to a PDF with its page settings\n"
        "  profile LOGBOOK ROW (--png OUT | --pdf OUT)\n"
        "                                       draw dive ROW's profile view as a picture or a printed page\n"
        "Choice fields take the tag of the item; dates are YYYY-MM-DD[THH:MM], times HH:MM.\n"
        "\n"
        "Registers (any register type this version holds; FILE is recognised from its content):\n"
        "  add FILE [FIELD=TEXT ...]         type the fields into a blank card form, append the card\n"
        "  insert FILE ROW [FIELD=TEXT ...]  the same, inserted before ROW\n"
        "  update FILE ROW [FIELD=TEXT ...]  load card ROW into the form, type the fields, store it back\n"
        "  delete FILE ROW                   delete card ROW\n"
        "  list FILE [--colours]             the register's table, tab-separated, then the count label\n"
        "  sort FILE COLUMN [asc|desc]       sort by a list column, as a click on its header does\n"
        "Pop-ups take the tag of the item, switches 1 or 0, sliders their value; a depth \"-\" is\n"
        "not given. Dates are YYYY-MM-DD[THH:MM] or DD/MM/YYYY, empty for none.\n"
        "\n"
        "Statistics and reports (the starting values are the diver's previous dives):\n"
        "  stats LOGBOOK [--no-previous]   the statistics as JSON: categories, values, graph shares, text;\n"
        "                                  --no-previous leaves the starting values out\n"
        "  stats-start [KEY=N ...]         store starting values (whole numbers of 0 or more; KEY= for\n"
        "                                  none); with no argument print them as JSON\n"
        "  report LOGBOOK (--all | ROW) [--text | --html OUT | --pdf OUT]\n"
        "                                  the synthesis report of one dive or of every dive\n"
        "  graph LOGBOOK (--png OUT | --pdf OUT) [--no-previous]\n"
        "                                  draw the statistics graph\n"
        "\n"
        "Settings and pick-lists (as the preferences window and the pick-list editors do):\n"
        "  prefs [KEY ...]                the stored value of each KEY as JSON (every registered key\n"
        "                                 when none is named); colours as #rrggbb or #rrggbbaa\n"
        "  prefs-set KEY=VALUE ...        store as the preferences' controls do (switches 1 or 0,\n"
        "                                 colours #rrggbb or #rrggbbaa, the theme its tag, a number\n"
        "                                 field empty for none), then post what the window posts\n"
        "  prefs-reset                    the preferences' factory values\n"
        "  picklist NAME                  the entries of pick-list NAME (its key, e.g. lieux), then the count\n"
        "  picklist-add NAME TEXT         add TEXT as it stands, sorted in\n"
        "  picklist-delete NAME ROW...    delete the entries at these rows, after confirmation\n"
        "\n"
        "Exchange (formats are recognised from the file's content):\n"
        "  import LOGBOOK FILE...   append the dives of each UDDF (1.x to 3.x), UDCF or handheld logbook file,\n"
        "                           told from its content; one line per file\n"
        "  export LOGBOOK TYPE OUT  write a copy under a save type, e.g. \"Export UDDF 3.2\"\n"
        "\n"
        "Calculators:\n"
        "  calc ACTION [FIELD=TEXT ...]  run a calculator action as its window does; JSON of every output\n"
        "                                field, and FIELD.colour as #rrggbb (\"-\": colour left as it was)\n"
        "  calc --list                   every action with its window, input, choice and output fields\n"
        "Pop-up menus take their item index (empty: no selection), option matrices their cell tag,\n"
        "conversionsTabView its tab id (pression, volume, longueur, masse, temperature).\n"
        "\n"
        "Document type ids: logbook, wrecks, equipment, consumables, compressor,\n"
        "rebreather, budget, firms, structures, papers.\n");
}

QString Cli::commandOf(const QStringList& args)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == u"--settings") {
            ++i;
            continue;
        }
        if (!args[i].startsWith(u"--"))
            return args[i];
    }
    return QString();
}

int Cli::run(const QStringList& argsIn, QByteArray& out, QByteArray& err, const QHash<QString, Command>& extra)
{
    Io io{out, err};
    QStringList args = argsIn;
    QString settingsPath;
    while (!args.isEmpty() && args.first().startsWith(u"--")) {
        if (args.first() == u"--help") {
            out.append(helpText().toUtf8());
            return kDone;
        }
        if (args.first() == u"--settings" && args.size() >= 2) {
            settingsPath = args[1];
            args.remove(0, 2);
            continue;
        }
        return io.usage(QStringLiteral("unknown option \"%1\"").arg(args.first()));
    }
    if (args.isEmpty())
        return io.usage(QStringLiteral("no command given"));
    // The store is created when absent; the document commands here do not
    // read it, the logbook commands do.
    if (!settingsPath.isEmpty())
        SettingsStore(settingsPath).sync();
    const QString command = args.takeFirst();
    static const QStringList registerVerbs = {QStringLiteral("add"),    QStringLiteral("insert"),
                                              QStringLiteral("update"), QStringLiteral("delete"),
                                              QStringLiteral("list"),   QStringLiteral("sort"),
                                              QStringLiteral("show")};
    // The record verbs act on whatever the file holds; a register goes
    // through its own document and form.
    if (registerVerbs.contains(command) && !args.isEmpty())
        if (const auto* reg = registerOfFile(args.first()))
            return runRegisterCommand(command, *reg, args, settingsPath, io);
    if (command == u"info")
        return info(io, args);
    if (command == u"dump")
        return dump(io, args);
    if (command == u"new")
        return newDocument(io, args);
    if (command == u"from-json")
        return fromJson(io, args);
    if (command == u"generate")
        return generate(io, args);
    if (command == u"add")
        return addOrInsert(io, args, settingsPath, false);
    if (command == u"insert")
        return addOrInsert(io, args, settingsPath, true);
    if (command == u"update")
        return update(io, args, settingsPath);
    if (command == u"delete")
        return remove(io, args, settingsPath);
    if (command == u"renumber")
        return renumber(io, args, settingsPath);
    if (command == u"list")
        return list(io, args, settingsPath);
    if (command == u"sort")
        return sort(io, args, settingsPath);
    if (command == u"show")
        return show(io, args, settingsPath);
    if (command == u"find")
        return find(io, args, settingsPath);
    if (command == u"calc")
        return runCalcCommand(args, out, err);
    if (command == u"stats")
        return runStatsCommand(args, settingsPath, io);
    if (command == u"stats-start")
        return runStatsStartCommand(args, settingsPath, io);
    if (isPrefsCommand(command))
        return runPrefsCommand(command, args, settingsPath, io);
    if (command == u"import")
        return runImportCommand(args, settingsPath, out, err);
    if (command == u"export")
        return runExportCommand(args, settingsPath, out, err);
    if (const auto it = extra.find(command); it != extra.end())
        return (*it)(args, settingsPath, out, err);
    if (command == u"help") {
        out.append(helpText().toUtf8());
        return kDone;
    }
    return io.usage(QStringLiteral("unknown command \"%1\"").arg(command));
}
