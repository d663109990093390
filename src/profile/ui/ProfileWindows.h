#pragma once

#include <QObject>
#include <memory>

class Carnet;
class ProfileDataWindow;
class ProfileWindow;

// The profile window and the profile data window of one logbook, made the
// first time the logbook asks for them and kept while it is open.
class ProfileWindows : public QObject {
    Q_OBJECT

public:
    explicit ProfileWindows(Carnet& carnet);
    ~ProfileWindows() override;

    void showProfile();
    void showProfileData();
    ProfileWindow* profileWindow() const { return m_profile.get(); }
    ProfileDataWindow* profileDataWindow() const { return m_data.get(); }

private:
    Carnet& m_carnet;
    std::unique_ptr<ProfileWindow> m_profile;
    std::unique_ptr<ProfileDataWindow> m_data;
};
