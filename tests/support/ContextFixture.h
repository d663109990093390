#pragma once

#include "platform/context/AppContext.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A program context over a fresh settings file in a temporary folder, with
// alerts answered by script and the English texts.
class ContextFixture : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScriptedAlerts alerts;
    std::unique_ptr<AppContext> context;

    void SetUp() override
    {
        context = std::make_unique<AppContext>(
            std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.ini"))), alerts,
            QStringLiteral("en"));
    }

    SettingsStore& settings() { return context->settings(); }

    QStringList alertKeys() const
    {
        QStringList keys;
        for (const Alert& a : alerts.asked())
            keys.append(a.key);
        return keys;
    }
};
