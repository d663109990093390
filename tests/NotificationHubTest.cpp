#include "platform/NotificationHub.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

// Observers are identified by address only; these stand for windows.
struct Observer { int id; };

class NotificationHubTest : public ::testing::Test {
protected:
    // A handler that records "<observer id>:<name>" in `calls`, then does `more`.
    NotificationHub::Handler recorder(const Observer& observer, std::function<void()> more = {})
    {
        return [this, id = observer.id, more](const QString& name, const void*) {
            calls.append(QStringLiteral("%1:%2").arg(id).arg(name));
            if (more)
                more();
        };
    }
    // Posts `name` and returns the calls it made.
    QStringList post(const QString& name)
    {
        calls.clear();
        hub.post(name);
        return calls;
    }

    NotificationHub hub;
    QStringList calls;
    Observer a{1}, b{2}, c{3};
    const QString update = QStringLiteral("updateTableView");
    const QString renum = QStringLiteral("renumDives");
};

TEST_F(NotificationHubTest, CallsObserversOfTheNameInRegistrationOrder)
{
    hub.addObserver(&b, update, recorder(b));
    hub.addObserver(&a, renum, recorder(a));
    hub.addObserver(&a, update, recorder(a));
    hub.addObserver(&c, update, recorder(c));
    EXPECT_EQ(post(update), (QStringList{"2:updateTableView", "1:updateTableView", "3:updateTableView"}));
    EXPECT_TRUE(post(QStringLiteral("updateRebreather")).isEmpty());
}

TEST_F(NotificationHubTest, PassesNameAndSenderToEveryRegistration)
{
    int document = 0;
    QList<const void*> senders;
    for (int i = 0; i < 2; ++i)
        hub.addObserver(&a, update, [&](const QString& name, const void* sender) {
            EXPECT_EQ(name, update);
            senders.append(sender);
        });
    EXPECT_EQ(hub.observerCount(update), 2);
    hub.post(update, &document);
    hub.post(update);
    EXPECT_EQ(senders, (QList<const void*>{&document, &document, nullptr, nullptr}));
    hub.removeObserver(&a, update);
    EXPECT_EQ(hub.observerCount(update), 0);
}

TEST_F(NotificationHubTest, RemovingAnObserver)
{
    for (const Observer* o : {&a, &b}) {
        hub.addObserver(o, update, recorder(*o));
        hub.addObserver(o, renum, recorder(*o));
    }
    hub.removeObserver(&a, update);
    EXPECT_EQ(hub.observerCount(update), 1);
    EXPECT_EQ(hub.observerCount(renum), 2);
    hub.removeObserver(&b);
    EXPECT_EQ(hub.observerCount(update), 0);
    EXPECT_EQ(hub.observerCount(renum), 1);
    EXPECT_TRUE(post(update).isEmpty());
    EXPECT_EQ(post(renum), QStringList{"1:renumDives"});
    hub.removeObserver(&c); // never registered: nothing happens
    EXPECT_EQ(hub.observerCount(renum), 1);
}

TEST_F(NotificationHubTest, HandlerRemovingItselfRunsToItsEnd)
{
    auto captured = std::make_shared<std::string>("still alive");
    std::string seen;
    hub.addObserver(&a, update, [&, captured](const QString&, const void*) {
        hub.removeObserver(&a);
        seen = *captured; // the handler's own state outlives its removal
    });
    captured.reset();
    hub.post(update);
    hub.post(update);
    EXPECT_EQ(seen, "still alive");
    EXPECT_EQ(hub.observerCount(update), 0);
}

TEST_F(NotificationHubTest, RemovalDuringAPost)
{
    // a removes c, which comes later; b removes a, which has already run.
    hub.addObserver(&a, update, recorder(a, [&] { hub.removeObserver(&c); }));
    hub.addObserver(&b, update, recorder(b, [&] { hub.removeObserver(&a, update); }));
    hub.addObserver(&c, update, recorder(c));
    EXPECT_EQ(post(update), (QStringList{"1:updateTableView", "2:updateTableView"}));
    EXPECT_EQ(post(update), QStringList{"2:updateTableView"});
}

TEST_F(NotificationHubTest, ObserverAddedDuringAPostWaitsForTheNextOne)
{
    hub.addObserver(&a, update, recorder(a, [&] {
        if (hub.observerCount(update) == 1)
            hub.addObserver(&b, update, recorder(b));
    }));
    EXPECT_EQ(post(update), QStringList{"1:updateTableView"});
    EXPECT_EQ(post(update), (QStringList{"1:updateTableView", "2:updateTableView"}));
}

TEST_F(NotificationHubTest, HandlerMayPostAnotherNotification)
{
    hub.addObserver(&a, renum, recorder(a, [&] { hub.post(update); }));
    hub.addObserver(&b, update, recorder(b));
    hub.addObserver(&c, renum, recorder(c));
    EXPECT_EQ(post(renum), (QStringList{"1:renumDives", "2:updateTableView", "3:renumDives"}));
}

TEST_F(NotificationHubTest, HandlerRemovingEverythingDuringANestedPost)
{
    hub.addObserver(&a, renum, [&](const QString&, const void*) { hub.post(update); });
    hub.addObserver(&b, update, recorder(b, [&] { hub.removeObserver(&c); }));
    hub.addObserver(&c, renum, recorder(c));
    EXPECT_EQ(post(renum), QStringList{"2:updateTableView"});
}

} // namespace
