#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

// The command line's "profile LOGBOOK ROW (--png OUT | --pdf OUT)": draws
// the profile view of one dive, with the settings in force, into a PNG
// picture or onto a printed PDF page. The output file is written
// atomically and only when everything succeeded.
class ProfileCommand {
public:
    static constexpr QSize kPictureSize{1200, 900};

    // The arguments after the command's name; exit status 0 done, 1 input
    // refused, 2 usage error.
    static int run(const QStringList& args, const QString& settingsPath, QByteArray& out, QByteArray& err);
};
