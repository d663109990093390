#pragma once

#include <QStringList>

class PickLists;
class SettingsStore;

// Start-up registration, before the first document exists: registers the
// default values of the settings (never written to disk) and loads the
// pick-lists from the store into their working copies.
void registerDefaultSettings(SettingsStore& store, PickLists& pickLists);

// Every key that start-up registers a default for: the scalar and colour
// keys in alphabetical order, then the pick-lists in registration order.
QStringList registeredSettingKeys();
