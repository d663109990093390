#pragma once

#include "platform/RgbaColour.h"
#include "platform/StyledText.h"
#include "platform/context/DocumentTypes.h"
#include "platform/context/PickLists.h"
#include "registers/FormRule.h"
#include "registers/RecordSchema.h"
#include "registers/SampleValues.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

class Localizer;
class RegisterForm;
class RegisterRecord;

// Everything that makes one register different from another: its record
// schema, the controls of its edit form, the columns of its list and the
// keys of its texts. The document, form, table, archive and command-line
// code is shared by every register and reads only this.
namespace registers {

// How a form control shows its field and reads it back.
enum class Rule {
    Text,     // the text as typed
    Decimal,  // the decimal value of the text
    Integer,  // the integer value of the text
    PopupTag, // the tag of the selected item
    Depth,    // a depth; "-" shows and stores -1, "not given"
    Switch,   // 0 or 1
    Slider,   // an integer from 0 to `maximum`
    Date,     // the date shown; a blank form shows now
    Image,    // the picture shown; none shows the placeholder
    Notes,    // a copy of the multi-line text
    Time,     // a time of day shown as hours and minutes, held on 1 January 2001
    Radio,    // the tag of the chosen button of a radio group
};

struct FormControl {
    int field;
    Rule rule;
    QString blankText = {};  // text controls: what a blank form shows; a date: the day,
                             // "YYYY-MM-DD", that it stores for "no date"; a time: "HH:MM"
    QString blankKey = {};   // or the localised text of this key...
    QString blankTable = {}; // ...in this table
    QList<int> tags = {};    // pop-ups: the tags of the items, the first selected when blank
    int maximum = 0;         // sliders
    // Dates: what a blank form shows, an invalid date for none; nothing for now.
    std::optional<QDateTime> blankDate = std::nullopt;
    // Texts: a blank form shows the number of records plus one (a card number).
    bool blankNextNumber = false;
    int blankNumber = 0; // switches: 1 for a switch a blank form shows on
    int blankItem = 0;       // pop-ups: the item a blank form selects
};

struct Column {
    QString id;       // a field name: the column sorts on that field's raw value
    QString titleKey; // localised in the register's table
    // The cell text; without one, the field's value as plain text.
    std::function<QString(const RegisterRecord&, const Localizer&)> text = {};
    // The text colour; without one, or when it gives nothing, the default.
    std::function<std::optional<RgbaColour>(const RegisterRecord&)> colour = {};
    // A computed column, on no field: the value it sorts on.
    std::function<double(const RegisterRecord&)> sortValue = {};
    // Above 0, the window shows the cell's number as a level indicator from
    // 0 to this, the text staying the cell's value.
    double levelMaximum = 0;
};

// One row of an edit pane: a label and the control of a field. A row
// without a field is a label alone (a heading); widthHint is the control's
// width in characters, 0 for the pane's full width.
struct PaneRow {
    QString labelKey; // localised in the register's table
    int field = -1;
    int widthHint = 0;
    bool nowButton = false; // a date with a button setting it to now
    int sliderMaximum = 0;  // a number with a slider from 0 to this beside it
    // A row showing a derived value instead of a field (field -1): the
    // control a form rule names, a bar from 0 to barMaximum for a Number
    // rule, a text for a Text rule.
    QString derived = {};
    int barMaximum = 100;
    // Further fields whose controls stand on the same line, after the
    // row's own (the four opening hours of a day).
    QList<int> alongside = {};
};

// A row of a field's control under the label of a key.
inline PaneRow paneRow(const char* labelKey, int field, int widthHint = 0)
{
    return PaneRow{QLatin1String(labelKey), field, widthHint};
}

struct Pane {
    QString titleKey; // the pane's tab, localised in the register's table
    QList<PaneRow> rows;
};

// The texts shown for the items of a pop-up, in the order of its tags.
struct PopupItems {
    int field;
    QStringList keys; // localised in the register's table
};

// The items of a register's two toolbars. The standard items (save, print,
// synthesis, erase, separators, customise) are the shared toolbar table's;
// these name the register's own commands and their pictures.
struct ToolbarItems {
    QString listToolbarId; // "wreckTableViewWindowToolbar"
    QString editToolbarId; // "wreckEditWindowToolbar"
    const char* newId = "";    // "newWreck"
    const char* addId = "";    // "addWreck"
    const char* insertId = ""; // "insertWreck"
    const char* updateId = ""; // "updateWreck"
    const char* deleteId = ""; // "deleteWreck"
    const char* addPicture = "";    // "ajouterEp", also the new item's
    const char* insertPicture = ""; // "insererEp"
    const char* updatePicture = ""; // "validerEp"
    const char* deletePicture = ""; // "supprimerEp"
    // Whether print, insert, update, delete and synthesis wait for a record.
    bool needRecords = true;
    // Whether the edit window's toolbar starts with the save item.
    bool editSave = false;
};

// The print settings of a register's list and synthesis, in points.
struct PrintSettings {
    double marginTop = 24.8;
    double marginBottom = 25.0;
    double marginLeft = 10.0;
    double marginRight = 10.0;
    double scale = 0.7;
};

struct RegisterDescription {
    DocumentKind kind;
    const RecordSchema& schema;
    QString table;            // localisation table of its windows
    QString documentNoun;     // "a wreck repertory", in refusals
    QString recordsNoun;      // "wreck cards"
    QList<FormControl> controls;
    QList<Column> columns;
    QString oneRecordKey = QStringLiteral("One card"); // count label with one record
    QString recordsKey = QStringLiteral("Cards");      // count label format, one integer argument
                              // (both in the register's table, or countTable)
    QString deleteKey = QStringLiteral("Erase card");  // the delete question (table "Main")
    QString noSelectionKey = QStringLiteral("No card selected"); // insert or update with no record selected
    QList<std::pair<int, PickListId>> comboLists = {}; // combo box fields and their pick-lists
    // The synthesis of one record, as the synthesis window shows it and the
    // report prints it; records follow one another in list order.
    std::function<StyledText(const RegisterRecord&, const Localizer&)> synthesis = {};
    // What comes before the first record in the synthesis of every record
    // (its title); see registersynthesis.
    std::function<StyledText(const QList<RegisterRecord>&, const Localizer&)> synthesisHeading = {};
    // What a refresh of the edit form derives from it.
    QList<FormRule> formRules = {};
    // What a refresh of the edit form changes in it (a switch that resets
    // other controls); run after every control typed and every card shown.
    std::function<void(RegisterForm&)> formRefresh = {};
    // The count label's control name, under which the form's `show` reports it.
    QString countControl = {};
    // The values of generated records, by field.
    QList<SampleValues> samples = {};
    // The edit window: its panes, the items of its pop-ups, its toolbars.
    QList<Pane> panes = {};
    QList<PopupItems> popupItems = {};
    ToolbarItems toolbars = {};
    PrintSettings printSettings = {};
    QString titleKey = {};          // the list and synthesis windows' title ("Wrecks")
    QString placeholderPicture = {}; // the picture well with no picture ("noPhoto")
    // The synthesis of a record with its number in the list, from 1; used
    // instead of `synthesis` where the register numbers its records.
    std::function<StyledText(const RegisterRecord&, int, const Localizer&)> numberedSynthesis = {};
    // An opened file shows its first record rather than its last.
    bool opensOnFirstRecord = false;
    QString countTable = {}; // the count label's table when it is not the register's
    // The pick-lists the document reloads from the settings store when it
    // is created (lists not loaded at start-up).
    QList<PickListId> reloadedLists = {};
    // The line breaks between the last record's synthesis and the closing
    // "File dir" line.
    QString synthesisClosingBreaks = QStringLiteral("\n");
};

// The register stored under a document kind or type id; nothing for the
// logbook and for the registers this version does not hold yet.
const RegisterDescription* descriptionOf(DocumentKind kind);
const RegisterDescription* descriptionOf(const QString& typeId);

} // namespace registers
