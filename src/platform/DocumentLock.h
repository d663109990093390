#pragma once

#include <QLockFile>
#include <QString>

#include <chrono>

// Keeps two programs from rewriting one document at the same time: a lock
// file beside the document (".NAME.lock", beside the file a symbolic link
// points to), held while the document is read, changed and saved. A lock
// left behind by a program that has died is taken over; a live holder is
// waited for, then refused.
class DocumentLock {
public:
    // How long a writer waits for another one to finish.
    static constexpr std::chrono::milliseconds kPatience{5000};

    explicit DocumentLock(const QString& documentPath);

    // Takes the lock, waiting up to `patience`; false with `*error` saying
    // so when another program holds it all that time. A folder where no
    // lock file can be made counts as free: no other writer holds a lock
    // there, and a save fails there on its own.
    bool acquire(std::chrono::milliseconds patience, QString* error);

private:
    QLockFile m_lock;
};
