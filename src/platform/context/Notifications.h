#pragma once

#include <QString>

// Names of the application-wide notifications.
namespace notifications {
inline const QString renumDives = QStringLiteral("renumDives");
inline const QString updateTableView = QStringLiteral("updateTableView");
inline const QString updateColumnsTableView = QStringLiteral("updateColumnsTableView");
inline const QString profile = QStringLiteral("profile");
inline const QString updateEditDive = QStringLiteral("updateEditDive");
inline const QString updateDeco = QStringLiteral("updateDeco");
inline const QString updateRebreather = QStringLiteral("updateRebreather");
} // namespace notifications
