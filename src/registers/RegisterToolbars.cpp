#include "registers/RegisterToolbars.h"

#include "registers/RegisterDescription.h"

namespace registertoolbars {

namespace {

using Item = ToolbarDefinition::Item;
using Kind = ToolbarDefinition::Kind;

QList<Item> itemsOf(const registers::RegisterDescription& reg)
{
    const registers::ToolbarItems& t = reg.toolbars;
    const bool wait = t.needRecords;
    return {
        {saveId, Kind::Command, "Save", "Main", "Save", "enregistrer", "Tip save", "Main", "Save the document",
         "saveDocument:", false},
        {printId, Kind::Command, "Print", "Main", "Print", "imprimante", "Tip print", "Main", "Print the list",
         "printList:", wait},
        {t.newId, Kind::Command, "Add", "Main", "Add", t.addPicture, "Tip add", "Main", "Add a card", "newRecord:",
         false},
        {t.deleteId, Kind::Command, "Delete", "Main", "Delete", t.deletePicture, "Tip delete", "Main",
         "Delete the selected cards", "deleteRecord:", wait},
        {synthesisId, Kind::Command, "Synthesis card", "Main", "Synthesis", "texte", "Tip synthesis card", "Main",
         "Show the synthesis of the cards", "synthesisWindow:", wait},
        {t.addId, Kind::Command, "Add", "Main", "Add", t.addPicture, "Tip add", "Main", "Add a card", "addRecord:",
         false},
        {t.insertId, Kind::Command, "Insert", "Main", "Insert", t.insertPicture, "Tip insert", "Main",
         "Insert the card of the form before the selected card", "insertRecord:", wait},
        {t.updateId, Kind::Command, "Update", "Main", "Update", t.updatePicture, "Tip update", "Main",
         "Store the form into the selected card", "updateRecord:", wait},
        {blankId, Kind::Command, "Erase", "Main", "Erase", "raz", "Tip erase", "Main", "Blank the form",
         "blankFields:", false},
    };
}

QStringList ids(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* id : list)
        out.append(QLatin1String(id));
    return out;
}

ToolbarDefinition toolbar(const registers::RegisterDescription& reg, const QString& id, QStringList commands)
{
    QStringList items = commands;
    items << ToolbarDefinition::separatorId << ToolbarDefinition::customiseId << ToolbarDefinition::flexibleSpaceId;
    return ToolbarDefinition(id, itemsOf(reg), items, items);
}

} // namespace

ToolbarDefinition listToolbar(const registers::RegisterDescription& reg)
{
    const registers::ToolbarItems& t = reg.toolbars;
    QStringList commands = ids({saveId, printId});
    commands << ToolbarDefinition::separatorId << ids({t.newId, t.deleteId, synthesisId});
    return toolbar(reg, t.listToolbarId, commands);
}

ToolbarDefinition editToolbar(const registers::RegisterDescription& reg)
{
    const registers::ToolbarItems& t = reg.toolbars;
    QStringList commands = t.editSave ? ids({saveId}) : QStringList();
    commands << ids({t.addId, t.insertId, t.updateId, blankId, synthesisId});
    return toolbar(reg, t.editToolbarId, commands);
}

} // namespace registertoolbars
