#include "registers/RebreatherRegister.h"

#include "registers/RebreatherFields.h"
#include "registers/RebreatherSamples.h"
#include "registers/RegisterColumns.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterRecord.h"

#include "platform/Localizer.h"
#include "platform/NumberText.h"
#include "platform/SettingsStore.h"
#include "platform/TextFormat.h"
#include "registers/RegisterTable.h"
#include "registers/SynthesisWriter.h"

#include <cmath>

// The rebreather service log: its interventions' form, list and texts.
namespace {

using namespace rebreather;
using registers::Column;
using registers::FormControl;
using registers::Rule;

const QString kTable = QStringLiteral("Rebreather");

constexpr int kCells[kCellCount] = {cell1, cell2, cell3, cell4, cell5};
constexpr int kFitted[kCellCount] = {cell1_in, cell2_in, cell3_in, cell4_in, cell5_in};
// The operations of an intervention, in the order of the form.
constexpr int kOperations[] = {sofnolime, disinfection, battery,        cells,   injector,
                               valve,     oRing,        electronicHead, scrubber, mpO2};

// A cell never fitted holds this day: 1 January 1900.
const QString kNoFittedDay = QStringLiteral("1900-01-01");

QList<FormControl> controls()
{
    QList<FormControl> c;
    c.append({date, Rule::Date});
    c.append({rebreatherTime, Rule::Text, QStringLiteral("--:--")});
    c.append({sofnoTime, Rule::Time, QStringLiteral("00:00")});
    for (const int f : kOperations)
        c.append({f, Rule::Switch});
    c.append({nbCells, Rule::PopupTag, {}, {}, {}, {0, 1, 2, 3, 4, 5}});
    c.append({mpO2Value, Rule::Decimal, QStringLiteral("0")});
    for (int n = 0; n < kCellCount; ++n) {
        c.append({kCells[n], Rule::Switch});
        c.append({kFitted[n], Rule::Date, kNoFittedDay});
    }
    c.append({notes, Rule::Notes});
    return c;
}

// A cell's life from the "cell life" setting: its end of life and the
// share of it used, for a cell fitted on a day.
constexpr qint64 kSecondsPerMonth = 2'629'800; // a month of 30.4375 days

struct CellLife {
    QDateTime endOfLife; // none without a fitted day or a life
    qint64 percentUsed = 0;
};

int cellLifeMonths(const RegisterForm& form)
{
    return form.settings() ? form.settings()->intValue(QStringLiteral("cell life")) : 0;
}

QDateTime fittedDay(const RegisterForm& form, int cell)
{
    const QDateTime fitted = form.value(kFitted[cell]).date;
    const FormControl* control = form.controlOf(kFitted[cell]);
    return control && fitted == RegisterForm::noDateOf(*control) ? QDateTime() : fitted;
}

// Without a fitted day, or with a life of 0 months (no setting stored),
// the cell has no end of life and an empty bar.
CellLife lifeOf(const RegisterForm& form, int cell)
{
    const QDateTime fitted = fittedDay(form, cell);
    const int months = cellLifeMonths(form);
    if (!fitted.isValid() || months <= 0)
        return {};
    const qint64 life = qint64(months) * kSecondsPerMonth;
    const qint64 used = fitted.secsTo(QDateTime::currentDateTime());
    return {fitted.addSecs(life), std::llround(double(used) / double(life) * 100.0)};
}

QList<registers::FormRule> formRules()
{
    using namespace registers;
    QList<FormRule> rules = {enabledWhileOn(QStringLiteral("nbCells"), cells)};
    for (int n = 0; n < kCellCount; ++n) {
        const QString prefix = QStringLiteral("cell%1").arg(n + 1);
        const int on = kCells[n];
        const auto shownWithDate = [n, on](const RegisterForm& f) {
            return f.number(on) != 0 && fittedDay(f, n).isValid();
        };
        rules.append({prefix + QStringLiteral("_in"), Derived::Visible,
                      [on](const RegisterForm& f) { return f.number(on) != 0; }});
        rules.append({prefix + QStringLiteral("End"), Derived::Visible, shownWithDate});
        rules.append({prefix + QStringLiteral("End"), Derived::Text, {}, {},
                      [n](const RegisterForm& f, const Localizer&) {
                          return registertable::dayText(lifeOf(f, n).endOfLife);
                      }});
        rules.append({prefix + QStringLiteral("Life"), Derived::Visible, shownWithDate});
        rules.append({prefix + QStringLiteral("Life"), Derived::Number, {},
                      [n](const RegisterForm& f) { return lifeOf(f, n).percentUsed; }});
    }
    return rules;
}

// A number column that shows nothing for 0.
Column emptyWhenZero(const char* id, int field)
{
    return {QLatin1String(id), registercolumns::titleKeyOf(id), [field](const RegisterRecord& r, const Localizer&) {
                const QString text = registertable::plainText(r, field);
                return text == u"0" ? QString() : text;
            }};
}

QList<Column> columns()
{
    using registercolumns::checkColumn;
    return {
        {QStringLiteral("date"), QStringLiteral("Column date")},
        {QStringLiteral("rebreatherTime"), QStringLiteral("Column rebreatherTime")},
        registercolumns::timeColumn("sofnoTime", sofnoTime),
        checkColumn("sofnolime", sofnolime),
        checkColumn("disinfection", disinfection),
        checkColumn("battery", battery),
        emptyWhenZero("nbCells", nbCells),
        checkColumn("injector", injector),
        checkColumn("valve", valve),
        checkColumn("oRing", oRing),
        checkColumn("electronicHead", electronicHead),
        checkColumn("scrubber", scrubber),
        emptyWhenZero("mpO2Value", mpO2Value),
    };
}

// The synthesis of one intervention: its date and times, the operations
// done and the remarks, a dash line closing it.
StyledText synthesis(const RegisterRecord& r, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.field(QStringLiteral("Date"), registertable::dayText(r.date(date)));
    w.field(QStringLiteral("Rebreather history"), r.text(rebreatherTime).value_or(QString()) + QStringLiteral(" h"));
    // The absorbent time's text is a format of its hours and minutes.
    if (const QDateTime& soda = r.date(sofnoTime); soda.isValid()) {
        w.value(QStringLiteral("\n"));
        w.value(formatText(w.text(QStringLiteral("Soda time")), {soda.time().hour(), soda.time().minute()}));
    }
    const std::pair<int, const char*> operations[] = {
        {sofnolime, "Sofnolime"}, {disinfection, "Disinfection"}, {battery, "Battery"}, {cells, "Cells"}};
    for (const auto& [field, key] : operations)
        if (r.integer(field) == 1)
            w.label(QLatin1String(key));
    if (r.integer(mpO2) == 1)
        w.field(QStringLiteral("MpO2"), QStringLiteral(" : %1 bar").arg(numbertext::shortest(r.decimal(mpO2Value))));
    const std::pair<int, const char*> parts[] = {{injector, "Injector"},
                                                 {valve, "Valve"},
                                                 {oRing, "ORing"},
                                                 {electronicHead, "Electonic head"},
                                                 {scrubber, "Scrubber"}};
    for (const auto& [field, key] : parts)
        if (r.integer(field) == 1)
            w.label(QLatin1String(key));
    w.title(QStringLiteral("Remarks"));
    w.value(r.text(notes).value_or(QString()));
    w.rule();
    return w.take();
}

StyledText synthesisHeading(const QList<RegisterRecord>&, const Localizer& loc)
{
    return SynthesisWriter::titled(loc, kTable, QStringLiteral("Inventory"));
}

using registers::Pane;
using registers::PaneRow;

QList<PaneRow> cellRows()
{
    QList<PaneRow> rows = {{QStringLiteral("Form cells"), cells}, {QStringLiteral("Form nbCells"), nbCells}};
    for (int n = 0; n < kCellCount; ++n) {
        const QString prefix = QStringLiteral("cell%1").arg(n + 1);
        rows.append({QStringLiteral("Form ") + prefix, kCells[n]});
        rows.append({QStringLiteral("Form cell fitted"), kFitted[n]});
        PaneRow end{QStringLiteral("Form cell end")};
        end.derived = prefix + QStringLiteral("End");
        PaneRow life{QStringLiteral("Form cell life")};
        life.derived = prefix + QStringLiteral("Life");
        rows << end << life;
    }
    return rows;
}

QList<Pane> panes()
{
    using registers::paneRow;
    return {
        {QStringLiteral("Pane intervention"),
         {PaneRow{QStringLiteral("Form date"), date, 0, true}, paneRow("Form rebreatherTime", rebreatherTime, 10),
          paneRow("Form sofnoTime", sofnoTime), paneRow("Form notes", notes)}},
        {QStringLiteral("Pane parts"),
         {paneRow("Form sofnolime", sofnolime), paneRow("Form disinfection", disinfection), paneRow("Form battery", battery),
          paneRow("Form injector", injector), paneRow("Form valve", valve), paneRow("Form oRing", oRing),
          paneRow("Form electronicHead", electronicHead), paneRow("Form scrubber", scrubber), paneRow("Form mpO2", mpO2),
          paneRow("Form mpO2Value", mpO2Value, 8)}},
        {QStringLiteral("Pane cells"), cellRows()},
    };
}

QList<registers::PopupItems> popupItems()
{
    return {{nbCells,
             {QStringLiteral("Cells none"), QStringLiteral("Cells 1"), QStringLiteral("Cells 2"),
              QStringLiteral("Cells 3"), QStringLiteral("Cells 4"), QStringLiteral("Cells 5")}}};
}

registers::ToolbarItems toolbars()
{
    return {
        .listToolbarId = QStringLiteral("rebreatherTableViewWindowToolbar"),
        .editToolbarId = QStringLiteral("rebreatherEditWindowToolbar"),
        .newId = "newRebreatherService",
        .addId = "addRebreatherService",
        .insertId = "insertRebreatherService",
        .updateId = "updateRebreatherService",
        .deleteId = "deleteRebreatherService",
        .addPicture = "addSoda",
        .insertPicture = "insertSoda",
        .updatePicture = "updateSoda",
        .deletePicture = "deleteSoda",
    };
}

} // namespace

namespace rebreather {

const registers::RegisterDescription& description()
{
    static const registers::RegisterDescription log{
        .kind = DocumentKind::Rebreather,
        .schema = schema(),
        .table = kTable,
        .documentNoun = QStringLiteral("a rebreather service log"),
        .recordsNoun = QStringLiteral("rebreather interventions"),
        .controls = controls(),
        .columns = columns(),
        .oneRecordKey = QStringLiteral("One intervention"),
        .recordsKey = QStringLiteral("Interventions"),
        .deleteKey = QStringLiteral("Erase card"),
        .noSelectionKey = QStringLiteral("No intervention selected"),
        .comboLists = {},
        .synthesis = synthesis,
        .synthesisHeading = synthesisHeading,
        .formRules = formRules(),
        .countControl = QStringLiteral("nombreFichesField"),
        .samples = samples(),
        .panes = panes(),
        .popupItems = popupItems(),
        .toolbars = toolbars(),
        .titleKey = QStringLiteral("Rebreather log"),
        .opensOnFirstRecord = true,
        .countTable = QStringLiteral("Main"),
    };
    return log;
}

} // namespace rebreather
