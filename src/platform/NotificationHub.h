#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <vector>

// Named notifications between the application's parts. Observers register a
// handler for a name; posting a name calls, in registration order, every
// handler registered for it. One hub is owned by the application context and
// handed to whoever needs it.
//
// Handlers may add and remove observers while a notification is being
// posted: an observer removed during a post is not called afterwards in that
// post, and one added during a post is first called by the next post.
class NotificationHub {
public:
    using Handler = std::function<void(const QString& name, const void* sender)>;

    void addObserver(const void* observer, const QString& name, Handler handler);
    // Stops every registration of `observer`, whatever the name.
    void removeObserver(const void* observer);
    // Stops the registrations of `observer` for `name` only.
    void removeObserver(const void* observer, const QString& name);

    void post(const QString& name, const void* sender = nullptr);

    // The number of registrations for `name`.
    int observerCount(const QString& name) const;

private:
    struct Registration {
        const void* observer;
        QString name;
        Handler handler;
        bool active = true;
    };

    template <typename Predicate>
    void removeWhere(Predicate matches);

    std::vector<std::shared_ptr<Registration>> m_registrations;
};
