#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

// The command line's statistics commands that paint: the logbook's
// "report" (a PDF among its outputs) and "graph". Outputs are written
// atomically and only when everything succeeded.
namespace statsdraw {

inline constexpr QSize kGraphPictureSize{1200, 640};

int report(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err);
int graph(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err);

} // namespace statsdraw
