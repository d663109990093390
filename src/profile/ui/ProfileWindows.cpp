#include "profile/ui/ProfileWindows.h"

#include "logbook/Carnet.h"
#include "profile/ui/ProfileDataWindow.h"
#include "profile/ui/ProfileWindow.h"
#include "platform/ui/WindowKeys.h"

ProfileWindows::ProfileWindows(Carnet& carnet) : m_carnet(carnet)
{
    connect(&carnet, &Carnet::profileWindowRequested, this, &ProfileWindows::showProfile);
    connect(&carnet, &Carnet::profileDataWindowRequested, this, &ProfileWindows::showProfileData);
}

ProfileWindows::~ProfileWindows() = default;

void ProfileWindows::showProfile()
{
    if (!m_profile) {
        m_profile = std::make_unique<ProfileWindow>(m_carnet);
        windowkeys::addCloseKeys(m_profile.get(), true);
    }
    windowkeys::present(m_profile.get());
}

void ProfileWindows::showProfileData()
{
    if (!m_data) {
        m_data = std::make_unique<ProfileDataWindow>(m_carnet);
        windowkeys::addCloseKeys(m_data.get(), true);
    }
    m_data->refresh();
    windowkeys::present(m_data.get());
}
