#pragma once

class PickLists;
class SettingsStore;

// Start-up registration, before the first document exists: registers the
// default values of the settings (never written to disk) and loads the
// pick-lists from the store into their working copies.
void registerDefaultSettings(SettingsStore& store, PickLists& pickLists);
