#include "app/LaunchPlan.h"
#include "platform/context/RecentDocuments.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

class LaunchTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<SettingsStore> store =
        std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.ini")));

    QString path(const QString& name) const { return dir.filePath(name); }
    QString path(int n) const { return path(QStringLiteral("log%1.ondrix").arg(n)); }
};

} // namespace

// Most recent first, a repeat moved to the front, ten at most, paths
// absolute and compared in their clean form.
TEST_F(LaunchTest, TheRecentDocumentsList)
{
    RecentDocuments recent(*store);
    for (int i = 1; i <= 12; ++i)
        recent.add(path(i));
    recent.add(path(5));
    QStringList expected = {path(5), path(12), path(11), path(10), path(9), path(8), path(7), path(6), path(4), path(3)};
    EXPECT_EQ(recent.list(), expected);
    EXPECT_EQ(recent.mostRecent(), path(5));
    recent.remove(path(12));
    recent.remove(path(1)); // not listed: nothing changes
    expected.removeAt(1);
    EXPECT_EQ(recent.list(), expected);

    SettingsStore other(path(QStringLiteral("other.ini")));
    RecentDocuments fresh(other);
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    fresh.add(QStringLiteral("relative.ondrix"));
    QDir::setCurrent(previous);
    fresh.add(dir.path() + QStringLiteral("/sub/../relative.ondrix"));
    fresh.add(QString());
    EXPECT_EQ(fresh.list(), QStringList{path(QStringLiteral("relative.ondrix"))});
    fresh.remove(dir.path() + QStringLiteral("//relative.ondrix"));
    EXPECT_TRUE(fresh.list().isEmpty());
}

TEST_F(LaunchTest, TheListLivesInTheSettingsStoreUnderItsKey)
{
    RecentDocuments(*store).add(path(1));
    RecentDocuments(*store).add(path(2));
    EXPECT_EQ(store->stringListValue(QStringLiteral("recent documents")), (QStringList{path(2), path(1)}));

    SettingsStore reopened(store->fileName());
    EXPECT_EQ(RecentDocuments(reopened).list(), (QStringList{path(2), path(1)}));
}

TEST_F(LaunchTest, AListLeftUntidyInTheStoreReadsBackTidy)
{
    QStringList stored = {QString(), path(1), path(1), QStringLiteral("  ")};
    for (int i = 2; i <= 14; ++i)
        stored.append(path(i));
    store->setStringList(RecentDocuments::settingsKey(), stored);

    const QStringList entries = RecentDocuments(*store).list();
    ASSERT_EQ(entries.size(), RecentDocuments::kMaxEntries);
    EXPECT_EQ(entries.first(), path(1));
    EXPECT_EQ(entries.at(1), path(2));
    EXPECT_EQ(entries.last(), path(10));
}

using LaunchPlanTest = LaunchTest;

TEST_F(LaunchPlanTest, Decides)
{
    const struct { const char* name; bool memoSetting; int recentCount; bool showMemo, opensRecent, newLogbook; } cases[] = {
        {"first launch", false, 0, false, false, true},
        {"memo without recents", true, 0, true, false, true},
        {"one recent", false, 1, false, true, false},
        {"memo and recents", true, 3, true, true, false},
    };
    for (const auto& c : cases) {
        SettingsStore own(path(QStringLiteral("%1.ini").arg(QLatin1String(c.name))));
        if (c.memoSetting)
            own.setValue(QStringLiteral("pense bete"), true);
        RecentDocuments recent(own);
        for (int i = 1; i <= c.recentCount; ++i)
            recent.add(path(i));
        const LaunchPlan plan = LaunchPlan::decide(own, recent);
        EXPECT_EQ(plan.showMemo, c.showMemo) << c.name;
        EXPECT_EQ(plan.newLogbook, c.newLogbook) << c.name;
        EXPECT_EQ(plan.openPath, c.opensRecent ? path(c.recentCount) : QString()) << c.name;
        // A failed open falls back to a new logbook; the memo was shown by the first step.
        if (const LaunchPlan fallback = plan.afterFailedOpen(); c.opensRecent) {
            EXPECT_TRUE(fallback.newLogbook && fallback.openPath.isEmpty() && !fallback.showMemo) << c.name;
        }
    }
}
