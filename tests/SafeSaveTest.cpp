#include "platform/FileBytes.h"
#include "platform/SafeSave.h"
#include "platform/PosixFileSystemOps.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// The real file system, with one call (counted from 0) failing with a chosen
// errno; every call is recorded by name, a folder opened with its path.
class ScriptedFileSystem final : public FileSystemOps {
public:
    explicit ScriptedFileSystem(int failing = -1, int error = 0) : m_failing(failing), m_error(error) {}

    int open(const QByteArray& p, int flags, mode_t mode) const override { return pass("open") ? m_real.open(p, flags, mode) : -1; }
    int openDir(const QByteArray& p) const override { return pass("openDir " + QFile::decodeName(p)) ? m_real.openDir(p) : -1; }
    // A write failing with errno 0 is one that writes nothing.
    ssize_t write(int fd, const char* data, size_t size) const override
    {
        return pass("write") ? m_real.write(fd, data, size) : (m_error ? -1 : 0);
    }
    int fchmod(int fd, mode_t mode) const override { return pass("fchmod") ? m_real.fchmod(fd, mode) : -1; }
    int fsync(int fd) const override { return pass("fsync") ? m_real.fsync(fd) : -1; }
    int close(int fd) const override
    {
        const bool passes = pass("close");
        const int closed = m_real.close(fd); // a failed close still frees the descriptor
        return passes ? closed : (errno = m_error, -1);
    }
    int rename(const QByteArray& from, const QByteArray& to) const override { return pass("rename") ? m_real.rename(from, to) : -1; }
    int unlink(const QByteArray& p) const override { return pass("unlink") ? m_real.unlink(p) : -1; }

    QStringList calls() const { return m_calls; }

private:
    bool pass(const QString& call) const
    {
        m_calls.append(call);
        if (m_calls.size() - 1 != m_failing)
            return true;
        errno = m_error;
        return false;
    }

    PosixFileSystemOps m_real;
    int m_failing;
    int m_error;
    mutable QStringList m_calls;
};

class SafeSaveTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QStringList folderEntries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

// A new file, then an old one replaced whole by a shorter one, keeping its
// permissions; each reads back whole, a large file and an empty one too.
TEST_F(SafeSaveTest, WritesANewFileAndReplacesAnOldOneWhole)
{
    QByteArray bytes("logbook\0with\nbinary\xff", 20);
    const QString file = path(QStringLiteral("dives.ondrix"));
    const SaveResult result = saveFileAtomically(file, bytes);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_EQ(fileContent(file), bytes);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("dives.ondrix")});
    QString error = QStringLiteral("stale");
    EXPECT_EQ(readWholeFile(file, &error), bytes);
    EXPECT_TRUE(error.isEmpty());
    const QByteArray large = QByteArray(300000, '\0') + bytes;
    ASSERT_TRUE(saveFileAtomically(file, large).ok);
    EXPECT_EQ(readWholeFile(file, &error), large);

    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_TRUE(saveFileAtomically(file, "new content").ok);
    EXPECT_EQ(fileContent(file), QByteArray("new content"));
    const auto ownerGroupOther = QFileDevice::Permissions(0x7077); // leave out the "User" bits
    EXPECT_EQ(QFile::permissions(file) & ownerGroupOther, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("dives.ondrix")});
    ASSERT_TRUE(saveFileAtomically(file, QByteArray()).ok);
    EXPECT_EQ(QFileInfo(file).size(), 0);
    EXPECT_EQ(readWholeFile(file, nullptr), QByteArray());
}

// A place no file can be written to: refused on one line naming the file,
// and nothing around it changed or left behind.
TEST_F(SafeSaveTest, RefusesPlacesNoFileCanBeWrittenToOrReadFrom)
{
    const QString parent = path(QStringLiteral("not-a-folder"));
    ASSERT_TRUE(writeFile(parent, "keep me"));
    const QString folder = path(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString& file : {parent + QStringLiteral("/dives.ondrix"), path(QStringLiteral("missing/dives.ondrix")),
                                folder}) {
        SCOPED_TRACE(file.toStdString());
        const SaveResult result = saveFileAtomically(file, "content");
        EXPECT_FALSE(result.ok);
        const QString start = QStringLiteral("cannot write ") + file + QStringLiteral(": ");
        EXPECT_TRUE(result.error.startsWith(start)) << result.error.toStdString();
        EXPECT_GT(result.error.size(), start.size());
        EXPECT_FALSE(result.error.contains(QLatin1Char('\n')));
    }
    EXPECT_EQ(fileContent(parent), QByteArray("keep me"));
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("missing"))));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(folderEntries(), (QStringList{QStringLiteral("folder"), QStringLiteral("not-a-folder")}));
    // Reading what is no file says why, on one line too.
    for (const QString& file : {path(QStringLiteral("missing.ondrix")), m_dir.path()}) {
        SCOPED_TRACE(file.toStdString());
        QString error;
        EXPECT_FALSE(readWholeFile(file, &error).has_value());
        EXPECT_TRUE(error.startsWith(QStringLiteral("cannot read ") + file + QStringLiteral(": "))) << error.toStdString();
        EXPECT_FALSE(error.contains(QLatin1Char('\n')));
        EXPECT_FALSE(readWholeFile(file, nullptr).has_value());
    }
}

