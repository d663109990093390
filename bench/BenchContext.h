#pragma once

#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"
#include "platform/context/AppContext.h"

#include <QTemporaryDir>
#include <memory>

// What the benchmarks run in: a program context over a fresh settings file
// in a temporary folder, alerts answered by script, the English texts.
struct BenchContext {
    QTemporaryDir dir;
    ScriptedAlerts alerts;
    std::unique_ptr<AppContext> context = std::make_unique<AppContext>(
        std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.ini"))), alerts, QStringLiteral("en"));
};
