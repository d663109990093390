#pragma once

#include "app/cli/CliSession.h"

#include <QStringList>

// The command line's settings and pick-lists, through the preferences form
// and the pick-list editors: "prefs", "prefs-set", "prefs-reset",
// "picklist", "picklist-add" and "picklist-delete".
namespace cli {

int runPrefsCommand(const QString& command, const QStringList& args, const QString& settingsPath, Io& io);
bool isPrefsCommand(const QString& command);

} // namespace cli
