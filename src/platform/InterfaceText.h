#pragma once

#include <QString>

class Localizer;

// The words of the windows (menus, buttons, labels, titles) live in the
// table "Interface" of the localisation files, keyed by their English text.
// Widgets look them up in the localiser of the running program, installed
// by its AppContext for as long as it lives; with none installed, and for a
// key the table does not hold, the English key itself is shown.
namespace ui {

QString text(const char* english);

// Makes `localizer` the one the interface texts come from, until the
// returned previous one is installed again (null: none).
const Localizer* installLocalizer(const Localizer* localizer);
const Localizer* installedLocalizer();

} // namespace ui
