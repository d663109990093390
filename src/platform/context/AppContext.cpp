#include "platform/context/AppContext.h"

#include "platform/context/DefaultSettings.h"
#include "platform/InterfaceText.h"
#include "platform/SettingsStore.h"

#include <QHash>

namespace {

// The interface localiser each living context replaced.
QHash<const AppContext*, const Localizer*>& previousInterfaces()
{
    static QHash<const AppContext*, const Localizer*> previous;
    return previous;
}

} // namespace

AppContext::AppContext(std::unique_ptr<SettingsStore> settings, AlertPresenter& alerts, const QString& language)
    : m_settings(std::move(settings)), m_alerts(&alerts), m_localizer(language)
{
    registerDefaultSettings(*m_settings, m_pickLists);
    // While this context lives its localiser gives the windows their words.
    previousInterfaces().insert(this, ui::installLocalizer(&m_localizer));
}

AppContext::~AppContext()
{
    const Localizer* previous = previousInterfaces().take(this);
    if (ui::installedLocalizer() == &m_localizer)
        ui::installLocalizer(previous);
}
