#include "app/cli/PrefsCommands.h"

#include "platform/context/AppContext.h"
#include "platform/context/DefaultSettings.h"
#include "platform/JsonWriter.h"
#include "platform/prefs/PickListEditor.h"
#include "platform/prefs/PreferencesForm.h"
#include "platform/SettingsStore.h"

#include <QSet>

namespace cli {

namespace {

using Kind = PreferencesForm::Kind;

const PreferencesForm::Control* controlOf(const QString& key) { return PreferencesForm::controlOfKey(key); }

bool isColourKey(const QString& key)
{
    const auto* c = controlOf(key);
    return c ? c->kind == Kind::Colour : key.endsWith(QLatin1String(" color")) && !key.startsWith(u"alpha");
}

// A key's value as the preferences show it: colours as "#rrggbb[aa]",
// numeric fields as numbers, an absent key as null.
void writeValue(JsonWriter& json, const SettingsStore& store, const QString& key)
{
    const QVariant v = store.value(key);
    if (!v.isValid())
        return json.null();
    if (isColourKey(key)) {
        if (const auto colour = store.colourValue(key))
            return json.string(colour->toHex(true));
        return json.null();
    }
    const auto* c = controlOf(key);
    const int type = v.typeId();
    if (type == QMetaType::QStringList) {
        json.raw("[");
        const QStringList list = store.stringListValue(key);
        for (qsizetype i = 0; i < list.size(); ++i) {
            if (i > 0)
                json.separator();
            json.string(list[i]);
        }
        return json.raw("]");
    }
    if (type == QMetaType::Bool && !(c && c->kind == Kind::Theme))
        return json.raw(v.toBool() ? "true" : "false");
    if (c && c->kind == Kind::Number) {
        if (store.stringValue(key).trimmed().isEmpty())
            return json.null();
        return c->whole ? json.integer(store.intValue(key)) : json.number(store.doubleValue(key));
    }
    if (c && c->kind == Kind::Theme)
        return json.integer(store.intValue(key));
    if (type == QMetaType::QString)
        return json.string(v.toString());
    if (type == QMetaType::Double || type == QMetaType::Float)
        return json.number(v.toDouble());
    if (v.canConvert<qlonglong>())
        return json.integer(v.toLongLong());
    json.null();
}

int prefs(const QStringList& args, SettingsStore& store, Io& io)
{
    QStringList keys = args;
    if (keys.isEmpty())
        keys = registeredSettingKeys();
    JsonWriter json(io.out);
    json.raw("{");
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (i > 0)
            json.separator();
        json.key(keys[i]);
        writeValue(json, store, keys[i]);
    }
    json.raw("}\n");
    return kDone;
}

int prefsSet(const QStringList& args, AppContext& context, Io& io)
{
    if (args.isEmpty())
        return io.usage(QStringLiteral("prefs-set takes KEY=VALUE ..."));
    PreferencesForm form(context);
    QStringList changed;
    // Every value is typed and checked before any is stored.
    for (const QString& a : args) {
        const qsizetype eq = a.indexOf(u'=');
        const auto* c = eq > 0 ? controlOf(a.left(eq)) : nullptr;
        if (!c)
            return io.usage(QStringLiteral("\"%1\" is not KEY=VALUE with a key of the preferences").arg(a));
        QString reason;
        if (!form.type(c->name, a.mid(eq + 1), &reason))
            return io.refuse(c->key, reason);
        if (!changed.contains(c->name))
            changed.append(c->name);
    }
    form.commit(changed);
    return kDone;
}

bool pickListOf(const QString& name, PickListId* id)
{
    for (const PickListId candidate : PickLists::all())
        if (PickLists::key(candidate) == name)
            return *id = candidate, true;
    return false;
}

int pickList(const QString& command, const QStringList& args, AppContext& context, Io& io)
{
    PickListId id{};
    const bool add = command == u"picklist-add", remove = command == u"picklist-delete";
    const QString synopsis = add ? QStringLiteral("picklist-add takes NAME TEXT")
                             : remove ? QStringLiteral("picklist-delete takes NAME ROW...")
                                      : QStringLiteral("picklist takes NAME");
    if (args.isEmpty() || (add && args.size() != 2) || (remove && args.size() < 2) || (!add && !remove && args.size() != 1))
        return io.usage(synopsis);
    if (!pickListOf(args[0], &id)) {
        QStringList names;
        for (const PickListId each : PickLists::all())
            names.append(PickLists::key(each));
        return io.usage(QStringLiteral("\"%1\" is no pick-list (%2)").arg(args[0], names.join(QStringLiteral(", "))));
    }
    PickListEditor editor(context, id);
    editor.aboutToShow();
    if (add) {
        editor.add(args[1]);
    } else if (remove) {
        QList<int> rows;
        for (const QString& text : args.mid(1)) {
            int row = -1;
            if (!parseRow(text, &row))
                return io.usage(QStringLiteral("ROW must be a whole number"));
            if (row < 0 || row >= editor.entries().size())
                return io.refuse(args[0], QStringLiteral("row %1 is out of range (%2 entries)")
                                              .arg(row)
                                              .arg(editor.entries().size()));
            if (!rows.contains(row))
                rows.append(row);
        }
        editor.remove(editor.selectionOf(rows));
    } else {
        for (const QString& entry : editor.entries())
            io.out.append((entry + u'\n').toUtf8());
        io.out.append((editor.countText() + u'\n').toUtf8());
    }
    return kDone;
}

} // namespace

bool isPrefsCommand(const QString& command)
{
    static const QSet<QString> names = {QStringLiteral("prefs"),        QStringLiteral("prefs-set"),
                                        QStringLiteral("prefs-reset"),  QStringLiteral("picklist"),
                                        QStringLiteral("picklist-add"), QStringLiteral("picklist-delete")};
    return names.contains(command);
}

int runPrefsCommand(const QString& command, const QStringList& args, const QString& settingsPath, Io& io)
{
    SettingsSession session(io, settingsPath);
    AppContext& context = session.context();
    int status = kDone;
    if (command == u"prefs") {
        status = prefs(args, context.settings(), io);
    } else if (command == u"prefs-set") {
        status = prefsSet(args, context, io);
    } else if (command == u"prefs-reset") {
        if (!args.isEmpty())
            return io.usage(QStringLiteral("prefs-reset takes nothing"));
        PreferencesForm(context).reset();
    } else {
        status = pickList(command, args, context, io);
    }
    if (status == kDone && command != u"prefs" && command != u"picklist" && !context.settings().sync())
        return io.refuse(context.settings().fileName(), QStringLiteral("the settings could not be written"));
    return status;
}

} // namespace cli
