#include "app/cli/CliSession.h"

#include "platform/context/AppContext.h"
#include "logbook/Carnet.h"
#include "platform/SettingsStore.h"

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

LogbookSession::LogbookSession(Io& io, const QString& settingsPath) : m_io(io)
{
    m_alerts.setLog([this](const QString& line) { m_io.err.append((line + u'\n').toUtf8()); });
    auto settings = settingsPath.isEmpty() ? SettingsStore::userStore() : std::make_unique<SettingsStore>(settingsPath);
    m_context = std::make_unique<AppContext>(std::move(settings), m_alerts, Localizer::languageFromEnvironment());
    m_carnet = std::make_unique<Carnet>(*m_context);
}

LogbookSession::~LogbookSession() = default;

bool LogbookSession::open(const QString& path)
{
    m_path = path;
    QString error;
    if (m_carnet->openFile(path, &error))
        return true;
    m_io.refuse(path, error);
    return false;
}

bool LogbookSession::openForWriting(const QString& path)
{
    m_lock = std::make_unique<WriteLock>(path);
    return m_lock->acquire(m_io, path) && open(path);
}

bool LogbookSession::selectRow(int row)
{
    if (row < 0 || row >= m_carnet->count()) {
        m_io.refuse(m_path, QStringLiteral("row %1 is out of range (0 to %2)").arg(row).arg(m_carnet->count() - 1));
        return false;
    }
    m_carnet->setSelection({row}, row);
    return true;
}

int LogbookSession::save() { return m_io.saved(m_path, m_carnet->saveToFile(m_path, Carnet::logbookTypeId())); }

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
