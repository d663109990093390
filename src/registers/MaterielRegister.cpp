#include "registers/MaterielRegister.h"

#include "registers/MaterielFields.h"
#include "registers/RegisterRecord.h"

#include "platform/Localizer.h"
#include "platform/NamedColours.h"
#include "platform/NumberText.h"
#include "registers/MaterielSamples.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterTable.h"
#include "registers/SynthesisWriter.h"

#include <cmath>

// The equipment inventory: its cards' form, list and texts.
namespace {

using namespace materiel;
using registers::Column;
using registers::FormControl;
using registers::Rule;
using registertable::fieldColumn;

const QString kTable = QStringLiteral("Materiel");
const QString kMain = QStringLiteral("Main");
const QString kDash = QStringLiteral("-");

const QStringList kStateKeys = {QStringLiteral("En service"), QStringLiteral("A reparer"), QStringLiteral("Reforme"),
                                QStringLiteral("Gift"),       QStringLiteral("Sold"),      QStringLiteral("Lost"),
                                QStringLiteral("Replace")};

QList<FormControl> controls()
{
    const QDateTime none = noInspectionDay();
    QList<FormControl> c;
    c.append({.field = matosNo, .rule = Rule::Text, .blankNextNumber = true});
    for (const int f : {typeMatos, marqueMatos, serieMatos, prixMatos, lieuAchatMatos, firstRequalification, noTIV,
                        nomTIV})
        c.append({f, Rule::Text});
    c.append({dateAchat, Rule::Date});
    for (const int f : {lastRevision, nextRevision})
        c.append({.field = f, .rule = Rule::Date, .blankDate = none});
    c.append({.field = nextRequalification, .rule = Rule::Date, .blankDate = QDateTime()});
    c.append({quantiteMatos, Rule::Integer, QStringLiteral("1")});
    c.append({pressionService, Rule::Integer, QStringLiteral("0")});
    c.append({pressionEpreuve, Rule::Integer, QStringLiteral("0")});
    c.append({capaciteBloc, Rule::Decimal, QStringLiteral("0")});
    c.append({factureMatos, Rule::Switch});
    c.append({.field = noInspection, .rule = Rule::Switch, .blankNumber = 1});
    c.append({bloc, Rule::Switch});
    c.append({tiv, Rule::Switch});
    c.append({equipState, Rule::PopupTag, {}, {}, {}, {0, 1, 2, 3, 4, 5, 6}});
    c.append({notesMatos, Rule::Notes});
    return c;
}

// The dates show "-" for no date and for the "no inspection" day.
QString dayOrDash(const QDateTime& date)
{
    return !date.isValid() || date == noInspectionDay() ? kDash : registertable::dayText(date);
}

double shareOf(const RegisterRecord& r, const QDateTime& now)
{
    return r.integer(noInspection) == 1 ? 0.0 : inspectionShare(r.date(lastRevision), r.date(nextRevision), now);
}

QString shareText(double share) { return QString::asprintf("%f", share); }

QString stateText(const RegisterRecord& r, const Localizer& loc)
{
    const int state = r.integer(equipState);
    return state >= 0 && state < kStateKeys.size() ? loc.text(kStateKeys[state], kTable, QStringLiteral("N/A"))
                                                   : QString::number(state);
}

std::optional<RgbaColour> stateColour(const RegisterRecord& r)
{
    switch (r.integer(equipState)) {
    case 0: return RgbaColour::rgb(0.12, 0.53, 0.01);
    case 1:
    case 6: return namedcolours::orange;
    case 2:
    case 5: return namedcolours::red;
    case 3:
    case 4: return namedcolours::blue;
    default: return std::nullopt;
    }
}

QList<Column> columns()
{
    Column number = fieldColumn("matosNo");
    number.colour = [](const RegisterRecord&) { return std::optional(namedcolours::brown); };
    Column next = fieldColumn("nextRevision");
    next.text = [](const RegisterRecord& r, const Localizer&) {
        return r.integer(noInspection) == 1 ? kDash : dayOrDash(r.date(nextRevision));
    };
    Column invoice = fieldColumn("factureMatos");
    invoice.text = [](const RegisterRecord& r, const Localizer& loc) {
        return r.integer(factureMatos) == 1 ? loc.text(QStringLiteral("Check"), kMain, QStringLiteral("N/A")) : QString();
    };
    invoice.colour = [](const RegisterRecord&) { return std::optional(namedcolours::red); };
    Column state = fieldColumn("equipState");
    state.text = stateText;
    state.colour = stateColour;
    Column share = fieldColumn("progress");
    share.text = [](const RegisterRecord& r, const Localizer&) {
        return shareText(shareOf(r, QDateTime::currentDateTimeUtc()));
    };
    share.sortValue = [](const RegisterRecord& r) { return shareOf(r, QDateTime::currentDateTimeUtc()); };
    share.levelMaximum = 100;
    return {number,          fieldColumn("typeMatos"), fieldColumn("marqueMatos"), fieldColumn("serieMatos"),
            fieldColumn("dateAchat"), fieldColumn("quantiteMatos"), fieldColumn("prixMatos"), invoice,
            fieldColumn("lieuAchatMatos"), state, next, share};
}

const QString kSeparator = QStringLiteral("\n\n--------------------");

QString text(const RegisterRecord& r, int field) { return r.text(field).value_or(QString()); }

void writeCylinder(SynthesisWriter& w, const RegisterRecord& r)
{
    w.title(QStringLiteral("Cylinder"));
    w.field(QStringLiteral("Capacity"), numbertext::shortest(r.decimal(capaciteBloc)));
    w.field(QStringLiteral("Service pressure"), QString::number(r.integer(pressionService)));
    w.field(QStringLiteral("Test pressure"), QString::number(r.integer(pressionEpreuve)));
    w.field(QStringLiteral("First test pressure"), text(r, firstRequalification));
    w.field(QStringLiteral("Next test pressure"), dayOrDash(r.date(nextRequalification)));
}

StyledText synthesis(const RegisterRecord& r, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.field(QStringLiteral("Card No"), text(r, matosNo));
    w.field(QStringLiteral("Equipment type"), text(r, typeMatos));
    w.field(QStringLiteral("Trade mark"), text(r, marqueMatos));
    w.field(QStringLiteral("Serial No"), text(r, serieMatos));
    w.field(QStringLiteral("Purchase date"), dayOrDash(r.date(dateAchat)));
    w.field(QStringLiteral("Purchase location"), text(r, lieuAchatMatos));
    w.field(QStringLiteral("Quantity"), QString::number(r.integer(quantiteMatos)));
    w.field(QStringLiteral("Price"), text(r, prixMatos));
    w.field(QStringLiteral("Facture"),
            loc.text(r.integer(factureMatos) == 1 ? QStringLiteral("Yes") : QStringLiteral("No"), kMain));
    if (r.integer(noInspection) != 1) {
        w.field(QStringLiteral("Last inspection"), dayOrDash(r.date(lastRevision)));
        w.field(QStringLiteral("Next inspection"), dayOrDash(r.date(nextRevision)));
    }
    if (r.integer(bloc) == 1)
        writeCylinder(w, r);
    if (r.integer(tiv) == 1) {
        w.field(QStringLiteral("TIV technician"), text(r, nomTIV));
        w.field(QStringLiteral("TIV No"), text(r, noTIV));
    }
    w.field(QStringLiteral("Equipment state"), stateText(r, loc));
    w.field(QStringLiteral("Remarks"), text(r, notesMatos));
    w.value(kSeparator, namedcolours::black);
    return w.take();
}

StyledText synthesisHeading(const QList<RegisterRecord>&, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.heading(w.text(QStringLiteral("Inventory")));
    return w.take();
}

// No inspection turns the cylinder options off and the inspection and
// requalification dates to the "no inspection" day.
void refresh(RegisterForm& form)
{
    if (form.number(noInspection) == 0)
        return;
    for (const int f : {bloc, tiv}) {
        RegisterForm::ControlValue v = form.value(f);
        v.number = 0;
        form.setValue(f, v);
    }
    for (const int f : {lastRevision, nextRevision, nextRequalification}) {
        RegisterForm::ControlValue v = form.value(f);
        v.date = noInspectionDay();
        form.setValue(f, v);
    }
}

double formShare(const RegisterForm& f)
{
    return f.number(noInspection) != 0
        ? 0.0
        : inspectionShare(f.value(lastRevision).date, f.value(nextRevision).date, QDateTime::currentDateTimeUtc());
}

QList<registers::FormRule> formRules()
{
    using namespace registers;
    const auto on = [](int field) { return [field](const RegisterForm& f) { return f.number(field) != 0; }; };
    const auto cylinder = on(bloc);
    const auto inspected = [](const RegisterForm& f) { return f.number(noInspection) == 0; };
    QList<FormRule> rules = {
        hiddenWhileOn(QStringLiteral("lastRevision"), noInspection),
        hiddenWhileOn(QStringLiteral("nextRevision"), noInspection),
        hiddenWhileOn(QStringLiteral("bloc"), noInspection),
        {QStringLiteral("tiv"), Derived::Visible,
         [=](const RegisterForm& f) { return inspected(f) && cylinder(f); }},
    };
    for (const char* name : {"firstRequalification", "nextRequalification", "capaciteBloc", "pressionService",
                             "pressionEpreuve"})
        rules.append({QLatin1String(name), Derived::Visible, cylinder});
    for (const char* name : {"noTIV", "nomTIV"})
        rules.append({QLatin1String(name), Derived::Visible,
                      [=](const RegisterForm& f) { return cylinder(f) && f.number(tiv) != 0; }});
    rules.append({QStringLiteral("progress"), Derived::Number, {},
                  [](const RegisterForm& f) { return qint64(std::lround(formShare(f))); }});
    rules.append({QStringLiteral("progressText"), Derived::Text, {}, {},
                  [](const RegisterForm& f, const Localizer&) { return QString::asprintf("%.0f %%", formShare(f)); }});
    FormRule status{QStringLiteral("inspectionStatus"), Derived::Text, {}, {},
                    [](const RegisterForm& f, const Localizer& loc) {
                        const QString key = outOfDate(formShare(f)) ? QStringLiteral("Out of date")
                                                                    : QStringLiteral("Elapsed time");
                        return loc.text(key, kTable, QStringLiteral("\r\rerror ! "));
                    }};
    status.colour = [](const RegisterForm& f) {
        return outOfDate(formShare(f)) ? std::optional(namedcolours::red) : std::nullopt;
    };
    rules.append(status);
    return rules;
}

using registers::Pane;
using registers::PaneRow;

QList<Pane> panes()
{
    const auto row = [](const char* key, int field, int width = 0) { return PaneRow{QLatin1String(key), field, width}; };
    const auto derived = [](const char* key, const char* name) {
        PaneRow r{QLatin1String(key)};
        r.derived = QLatin1String(name);
        return r;
    };
    return {
        {QStringLiteral("Pane purchase"),
         {row("Form matosNo", matosNo, 8), row("Form typeMatos", typeMatos, 24), row("Form marqueMatos", marqueMatos, 24),
          row("Form serieMatos", serieMatos, 20), row("Form dateAchat", dateAchat), row("Form quantiteMatos", quantiteMatos, 6),
          row("Form prixMatos", prixMatos, 12), row("Form factureMatos", factureMatos),
          row("Form lieuAchatMatos", lieuAchatMatos, 24), row("Form equipState", equipState)}},
        {QStringLiteral("Pane inspection"),
         {row("Form noInspection", noInspection), row("Form lastRevision", lastRevision),
          row("Form nextRevision", nextRevision), derived("Form progress", "progress"),
          derived("Form progressText", "progressText"), derived("Form inspectionStatus", "inspectionStatus")}},
        {QStringLiteral("Pane cylinder"),
         {row("Form bloc", bloc), row("Form capaciteBloc", capaciteBloc, 8),
          row("Form pressionService", pressionService, 8), row("Form pressionEpreuve", pressionEpreuve, 8),
          row("Form firstRequalification", firstRequalification, 16),
          row("Form nextRequalification", nextRequalification), row("Form tiv", tiv), row("Form nomTIV", nomTIV, 24),
          row("Form noTIV", noTIV, 16), row("Form notesMatos", notesMatos)}},
    };
}

registers::ToolbarItems toolbars()
{
    return {QStringLiteral("equipTableViewWindowToolbar"), QStringLiteral("equipEditWindowToolbar"), "newMatos", "addMatos",
            "insertMatos", "updateMatos", "deleteMatos", "ajouterMat", "insererMat", "validerMat", "supprimerMat"};
}

} // namespace

