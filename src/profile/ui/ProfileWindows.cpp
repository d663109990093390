#include "profile/ui/ProfileWindows.h"

#include "logbook/Carnet.h"
#include "profile/ui/ProfileDataWindow.h"
#include "profile/ui/ProfileWindow.h"

ProfileWindows::ProfileWindows(Carnet& carnet) : m_carnet(carnet)
{
    connect(&carnet, &Carnet::profileWindowRequested, this, &ProfileWindows::showProfile);
    connect(&carnet, &Carnet::profileDataWindowRequested, this, &ProfileWindows::showProfileData);
}

ProfileWindows::~ProfileWindows() = default;

void ProfileWindows::showProfile()
{
    if (!m_profile)
        m_profile = std::make_unique<ProfileWindow>(m_carnet);
    m_profile->show();
    m_profile->raise();
    m_profile->activateWindow();
}

void ProfileWindows::showProfileData()
{
    if (!m_data)
        m_data = std::make_unique<ProfileDataWindow>(m_carnet);
    m_data->refresh();
    m_data->show();
    m_data->raise();
    m_data->activateWindow();
}
