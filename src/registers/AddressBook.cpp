#include "registers/AddressBook.h"

#include "platform/NamedColours.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterRecord.h"
#include "registers/RegisterTable.h"
#include "registers/SynthesisWriter.h"

namespace addressbook {

namespace {

using registers::FormControl;
using registers::PaneRow;
using registers::Rule;
using registers::SampleValues;

const char* const kDayKeys[kDays] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

int hourField(const Fields& f, int day, int hour) { return f.firstHour + day * kHoursPerDay + hour; }

constexpr int kTownGroup = 1;
constexpr int kFirstDayGroup = 10; // one group per day, so that a day's four hours match

} // namespace

qint64 updateAge(const QDateTime& date, const QDateTime& now)
{
    if (!date.isValid() || !now.isValid())
        return 0;
    return std::max<qint64>(0, date.secsTo(now));
}

Age ageOf(qint64 seconds)
{
    if (seconds < kYearSeconds)
        return Age::Recent;
    return seconds <= 2 * kYearSeconds ? Age::Old : Age::Stale;
}

RgbaColour ageColour(Age age)
{
    switch (age) {
    case Age::Recent: return namedcolours::black;
    case Age::Old: return namedcolours::orange;
    case Age::Stale: return namedcolours::red;
    }
    return namedcolours::black;
}

QString ageName(Age age)
{
    switch (age) {
    case Age::Recent: return QStringLiteral("black");
    case Age::Old: return QStringLiteral("orange");
    case Age::Stale: return QStringLiteral("red");
    }
    return QString();
}

registers::Column updateColumn(const Fields& f, const QString& titleKey)
{
    const int field = f.miseAJour;
    return {QStringLiteral("miseAJour"), titleKey, {}, [field](const RegisterRecord& r) -> std::optional<RgbaColour> {
                const Age age = ageOf(updateAge(r.date(field), QDateTime::currentDateTime()));
                return age == Age::Recent ? std::nullopt : std::optional(ageColour(age));
            }};
}

QList<registers::FormRule> updateAgeRules(const Fields& f)
{
    using registers::Derived;
    const int field = f.miseAJour;
    const auto age = [field](const RegisterForm& form) {
        return updateAge(form.value(field).date, QDateTime::currentDateTime());
    };
    return {
        {QStringLiteral("miseAJourAge"), Derived::Number, {}, age},
        {QStringLiteral("miseAJourColour"), Derived::Text, {}, {},
         [age](const RegisterForm& form, const Localizer&) { return ageName(ageOf(age(form))); }},
    };
}

QList<FormControl> controls(const Fields& f, const QString& sundayKey, const QString& table)
{
    QList<FormControl> c;
    for (const int field : {f.adresse, f.codePostal, f.ville, f.pays, f.telephone, f.fax, f.email, f.url})
        c.append({field, Rule::Text});
    c.append({f.cotation, Rule::Slider, {}, {}, {}, {}, 5});
    c.append({f.miseAJour, Rule::Date});
    for (int day = 0; day < kDays; ++day) {
        const bool sunday = day == kDays - 1 && !sundayKey.isEmpty();
        for (int hour = 0; hour < kHoursPerDay; ++hour)
            c.append({hourField(f, day, hour), Rule::Text, sunday ? QString() : QStringLiteral("-"),
                      sunday ? sundayKey : QString(), sunday ? table : QString()});
    }
    return c;
}

QList<PaneRow> addressRows(const Fields& f)
{
    return {
        {QStringLiteral("Form adresse"), f.adresse},
        {QStringLiteral("Form codePostal"), f.codePostal, 10},
        {QStringLiteral("Form ville"), f.ville, 28},
        {QStringLiteral("Form pays"), f.pays, 24},
        {QStringLiteral("Form telephone"), f.telephone, 20},
        {QStringLiteral("Form fax"), f.fax, 20},
        {QStringLiteral("Form email"), f.email},
        {QStringLiteral("Form url"), f.url},
    };
}

QList<PaneRow> hourRows(const Fields& f)
{
    QList<PaneRow> rows;
    for (int day = 0; day < kDays; ++day) {
        PaneRow row{QStringLiteral("Form ") + QLatin1String(kDayKeys[day]), hourField(f, day, 0), 6};
        for (int hour = 1; hour < kHoursPerDay; ++hour)
            row.alongside.append(hourField(f, day, hour));
        rows.append(row);
    }
    return rows;
}

QList<SampleValues> samples(const Fields& f)
{
    QList<SampleValues> s;
    s.append({f.adresse, registers::textsOf({"12 rue de la Plage", "3 quai du Port", "45 avenue de la Mer", "Zone du Capitou",
                               "8 boulevard Maritime", "Port de plaisance, ponton C", "27 chemin des Calanques",
                               "1 place du Marché", "Unit 4, Harbour Road", "Kaya Grandi 12"})});
    s.append({f.codePostal, registers::textsOf({"13007", "83400", "06400", "29200", "20000", "59140", "2A000", "PL1 3DX", "1012 AB",
                                  "08001", "83700", "64500"}),
              0, 0, 1, kTownGroup});
    s.append({f.ville, registers::textsOf({"Marseille", "Hyères", "Cannes", "Brest", "Ajaccio", "Dunkerque", "Ajaccio", "Plymouth",
                             "Amsterdam", "Barcelona", "Saint-Raphaël", "Saint-Jean-de-Luz"}),
              0, 0, 1, kTownGroup});
    s.append({f.pays, registers::textsOf({"France", "France", "France", "France", "France", "France", "France", "United Kingdom",
                            "Netherlands", "Spain", "France", "France"}),
              0, 0, 1, kTownGroup});
    for (const int phone : {f.telephone, f.fax})
        s.append({phone, registers::textsOf({"04 91 52 12 34", "04 94 65 22 10", "04 93 38 71 02", "02 98 44 16 70",
                               "04 95 21 33 08", "03 28 63 40 11", "+44 1752 600 123", "+31 20 555 0199",
                               "+34 93 412 77 80", "04 94 95 08 66"})});
    s.append({f.email, registers::textsOf({"contact@plongee-sud.fr", "info@bleu-marine.com", "accueil@cap-dramont.fr",
                             "hello@harbourdivers.co.uk", "club@subaqua-brest.org", "reservations@duikcentrum.nl",
                             "bonjour@calanques-plongee.fr"})});
    s.append({f.url, registers::textsOf({"https://plongee-sud.fr", "https://bleu-marine.com", "https://cap-dramont.fr",
                           "https://harbourdivers.co.uk", "https://subaqua-brest.org", "https://duikcentrum.nl",
                           "https://calanques-plongee.fr"})});
    s.append({f.miseAJour, {}, 2019, 2026});
    // Each day follows one pattern: open all day, mornings only, closed.
    const QStringList patterns[kHoursPerDay] = {registers::textsOf({"08:30", "09:00", "10:00", "-", "09:30"}),
                                                registers::textsOf({"12:00", "12:30", "13:00", "-", "12:30"}),
                                                registers::textsOf({"14:00", "14:30", "-", "-", "15:00"}),
                                                registers::textsOf({"18:30", "19:00", "-", "-", "20:00"})};
    for (int day = 0; day < kDays; ++day)
        for (int hour = 0; hour < kHoursPerDay; ++hour)
            s.append({hourField(f, day, hour), patterns[hour], 0, 0, 1, kFirstDayGroup + day});
    return s;
}

registers::RegisterDescription describe(Book book)
{
    registers::RegisterDescription d{book.kind,
                                     book.schema,
                                     book.table,
                                     book.documentNoun,
                                     book.recordsNoun,
                                     std::move(book.controls),
                                     std::move(book.columns),
                                     QStringLiteral("One card"),
                                     QStringLiteral("Cards"),
                                     QStringLiteral("Erase card"),
                                     QStringLiteral("No card selected"),
                                     {},
                                     std::move(book.synthesis)};
    d.synthesisHeading = [table = book.table](const QList<RegisterRecord>&, const Localizer& loc) {
        SynthesisWriter w(loc, table);
        w.heading(w.text(QStringLiteral("Inventory")));
        return w.take();
    };
    d.formRules = std::move(book.formRules);
    d.samples = std::move(book.samples);
    d.panes = std::move(book.panes);
    d.toolbars = book.toolbars;
    d.countControl = QStringLiteral("nombreFichesField");
    d.countTable = QStringLiteral("Main");
    d.titleKey = book.titleKey;
    return d;
}

void writeAddress(SynthesisWriter& w, const RegisterRecord& r, const Fields& f)
{
    QStringList parts;
    for (const int field : {f.adresse, f.codePostal, f.ville, f.pays})
        parts.append(r.text(field).value_or(QString()));
    w.field(QStringLiteral("Address"), parts.join(u' '));
}

void writeSchedules(SynthesisWriter& w, const RegisterRecord& r, const Fields& f)
{
    w.label(QStringLiteral("Schedules"));
    for (int day = 0; day < kDays; ++day) {
        const auto hour = [&](int h) { return r.text(hourField(f, day, h)).value_or(QString()); };
        w.field(QLatin1String(kDayKeys[day]),
                hour(0) + QStringLiteral(" - ") + hour(1) + QStringLiteral(" / ") + hour(2) + QStringLiteral(" - ") + hour(3));
    }
}

} // namespace addressbook