// A write that fails midway (here: the process may not write files larger
// than 4 KiB, as on a full disk) leaves the old file as it was and no
// temporary file behind, also for a document smaller than a write buffer.
TEST_F(SafeSaveTest, OldFileStaysWholeWhenTheWriteFails)
{
    const QString file = path(QStringLiteral("dives.ondrix"));
    const QByteArray old(1000, 'o');
    ASSERT_TRUE(writeFile(file, old));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);

    const SaveResult result = saveFileAtomically(file, QByteArray(10000, 'n'));

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("cannot write ") + file + QStringLiteral(": ")))
        << result.error.toStdString();
    EXPECT_FALSE(result.error.contains(QStringLiteral("Unknown error")));
    EXPECT_EQ(fileContent(file), old);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("dives.ondrix")});
}

TEST_F(SafeSaveTest, OldFileStaysWholeInAReadOnlyFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    const QString folder = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/dives.ondrix");
    ASSERT_TRUE(writeFile(file, "old"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);

    const SaveResult result = saveFileAtomically(file, "new");

    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("cannot write ") + file));
    EXPECT_EQ(fileContent(file), QByteArray("old"));
}

struct StepCase {
    int failing;  // the call that fails, as listed in kReplacingCalls; -1 none
    int error;
    bool ok;      // the new bytes are in place
    bool durable;
    const char* message; // %1 the file, %2 the system's reason
};

const QStringList kReplacingCalls = {QStringLiteral("openDir"), QStringLiteral("open"),   QStringLiteral("fchmod"),
                                     QStringLiteral("write"),   QStringLiteral("fsync"),  QStringLiteral("close"),
                                     QStringLiteral("rename"),  QStringLiteral("fsync"),  QStringLiteral("close")};

} // namespace

TEST_F(SafeSaveTest, EveryStepThatFailsLeavesTheOldFileOrIsReported)
{
    const StepCase cases[] = {
        {-1, 0, true, true, ""},
        {0, EACCES, false, false, "cannot write %1: opening the folder: %2"},
        {1, ENOSPC, false, false, "cannot write %1: creating the temporary file: %2"},
        {1, EEXIST, true, true, ""}, // a name already taken: another is drawn
        {2, EPERM, false, false, "cannot write %1: giving the temporary file the permissions of the old one: %2"},
        {3, ENOSPC, false, false, "cannot write %1: writing the temporary file: %2"},
        {3, EINTR, true, true, ""}, // an interrupted write is made again
        {3, 0, false, false, "cannot write %1: writing the temporary file: %2"}, // no progress: EIO
        {4, EIO, false, false, "cannot write %1: flushing the temporary file to disk: %2"},
        {5, EIO, false, false, "cannot write %1: closing the temporary file: %2"},
        {6, EXDEV, false, false, "cannot write %1: renaming the temporary file over it: %2"},
        {7, EIO, true, false, "saved %1, but the folder could not be flushed: %2"},
        {7, EINVAL, true, true, ""}, // a file system that cannot flush folders
        {8, EIO, true, true, ""},
    };
    const QString file = path(QStringLiteral("dives.ondrix"));
    const QByteArray old(3000, 'o'), fresh(5000, 'n');
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.failing < 0 ? std::string("no failure")
                                   : kReplacingCalls[c.failing].toStdString() + " " + std::strerror(c.error));
        ASSERT_TRUE(writeFile(file, old));
        const ScriptedFileSystem fs(c.failing, c.error);
        const SaveResult result = saveFileAtomically(file, fresh, fs);
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.durable, c.durable);
        const QString reason = QString::fromLocal8Bit(std::strerror(c.error != 0 ? c.error : EIO));
        EXPECT_EQ(result.error, c.message[0] ? QString::fromLatin1(c.message).arg(file, reason) : QString());
        EXPECT_EQ(fileContent(file), c.ok ? fresh : old);
        EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("dives.ondrix")});
    }
    const ScriptedFileSystem passing;
    ASSERT_TRUE(saveFileAtomically(file, fresh, passing).ok);
    QStringList names = passing.calls();
    for (QString& call : names)
        call = call.section(u' ', 0, 0);
    EXPECT_EQ(names, kReplacingCalls);
    EXPECT_EQ(passing.calls().first(), QStringLiteral("openDir ") + m_dir.path());
}

