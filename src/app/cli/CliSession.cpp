#include "app/cli/CliSession.h"

#include "platform/context/AppContext.h"
#include "logbook/Carnet.h"
#include "platform/SettingsStore.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace cli {

int Io::refuse(const QString& file, const QString& reason)
{
    err.append(QStringLiteral("ondrix-cli: %1: %2\n").arg(file, reason).toUtf8());
    return kRefused;
}

int Io::usage(const QString& message)
{
    err.append(QStringLiteral("ondrix-cli: %1\nTry 'ondrix-cli --help'.\n").arg(message).toUtf8());
    return kUsage;
}

int Io::saved(const QString& file, const SaveResult& result)
{
    if (!result.ok)
        return refuse(file, result.error);
    if (!result.durable)
        err.append(QStringLiteral("ondrix-cli: %1: warning: %2\n").arg(file, result.error).toUtf8());
    return kDone;
}

bool WriteLock::acquire(Io& io, const QString& path)
{
    QString error;
    if (m_lock.acquire(DocumentLock::kPatience, &error))
        return true;
    io.refuse(path, error);
    return false;
}

DocumentSession::DocumentSession(Io& io, const QString& settingsPath) : m_io(io)
{
    m_alerts.setLog([this](const QString& line) { m_io.err.append((line + u'\n').toUtf8()); });
    auto settings = settingsPath.isEmpty() ? SettingsStore::userStore() : std::make_unique<SettingsStore>(settingsPath);
    m_context = std::make_unique<AppContext>(std::move(settings), m_alerts, Localizer::languageFromEnvironment());
}

DocumentSession::~DocumentSession() = default;

bool DocumentSession::open(const QString& path)
{
    m_path = path;
    QString error;
    if (openDocument(path, &error))
        return true;
    m_io.refuse(path, error);
    return false;
}

bool DocumentSession::openForWriting(const QString& path)
{
    m_lock = std::make_unique<WriteLock>(path);
    return m_lock->acquire(m_io, path) && open(path);
}

bool DocumentSession::selectRow(int row)
{
    if (row < 0 || row >= recordCount()) {
        m_io.refuse(m_path, QStringLiteral("row %1 is out of range (0 to %2)").arg(row).arg(recordCount() - 1));
        return false;
    }
    selectOnly(row);
    return true;
}

int DocumentSession::save() { return m_io.saved(m_path, saveDocument(m_path)); }

LogbookSession::LogbookSession(Io& io, const QString& settingsPath)
    : DocumentSession(io, settingsPath), m_carnet(std::make_unique<Carnet>(context()))
{
}

LogbookSession::~LogbookSession() = default;

bool LogbookSession::openDocument(const QString& path, QString* error) { return m_carnet->openFile(path, error); }
int LogbookSession::recordCount() const { return m_carnet->count(); }
void LogbookSession::selectOnly(int row) { m_carnet->setSelection({row}, row); }
SaveResult LogbookSession::saveDocument(const QString& path) { return m_carnet->saveToFile(path, Carnet::logbookTypeId()); }

QByteArray colourText(const std::optional<RgbaColour>& colour)
{
    if (!colour)
        return QByteArrayLiteral("-");
    return colour->toHex(false).toLatin1();
}

bool parseRow(const QString& text, int* row)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        return false;
    *row = v;
    return true;
}

} // namespace cli
