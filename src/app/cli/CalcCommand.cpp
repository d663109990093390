#include "app/cli/CalcCommand.h"

#include "calculators/CalculatorActions.h"
#include "platform/JsonWriter.h"
#include "platform/Localizer.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kDone = 0;
constexpr int kRefused = 1;
constexpr int kUsage = 2;

int usage(QByteArray& err, const QString& message)
{
    err.append(QStringLiteral("ondrix-cli: %1\nTry 'ondrix-cli --help'.\n").arg(message).toUtf8());
    return kUsage;
}

QString colourText(const RgbaColour& colour)
{
    const auto channel = [](double v) { return int(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", channel(colour.red), channel(colour.green), channel(colour.blue));
    return QString::fromLatin1(buf);
}

void stringArray(JsonWriter& json, const QStringList& items)
{
    json.raw("[");
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            json.separator();
        json.string(items[i]);
    }
    json.raw("]");
}

int list(QByteArray& out)
{
    JsonWriter json(out);
    json.raw("{");
    bool firstAction = true;
    for (const CalculatorAction& action : CalculatorActions::all()) {
        if (!firstAction)
            json.separator();
        firstAction = false;
        json.key(action.name);
        json.raw("{");
        json.key("window");
        json.string(action.window);
        json.separator();
        json.key("command");
        json.string(action.command);
        json.separator();
        json.key("inputs");
        QStringList inputs;
        for (const CalculatorField& f : action.inputs)
            inputs.append(f.name);
        stringArray(json, inputs);
        json.separator();
        json.key("choices");
        json.raw("{");
        bool firstChoice = true;
        for (const CalculatorField& f : action.inputs) {
            if (f.kind != CalculatorField::Kind::Choice)
                continue;
            if (!firstChoice)
                json.separator();
            firstChoice = false;
            json.key(f.name);
            json.raw("{");
            for (qsizetype i = 0; i < f.items.size(); ++i) {
                if (i > 0)
                    json.separator();
                json.key(f.items[i].value);
                json.string(f.items[i].title);
            }
            json.raw("}");
        }
        json.raw("}");
        json.separator();
        json.key("outputs");
        stringArray(json, action.outputs);
        json.separator();
        json.key("coloured");
        stringArray(json, action.colouredOutputs);
        json.raw("}");
    }
    json.raw("}\n");
    return kDone;
}

} // namespace

int runCalcCommand(const QStringList& args, QByteArray& out, QByteArray& err)
{
    const Localizer texts(Localizer::languageFromEnvironment());
    return runCalcCommand(args, out, err, texts);
}

int runCalcCommand(const QStringList& args, QByteArray& out, QByteArray& err, const Localizer& texts)
{
    if (args.isEmpty())
        return usage(err, QStringLiteral("calc takes ACTION [FIELD=TEXT ...] or --list"));
    if (args.first() == u"--list") {
        if (args.size() != 1)
            return usage(err, QStringLiteral("calc --list takes nothing more"));
        return list(out);
    }
    const CalculatorAction* action = CalculatorActions::find(args.first());
    if (!action)
        return usage(err, QStringLiteral("unknown calculator action \"%1\" (calc --list names them)").arg(args.first()));

    QHash<QString, QString> typed;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const qsizetype eq = a.indexOf(u'=');
        if (eq <= 0)
            return usage(err, QStringLiteral("\"%1\" is not FIELD=TEXT").arg(a));
        const QString field = a.left(eq);
        const CalculatorField* input = action->input(field);
        if (!input)
            return usage(err, QStringLiteral("%1 has no input field \"%2\"").arg(action->name, field));
        const QString text = a.mid(eq + 1);
        if (!input->accepts(text)) {
            QStringList values;
            for (const CalculatorField::Item& item : input->items)
                values.append(item.value);
            err.append(QStringLiteral("ondrix-cli: %1: no item \"%2\" (the items are %3)\n")
                           .arg(field, text, values.join(QStringLiteral(", ")))
                           .toUtf8());
            return kRefused;
        }
        typed.insert(field, text);
    }

    const CalculatorResult result = action->run(typed, texts);
    JsonWriter json(out);
    json.raw("{");
    bool first = true;
    for (const QString& field : action->outputs) {
        if (!first)
            json.separator();
        first = false;
        json.key(field);
        json.string(result.texts.value(field));
        if (action->colouredOutputs.contains(field)) {
            json.separator();
            json.key(QString(field + QStringLiteral(".colour")));
            const auto colour = result.colours.constFind(field);
            json.string(colour == result.colours.cend() ? QStringLiteral("-") : colourText(*colour));
        }
    }
    json.raw("}\n");
    return kDone;
}