// Through a symbolic link (or a chain of them) the file pointed to is
// replaced and its folder flushed; the links stay links.
TEST_F(SafeSaveTest, ALinkIsKeptAndItsTargetReplaced)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("real")));
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("links")));
    const QString target = path(QStringLiteral("real/dives.ondrix"));
    const QString link = path(QStringLiteral("links/dives.ondrix"));
    const QString chain = path(QStringLiteral("links/again.ondrix"));
    ASSERT_TRUE(writeFile(target, "old"));
    ASSERT_TRUE(QFile::link(QStringLiteral("../real/dives.ondrix"), link));
    ASSERT_TRUE(QFile::link(QStringLiteral("dives.ondrix"), chain));
    for (const QString& through : {link, chain}) {
        SCOPED_TRACE(through.toStdString());
        const QByteArray bytes = QFileInfo(through).fileName().toUtf8();
        const ScriptedFileSystem fs;
        const SaveResult result = saveFileAtomically(through, bytes, fs);
        ASSERT_TRUE(result.ok && result.durable) << result.error.toStdString();
        EXPECT_EQ(fileContent(target), bytes);
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_TRUE(QFileInfo(chain).isSymLink());
        EXPECT_EQ(fs.calls().first(), QStringLiteral("openDir ") + QFileInfo(target).absolutePath());
        EXPECT_EQ(QDir(path(QStringLiteral("real"))).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("dives.ondrix")});
    }
}

// The bytes of an opened document are the program's own: another program
// cutting the file short or rewriting it in place changes nothing in them.
TEST_F(SafeSaveTest, OpenedBytesOutliveChangesToTheFile)
{
    const QString file = path(QStringLiteral("dives.ondrix"));
    QByteArray content(1 << 20, '\0');
    for (qsizetype i = 0; i < content.size(); ++i)
        content[i] = char(i * 7);
    ASSERT_TRUE(writeFile(file, content));
    FileBytes bytes;
    QString error;
    ASSERT_TRUE(bytes.open(file, &error)) << error.toStdString();
    ASSERT_TRUE(QFile::resize(file, 0));
    EXPECT_EQ(bytes.bytes(), QByteArrayView(content));
    ASSERT_TRUE(writeFile(file, QByteArray(content.size(), 'x')));
    EXPECT_EQ(bytes.bytes(), QByteArrayView(content));
    EXPECT_EQ(bytes.size(), content.size());

    FileBytes folder;
    EXPECT_FALSE(folder.open(m_dir.path(), &error));
    EXPECT_EQ(error, QStringLiteral("is a folder, not a file"));
    EXPECT_FALSE(folder.openArriving(m_dir.path(), &error));
    EXPECT_EQ(error, QStringLiteral("is a folder, not a file"));

    // A big file arrives by a second thread; its bytes are the file's too.
    QByteArray big(FileBytes::kArrivingFrom + 12345, '\0');
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char(i * 13 + (i >> 20));
    for (const QByteArray& content : {big.first(1000), big}) {
        ASSERT_TRUE(writeFile(file, content));
        FileBytes arriving;
        ASSERT_TRUE(arriving.openArriving(file, &error)) << error.toStdString();
        EXPECT_EQ(arriving.arrival() != nullptr, content.size() == big.size());
        ASSERT_TRUE(arriving.waitWhole(&error)) << error.toStdString();
        ASSERT_TRUE(QFile::resize(file, 0));
        EXPECT_EQ(arriving.bytes(), QByteArrayView(content));
    }
    // Cut short while it arrives: refused, unless it was in before the cut.
    ASSERT_TRUE(writeFile(file, big));
    FileBytes cut;
    ASSERT_TRUE(cut.openArriving(file, &error));
    ASSERT_TRUE(QFile::resize(file, 1000));
    if (cut.waitWhole(&error))
        EXPECT_EQ(cut.bytes(), QByteArrayView(big));
    else
        EXPECT_EQ(error, QStringLiteral("the file changed while it was being read"));
}
