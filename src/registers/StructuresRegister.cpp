#include "registers/StructuresRegister.h"

#include "platform/Localizer.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterRecord.h"
#include "registers/RegisterTable.h"
#include "registers/StructuresFields.h"
#include "registers/SynthesisWriter.h"

#include <algorithm>

// The structures address book: its cards' form, list and texts.
namespace {

using namespace structures;
using registers::Column;
using registers::FormControl;
using registers::PaneRow;
using registers::Rule;

const QString kTable = QStringLiteral("Structures");
const QString kSeparator = QStringLiteral("\n------------------------------\n");

// The kind pop-up: "not stated" first, then association and commercial; a
// blank form selects its second item.
const QList<int> kKindTags = {2, 0, 1};
const QStringList kKindKeys = {QStringLiteral("Kind not stated"), QStringLiteral("Kind association"),
                               QStringLiteral("Kind commercial")};

int diveKind(int n) { return plongee_1 + n; }
int divePrice(int n) { return prix_1 + n; }
int course(int n) { return formation_1 + n; }
int coursePrice(int n) { return prixForm_1 + n; }

QList<FormControl> controls()
{
    QList<FormControl> c = addressbook::controls(addressFields());
    for (const int f : {nom, affiliation, gerant, portable})
        c.append({f, Rule::Text});
    c.append({.field = type, .rule = Rule::PopupTag, .tags = kKindTags, .blankItem = 1});
    c.append({bapteme, Rule::Decimal, QStringLiteral("0")});
    for (int n = 0; n < kDiveKinds; ++n) {
        c.append({diveKind(n), Rule::Text});
        c.append({divePrice(n), Rule::Decimal, QStringLiteral("0")});
    }
    for (int n = 0; n < kCourses; ++n) {
        c.append({course(n), Rule::Text});
        c.append({coursePrice(n), Rule::Decimal, QStringLiteral("0")});
    }
    c.append({nbPlongees, Rule::Integer, QStringLiteral("0")});
    c.append({remarques, Rule::Notes});
    return c;
}

QString kindText(const RegisterRecord& r, const Localizer& loc)
{
    const qsizetype item = kKindTags.indexOf(r.integer(type));
    return item < 0 ? QString() : loc.text(kKindKeys[item], kTable);
}

QList<Column> columns()
{
    const auto column = [](const char* field) {
        return Column{QLatin1String(field), QStringLiteral("Column ") + QLatin1String(field)};
    };
    return {
        column("nom"),
        Column{QStringLiteral("type"), QStringLiteral("Column type"), kindText},
        column("affiliation"),
        column("ville"),
        column("pays"),
        column("telephone"),
        registertable::ratingColumn(QStringLiteral("cotation"), QStringLiteral("Column cotation"), cotation),
        column("nbPlongees"),
        column("miseAJour"),
    };
}

QString textOf(const RegisterRecord& r, int field) { return r.text(field).value_or(QString()); }
QString priceText(float price) { return QString::number(double(price), 'f', 2) + QStringLiteral(" €\n"); }

// "Bapteme" always; then each dive kind and course that has a name.
void writePrices(SynthesisWriter& w, const RegisterRecord& r)
{
    w.label(QStringLiteral("Prices"));
    w.value(QStringLiteral("Bapteme : ") + priceText(r.decimal(bapteme)));
    const auto priced = [&](int name, int price) {
        const QString named = textOf(r, name);
        if (!named.isEmpty())
            w.value(named + QStringLiteral(" : ") + priceText(r.decimal(price)));
    };
    for (int n = 0; n < kDiveKinds; ++n)
        priced(diveKind(n), divePrice(n));
    for (int n = 0; n < kCourses; ++n)
        priced(course(n), coursePrice(n));
}

// The synthesis of one structure, a dash line closing it.
StyledText synthesis(const RegisterRecord& r, const Localizer& loc)
{
    static const QString kinds[] = {QStringLiteral("Associative"), QStringLiteral("Commerciale"), QStringLiteral("N/A")};
    SynthesisWriter w(loc, kTable);
    w.field(QStringLiteral("Name"), textOf(r, nom));
    w.label(QStringLiteral("Type"));
    if (const int kind = r.integer(type); kind >= 0 && kind <= 2)
        w.value(kinds[kind]);
    w.field(QStringLiteral("Affiliation"), textOf(r, affiliation));
    w.field(QStringLiteral("Gerant"), textOf(r, gerant));
    addressbook::writeAddress(w, r, addressFields());
    const std::pair<const char*, int> contacts[] = {
        {"Phone", telephone}, {"Mobile", portable}, {"Fax", fax}, {"E-mail", email}, {"URL", url}};
    for (const auto& [key, field] : contacts)
        w.field(QLatin1String(key), textOf(r, field));
    w.field(QStringLiteral("Cotation"), QString::number(r.integer(cotation)));
    w.field(QStringLiteral("Update"), registertable::dayText(r.date(miseAJour)));
    writePrices(w, r);
    addressbook::writeSchedules(w, r, addressFields());
    w.field(QStringLiteral("NBDives"), QString::number(r.integer(nbPlongees)));
    w.field(QStringLiteral("Remarks"), textOf(r, remarques));
    w.value(kSeparator, namedcolours::black);
    return w.take();
}

// The rating in words, as the budget's quality/price: "N/A" while not
// rated, the best word from 5 up.
QString ratingWords(const RegisterForm& form, const Localizer& loc)
{
    static const QStringList words = {QStringLiteral("Very bad"), QStringLiteral("Bad"), QStringLiteral("Medium"),
                                      QStringLiteral("Good"), QStringLiteral("Very good")};
    const int rating = form.number(cotation);
    if (rating <= 0)
        return QStringLiteral("N/A");
    return loc.text(words[std::min<qsizetype>(rating, words.size()) - 1], QStringLiteral("Budget"));
}

QList<registers::FormRule> formRules()
{
    return {{QStringLiteral("cotationValue"), registers::Derived::Text, {}, {}, ratingWords}};
}

// The four panes of the edit window: the structure, its address and
// contacts, its prices, its opening hours and remarks.
QList<registers::Pane> panes()
{
    const auto row = [](const char* key, int field, int width = 0) { return PaneRow{QLatin1String(key), field, width}; };
    QList<PaneRow> address = addressbook::addressRows(addressFields());
    address.insert(5, row("Form portable", portable, 20));
    QList<PaneRow> prices{row("Form bapteme", bapteme, 8)};
    const auto priced = [&](const char* key, int n, int name, int price) {
        PaneRow r{QStringLiteral("%1 %2").arg(QLatin1String(key)).arg(n + 1), name, 28};
        r.alongside = {price};
        prices.append(r);
    };
    for (int n = 0; n < kDiveKinds; ++n)
        priced("Form plongee", n, diveKind(n), divePrice(n));
    for (int n = 0; n < kCourses; ++n)
        priced("Form formation", n, course(n), coursePrice(n));
    QList<PaneRow> hours = addressbook::hourRows(addressFields());
    hours.append(row("Form remarques", remarques));
    return {
        {QStringLiteral("Pane identity"),
         {row("Form nom", nom), row("Form type", type), row("Form affiliation", affiliation),
          row("Form gerant", gerant), row("Form cotation", cotation),
          PaneRow{QStringLiteral("Form miseAJour"), miseAJour, 0, true}, row("Form nbPlongees", nbPlongees, 8)}},
        {QStringLiteral("Pane address"), address},
        {QStringLiteral("Pane prices"), prices},
        {QStringLiteral("Pane hours"), hours},
    };
}

QList<registers::SampleValues> samples()
{
    using registers::textsOf;
    QList<registers::SampleValues> s = addressbook::samples(addressFields());
    s.append({nom, textsOf({"Club Subaquatique de Marseille", "Centre de Plongée des Calanques", "Bleu Évasion",
                            "Les Copains d'Abord", "Aquanaute Club", "Plongée Passion Porquerolles",
                            "Harbour Divers", "Duikcentrum Amsterdam", "Corsica Plongée", "Iroise Plongée",
                            "Neptune Club", "Pointe Rouge Plongée"})});
    s.append({affiliation, textsOf({"FFESSM", "ANMP", "PADI", "SSI", "CMAS", "NAUI", "BSAC", "SNMP"})});
    s.append({gerant, textsOf({"Marie Dupont", "Luc Martin", "Sophie Bernard", "Karim Haddad", "Anne Le Goff",
                               "Pieter de Vries", "Tom Walker", "Jean-Marc Rossi"})});
    s.append({portable, textsOf({"06 12 34 56 78", "07 81 22 90 14", "06 63 18 44 02", "+44 7700 900 123",
                                 "+31 6 1234 5678", "06 09 87 65 43"})});
    const QStringList dives[kDiveKinds] = {textsOf({"Exploration", "Boat dive", ""}),
                                           textsOf({"Night dive", "Wreck dive", ""}),
                                           textsOf({"Nitrox dive", "Drift dive", ""}),
                                           textsOf({"Deep dive", "Cave dive", ""}),
                                           textsOf({"Shore dive", "Ten-dive pass", ""})};
    const QStringList courses[kCourses] = {textsOf({"Level 1", "Open Water", ""}), textsOf({"Level 2", "Advanced", ""}),
                                           textsOf({"Level 3", "Rescue", ""}),     textsOf({"Nitrox", "Trimix", ""}),
                                           textsOf({"Initiator", "Divemaster", ""}), textsOf({"First aid", "Dry suit", ""})};
    s.append({bapteme, {}, 25, 60, 5});
    for (int n = 0; n < kDiveKinds; ++n) {
        s.append({diveKind(n), dives[n]});
        s.append({divePrice(n), {}, 20, 90, 0.5});
    }
    for (int n = 0; n < kCourses; ++n) {
        s.append({course(n), courses[n]});
        s.append({coursePrice(n), {}, 90, 650, 5});
    }
    s.append({nbPlongees, {}, 0, 250});
    s.append({remarques, textsOf({"Boat leaves at 9:00 and 14:00.", "Nitrox on site, 12 l and 15 l cylinders.",
                                  "Friendly club, dives every weekend.\nClosed from November to March.",
                                  "Book two days ahead in summer.", "Car park at the harbour."})});
    return s;
}

// The command items' identifiers and pictures of the two toolbars.
registers::ToolbarItems toolbars()
{
    return {QStringLiteral("structTableViewWindowToolbar"), QStringLiteral("structEditWindowToolbar"),
            "newStructure", "addStructure", "insertStructure", "updateStructure", "deleteStructure",
            "ajouterSt", "insererSt", "validerSt", "supprimerSt"};
}

} // namespace

namespace structures {

const registers::RegisterDescription& description()
{
    static const registers::RegisterDescription book = [] {
        registers::RegisterDescription d = addressbook::describe(
            {DocumentKind::Structures, schema(), kTable, QStringLiteral("a structures address book"), QStringLiteral("structure cards"),
             QStringLiteral("Structures"), controls(), columns(), synthesis, formRules(), samples(), panes(), toolbars()});
        d.popupItems = {{type, kKindKeys}};
        return d;
    }();
    return book;
}

} // namespace structures
