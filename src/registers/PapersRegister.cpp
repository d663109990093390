#include "registers/PapersRegister.h"

#include "platform/Localizer.h"
#include "platform/NamedColours.h"
#include "registers/DiversDocsFields.h"
#include "registers/PapersSamples.h"
#include "registers/RegisterRecord.h"
#include "registers/RegisterTable.h"
#include "registers/SynthesisWriter.h"

// The register of papers: their form, list and texts.
namespace {

using namespace diversdocs;
using registers::Column;
using registers::FormControl;
using registers::Rule;

const QString kTable = QStringLiteral("Documents");

const QStringList kKindKeys =
    registers::textsOf({"TableView attestation", "TableView certification", "TableView certifMed",
                        "TableView facture", "TableView licence", "TableView autre"});

QList<FormControl> controls()
{
    return {
        {type, Rule::PopupTag, {}, {}, {}, {0, 1, 2, 3, 4, 5}},
        {titre, Rule::Text},
        {emetteur, Rule::Text},
        {date, Rule::Date},
        {renouveler, Rule::Switch},
        {dateRenouvellement, Rule::Date},
        {photocopy, Rule::Image},
        {notes, Rule::Notes},
    };
}

// The localised name of a kind 0 to 5, the bare number of any other.
QString kindText(const RegisterRecord& r, const Localizer& loc)
{
    const int kind = r.integer(type);
    return kind >= 0 && kind < kKindKeys.size() ? loc.text(kKindKeys[kind], kTable) : QString::number(kind);
}

QList<Column> columns()
{
    const auto plain = [](const char* id) {
        return Column{QLatin1String(id), QStringLiteral("Column %1").arg(QLatin1String(id))};
    };
    return {
        {QStringLiteral("type"), QStringLiteral("Column type"), kindText},
        plain("titre"),
        plain("emetteur"),
        plain("date"),
        plain("dateRenouvellement"),
    };
}

// The overview of one paper: its kind, title, issuer, dates and notes.
StyledText synthesis(const RegisterRecord& r, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.field(QStringLiteral("Paper kind"), kindText(r, loc));
    w.field(QStringLiteral("Paper title"), r.text(titre).value_or(QString()));
    w.field(QStringLiteral("Paper issuer"), r.text(emetteur).value_or(QString()));
    w.field(QStringLiteral("Paper date"), registertable::dayText(r.date(date)));
    if (r.integer(renouveler) == 1)
        w.field(QStringLiteral("Paper renewal"), registertable::dayText(r.date(dateRenouvellement)), namedcolours::red);
    else
        w.label(QStringLiteral("Paper no renewal"));
    w.label(r.image(photocopy) ? QStringLiteral("Paper with picture") : QStringLiteral("Paper without picture"));
    w.title(QStringLiteral("Remarks"));
    w.value(r.text(notes).value_or(QString()));
    w.value(QStringLiteral("\n--------------------\n"), namedcolours::black);
    return w.take();
}

StyledText synthesisHeading(const QList<RegisterRecord>&, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.heading(w.text(QStringLiteral("Documents")));
    w.value(QStringLiteral("\n--------------------\n"), namedcolours::black);
    return w.take();
}

using registers::Pane;
using registers::PaneRow;

QList<Pane> panes()
{
    const auto row = [](const char* key, int field, int width = 0) { return PaneRow{QLatin1String(key), field, width}; };
    return {
        {QStringLiteral("Pane paper"),
         {row("Form type", type), row("Form titre", titre), row("Form emetteur", emetteur), row("Form date", date),
          row("Form renouveler", renouveler), row("Form dateRenouvellement", dateRenouvellement)}},
        {QStringLiteral("Pane picture"), {row("Form photocopy", photocopy)}},
        {QStringLiteral("Pane notes"), {row("Form notes", notes)}},
    };
}

registers::ToolbarItems toolbars()
{
    registers::ToolbarItems t;
    t.listToolbarId = QStringLiteral("docTableViewWindowToolbar");
    t.editToolbarId = QStringLiteral("docEditWindowToolbar");
    t.newId = "newDoc";
    t.addId = "addDoc";
    t.insertId = "insertDoc";
    t.updateId = "updateDoc";
    t.deleteId = "deleteDoc";
    t.addPicture = "ajouterEp";
    t.insertPicture = "insererEp";
    t.updatePicture = "validerEp";
    t.deletePicture = "supprimerEp";
    // Print, insert, update, delete and the overview wait for a paper.
    t.needRecords = true;
    return t;
}

} // namespace

namespace diversdocs {

const registers::RegisterDescription& description()
{
    static const registers::RegisterDescription papers = [] {
        registers::RegisterDescription d{
            DocumentKind::Papers,
            schema(),
            kTable,
            QStringLiteral("a register of papers"),
            QStringLiteral("papers"),
            controls(),
            columns(),
            QStringLiteral("One card"),
            QStringLiteral("Cards"),
            QStringLiteral("Erase card"),
            QStringLiteral("No card selected"),
            {},
            synthesis,
        };
        d.synthesisHeading = synthesisHeading;
        d.formRules = {registers::enabledWhileOn(QStringLiteral("dateRenouvellement"), renouveler)};
        d.countControl = QStringLiteral("nombreFichesField");
        d.countTable = QStringLiteral("Main");
        d.samples = samples();
        d.panes = panes();
        d.popupItems = {{type, kKindKeys}};
        d.toolbars = toolbars();
        d.titleKey = QStringLiteral("Documents");
        d.placeholderPicture = QStringLiteral("noPhoto");
        return d;
    }();
    return papers;
}

} // namespace diversdocs
