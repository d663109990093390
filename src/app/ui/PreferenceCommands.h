#pragma once

#include "platform/context/PickLists.h"

#include <QString>

class AppContext;
class QMenu;
class QMenuBar;
class WindowTable;

// The preferences window and the pick-list editors as kept windows of the
// application's window table, and the Edit menu that reaches them.
namespace preferencecommands {

// "showPreferencePanel".
QString preferencesCommand();
// The command of a pick-list's editor ("showLieuWindow", ...); the
// countries and the country codes share one.
QString pickListCommand(PickListId id);

// Registers the preferences window and the fifteen editor windows.
void registerWindows(WindowTable& table, AppContext& context);

// Adds the Edit menu after `fileMenu`: Preferences… (Ctrl+,) and a submenu of
// the sixteen pick-lists.
QMenu* addEditMenu(QMenuBar* menuBar, QMenu* fileMenu, WindowTable& table, const AppContext& context);

} // namespace preferencecommands