namespace materiel {

QDateTime noInspectionDay() { return QDateTime(QDate(1900, 1, 1), QTime(0, 0)); }

double inspectionShare(const QDateTime& last, const QDateTime& next, const QDateTime& now)
{
    if (!last.isValid() || !next.isValid() || !now.isValid() || last == next)
        return 0.0;
    const double period = double(last.secsTo(next));
    if (period < 0)
        return 100.0;
    return double(last.secsTo(now)) / period * 100.0;
}

const registers::RegisterDescription& description()
{
    static const registers::RegisterDescription equipment{
        .kind = DocumentKind::Equipment,
        .schema = schema(),
        .table = kTable,
        .documentNoun = QStringLiteral("an equipment inventory"),
        .recordsNoun = QStringLiteral("equipment cards"),
        .controls = controls(),
        .columns = columns(),
        .comboLists = {{typeMatos, PickListId::TypeMateriel},
                       {marqueMatos, PickListId::Fabricants},
                       {lieuAchatMatos, PickListId::Magasins}},
        .synthesis = synthesis,
        .synthesisHeading = synthesisHeading,
        .formRules = formRules(),
        .formRefresh = refresh,
        .countControl = QStringLiteral("nombreFichesField"),
        .samples = samples(),
        .panes = panes(),
        .popupItems = {{equipState, kStateKeys}},
        .toolbars = toolbars(),
        .titleKey = QStringLiteral("Inventory"),
        .countTable = kMain,
    };
    return equipment;
}

} // namespace materiel
