#include "app/cli/Cli.h"

#include "app/DocumentTypes.h"
#include "logbook/LogbookArchive.h"
#include "logbook/LogbookGenerator.h"
#include "logbook/Plongee.h"
#include "logbook/PlongeeJson.h"
#include "platform/ArchiveReader.h"
#include "platform/FileBytes.h"
#include "platform/JsonWriter.h"
#include "platform/SafeSave.h"
#include "platform/SettingsStore.h"

#include <QFile>

namespace {

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

struct Io {
    QByteArray& out;
    QByteArray& err;

    int refuse(const QString& file, const QString& reason)
    {
        err.append(QStringLiteral("ondrix-cli: %1: %2\n").arg(file, reason).toUtf8());
        return kRefused;
    }
    int usage(const QString& message)
    {
        err.append(QStringLiteral("ondrix-cli: %1\nTry 'ondrix-cli --help'.\n").arg(message).toUtf8());
        return kUsage;
    }
};

int info(Io& io, const QStringList& args)
{
    if (args.size() != 1)
        return io.usage(QStringLiteral("info takes one FILE"));
    const QString& path = args[0];
    FileBytes file;
    QString error;
    if (!file.open(path, &error))
        return io.refuse(path, error);
    ArchiveReader reader(file.bytes());
    if (!reader.open())
        return io.refuse(path, reader.error());
    const ArchiveReader::Header& header = reader.header();
    if (!DocumentTypes::byId(header.documentType))
        return io.refuse(path, QStringLiteral("unknown document type \"%1\"").arg(header.documentType));
    quint32 records = header.recordCount;
    // A logbook is decoded whole, so that a damaged record is refused here too.
    if (header.documentType == DocumentTypes::of(DocumentKind::Logbook).id) {
        auto dives = logbookarchive::decode(file.bytes());
        if (!dives)
            return io.refuse(path, dives.error());
        records = quint32(dives->size());
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
    QString error;
    if (!file.open(path, &error))
        return io.refuse(path, error);
    ArchiveReader reader(file.bytes());
    if (!reader.open())
        return io.refuse(path, reader.error());
    const QString type = reader.header().documentType;
    if (type != DocumentTypes::of(DocumentKind::Logbook).id) {
        if (!DocumentTypes::byId(type))
            return io.refuse(path, QStringLiteral("unknown document type \"%1\"").arg(type));
        return io.refuse(path, QStringLiteral("\"%1\" documents cannot be dumped by this version").arg(type));
    }
    auto dives = logbookarchive::decode(file.bytes());
    if (!dives)
        return io.refuse(path, dives.error());
    io.out.append(plongeejson::dump(*dives));
    return kDone;
}

int save(Io& io, const QString& path, const QByteArray& bytes)
{
    const SaveResult saved = saveFileAtomically(path, bytes);
    if (!saved.ok)
        return io.refuse(path, saved.error);
    return kDone;
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
    if (type->kind != DocumentKind::Logbook)
        return io.refuse(in, QStringLiteral("\"%1\" documents cannot be built by this version").arg(id));
    QFile file(in);
    if (!file.open(QIODevice::ReadOnly))
        return io.refuse(in, file.errorString());
    auto dives = plongeejson::parse(file.readAll());
    if (!dives)
        return io.refuse(in, dives.error());
    return save(io, outPath, logbookarchive::encode(*dives));
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
    qint64 dives = -1, samples = 600, seed = 1;
    QString outPath;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == u"--dives" && hasValue) {
            if (!parseCount(args[++i], 1'000'000, &dives))
                return io.usage(QStringLiteral("--dives takes a count from 0 to 1000000"));
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
    if (dives < 0 || outPath.isEmpty())
        return io.usage(QStringLiteral("generate takes --dives N [--samples M] [--seed S] OUT"));
    const auto logbook = logbookgenerator::generate(int(dives), int(samples), quint64(seed));
    return save(io, outPath, logbookarchive::encode(logbook));
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
        "Options:\n"
        "  --settings FILE   use this INI file as the settings store (created when absent)\n"
        "  --help            show this text\n"
        "\n"
        "Documents:\n"
        "  info FILE                 type, record count, class versions and size, as JSON\n"
        "  dump FILE                 every record as JSON, fields in archive order\n"
        "  from-json ID IN.json OUT  build a document of type ID from dump-shaped JSON\n"
        "  generate --dives N [--samples M] [--seed S] OUT\n"
        "                            write a synthetic logbook (default 600 samples, seed 1)\n"
        "\n"
        "Document type ids: logbook, wrecks, equipment, consumables, compressor,\n"
        "rebreather, budget, firms, structures, papers.\n");
}

int Cli::run(const QStringList& argsIn, QByteArray& out, QByteArray& err)
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
    if (command == u"info")
        return info(io, args);
    if (command == u"dump")
        return dump(io, args);
    if (command == u"from-json")
        return fromJson(io, args);
    if (command == u"generate")
        return generate(io, args);
    if (command == u"help") {
        out.append(helpText().toUtf8());
        return kDone;
    }
    return io.usage(QStringLiteral("unknown command \"%1\"").arg(command));
}
