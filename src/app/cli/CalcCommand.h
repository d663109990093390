#pragma once

#include <QByteArray>
#include <QStringList>

class Localizer;

// `ondrix-cli calc ACTION [FIELD=TEXT ...]`: runs one calculator action as
// its window's button does and prints, as one JSON object, the text of every
// output control under its field name and the colour of each coloured text
// as "#rrggbb" under "FIELD.colour" ("-" when the action leaves that
// control's colour as it was). `calc --list` prints every action with its
// window, its inputs (and the items of its choice controls) and its outputs.
// Exit status: 0 done, 1 a choice given an item it does not have, 2 usage
// error (no or unknown action, unknown field, an argument not FIELD=TEXT).
// Texts are localised in the environment's language.
int runCalcCommand(const QStringList& args, QByteArray& out, QByteArray& err);
// The same with the given text tables.
int runCalcCommand(const QStringList& args, QByteArray& out, QByteArray& err, const Localizer& texts);
