#include "platform/DocumentLock.h"

#include "platform/SafeSave.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>

#include <algorithm>

namespace {

QString lockPathOf(const QString& documentPath)
{
    const QFileInfo target(saveTargetOf(documentPath));
    return QStringLiteral("%1/.%2.lock").arg(target.absolutePath(), target.fileName());
}

} // namespace

DocumentLock::DocumentLock(const QString& documentPath) : m_lock(lockPathOf(documentPath))
{
    // A holder is never taken for dead because it holds the lock long (a
    // window open for hours); only a holder whose process is gone is.
    m_lock.setStaleLockTime(0);
}

bool DocumentLock::acquire(std::chrono::milliseconds patience, QString* error)
{
    // Short polls rather than QLockFile's own doubling waits, so that a
    // queue of writers goes through as soon as each one is done.
    const QDeadlineTimer deadline(patience);
    qint64 pause = 5;
    while (!m_lock.tryLock(0)) {
        if (m_lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            break;
        QThread::msleep(ulong(std::min(pause, deadline.remainingTime())));
        pause = std::min<qint64>(pause * 2, 50);
    }
    // Where no lock file can be made (a missing or read-only folder) no
    // other writer holds one either, and the save itself will say why it
    // cannot write there.
    if (m_lock.isLocked() || m_lock.error() != QLockFile::LockFailedError)
        return true;
    if (!error)
        return false;
    qint64 pid = 0;
    QString host, program;
    if (m_lock.getLockInfo(&pid, &host, &program))
        *error = QStringLiteral("is being changed by another program (%1, process %2); try again when it is done")
                     .arg(program.isEmpty() ? QStringLiteral("unnamed") : program)
                     .arg(pid);
    else
        *error = QStringLiteral("is being changed by another program; try again when it is done");
    return false;
}
