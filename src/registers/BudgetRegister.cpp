#include "registers/BudgetRegister.h"

#include "platform/Localizer.h"
#include "platform/NamedColours.h"
#include "platform/TextFormat.h"
#include "registers/BudgetFields.h"
#include "registers/BudgetSamples.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterRecord.h"
#include "registers/RegisterTable.h"
#include "registers/SynthesisWriter.h"

// The budget forecast: its offers' form, figures, list and texts.
namespace {

using namespace budget;
using registers::Column;
using registers::FormControl;
using registers::Rule;

const QString kTable = QStringLiteral("Budget");
const QString kZero = QStringLiteral("0");

QList<FormControl> controls()
{
    QList<FormControl> c;
    for (const int f : {prestation, supplement_1, supplement_2, supplement_3, supplement_4, entreprise})
        c.append({f, Rule::Text});
    for (int line = 0; line < kLines; ++line) {
        c.append({quantityOf(line), Rule::Integer, kZero});
        c.append({unitPriceOf(line), Rule::Decimal, kZero});
    }
    c.append({prixDegressif, Rule::Switch});
    for (int card = 1; card <= kCards; ++card) {
        c.append({cardUnitsOf(card), Rule::Integer, kZero});
        c.append({cardPriceOf(card), Rule::Decimal, kZero});
    }
    c.append({prevDepense, Rule::Switch});
    c.append({qualitePrix, Rule::Slider, {}, {}, {}, {}, 5});
    c.append({delai, Rule::Slider, {}, {}, {}, {}, 5});
    c.append({miseAJour, Rule::Date, {}, {}, {}, {}, 0, QDateTime()});
    c.append({notes, Rule::Notes});
    return c;
}

// A rating's words: "N/A" (as it stands) for 0, then the keys of 1 to 4,
// the last key for anything higher. The synthesis prints nothing above 5.
QString ratingWords(int rating, const QStringList& keys, const Localizer& loc)
{
    if (rating <= 0)
        return QStringLiteral("N/A");
    return loc.text(keys[std::min<qsizetype>(rating, keys.size()) - 1], kTable);
}

const QStringList kQualityKeys = registers::textsOf({"Very bad", "Bad", "Medium", "Good", "Very good"});
const QStringList kDelayKeys =
    registers::textsOf({"Very inefficient", "Inefficient", "Medium", "Satisfying", "Very satisfying"});

QString cardText(const RegisterForm& form, int card, const Localizer& loc)
{
    const std::optional<double> unit = cardUnitPrice(form, card);
    return unit ? formatText(loc.text(QStringLiteral("Discount price"), kTable), {*unit}) : QString();
}

QList<registers::FormRule> formRules()
{
    using namespace registers;
    QList<FormRule> rules;
    for (int card = 1; card <= kCards; ++card) {
        rules.append(enabledWhileOn(QLatin1String(schema().field(cardUnitsOf(card)).name), prixDegressif));
        rules.append(enabledWhileOn(QLatin1String(schema().field(cardPriceOf(card)).name), prixDegressif));
    }
    rules.append({QStringLiteral("totalField"), Derived::Text, {}, {},
                  [](const RegisterForm& f, const Localizer&) { return priceText(total(f)); }});
    for (int card = 1; card <= kCards; ++card)
        rules.append({QStringLiteral("prixUnitaireCarte_%1").arg(card), Derived::Text, {}, {},
                      [card](const RegisterForm& f, const Localizer& loc) { return cardText(f, card, loc); }});
    rules.append({QStringLiteral("qualitePrixValue"), Derived::Text, {}, {},
                  [](const RegisterForm& f, const Localizer& loc) {
                      return ratingWords(f.number(qualitePrix), kQualityKeys, loc);
                  }});
    rules.append({QStringLiteral("delaiValue"), Derived::Text, {}, {},
                  [](const RegisterForm& f, const Localizer& loc) {
                      return ratingWords(f.number(delai), kDelayKeys, loc);
                  }});
    return rules;
}

// Every cell of a planned expense is red; a rating is brown once given,
// black while not, whatever the row.
std::optional<RgbaColour> rowColour(const RegisterRecord& r)
{
    return r.integer(prevDepense) == 1 ? std::optional(namedcolours::red) : std::nullopt;
}

Column ratingColumn(const char* id, int field)
{
    return {QLatin1String(id), QStringLiteral("Column %1").arg(QLatin1String(id)),
            [field](const RegisterRecord& r, const Localizer& loc) {
                const int rating = r.integer(field);
                return rating >= 0 && rating <= 5 ? loc.text(QStringLiteral("Cotation %1").arg(rating), QStringLiteral("Main"))
                                                  : QString::number(rating);
            },
            [field](const RegisterRecord& r) {
                return r.integer(field) != 0 ? std::optional(namedcolours::brown) : std::nullopt;
            }};
}

QList<Column> columns()
{
    const auto plain = [](const char* id) {
        return Column{QLatin1String(id), QStringLiteral("Column %1").arg(QLatin1String(id)), {}, rowColour};
    };
    return {
        plain("prestation"),
        plain("entreprise"),
        plain("quantite_0"),
        {QStringLiteral("prixUnitaire_0"), QStringLiteral("Column prixUnitaire_0"),
         [](const RegisterRecord& r, const Localizer&) { return priceText(r.decimal(prixUnitaire_0)); }, rowColour},
        ratingColumn("qualitePrix", qualitePrix),
        ratingColumn("delai", delai),
        plain("miseAJour"),
    };
}

// The synthesis of one offer: the service, its supplements, its four card
// formulas, the firm, the ratings and the remarks.
StyledText synthesis(const RegisterRecord& r, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.value(QStringLiteral("\n\n--------------------"), namedcolours::black);
    w.field(QStringLiteral("Prestation"), r.text(prestation).value_or(QString()));
    w.field(QStringLiteral("Price per unit"), priceText(r.decimal(prixUnitaire_0)));
    w.field(QStringLiteral("Quantity"), QString::number(r.integer(quantite_0)));
    for (int line = 1; line < kLines - 1; ++line) {
        w.field(QStringLiteral("Supplement"), r.text(supplementOf(line)).value_or(QString()));
        w.value(u' ' + priceText(r.decimal(unitPriceOf(line))));
        w.field(QStringLiteral("Quantity"), QString::number(r.integer(quantityOf(line))));
    }
    for (int card = 1; card <= kCards; ++card) {
        w.field(QStringLiteral("Card"), QString::number(r.integer(cardUnitsOf(card))));
        w.field(QStringLiteral("Units at"), priceText(r.decimal(cardPriceOf(card))));
        w.label(QStringLiteral("Money"));
    }
    w.field(QStringLiteral("Entreprise"), r.text(entreprise).value_or(QString()));
    for (const auto& [key, field, words] : {std::tuple{"Cotation", qualitePrix, &kQualityKeys},
                                             std::tuple{"Delay", delai, &kDelayKeys}}) {
        w.label(QLatin1String(key));
        if (r.integer(field) <= 5)
            w.value(ratingWords(r.integer(field), *words, loc));
    }
    w.field(QStringLiteral("Remarks"), r.text(notes).value_or(QString()));
    return w.take();
}

StyledText synthesisHeading(const QList<RegisterRecord>&, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.heading(w.text(QStringLiteral("Inventory")));
    return w.take();
}

using registers::Pane;
using registers::PaneRow;

PaneRow row(const QString& key, int field, int width = 0)
{
    return {key, field, width};
}

PaneRow fieldRow(int field, int width = 0)
{
    return row(QStringLiteral("Form ") + QLatin1String(schema().field(field).name), field, width);
}

PaneRow figureRow(const QString& control)
{
    PaneRow r{QStringLiteral("Form ") + control};
    r.derived = control;
    return r;
}

// Three pages: the offer, its supplements and total, its cards and ratings.
QList<Pane> panes()
{
    Pane offer{QStringLiteral("Pane offer"),
               {fieldRow(prestation), fieldRow(entreprise), fieldRow(quantite_0, 8), fieldRow(prixUnitaire_0, 10),
                fieldRow(prevDepense), PaneRow{QStringLiteral("Form miseAJour"), miseAJour, 0, true},
                fieldRow(notes)}};
    Pane supplements{QStringLiteral("Pane supplements"), {}};
    for (int line = 1; line < kLines; ++line) {
        if (line < kLines - 1)
            supplements.rows.append(fieldRow(supplementOf(line)));
        supplements.rows.append(fieldRow(quantityOf(line), 8));
        supplements.rows.append(fieldRow(unitPriceOf(line), 10));
    }
    supplements.rows.append(figureRow(QStringLiteral("totalField")));
    Pane cards{QStringLiteral("Pane cards"), {fieldRow(prixDegressif)}};
    for (int card = 1; card <= kCards; ++card) {
        cards.rows.append(fieldRow(cardUnitsOf(card), 8));
        cards.rows.append(fieldRow(cardPriceOf(card), 10));
        cards.rows.append(figureRow(QStringLiteral("prixUnitaireCarte_%1").arg(card)));
    }
    cards.rows.append(fieldRow(qualitePrix));
    cards.rows.append(fieldRow(delai));
    return {offer, supplements, cards};
}

registers::ToolbarItems toolbars()
{
    registers::ToolbarItems t;
    t.listToolbarId = QStringLiteral("budgetTableViewWindowToolbar");
    t.editToolbarId = QStringLiteral("budgetEditWindowToolbar");
    t.newId = "newPrestation";
    t.addId = "addPrestation";
    t.insertId = "insertPrestation";
    t.updateId = "updatePrestation";
    t.deleteId = "deletePrestation";
    t.addPicture = "ajouterBud";
    t.insertPicture = "insererBud";
    t.updatePicture = "validerBud";
    t.deletePicture = "supprimerBud";
    return t;
}

double storedNumber(const RegisterForm& form, int field)
{
    const RegisterRecord::Value v = form.stored(field);
    if (const auto* f = std::get_if<float>(&v))
        return double(*f);
    return double(std::get<qint32>(v));
}

} // namespace

