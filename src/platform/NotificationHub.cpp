#include "platform/NotificationHub.h"

#include <algorithm>
#include <utility>

void NotificationHub::addObserver(const void* observer, const QString& name, Handler handler)
{
    auto registration = std::make_shared<Registration>();
    registration->observer = observer;
    registration->name = name;
    registration->handler = std::move(handler);
    m_registrations.push_back(std::move(registration));
}

template <typename Predicate>
void NotificationHub::removeWhere(Predicate matches)
{
    // A post in progress may still hold the registration: mark it first so
    // that the post skips it.
    for (const auto& registration : m_registrations) {
        if (matches(*registration))
            registration->active = false;
    }
    std::erase_if(m_registrations,
                  [](const std::shared_ptr<Registration>& r) { return !r->active; });
}

void NotificationHub::removeObserver(const void* observer)
{
    removeWhere([observer](const Registration& r) { return r.observer == observer; });
}

void NotificationHub::removeObserver(const void* observer, const QString& name)
{
    removeWhere([observer, &name](const Registration& r) {
        return r.observer == observer && r.name == name;
    });
}

void NotificationHub::post(const QString& name, const void* sender)
{
    // Work on a snapshot, so that registrations added by a handler wait for
    // the next post, and keep each registration (and its handler) alive while
    // it runs, even if the handler removes it.
    std::vector<std::shared_ptr<Registration>> targets;
    for (const auto& registration : m_registrations) {
        if (registration->name == name)
            targets.push_back(registration);
    }
    const QString postedName = name; // `name` may belong to a registration removed below
    for (const auto& registration : targets) {
        if (registration->active && registration->handler)
            registration->handler(postedName, sender);
    }
}

int NotificationHub::observerCount(const QString& name) const
{
    return int(std::count_if(m_registrations.cbegin(), m_registrations.cend(),
                             [&name](const std::shared_ptr<Registration>& r) {
                                 return r->name == name;
                             }));
}
