#include "app/LaunchPlan.h"

#include "platform/context/RecentDocuments.h"
#include "platform/SettingsStore.h"

QString LaunchPlan::memoSettingKey() { return QStringLiteral("pense bete"); }

LaunchPlan LaunchPlan::decide(const SettingsStore& settings, const RecentDocuments& recent)
{
    LaunchPlan plan;
    plan.showMemo = settings.boolValue(memoSettingKey());
    plan.openPath = recent.mostRecent();
    plan.newLogbook = plan.openPath.isEmpty();
    return plan;
}

LaunchPlan LaunchPlan::afterFailedOpen() const
{
    LaunchPlan next;
    // The memo, if asked for, is already showing.
    next.newLogbook = true;
    return next;
}
