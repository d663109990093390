#include "platform/SafeSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class SafeSaveTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }

    static void writePlain(const QString& file, const QByteArray& bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }

    static QByteArray readPlain(const QString& file)
    {
        QFile in(file);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll();
    }

    QStringList folderEntries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

TEST_F(SafeSaveTest, WritesANewFile)
{
    QByteArray bytes("logbook\0with\nbinary\xff", 20);
    const QString file = path(QStringLiteral("dives.ondrix"));
    const SaveResult result = saveFileAtomically(file, bytes);
    EXPECT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_EQ(readPlain(file), bytes);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("dives.ondrix")});
}

TEST_F(SafeSaveTest, ReplacesAnOldFileWhole)
{
    const QString file = path(QStringLiteral("dives.ondrix"));
    writePlain(file, QByteArray(100000, 'o'));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);

    const QByteArray shorter("new content");
    ASSERT_TRUE(saveFileAtomically(file, shorter).ok);
    EXPECT_EQ(readPlain(file), shorter);
    const auto ownerGroupOther = QFileDevice::Permissions(0x7077); // leave out the "User" bits
    EXPECT_EQ(QFile::permissions(file) & ownerGroupOther, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("dives.ondrix")});

    ASSERT_TRUE(saveFileAtomically(file, QByteArray()).ok);
    EXPECT_EQ(QFileInfo(file).size(), 0);
}

TEST_F(SafeSaveTest, FailsWhenTheParentIsAFile)
{
    const QString parent = path(QStringLiteral("not-a-folder"));
    writePlain(parent, "keep me");
    const QString file = parent + QStringLiteral("/dives.ondrix");

    const SaveResult result = saveFileAtomically(file, "content");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("cannot write ") + file + QStringLiteral(": ")))
        << result.error.toStdString();
    EXPECT_GT(result.error.size(), (QStringLiteral("cannot write ") + file + QStringLiteral(": ")).size());
    EXPECT_FALSE(result.error.contains(QLatin1Char('\n')));
    EXPECT_EQ(readPlain(parent), QByteArray("keep me"));
}

TEST_F(SafeSaveTest, FailsWhenTheFolderIsMissingOrThePathIsAFolder)
{
    const QString missing = path(QStringLiteral("missing/dives.ondrix"));
    EXPECT_FALSE(saveFileAtomically(missing, "x").ok);
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("missing"))));

    const QString folder = path(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const SaveResult result = saveFileAtomically(folder, "x");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("cannot write ") + folder));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// A write that fails midway (here: the process may not write files larger
// than 4 KiB, as on a full disk) leaves the old file as it was and no
// temporary file behind.
TEST_F(SafeSaveTest, OldFileStaysWholeWhenTheWriteFails)
{
    const QString file = path(QStringLiteral("dives.ondrix"));
    const QByteArray old(1000, 'o');
    writePlain(file, old);

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);

    const SaveResult result = saveFileAtomically(file, QByteArray(1 << 20, 'n'));

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("cannot write ") + file + QStringLiteral(": ")))
        << result.error.toStdString();
    EXPECT_FALSE(result.error.contains(QStringLiteral("Unknown error")));
    EXPECT_EQ(readPlain(file), old);
    EXPECT_EQ(folderEntries(), QStringList{QStringLiteral("dives.ondrix")});
}

TEST_F(SafeSaveTest, OldFileStaysWholeInAReadOnlyFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    const QString folder = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString file = folder + QStringLiteral("/dives.ondrix");
    writePlain(file, "old");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);

    const SaveResult result = saveFileAtomically(file, "new");

    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("cannot write ") + file));
    EXPECT_EQ(readPlain(file), QByteArray("old"));
}

TEST_F(SafeSaveTest, ReadsWholeFiles)
{
    const QString file = path(QStringLiteral("dives.ondrix"));
    const QByteArray bytes(300000, '\0');
    ASSERT_TRUE(saveFileAtomically(file, bytes).ok);
    QString error = QStringLiteral("stale");
    const auto read = readWholeFile(file, &error);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, bytes);
    EXPECT_TRUE(error.isEmpty());

    const QString empty = path(QStringLiteral("empty"));
    writePlain(empty, QByteArray());
    const auto nothing = readWholeFile(empty, nullptr);
    ASSERT_TRUE(nothing.has_value());
    EXPECT_TRUE(nothing->isEmpty());
}

TEST_F(SafeSaveTest, ReadingWhatIsNotAFileSaysWhy)
{
    const QStringList unreadable = {path(QStringLiteral("missing.ondrix")), m_dir.path()};
    for (const QString& file : unreadable) {
        SCOPED_TRACE(file.toStdString());
        QString error;
        EXPECT_FALSE(readWholeFile(file, &error).has_value());
        EXPECT_TRUE(error.startsWith(QStringLiteral("cannot read ") + file + QStringLiteral(": ")))
            << error.toStdString();
        EXPECT_FALSE(error.contains(QLatin1Char('\n')));
        EXPECT_FALSE(readWholeFile(file, nullptr).has_value());
    }
}

} // namespace
