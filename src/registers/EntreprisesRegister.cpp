#include "registers/EntreprisesRegister.h"

#include "registers/EntreprisesFields.h"
#include "registers/RegisterRecord.h"
#include "registers/RegisterTable.h"
#include "registers/SynthesisWriter.h"

// The firms address book: its cards' form, list and texts.
namespace {

using namespace entreprises;
using registers::Column;
using registers::FormControl;
using registers::PaneRow;
using registers::Rule;

const QString kTable = QStringLiteral("Entreprises");
const QString kSeparator = QStringLiteral("\n------------------------------\n");

QList<FormControl> controls()
{
    QList<FormControl> c = addressbook::controls(addressFields(), QStringLiteral("Closed"), kTable);
    c.prepend({entreprise, Rule::Text});
    c.append({activite, Rule::Text});
    c.append({remarques, Rule::Notes});
    return c;
}

QList<Column> columns()
{
    const auto column = [](const char* field) {
        return Column{QLatin1String(field), QStringLiteral("Column ") + QLatin1String(field)};
    };
    return {
        column("entreprise"),
        column("activite"),
        column("ville"),
        column("pays"),
        column("telephone"),
        column("email"),
        registertable::ratingColumn(QStringLiteral("cotation"), QStringLiteral("Column cotation"), cotation),
        addressbook::updateColumn(addressFields(), QStringLiteral("Column miseAJour")),
    };
}

QString textOf(const RegisterRecord& r, int field) { return r.text(field).value_or(QString()); }

// The synthesis of one firm: a dash line, then its address, contacts,
// opening hours, remarks and update date.
StyledText synthesis(const RegisterRecord& r, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.value(kSeparator, namedcolours::black);
    w.field(QStringLiteral("Name"), textOf(r, entreprise));
    addressbook::writeAddress(w, r, addressFields());
    const std::pair<const char*, int> contacts[] = {
        {"Phone", telephone}, {"Fax", fax}, {"E-mail", email}, {"URL", url}, {"Activity", activite}};
    for (const auto& [key, field] : contacts)
        w.field(QLatin1String(key), textOf(r, field));
    addressbook::writeSchedules(w, r, addressFields());
    w.field(QStringLiteral("Remarks"), textOf(r, remarques));
    w.field(QStringLiteral("Update"), registertable::dayText(r.date(miseAJour)));
    return w.take();
}

QList<registers::FormRule> formRules()
{
    QList<registers::FormRule> rules{registers::sliderValueText(QStringLiteral("cotationValue"), cotation)};
    rules.append(addressbook::updateAgeRules(addressFields()));
    return rules;
}

// The three panes of the edit window: the firm and its address, its
// contacts and rating, its opening hours.
QList<registers::Pane> panes()
{
    QList<PaneRow> firm{{QStringLiteral("Form entreprise"), entreprise}, {QStringLiteral("Form activite"), activite}};
    const QList<PaneRow> address = addressbook::addressRows(addressFields());
    firm.append(address.mid(0, 4));
    QList<PaneRow> contacts = address.mid(4);
    contacts.append({{QStringLiteral("Form cotation"), cotation},
                     PaneRow{QStringLiteral("Form miseAJour"), miseAJour, 0, true},
                     {QStringLiteral("Form remarques"), remarques}});
    return {
        {QStringLiteral("Pane firm"), firm},
        {QStringLiteral("Pane contacts"), contacts},
        {QStringLiteral("Pane hours"), addressbook::hourRows(addressFields())},
    };
}

QList<registers::SampleValues> samples()
{
    QList<registers::SampleValues> s = addressbook::samples(addressFields());
    s.append({entreprise, registers::textsOf({"Plongée Sud", "Bleu Marine", "Scubapro Service", "Océan Gonflage",
                                              "Nautisub", "Aqua Lung Atelier", "Le Comptoir du Plongeur",
                                              "Harbour Divers Supply", "Subchandlers", "Mares Centre Technique",
                                              "Cap Dramont Détendeurs", "Photo Sous-Marine Pro"})});
    s.append({activite, registers::textsOf({"Shop", "Regulator service", "Cylinder testing", "Compressor service",
                                            "Boat hire", "Underwater photography", "Dry suit repairs",
                                            "Travel agency"})});
    s.append({remarques, registers::textsOf({"Ask for Jean at the workshop.", "10% off for club members.",
                                             "Cylinders tested in 48 hours.\nClosed in August.",
                                             "Parking behind the shop.", "Orders by e-mail only."})});
    return s;
}

// The command items' identifiers and pictures of the two toolbars.
registers::ToolbarItems toolbars()
{
    return {QStringLiteral("firmTableViewWindowToolbar"), QStringLiteral("firmEditWindowToolbar"),
            "newFirm", "addFirm", "insertFirm", "updateFirm", "deleteFirm",
            "ajouterEnt", "insererEnt", "validerEnt", "supprimerEnt"};
}

} // namespace

namespace entreprises {

const registers::RegisterDescription& description()
{
    static const registers::RegisterDescription firms = [] {
        registers::RegisterDescription d = addressbook::describe(
            {DocumentKind::Firms, schema(), kTable, QStringLiteral("a firms address book"), QStringLiteral("firm cards"),
             QStringLiteral("Firms"), controls(), columns(), synthesis, formRules(), samples(), panes(), toolbars()});
        d.comboLists = {{activite, PickListId::Activite}};
        d.reloadedLists = {PickListId::Activite};
        return d;
    }();
    return firms;
}

} // namespace entreprises
