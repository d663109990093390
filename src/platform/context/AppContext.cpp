#include "platform/context/AppContext.h"

#include "platform/context/DefaultSettings.h"
#include "platform/SettingsStore.h"

AppContext::AppContext(std::unique_ptr<SettingsStore> settings, AlertPresenter& alerts, const QString& language)
    : m_settings(std::move(settings)), m_alerts(&alerts), m_localizer(language)
{
    registerDefaultSettings(*m_settings, m_pickLists);
}

AppContext::~AppContext() = default;
