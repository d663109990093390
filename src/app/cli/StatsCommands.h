#pragma once

#include "app/cli/CliSession.h"
#include "platform/StyledText.h"

#include <QStringList>
#include <functional>

// The command line's statistics and synthesis report of a logbook:
// "stats", "stats-start" and the logbook's "report".
namespace cli {

int runStatsCommand(const QStringList& args, const QString& settingsPath, Io& io);
int runStatsStartCommand(const QStringList& args, const QString& settingsPath, Io& io);

// Turns a report into PDF bytes (empty when it could not be made); the
// painting layer supplies it.
using PdfMaker = std::function<QByteArray(const StyledText& text, const QString& title)>;

// "report LOGBOOK (--all | ROW) [--text | --html OUT | --pdf OUT]".
int runLogbookReport(const QStringList& args, const QString& settingsPath, Io& io, const PdfMaker& pdf);

} // namespace cli
