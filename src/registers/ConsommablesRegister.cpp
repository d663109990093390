#include "registers/ConsommablesRegister.h"

#include "registers/ConsommablesFields.h"
#include "registers/RegisterRecord.h"

#include "platform/Localizer.h"
#include "platform/NamedColours.h"
#include "platform/NumberText.h"
#include "registers/ConsommablesSamples.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterTable.h"
#include "registers/SynthesisWriter.h"

#include <cmath>

// The consumables inventory: its cards' form, list and texts.
namespace {

using namespace consommables;
using registers::Column;
using registers::FormControl;
using registers::Rule;
using registertable::fieldColumn;

const QString kTable = QStringLiteral("Consommables");
constexpr double kLevelMaximum = 20;

QList<FormControl> controls()
{
    QList<FormControl> c;
    for (const int f : {reference, marque, utilisation, rangement})
        c.append({f, Rule::Text});
    c.append({stock, Rule::Decimal});
    c.append({reserve, Rule::Decimal});
    c.append({.field = noInventaire, .rule = Rule::Switch, .blankNumber = 1});
    c.append({dateInventaire, Rule::Date});
    c.append({notes, Rule::Notes});
    return c;
}

double levelOf(const RegisterRecord& r) { return stockLevel(r.decimal(stock), r.decimal(reserve)); }
QString levelText(double level) { return QString::asprintf("%f", level); }

// The stock and reserve compare as stored: short below the reserve, at
// the limit when equal.
std::optional<RgbaColour> referenceColour(const RegisterRecord& r)
{
    if (r.decimal(reserve) > r.decimal(stock))
        return namedcolours::red;
    return r.decimal(reserve) == r.decimal(stock) ? std::optional(namedcolours::orange) : std::nullopt;
}

QList<Column> columns()
{
    Column ref = fieldColumn("reference");
    ref.colour = referenceColour;
    Column quantity = fieldColumn("stock");
    quantity.colour = [](const RegisterRecord& r) {
        return r.decimal(reserve) > r.decimal(stock) ? std::optional(namedcolours::red) : std::nullopt;
    };
    Column counted = fieldColumn("dateInventaire");
    counted.text = [](const RegisterRecord& r, const Localizer&) {
        return r.integer(noInventaire) == 1 ? QString() : registertable::dayText(r.date(dateInventaire));
    };
    Column level = fieldColumn("progress");
    level.text = [](const RegisterRecord& r, const Localizer&) { return levelText(levelOf(r)); };
    level.sortValue = levelOf;
    level.levelMaximum = kLevelMaximum;
    return {ref, fieldColumn("marque"), fieldColumn("utilisation"), quantity, fieldColumn("reserve"), fieldColumn("rangement"), counted, level};
}

StyledText synthesis(const RegisterRecord& r, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    const auto text = [&r](int field) { return r.text(field).value_or(QString()); };
    w.field(QStringLiteral("Reference"), text(reference));
    w.field(QStringLiteral("Trade mark"), text(marque));
    w.field(QStringLiteral("Use"), text(utilisation));
    w.field(QStringLiteral("Quantity"), numbertext::shortest(r.decimal(stock)));
    w.field(QStringLiteral("Location"), text(rangement));
    w.field(QStringLiteral("Remarks"), text(notes));
    w.value(QStringLiteral("\n\n--------------------"), namedcolours::black);
    return w.take();
}

StyledText synthesisHeading(const QList<RegisterRecord>&, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.heading(w.text(QStringLiteral("Inventory")));
    return w.take();
}

// The form's level, from the stock and reserve as they would be stored.
double formLevel(const RegisterForm& f)
{
    const RegisterRecord r = f.store();
    return levelOf(r);
}

QList<registers::FormRule> formRules()
{
    using namespace registers;
    return {
        hiddenWhileOn(QStringLiteral("dateInventaire"), noInventaire),
        {QStringLiteral("progress"), Derived::Number, {},
         [](const RegisterForm& f) { return qint64(std::lround(std::min(formLevel(f), 1e9))); }},
        {QStringLiteral("progressText"), Derived::Text, {}, {},
         [](const RegisterForm& f, const Localizer&) { return levelText(formLevel(f)); }},
    };
}

using registers::Pane;
using registers::PaneRow;

QList<Pane> panes()
{
    const auto row = [](const char* key, int field, int width = 0) { return PaneRow{QLatin1String(key), field, width}; };
    PaneRow level{QStringLiteral("Form progress")};
    level.derived = QStringLiteral("progress");
    level.barMaximum = int(kLevelMaximum);
    PaneRow counted{QStringLiteral("Form dateInventaire"), dateInventaire, 0, true};
    return {
        {QStringLiteral("Pane part"),
         {row("Form reference", reference, 24), row("Form marque", marque, 24), row("Form utilisation", utilisation),
          row("Form stock", stock, 8), row("Form reserve", reserve, 8), level, row("Form rangement", rangement)}},
        {QStringLiteral("Pane inventory"),
         {row("Form noInventaire", noInventaire), counted, row("Form notes", notes)}},
    };
}

registers::ToolbarItems toolbars()
{
    return {QStringLiteral("consommablesTableViewWindowToolbar"), QStringLiteral("consommablesEditWindowToolbar"), "newPart", "addPart",
            "insertPart", "updatePart", "deletePart", "ajouterCons", "insererCons", "validerCons", "supprimerCons"};
}

} // namespace

namespace consommables {

double stockLevel(float stock, float reserve)
{
    return double(stock) * 10.0 / (reserve == 0.0f ? 1.0 : double(reserve));
}

const registers::RegisterDescription& description()
{
    static const registers::RegisterDescription parts{
        .kind = DocumentKind::Consumables,
        .schema = schema(),
        .table = kTable,
        .documentNoun = QStringLiteral("a consumables inventory"),
        .recordsNoun = QStringLiteral("consumables cards"),
        .controls = controls(),
        .columns = columns(),
        .synthesis = synthesis,
        .synthesisHeading = synthesisHeading,
        .formRules = formRules(),
        .countControl = QStringLiteral("nombreFichesField"),
        .samples = samples(),
        .panes = panes(),
        .toolbars = toolbars(),
        .titleKey = QStringLiteral("Inventory"),
        .countTable = QStringLiteral("Main"),
    };
    return parts;
}

} // namespace consommables
