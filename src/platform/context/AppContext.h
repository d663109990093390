#pragma once

#include "platform/context/PickLists.h"
#include "platform/Localizer.h"
#include "platform/NotificationHub.h"

#include <memory>

class AlertPresenter;
class SettingsStore;

// What every document and window of one running program shares: the settings
// store with its registered defaults, the in-memory pick-lists, the
// notification hub, the localisation tables and the way alerts are asked.
// One instance per program run (or per test); nothing here is global.
class AppContext {
public:
    // Registers the default settings and loads the pick-lists from the store.
    AppContext(std::unique_ptr<SettingsStore> settings, AlertPresenter& alerts, const QString& language);
    ~AppContext();

    SettingsStore& settings() { return *m_settings; }
    const SettingsStore& settings() const { return *m_settings; }
    PickLists& pickLists() { return m_pickLists; }
    NotificationHub& hub() { return m_hub; }
    const Localizer& localizer() const { return m_localizer; }
    AlertPresenter& alerts() { return *m_alerts; }
    void setAlerts(AlertPresenter& alerts) { m_alerts = &alerts; }

private:
    std::unique_ptr<SettingsStore> m_settings;
    AlertPresenter* m_alerts;
    Localizer m_localizer;
    PickLists m_pickLists;
    NotificationHub m_hub;
};
