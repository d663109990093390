#pragma once

#include <QString>

class RecentDocuments;
class SettingsStore;

// What the program opens when it starts with no document named on the
// command line.
struct LaunchPlan {
    bool showMemo = false;  // the memo window comes forward ("pense bete")
    QString openPath;       // the most recent document, empty when none
    bool newLogbook = false; // nothing to open: start a new logbook

    // When openPath cannot be opened the program says why and falls back to
    // a new logbook: the plan for that second step.
    LaunchPlan afterFailedOpen() const;

    static LaunchPlan decide(const SettingsStore& settings, const RecentDocuments& recent);

    static QString memoSettingKey(); // "pense bete"
};
