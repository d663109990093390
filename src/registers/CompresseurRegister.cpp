#include "registers/CompresseurRegister.h"

#include "registers/CompresseurFields.h"
#include "registers/CompresseurSamples.h"
#include "registers/RegisterColumns.h"
#include "registers/RegisterRecord.h"

#include "platform/Localizer.h"
#include "platform/NumberText.h"
#include "registers/RegisterTable.h"
#include "registers/SynthesisWriter.h"

// The compressor maintenance log: its services' form, list and texts.
namespace {

using namespace compresseur;
using registers::Column;
using registers::FormControl;
using registers::Rule;

const QString kTable = QStringLiteral("Compresseur");
const QString kDash = QStringLiteral("-");

// The operations switched on or off, in the order of the form.
constexpr int kSwitches[] = {vidange, filtreAir, cartouche, charbon, alumine,
                             tamis,   depoussierage, controles, soupapes};
constexpr int kAnalyses[] = {anHuile, anCO2, anCO, anH2O};

QList<FormControl> controls()
{
    QList<FormControl> c;
    for (const int f : {marque, modele, cumulTemps})
        c.append({f, Rule::Text});
    c.append({date, Rule::Date});
    c.append({temps, Rule::Time});
    for (const int f : kSwitches)
        c.append({f, Rule::Switch});
    c.append({typeHuile, Rule::Radio, {}, {}, {}, {0, 1}});
    c.append({operationFiltre, Rule::Radio, {}, {}, {}, {1, 0}});
    c.append({intSoupape, Rule::Radio, {}, {}, {}, {1, 0}});
    // An analysis left empty, unreadable or negative is "not measured", -1.
    for (const int f : kAnalyses)
        c.append({f, Rule::Depth, kDash});
    c.append({anCO2Unit, Rule::PopupTag, {}, {}, {}, {0, 1}});
    c.append({anCOUnit, Rule::PopupTag, {}, {}, {}, {0, 1}});
    c.append({notes, Rule::Notes});
    return c;
}

QString localText(const Localizer& loc, const char* key)
{
    return loc.text(QLatin1String(key), kTable, QStringLiteral("N/A"));
}

// The text of an operation column: one of two texts by the operation's
// code while its switch is on, else empty.
Column operationColumn(const char* id, int switchField, int codeField, const char* whenCode, const char* otherwise)
{
    return {QLatin1String(id), registercolumns::titleKeyOf(id),
            [=](const RegisterRecord& r, const Localizer& loc) {
                if (r.integer(switchField) != 1)
                    return QString();
                return localText(loc, r.integer(codeField) != 0 ? whenCode : otherwise);
            }};
}

QString unitOf(int unitCode) { return unitCode == 1 ? QStringLiteral("ppm") : QStringLiteral("ml/m³"); }

// An analysis with its unit, "-" when not measured.
Column analysisColumn(const char* id, int field, std::function<QString(const RegisterRecord&)> unit)
{
    return {QLatin1String(id), registercolumns::titleKeyOf(id),
            [field, unit](const RegisterRecord& r, const Localizer&) {
                const float value = r.decimal(field);
                return value == -1.0f ? kDash : numbertext::shortest(value) + u' ' + unit(r);
            }};
}

QList<Column> columns()
{
    using registercolumns::checkColumn;
    const auto fixed = [](const char* unit) {
        return [u = QString::fromUtf8(unit)](const RegisterRecord&) { return u; };
    };
    return {
        {QStringLiteral("date"), QStringLiteral("Column date")},
        {QStringLiteral("marque"), QStringLiteral("Column marque")},
        {QStringLiteral("modele"), QStringLiteral("Column modele")},
        {QStringLiteral("cumulTemps"), QStringLiteral("Column cumulTemps")},
        registercolumns::timeColumn("temps", temps),
        checkColumn("vidange", vidange),
        operationColumn("filtreAir", filtreAir, operationFiltre, "TableView replacement", "TableView cleaning"),
        checkColumn("cartouche", cartouche),
        checkColumn("charbon", charbon),
        checkColumn("alumine", alumine),
        checkColumn("tamis", tamis),
        checkColumn("depoussierage", depoussierage),
        checkColumn("controles", controles),
        operationColumn("soupapes", soupapes, intSoupape, "TableView retarage", "TableView verification"),
        analysisColumn("anHuile", anHuile, fixed("mg/m³")),
        analysisColumn("anCO2", anCO2, [](const RegisterRecord& r) { return unitOf(r.integer(anCO2Unit)); }),
        analysisColumn("anCO", anCO, [](const RegisterRecord& r) { return unitOf(r.integer(anCOUnit)); }),
        analysisColumn("anH2O", anH2O, fixed("ppm")),
    };
}

// The synthesis: the make and model of the first service, then each
// service numbered from 1 with its operations and its analyses.

void writeOperations(SynthesisWriter& w, const RegisterRecord& r)
{
    w.title(QStringLiteral("Operations"));
    const auto item = [&](int field, const char* key) {
        if (r.integer(field) == 1)
            w.value(w.text(QLatin1String(key)));
    };
    item(vidange, r.integer(typeHuile) == 0 ? "Vidange synthesis" : "Vidange mineral");
    item(filtreAir, r.integer(operationFiltre) == 1 ? "Filter replacement" : "Filter cleaning");
    item(cartouche, "Cardridge");
    item(charbon, "Charcoal");
    item(alumine, "Alumin");
    item(tamis, "Molecular mesh");
    item(depoussierage, "Cleaning");
    item(controles, "Controls");
    if (r.integer(soupapes) == 1)
        w.field(QStringLiteral("Valves"), w.text(r.integer(intSoupape) != 0 ? QStringLiteral("Retarage")
                                                                            : QStringLiteral("Verification")));
}

void writeAnalyses(SynthesisWriter& w, const RegisterRecord& r)
{
    w.title(QStringLiteral("Analyzes"));
    const auto analysis = [&](int field, const char* key, const char* unitKey) {
        const float value = r.decimal(field);
        if (!(value >= 0))
            return;
        w.field(QLatin1String(key), numbertext::shortest(value));
        w.label(QLatin1String(unitKey));
        w.value(QStringLiteral("\n"), namedcolours::black);
    };
    const auto unitKey = [](int code) { return code == 1 ? "ppm" : "ml/m3"; };
    analysis(anHuile, "Analyse huile", "mg/m3");
    analysis(anCO2, "Analyse CO2", unitKey(r.integer(anCO2Unit)));
    analysis(anCO, "Analyse CO", unitKey(r.integer(anCOUnit)));
    analysis(anH2O, "Analyse H2O", "ppm");
}

StyledText synthesis(const RegisterRecord& r, int number, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.field(QStringLiteral("Service"), QString::number(number) + u'\n');
    w.field(QStringLiteral("Date"), registertable::dayText(r.date(date)));
    const QDateTime& time = r.date(temps);
    w.field(QStringLiteral("Time"), time.isValid() ? time.time().toString(QStringLiteral("HH 'h' mm 'min.'")) : QString());
    w.field(QStringLiteral("Sum time"), r.text(cumulTemps).value_or(QString()));
    writeOperations(w, r);
    writeAnalyses(w, r);
    w.title(QStringLiteral("Remarks"));
    w.value(r.text(notes).value_or(QString()));
    w.rule();
    return w.take();
}

StyledText synthesisHeading(const QList<RegisterRecord>& records, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.heading(w.text(QStringLiteral("Inventory")));
    const RegisterRecord* first = records.isEmpty() ? nullptr : &records.first();
    w.field(QStringLiteral("Trade mark"), first ? first->text(marque).value_or(QString()) : QString());
    w.field(QStringLiteral("Model"), first ? first->text(modele).value_or(QString()) : QString());
    w.value(QStringLiteral("\n\n------------------------------\n"), namedcolours::black);
    return w.take();
}

QList<registers::FormRule> formRules()
{
    using namespace registers;
    return {
        enabledWhileOn(QStringLiteral("typeHuile"), vidange),
        enabledWhileOn(QStringLiteral("operationFiltre"), filtreAir),
        enabledWhileOn(QStringLiteral("intSoupape"), soupapes),
        enabledWhileOff(QStringLiteral("charbon"), cartouche),
        enabledWhileOff(QStringLiteral("alumine"), cartouche),
        enabledWhileOff(QStringLiteral("tamis"), cartouche),
    };
}

using registers::Pane;
using registers::PaneRow;

QList<Pane> panes()
{
    using registers::paneRow;
    return {
        {QStringLiteral("Pane compressor"),
         {paneRow("Form marque", marque), paneRow("Form modele", modele), paneRow("Form cumulTemps", cumulTemps, 12),
          PaneRow{QStringLiteral("Form date"), date, 0, true}, paneRow("Form temps", temps)}},
        {QStringLiteral("Pane operations"),
         {paneRow("Form vidange", vidange), paneRow("Form typeHuile", typeHuile), paneRow("Form filtreAir", filtreAir),
          paneRow("Form operationFiltre", operationFiltre), paneRow("Form cartouche", cartouche),
          paneRow("Form charbon", charbon), paneRow("Form alumine", alumine), paneRow("Form tamis", tamis),
          paneRow("Form depoussierage", depoussierage), paneRow("Form controles", controles),
          paneRow("Form soupapes", soupapes), paneRow("Form intSoupape", intSoupape)}},
        {QStringLiteral("Pane analyses"),
         {paneRow("Form anHuile", anHuile, 8), paneRow("Form anCO2", anCO2, 8), paneRow("Form anCO2Unit", anCO2Unit),
          paneRow("Form anCO", anCO, 8), paneRow("Form anCOUnit", anCOUnit), paneRow("Form anH2O", anH2O, 8),
          paneRow("Form notes", notes)}},
    };
}

QList<registers::PopupItems> popupItems()
{
    const QStringList units = {QStringLiteral("ml/m3"), QStringLiteral("ppm")};
    return {
        {typeHuile, {QStringLiteral("Radio synthetic"), QStringLiteral("Radio mineral")}},
        {operationFiltre, {QStringLiteral("Radio replacement"), QStringLiteral("Radio cleaning")}},
        {intSoupape, {QStringLiteral("Retarage"), QStringLiteral("Verification")}},
        {anCO2Unit, units},
        {anCOUnit, units},
    };
}

registers::ToolbarItems toolbars()
{
    return {
        .listToolbarId = QStringLiteral("serviceTableViewWindowToolbar"),
        .editToolbarId = QStringLiteral("serviceEditWindowToolbar"),
        .newId = "newService",
        .addId = "addService",
        .insertId = "insertService",
        .updateId = "updateService",
        .deleteId = "deleteService",
        .addPicture = "ajouterComp",
        .insertPicture = "insererComp",
        .updatePicture = "validerComp",
        .deletePicture = "supprimerComp",
        .editSave = true,
    };
}

} // namespace

namespace compresseur {

const registers::RegisterDescription& description()
{
    static const registers::RegisterDescription log{
        .kind = DocumentKind::Compressor,
        .schema = schema(),
        .table = kTable,
        .documentNoun = QStringLiteral("a compressor maintenance log"),
        .recordsNoun = QStringLiteral("compressor services"),
        .controls = controls(),
        .columns = columns(),
        .oneRecordKey = QStringLiteral("One revision"),
        .recordsKey = QStringLiteral("Revisions"),
        .deleteKey = QStringLiteral("Erase card"),
        .noSelectionKey = QStringLiteral("No service selected"),
        .comboLists = {},
        .synthesisHeading = synthesisHeading,
        .formRules = formRules(),
        .countControl = QStringLiteral("nombreFichesField"),
        .samples = samples(),
        .panes = panes(),
        .popupItems = popupItems(),
        .toolbars = toolbars(),
        .titleKey = QStringLiteral("Compressor log"),
        .numberedSynthesis = synthesis,
        .opensOnFirstRecord = true,
        .countTable = QStringLiteral("Main"),
    };
    return log;
}

} // namespace compresseur
