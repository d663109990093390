#include "registers/EpavesRegister.h"

#include "registers/EpavesFields.h"
#include "registers/RegisterRecord.h"

#include "platform/Localizer.h"
#include "platform/NumberText.h"

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

QString propulsionText(const RegisterRecord& r, const Localizer& loc)
{
    static const char* const keys[] = {"TableView essence", "TableView diesel",  "TableView kerosene",
                                       "TableView nucleaire", "TableView rames", "TableView vapeur",
                                       "TableView voile",    "TableView remorque", "TableView diesel elec"};
    const int code = r.integer(propulsion);
    return code >= 1 && code <= 9 ? loc.text(QLatin1String(keys[code - 1]), kTable) : QStringLiteral("N/A");
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

QString ratingText(const RegisterRecord& r, int field, const Localizer& loc)
{
    return loc.text(QStringLiteral("Cotation %1").arg(r.integer(field)), QStringLiteral("Main"));
}

const RgbaColour kRed = RgbaColour::rgb(1, 0, 0);
const RgbaColour kBrown = RgbaColour::rgb(0.6, 0.4, 0.2);
const RgbaColour kGreen = RgbaColour::rgb(0, 1, 0);
const RgbaColour kBlue = RgbaColour::rgb(0, 0, 1);
const RgbaColour kPurple = RgbaColour::rgb(0.5, 0, 0.5);

std::optional<RgbaColour> difficultyColour(const RegisterRecord& r)
{
    switch (r.integer(technicite)) {
    case 1: return kGreen;
    case 2: return kBlue;
    case 3: return kRed;
    case 4: return kPurple;
    default: return std::nullopt;
    }
}

QList<Column> columns()
{
    return {
        {QStringLiteral("nom"), QStringLiteral("Column nom"), {},
         [](const RegisterRecord& r) { return r.integer(aVisiter) == 1 ? std::optional(kRed) : std::nullopt; }},
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
        {QStringLiteral("interet"), QStringLiteral("Column interet"),
         [](const RegisterRecord& r, const Localizer& loc) { return ratingText(r, interet, loc); },
         [](const RegisterRecord& r) { return r.integer(interet) != 0 ? std::optional(kBrown) : std::nullopt; }},
        {QStringLiteral("technicite"), QStringLiteral("Column technicite"),
         [](const RegisterRecord& r, const Localizer& loc) { return ratingText(r, technicite, loc); },
         difficultyColour},
    };
}

} // namespace

namespace epaves {

const registers::RegisterDescription& description()
{
    static const registers::RegisterDescription wrecks{
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
    };
    return wrecks;
}

} // namespace epaves
