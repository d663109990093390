#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

#include "platform/RgbaColour.h"

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

// A document opened for one command, with alerts answered with their
// first button and reported on stderr as "alert: KEY".
class DocumentSession {
public:
    DocumentSession(Io& io, const QString& settingsPath);
    virtual ~DocumentSession();

    // Opens the document; on failure the refusal is already written.
    bool open(const QString& path);
    // The same for a command that changes the document: the document lock
    // is taken first and held until the session ends.
    bool openForWriting(const QString& path);
    // Selects record ROW alone, which loads it into the form; a row out of
    // range is refused.
    bool selectRow(int row);
    // Saves the document atomically where it was opened; returns an exit status.
    int save();

    AppContext& context() { return *m_context; }

protected:
    virtual bool openDocument(const QString& path, QString* error) = 0;
    virtual int recordCount() const = 0;
    virtual void selectOnly(int row) = 0;
    virtual SaveResult saveDocument(const QString& path) = 0;

    Io& m_io;

private:
    ScriptedAlerts m_alerts;
    std::unique_ptr<AppContext> m_context;
    QString m_path;
    std::unique_ptr<WriteLock> m_lock;
};

class LogbookSession : public DocumentSession {
public:
    LogbookSession(Io& io, const QString& settingsPath);
    ~LogbookSession() override;
    Carnet& carnet() { return *m_carnet; }

private:
    bool openDocument(const QString& path, QString* error) override;
    int recordCount() const override;
    void selectOnly(int row) override;
    SaveResult saveDocument(const QString& path) override;

    std::unique_ptr<Carnet> m_carnet;
};

// The settings and pick-lists alone, for the commands that open no
// document.
class SettingsSession : public DocumentSession {
public:
    using DocumentSession::DocumentSession;

private:
    bool openDocument(const QString&, QString*) override { return false; }
    int recordCount() const override { return 0; }
    void selectOnly(int) override {}
    SaveResult saveDocument(const QString&) override { return {}; }
};

// A text colour as "#rrggbb", or "-" for the default colour.
QByteArray colourText(const std::optional<RgbaColour>& colour);

// A whole number given for a row or a first number.
bool parseRow(const QString& text, int* row);

} // namespace cli
