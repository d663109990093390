#pragma once

#include <QString>
#include <QStringList>

class SettingsStore;

// The settings that say which list columns are shown.
namespace columnsettings {

// Marks that the column settings have been written once. Hiding every column,
// the number column included, must not look like a first run.
inline const QString kWrittenKey = QStringLiteral("column settings written");

// The keys shown by default on a first run, in list order; "column scaph"
// is written hidden.
const QStringList& shownByDefault();
inline const QString kHiddenByDefault = QStringLiteral("column scaph");

// On the first run, writes the default set of visible columns. A store whose
// number column is already shown keeps its settings and only gets the marker.
void writeFirstRunDefaults(SettingsStore& settings);

} // namespace columnsettings
