#include "app/cli/RegisterCommands.h"

#include "platform/ArchiveReader.h"
#include "platform/FileBytes.h"
#include "platform/JsonWriter.h"
#include "platform/RgbaColour.h"
#include "platform/context/AppContext.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterDocument.h"
#include "registers/FormRule.h"
#include "registers/RegisterTable.h"

#include <algorithm>
#include <cmath>

namespace cli {

RegisterSession::RegisterSession(Io& io, const QString& settingsPath, const registers::RegisterDescription& reg)
    : DocumentSession(io, settingsPath), m_document(std::make_unique<RegisterDocument>(context(), reg))
{
}

RegisterSession::~RegisterSession() = default;

bool RegisterSession::openDocument(const QString& path, QString* error) { return m_document->openFile(path, error); }
int RegisterSession::recordCount() const { return m_document->count(); }
void RegisterSession::selectOnly(int row) { m_document->setSelection({row}, row); }
SaveResult RegisterSession::saveDocument(const QString& path) { return m_document->saveToFile(path); }

const registers::RegisterDescription* registerOfFile(const QString& path)
{
    return registerarchive::registerOfFile(path);
}

namespace {

// Types FIELD=TEXT assignments into the form as the edit window does: a
// combo box ends its editing after each (offering its text to its
// pick-list). Returns an exit status, or -1 when every one was taken.
int typeAssignments(Io& io, RegisterDocument& doc, const QStringList& assignments, const QString& path)
{
    for (const QString& a : assignments) {
        const qsizetype eq = a.indexOf(u'=');
        if (eq <= 0)
            return io.usage(QStringLiteral("\"%1\" is not FIELD=TEXT").arg(a));
        const QString field = a.left(eq);
        const int index = doc.description().schema.fieldIndex(field);
        if (!doc.form().controlOf(index))
            return io.usage(QStringLiteral("the form has no field \"%1\"").arg(field));
        QString error;
        if (!doc.form().typeText(field, a.mid(eq + 1), &error))
            return io.refuse(path, error);
        doc.endEditingCombo(index);
    }
    return -1;
}

int addOrInsert(Io& io, const registers::RegisterDescription& reg, const QStringList& args, const QString& settings,
                bool insert)
{
    const int fixed = insert ? 2 : 1;
    int row = 0;
    if (args.size() < fixed || (insert && !parseRow(args[1], &row)))
        return io.usage(insert ? QStringLiteral("insert takes FILE ROW [FIELD=TEXT ...]")
                               : QStringLiteral("add takes FILE [FIELD=TEXT ...]"));
    RegisterSession session(io, settings, reg);
    if (!session.openForWriting(args[0]))
        return kRefused;
    RegisterDocument& doc = session.document();
    if (insert && (row < 0 || row > doc.count()))
        return io.refuse(args[0], QStringLiteral("row %1 is out of range (0 to %2)").arg(row).arg(doc.count()));
    doc.newRecord();
    if (const int status = typeAssignments(io, doc, args.mid(fixed), args[0]); status >= 0)
        return status;
    if (insert && row < doc.count()) {
        // The new card goes before the row chosen, as a click then Insert does.
        doc.setSelection({row}, row);
        doc.insertRecord();
    } else {
        doc.addRecord();
    }
    return session.save();
}

int update(Io& io, const registers::RegisterDescription& reg, const QStringList& args, const QString& settings)
{
    int row = 0;
    if (args.size() < 2 || !parseRow(args[1], &row))
        return io.usage(QStringLiteral("update takes FILE ROW [FIELD=TEXT ...]"));
    RegisterSession session(io, settings, reg);
    if (!session.openForWriting(args[0]) || !session.selectRow(row))
        return kRefused;
    if (const int status = typeAssignments(io, session.document(), args.mid(2), args[0]); status >= 0)
        return status;
    session.document().updateRecord();
    return session.save();
}

int remove(Io& io, const registers::RegisterDescription& reg, const QStringList& args, const QString& settings)
{
    int row = 0;
    if (args.size() != 2 || !parseRow(args[1], &row))
        return io.usage(QStringLiteral("delete takes FILE ROW"));
    RegisterSession session(io, settings, reg);
    if (!session.openForWriting(args[0]) || !session.selectRow(row))
        return kRefused;
    session.document().deleteRecords();
    return session.save();
}

int list(Io& io, const registers::RegisterDescription& reg, const QStringList& args, const QString& settings)
{
    const bool colours = args.contains(QStringLiteral("--colours"));
    QStringList rest = args;
    rest.removeAll(QStringLiteral("--colours"));
    if (rest.size() != 1)
        return io.usage(QStringLiteral("list takes FILE [--colours]"));
    RegisterSession session(io, settings, reg);
    if (!session.open(rest[0]))
        return kRefused;
    const Localizer& loc = session.context().localizer();
    QByteArray& out = io.out;
    for (qsizetype c = 0; c < reg.columns.size(); ++c) {
        if (c > 0)
            out.append('\t');
        out.append(registertable::title(reg, reg.columns[c], loc).toUtf8());
    }
    out.append('\n');
    for (const RegisterRecord& record : session.document().records()) {
        for (qsizetype c = 0; c < reg.columns.size(); ++c) {
            if (c > 0)
                out.append('\t');
            out.append(registertable::text(reg.columns[c], record, loc).toUtf8());
            if (colours) {
                out.append('\t');
                out.append(colourText(registertable::colour(reg.columns[c], record)));
            }
        }
        out.append('\n');
    }
    out.append(session.document().countText().toUtf8() + '\n');
    return kDone;
}

int sort(Io& io, const registers::RegisterDescription& reg, const QStringList& args, const QString& settings)
{
    if (args.size() < 2 || args.size() > 3)
        return io.usage(QStringLiteral("sort takes FILE COLUMN [asc|desc]"));
    const bool known = std::any_of(reg.columns.begin(), reg.columns.end(),
                                   [&](const registers::Column& c) { return c.id == args[1]; });
    if (!known)
        return io.usage(QStringLiteral("\"%1\" is not a list column").arg(args[1]));
    if (args.size() == 3 && args[2] != u"asc" && args[2] != u"desc")
        return io.usage(QStringLiteral("the direction is asc or desc"));
    RegisterSession session(io, settings, reg);
    if (!session.openForWriting(args[0]))
        return kRefused;
    if (args.size() == 3)
        session.document().sortByColumn(args[1], args[2] == u"asc");
    else
        session.document().sortByColumn(args[1]);
    return session.save();
}

// What each control of the form shows, in the fields' archive order: texts
// as they stand, pop-ups their tag, switches and sliders their value, dates
// their day (null for none), the picture its size (null for none).
void writeShownValues(JsonWriter& json, const RegisterForm& form)
{
    const registers::RecordSchema& schema = form.description().schema;
    json.raw("{");
    bool first = true;
    for (int field = 0; field < schema.fieldCount(); ++field) {
        const registers::FormControl* c = form.controlOf(field);
        if (!c)
            continue;
        const RegisterForm::ControlValue& v = form.value(field);
        if (!first)
            json.separator();
        first = false;
        json.key(schema.field(field).name);
        switch (c->rule) {
        case registers::Rule::PopupTag:
        case registers::Rule::Radio:
        case registers::Rule::Switch:
        case registers::Rule::Slider: json.integer(v.number); break;
        case registers::Rule::Date:
            if (v.date.isValid() && v.date != RegisterForm::noDateOf(*c))
                json.string(registertable::dayText(v.date));
            else
                json.null();
            break;
        case registers::Rule::Time:
            if (v.date.isValid())
                json.string(v.date.time().toString(QStringLiteral("HH:mm")));
            else
                json.null();
            break;
        case registers::Rule::Image:
            if (v.image) {
                json.raw("{\"image-bytes\":");
                json.integer(v.image->size());
                json.raw("}");
            } else {
                json.null();
            }
            break;
        default: json.string(v.text); break;
        }
    }
    json.raw("}");
}

int show(Io& io, const registers::RegisterDescription& reg, const QStringList& args, const QString& settings)
{
    int row = 0;
    if (args.size() != 2 || !parseRow(args[1], &row))
        return io.usage(QStringLiteral("show takes FILE ROW"));
    RegisterSession session(io, settings, reg);
    if (!session.open(args[0]) || !session.selectRow(row))
        return kRefused;
    const RegisterDocument& doc = session.document();
    JsonWriter json(io.out);
    json.raw("{");
    json.key(u"row");
    json.integer(row);
    for (const registers::DerivedValue& d :
         registers::derive(reg.formRules, doc.form(), session.context().localizer())) {
        json.raw(",\n ");
        json.key(d.name);
        if (const bool* b = std::get_if<bool>(&d.value))
            json.raw(*b ? "true" : "false");
        else if (const qint64* n = std::get_if<qint64>(&d.value))
            json.integer(*n);
        else if (const auto* colour = std::get_if<std::optional<RgbaColour>>(&d.value))
            json.string(QString::fromLatin1(colourText(*colour)));
        else
            json.string(std::get<QString>(d.value));
    }
    json.raw(",\n ");
    json.key(reg.countControl.isEmpty() ? QStringLiteral("countField") : reg.countControl);
    json.string(doc.countText());
    json.raw(",\n \"previousButton.enabled\":");
    json.raw(doc.previousEnabled() ? "true" : "false");
    json.raw(",\n \"nextButton.enabled\":");
    json.raw(doc.nextEnabled() ? "true" : "false");
    json.raw(",\n \"form\":");
    writeShownValues(json, doc.form());
    json.raw("}\n");
    return kDone;
}

} // namespace

int runRegisterCommand(const QString& command, const registers::RegisterDescription& reg, const QStringList& args,
                       const QString& settingsPath, Io& io)
{
    if (command == u"add" || command == u"insert")
        return addOrInsert(io, reg, args, settingsPath, command == u"insert");
    if (command == u"update")
        return update(io, reg, args, settingsPath);
    if (command == u"delete")
        return remove(io, reg, args, settingsPath);
    if (command == u"list")
        return list(io, reg, args, settingsPath);
    if (command == u"sort")
        return sort(io, reg, args, settingsPath);
    if (command == u"show")
        return show(io, reg, args, settingsPath);
    return io.usage(QStringLiteral("\"%1\" does not act on %2 in this version").arg(command, reg.documentNoun));
}

} // namespace cli