namespace budget {

QString priceText(double price) { return QString::number(price, 'f', 2); }

double total(const RegisterForm& form)
{
    double sum = 0;
    for (int line = 0; line < kLines - 1; ++line)
        sum += storedNumber(form, quantityOf(line)) * storedNumber(form, unitPriceOf(line));
    return sum;
}

std::optional<double> cardUnitPrice(const RegisterForm& form, int card)
{
    const double units = storedNumber(form, cardUnitsOf(card));
    if (units < 1)
        return std::nullopt;
    return storedNumber(form, cardPriceOf(card)) / units;
}

const registers::RegisterDescription& description()
{
    static const registers::RegisterDescription offers = [] {
        registers::RegisterDescription d{
            DocumentKind::Budget,
            schema(),
            kTable,
            QStringLiteral("a budget forecast"),
            QStringLiteral("offers"),
            controls(),
            columns(),
            QStringLiteral("One card"),
            QStringLiteral("Cards"),
            QStringLiteral("Erase card"),
            QStringLiteral("No card selected"),
            {{prestation, PickListId::Prestations}},
            synthesis,
        };
        d.synthesisHeading = synthesisHeading;
        d.formRules = formRules();
        d.countControl = QStringLiteral("nombreFichesField");
        d.samples = samples();
        d.panes = panes();
        d.toolbars = toolbars();
        d.titleKey = QStringLiteral("Budget");
        d.synthesisClosingBreaks = QStringLiteral("\n\n");
        return d;
    }();
    return offers;
}

} // namespace budget
