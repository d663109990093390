#include "registers/EpavesRegister.h"

#include "registers/EpavesFields.h"
#include "registers/RegisterRecord.h"

#include "platform/Localizer.h"
#include "platform/NamedColours.h"
#include "platform/NumberText.h"
#include "registers/EpavesSamples.h"
#include "registers/RegisterTable.h"
#include "registers/SynthesisWriter.h"

#include <cmath>

// The wreck repertory: its cards' form, list and texts.
namespace {

using namespace epaves;
using registers::Column;
using registers::FormControl;
using registers::Rule;

const QString kTable = QStringLiteral("Epaves");
const QString kUnknownDate = QStringLiteral("--/--/----");

QList<int> tagsTo(int last)
{
    QList<int> tags;
    for (int t = 0; t <= last; ++t)
        tags.append(t);
    return tags;
}

QList<FormControl> controls()
{
    QList<FormControl> c;
    for (const int f : {nom, type, immatriculation, typeMachine, puissance, natureFond, nomsPrecedents, nationalite,
                        armateur, lieuConstruction, ports, capitaine, equipage, chargement, provenance,
                        destination, causeNaufrage, lieu, site, pays, relevement1, relevement2, relevement3})
        c.append({f, Rule::Text});
    c.append({dateConstruction, Rule::Text, kUnknownDate});
    c.append({dateNaufrage, Rule::Text, kUnknownDate});
    c.append({gps, Rule::Text, {}, QStringLiteral("GPS template"), QStringLiteral("Carnet")});
    c.append({longueur, Rule::Decimal, QStringLiteral("-1")});
    c.append({largeur, Rule::Decimal, QStringLiteral("-1")});
    c.append({jauge, Rule::Integer});
    c.append({orientation, Rule::Integer, QStringLiteral("0")});
    c.append({materiau, Rule::PopupTag, {}, {}, {}, tagsTo(4)});
    c.append({propulsion, Rule::PopupTag, {}, {}, {}, tagsTo(9)});
    c.append({inclinaison, Rule::PopupTag, {}, {}, {}, tagsTo(3)});
    c.append({gpsSystem, Rule::PopupTag, {}, {}, {}, tagsTo(2)});
    c.append({acces, Rule::PopupTag, {}, {}, {}, tagsTo(3)});
    c.append({localisation, Rule::PopupTag, {}, {}, {}, tagsTo(3)});
    c.append({pointHaut, Rule::Depth});
    c.append({pointBas, Rule::Depth});
    for (const int f : {orientationSwitch, accesBord, aVisiter})
        c.append({f, Rule::Switch});
    c.append({interet, Rule::Slider, {}, {}, {}, {}, 5});
    c.append({technicite, Rule::Slider, {}, {}, {}, {}, 5});
    c.append({miseAJour, Rule::Date});
    c.append({dateVisite, Rule::Date});
    c.append({photo, Rule::Image});
    c.append({notes, Rule::Notes});
    return c;
}

const QStringList kPropulsionKeys = {
    QStringLiteral("TableView essence"), QStringLiteral("TableView diesel"),  QStringLiteral("TableView kerosene"),
    QStringLiteral("TableView nucleaire"), QStringLiteral("TableView rames"), QStringLiteral("TableView vapeur"),
    QStringLiteral("TableView voile"),    QStringLiteral("TableView remorque"), QStringLiteral("TableView diesel elec")};

QString propulsionText(const RegisterRecord& r, const Localizer& loc)
{
    return SynthesisWriter(loc, kTable).codeText(r.integer(propulsion), kPropulsionKeys);
}

QString lengthText(const RegisterRecord& r, const Localizer&)
{
    const float length = r.decimal(longueur);
    return std::trunc(length) > 0 ? QString::number(double(length), 'f', 1) + QStringLiteral(" m") : QStringLiteral("-");
}

QString depthText(const RegisterRecord& r, int field)
{
    const float depth = r.decimal(field);
    return depth == -1.0f ? QStringLiteral("-") : numbertext::shortest(depth) + QStringLiteral(" m");
}

using namedcolours::brown;
using namedcolours::red;

// The colour of a difficulty rating, 1 to 5; nothing for any other.
std::optional<RgbaColour> difficultyColourOf(int rating)
{
    static const RgbaColour colours[] = {namedcolours::green, namedcolours::blue, red, namedcolours::purple,
                                         namedcolours::black};
    return rating >= 1 && rating <= 5 ? std::optional(colours[rating - 1]) : std::nullopt;
}

// In the list, the highest rating keeps the default colour.
std::optional<RgbaColour> difficultyColour(const RegisterRecord& r)
{
    const int rating = r.integer(technicite);
    return rating == 5 ? std::nullopt : difficultyColourOf(rating);
}

QList<Column> columns()
{
    return {
        {QStringLiteral("nom"), QStringLiteral("Column nom"), {},
         [](const RegisterRecord& r) { return r.integer(aVisiter) == 1 ? std::optional(red) : std::nullopt; }},
        {QStringLiteral("type"), QStringLiteral("Column type")},
        {QStringLiteral("nationalite"), QStringLiteral("Column nationalite")},
        {QStringLiteral("longueur"), QStringLiteral("Column longueur"), lengthText},
        {QStringLiteral("propulsion"), QStringLiteral("Column propulsion"), propulsionText},
        {QStringLiteral("pointHaut"), QStringLiteral("Column pointHaut"),
         [](const RegisterRecord& r, const Localizer&) { return depthText(r, pointHaut); }},
        {QStringLiteral("pointBas"), QStringLiteral("Column pointBas"),
         [](const RegisterRecord& r, const Localizer&) { return depthText(r, pointBas); }},
        {QStringLiteral("lieu"), QStringLiteral("Column lieu")},
        {QStringLiteral("site"), QStringLiteral("Column site")},
        {QStringLiteral("pays"), QStringLiteral("Column pays")},
        registertable::ratingColumn(QStringLiteral("interet"), QStringLiteral("Column interet"), interet),
        {QStringLiteral("technicite"), QStringLiteral("Column technicite"),
         registertable::ratingColumn({}, {}, technicite).text, difficultyColour},
    };
}

// The synthesis of one card: the name, then its characteristics, history,
// position, landmarks and remarks, a dash line closing it.

QString numberText(float value) { return value < 0 ? QStringLiteral("-") : numbertext::shortest(value); }

void writeDepth(SynthesisWriter& w, const QString& key, float depth)
{
    w.label(key);
    if (depth == -1.0f) {
        w.value(QStringLiteral("-"));
        return;
    }
    w.value(numbertext::shortest(depth));
    w.label(QStringLiteral("Depth unit"));
}

void writeCharacteristics(SynthesisWriter& w, const RegisterRecord& r, const Localizer& loc)
{
    w.title(QStringLiteral("Characteristics"));
    w.field(QStringLiteral("Wreck type"), r.text(type).value_or(QString()));
    w.field(QStringLiteral("Wreck registration"), r.text(immatriculation).value_or(QString()));
    w.field(QStringLiteral("Wreck length"), numberText(r.decimal(longueur)));
    w.field(QStringLiteral("Wreck wide"), numberText(r.decimal(largeur)));
    w.field(QStringLiteral("Wreck tonnage"), QString::number(r.integer(jauge)));
    w.field(QStringLiteral("Wreck material"),
            w.codeText(r.integer(materiau), {QStringLiteral("Wood"), QStringLiteral("Iron"),
                                             QStringLiteral("Polyester"), QStringLiteral("Concrete")}));
    w.field(QStringLiteral("Wreck propulsion"), propulsionText(r, loc));
    w.field(QStringLiteral("Wreck type machine"), r.text(typeMachine).value_or(QString()));
    w.field(QStringLiteral("Wreck power"), r.text(puissance).value_or(QString()));
    writeDepth(w, QStringLiteral("High depth"), r.decimal(pointHaut));
    writeDepth(w, QStringLiteral("Low depth"), r.decimal(pointBas));
    w.field(QStringLiteral("Bottom type"), r.text(natureFond).value_or(QString()));
    if (r.integer(orientationSwitch) == 1) {
        w.field(QStringLiteral("Orientation"), QString::number(r.integer(orientation)));
        w.label(QStringLiteral("Degree"));
    }
    w.field(QStringLiteral("Inclination"),
            w.codeText(r.integer(inclinaison),
                       {QStringLiteral("None"), QStringLiteral("Port"), QStringLiteral("Starboard")}));
}

void writeHistory(SynthesisWriter& w, const RegisterRecord& r)
{
    w.title(QStringLiteral("Historic"));
    const std::pair<const char*, int> texts[] = {
        {"Wreck previous names", nomsPrecedents}, {"Nationality", nationalite},   {"Armateur", armateur},
        {"Build date", dateConstruction},         {"Build location", lieuConstruction}, {"Harbours", ports},
        {"Captain", capitaine},                   {"Crew", equipage},            {"Cargo", chargement},
        {"From port", provenance},                {"To port", destination},      {"Ship wreck date", dateNaufrage},
        {"Ship wreck cause", causeNaufrage}};
    for (const auto& [key, field] : texts)
        w.field(QLatin1String(key), r.text(field).value_or(QString()));
    w.field(QStringLiteral("Updated on"), registertable::dayText(r.date(miseAJour)));
}

void writePosition(SynthesisWriter& w, const RegisterRecord& r)
{
    const QStringList ease = {QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Difficult")};
    const QStringList ratings = {QStringLiteral("Cotation 1"), QStringLiteral("Cotation 2"),
                                 QStringLiteral("Cotation 3"), QStringLiteral("Cotation 4"),
                                 QStringLiteral("Cotation 5")};
    const QString main = QStringLiteral("Main");
    w.title(QStringLiteral("Localisation title"));
    w.field(QStringLiteral("Location"), r.text(lieu).value_or(QString()));
    w.field(QStringLiteral("Site"), r.text(site).value_or(QString()));
    w.field(QStringLiteral("Country"), r.text(pays).value_or(QString()));
    const int datum = r.integer(gpsSystem);
    const QString datumText = datum == 1 ? QStringLiteral("WGS84") : datum == 2 ? QStringLiteral("ED50") : QStringLiteral("N/A");
    w.field(QStringLiteral("GPS"), r.text(gps).value_or(QString()) + QStringLiteral(" (") + datumText + u')');
    w.field(QStringLiteral("Access"), w.codeText(r.integer(acces), ease));
    w.field(QStringLiteral("Localisation"), w.codeText(r.integer(localisation), ease));
    w.field(QStringLiteral("Interest"), w.codeText(r.integer(interet), ratings, main), brown);
    const int difficulty = r.integer(technicite);
    w.field(QStringLiteral("Difficulty"), w.codeText(difficulty, ratings, main),
            difficultyColourOf(difficulty).value_or(namedcolours::blue));
}

StyledText synthesis(const RegisterRecord& r, const Localizer& loc)
{
    SynthesisWriter w(loc, kTable);
    w.field(QStringLiteral("Wreck name"), r.text(nom).value_or(QString()));
    writeCharacteristics(w, r, loc);
    writeHistory(w, r);
    writePosition(w, r);
    w.title(QStringLiteral("Land marks"));
    w.field(QStringLiteral("Land mark 1"), r.text(relevement1).value_or(QString()));
    w.field(QStringLiteral("Land mark 2"), r.text(relevement2).value_or(QString()));
    w.field(QStringLiteral("Land mark 3"), r.text(relevement3).value_or(QString()));
    w.field(QStringLiteral("First visit date"), registertable::dayText(r.date(dateVisite)));
    w.title(QStringLiteral("Remarks"));
    w.value(r.text(notes).value_or(QString()));
    w.rule();
    return w.take();
}

StyledText synthesisHeading(const QList<RegisterRecord>&, const Localizer& loc)
{
    return SynthesisWriter::titled(loc, kTable, QStringLiteral("Wrecks"));
}

QList<registers::FormRule> formRules()
{
    using namespace registers;
    return {
        enabledWhileOn(QStringLiteral("orientation"), orientationSwitch),
        enabledWhileOn(QStringLiteral("orientationSlider"), orientationSwitch),
        numberOf(QStringLiteral("orientationSlider"), orientation),
        hiddenWhileOn(QStringLiteral("dateVisite"), aVisiter),
        sliderValueText(QStringLiteral("interetValue"), interet),
        sliderValueText(QStringLiteral("techniciteValue"), technicite),
    };
}

using registers::Pane;
using registers::PaneRow;
using registers::PopupItems;

// The five panes of the edit window; each row a label and its control.
QList<Pane> panes()
{
    const auto row = [](const char* key, int field, int width = 0) { return PaneRow{QLatin1String(key), field, width}; };
    return {
        {QStringLiteral("Pane identity"),
         {row("Form nom", nom), row("Form type", type, 24), row("Form immatriculation", immatriculation, 16),
          row("Form longueur", longueur, 8), row("Form largeur", largeur, 8), row("Form jauge", jauge, 8),
          row("Form materiau", materiau), row("Form propulsion", propulsion), row("Form typeMachine", typeMachine),
          row("Form puissance", puissance, 16)}},
        {QStringLiteral("Pane position"),
         {row("Form pointHaut", pointHaut, 8), row("Form pointBas", pointBas, 8), row("Form natureFond", natureFond),
          row("Form orientationSwitch", orientationSwitch), PaneRow{QStringLiteral("Form orientation"), orientation, 6, false, 359},
          row("Form inclinaison", inclinaison)}},
        {QStringLiteral("Pane history"),
         {row("Form nomsPrecedents", nomsPrecedents), row("Form nationalite", nationalite, 20),
          row("Form armateur", armateur), row("Form dateConstruction", dateConstruction, 12),
          row("Form lieuConstruction", lieuConstruction), row("Form ports", ports), row("Form capitaine", capitaine),
          row("Form equipage", equipage), row("Form chargement", chargement), row("Form provenance", provenance),
          row("Form destination", destination), row("Form dateNaufrage", dateNaufrage, 12),
          row("Form causeNaufrage", causeNaufrage, 24), PaneRow{QStringLiteral("Form miseAJour"), miseAJour, 0, true}}},
        {QStringLiteral("Pane localisation"),
         {row("Form lieu", lieu), row("Form site", site), row("Form pays", pays, 20), row("Form gps", gps),
          row("Form gpsSystem", gpsSystem), row("Form acces", acces), row("Form accesBord", accesBord),
          row("Form localisation", localisation), row("Form interet", interet), row("Form technicite", technicite),
          row("Form relevement1", relevement1), row("Form relevement2", relevement2),
          row("Form relevement3", relevement3)}},
        {QStringLiteral("Pane visit"),
         {row("Form aVisiter", aVisiter), row("Form dateVisite", dateVisite), row("Form photo", photo),
          row("Form notes", notes)}},
    };
}

QStringList keys(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* k : list)
        out.append(QLatin1String(k));
    return out;
}

QList<PopupItems> popupItems()
{
    const char* const notGiven = "Popup not given";
    return {
        {materiau, keys({notGiven, "Wood", "Iron", "Polyester", "Concrete"})},
        {propulsion, keys({notGiven, "TableView essence", "TableView diesel", "TableView kerosene",
                           "TableView nucleaire", "TableView rames", "TableView vapeur", "TableView voile",
                           "TableView remorque", "TableView diesel elec"})},
        {inclinaison, keys({notGiven, "None", "Port", "Starboard"})},
        {gpsSystem, keys({notGiven, "Popup WGS84", "Popup ED50"})},
        {acces, keys({notGiven, "Easy", "Medium", "Difficult"})},
        {localisation, keys({notGiven, "Easy", "Medium", "Difficult"})},
    };
}

registers::ToolbarItems toolbars()
{
    registers::ToolbarItems t;
    t.listToolbarId = QStringLiteral("wreckTableViewWindowToolbar");
    t.editToolbarId = QStringLiteral("wreckEditWindowToolbar");
    t.newId = "newWreck";
    t.addId = "addWreck";
    t.insertId = "insertWreck";
    t.updateId = "updateWreck";
    t.deleteId = "deleteWreck";
    t.addPicture = "ajouterEp";
    t.insertPicture = "insererEp";
    t.updatePicture = "validerEp";
    t.deletePicture = "supprimerEp";
    return t;
}

} // namespace

namespace epaves {

const registers::RegisterDescription& description()
{
    static const registers::RegisterDescription wrecks = [] {
        registers::RegisterDescription d{
            DocumentKind::Wrecks,
            schema(),
            kTable,
            QStringLiteral("a wreck repertory"),
            QStringLiteral("wreck cards"),
            controls(),
            columns(),
            QStringLiteral("One card"),
            QStringLiteral("Cards"),
            QStringLiteral("Erase card"),
            QStringLiteral("No card selected"),
            {{type, PickListId::TypeEpave}, {causeNaufrage, PickListId::CauseNaufrage}},
            synthesis,
        };
        d.synthesisHeading = synthesisHeading;
        d.formRules = formRules();
        d.countControl = QStringLiteral("nombreFichesField");
        d.samples = samples();
        d.panes = panes();
        d.popupItems = popupItems();
        d.toolbars = toolbars();
        d.titleKey = QStringLiteral("Wrecks");
        d.placeholderPicture = QStringLiteral("noPhoto");
        return d;
    }();
    return wrecks;
}

} // namespace epaves
