#pragma once

#include "platform/RgbaColour.h"
#include "registers/RegisterDescription.h"

#include <QDateTime>
#include <QList>
#include <QString>

class RegisterRecord;
class SynthesisWriter;

// What the two address books (firms and diving structures) share: the
// postal address and contacts, the rating, the date of the last update and
// its age colour, and the weekly opening hours. Each book names the indices
// of these fields in its own record.
namespace addressbook {

// The 28 opening hours of a week, Monday to Sunday; per day the morning
// opening and closing, then the afternoon opening and closing. Expands
// F(name, kind, sinceVersion, floatSinceVersion, emptyWhenLacking, textSinceVersion).
#define ONDRIX_OPENING_HOURS_DAY(F, day)                                                      \
    F(horaire##day##_1, Text, 0, 0, false, 0)                                                 \
    F(horaire##day##_2, Text, 0, 0, false, 0)                                                 \
    F(horaire##day##_3, Text, 0, 0, false, 0)                                                 \
    F(horaire##day##_4, Text, 0, 0, false, 0)
#define ONDRIX_OPENING_HOURS_FIELDS(F)                                                        \
    ONDRIX_OPENING_HOURS_DAY(F, Lundi)                                                        \
    ONDRIX_OPENING_HOURS_DAY(F, Mardi)                                                        \
    ONDRIX_OPENING_HOURS_DAY(F, Mercredi)                                                     \
    ONDRIX_OPENING_HOURS_DAY(F, Jeudi)                                                        \
    ONDRIX_OPENING_HOURS_DAY(F, Vendredi)                                                     \
    ONDRIX_OPENING_HOURS_DAY(F, Samedi)                                                       \
    ONDRIX_OPENING_HOURS_DAY(F, Dimanche)

inline constexpr int kDays = 7;
inline constexpr int kHoursPerDay = 4;

struct Fields {
    int adresse;
    int codePostal;
    int ville;
    int pays;
    int telephone;
    int fax;
    int email;
    int url;
    int cotation;
    int miseAJour;
    int firstHour; // horaireLundi_1; the other 27 follow it
};

// One year of 365.25 days, in seconds: the update date turns orange at
// this age and red above twice it.
inline constexpr qint64 kYearSeconds = 31557600;

// The whole seconds from the update date to now; 0 for no date and for a
// date after now.
qint64 updateAge(const QDateTime& date, const QDateTime& now);
enum class Age { Recent, Old, Stale };
Age ageOf(qint64 seconds);
// Black for a recent date, orange, red.
RgbaColour ageColour(Age age);
QString ageName(Age age); // "black", "orange", "red"

// The update column, coloured by the age of its date today.
registers::Column updateColumn(const Fields& f, const QString& titleKey);
// The age of the form's update date in seconds ("<field>Age") and its
// colour's name ("<field>Colour").
QList<registers::FormRule> updateAgeRules(const Fields& f);

// The controls of the address, contacts, rating, update date and opening
// hours. The hours blank to "-", Sunday's to the localised `sundayKey` of
// `table` when one is given.
QList<registers::FormControl> controls(const Fields& f, const QString& sundayKey = {}, const QString& table = {});
// The rows of the address and contacts; the seven rows of the opening
// hours, a day's label ("Monday"...) and its four hours on one line.
QList<registers::PaneRow> addressRows(const Fields& f);
QList<registers::PaneRow> hourRows(const Fields& f);
// Generated towns with their postcodes and countries, contacts, ratings,
// update dates and opening hours.
QList<registers::SampleValues> samples(const Fields& f);

// What makes one address book: its kind, record, table, names, the title
// of its windows, its form, list, synthesis, derived rules, generated
// values, panes and toolbars.
struct Book {
    DocumentKind kind;
    const registers::RecordSchema& schema;
    QString table;
    QString documentNoun;
    QString recordsNoun;
    QString titleKey;
    QList<registers::FormControl> controls;
    QList<registers::Column> columns;
    std::function<StyledText(const RegisterRecord&, const Localizer&)> synthesis;
    QList<registers::FormRule> formRules;
    QList<registers::SampleValues> samples;
    QList<registers::Pane> panes;
    registers::ToolbarItems toolbars;
};

// An address book's description with what both books share: the count
// label of table "Main" ("One card", "Cards"), the delete question, the
// alert with no card selected, its synthesis heading "Inventory".
registers::RegisterDescription describe(Book book);

// "Address" and the address, postcode, town and country with single spaces.
void writeAddress(SynthesisWriter& w, const RegisterRecord& r, const Fields& f);
// "Schedules", then each day's label and its hours "a - b / c - d".
void writeSchedules(SynthesisWriter& w, const RegisterRecord& r, const Fields& f);

} // namespace addressbook
