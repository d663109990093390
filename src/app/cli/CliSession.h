#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "platform/DocumentLock.h"
#include "platform/SafeSave.h"
#include "platform/ScriptedAlerts.h"

class AppContext;
class Carnet;

// What every command of the command line shares: the exit statuses, the
// way refusals and usage errors are written, and a logbook opened with the
// settings in force.
namespace cli {

inline constexpr int kDone = 0;
inline constexpr int kRefused = 1;
inline constexpr int kUsage = 2;

struct Io {
    QByteArray& out;
    QByteArray& err;

    // "ondrix-cli: FILE: reason" on stderr; returns the refusal status.
    int refuse(const QString& file, const QString& reason);
    // The message and a pointer to --help on stderr; returns the usage status.
    int usage(const QString& message);
    // The outcome of saving FILE: a refusal when it failed; a warning
    // ("ondrix-cli: FILE: warning: ...") and done when the file was replaced
    // but its folder could not be flushed.
    int saved(const QString& file, const SaveResult& result);
};

// Holds FILE's document lock for the life of a command that rewrites it;
// a lock held by another program is refused.
class WriteLock {
public:
    explicit WriteLock(const QString& path) : m_lock(path) {}
    bool acquire(Io& io, const QString& path);

private:
    DocumentLock m_lock;
};

// A logbook opened for one command, with alerts answered with their first
// button and reported on stderr as "alert: KEY".
class LogbookSession {
public:
    LogbookSession(Io& io, const QString& settingsPath);
    ~LogbookSession();

    // Opens the logbook; on failure the refusal is already written.
    bool open(const QString& path);
    // The same for a command that changes the logbook: the document lock is
    // taken first and held until the session ends.
    bool openForWriting(const QString& path);
    // Selects dive ROW alone, which loads it into the form; a row out of
    // range is refused.
    bool selectRow(int row);
    // Saves the logbook atomically where it was opened; returns an exit status.
    int save();

    Carnet& carnet() { return *m_carnet; }
    AppContext& context() { return *m_context; }

private:
    Io& m_io;
    ScriptedAlerts m_alerts;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<Carnet> m_carnet;
    QString m_path;
    std::unique_ptr<WriteLock> m_lock;
};

// A whole number given for a row or a first number.
bool parseRow(const QString& text, int* row);

} // namespace cli
