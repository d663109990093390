#pragma once

#include "platform/RgbaColour.h"
#include "platform/StyledText.h"
#include "platform/context/DocumentTypes.h"
#include "platform/context/PickLists.h"
#include "registers/FormRule.h"
#include "registers/RecordSchema.h"
#include "registers/SampleValues.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

class Localizer;
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
};

struct FormControl {
    int field;
    Rule rule;
    QString blankText = {};  // text controls: what a blank form shows
    QString blankKey = {};   // or the localised text of this key...
    QString blankTable = {}; // ...in this table
    QList<int> tags = {};    // pop-ups: the tags of the items, the first selected when blank
    int maximum = 0;         // sliders
};

struct Column {
    QString id;       // a field name: the column sorts on that field's raw value
    QString titleKey; // localised in the register's table
    // The cell text; without one, the field's value as plain text.
    std::function<QString(const RegisterRecord&, const Localizer&)> text = {};
    // The text colour; without one, or when it gives nothing, the default.
    std::function<std::optional<RgbaColour>(const RegisterRecord&)> colour = {};
};

struct RegisterDescription {
    DocumentKind kind;
    const RecordSchema& schema;
    QString table;            // localisation table of its windows
    QString documentNoun;     // "a wreck repertory", in refusals
    QString recordsNoun;      // "wreck cards"
    QList<FormControl> controls;
    QList<Column> columns;
    QString oneRecordKey;     // count label with one record
    QString recordsKey;       // count label format, one integer argument
    QString deleteKey;        // the delete question (table "Main")
    QString noSelectionKey;   // insert or update with no record selected
    QList<std::pair<int, PickListId>> comboLists; // combo box fields and their pick-lists
    // The synthesis of one record, as the synthesis window shows it and the
    // report prints it; records follow one another in list order.
    std::function<StyledText(const RegisterRecord&, const Localizer&)> synthesis = {};
    // What comes before the first record in the synthesis of every record
    // (its title); see registersynthesis.
    std::function<StyledText(const QList<RegisterRecord>&, const Localizer&)> synthesisHeading = {};
    // What a refresh of the edit form derives from it.
    QList<FormRule> formRules = {};
    // The count label's control name, under which the form's `show` reports it.
    QString countControl = {};
    // The values of generated records, by field.
    QList<SampleValues> samples = {};
};

// The register stored under a document kind or type id; nothing for the
// logbook and for the registers this version does not hold yet.
const RegisterDescription* descriptionOf(DocumentKind kind);
const RegisterDescription* descriptionOf(const QString& typeId);

} // namespace registers
