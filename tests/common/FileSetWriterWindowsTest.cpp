// The writer on Windows' own terms: the read-only attribute, and files that another
// program holds open.
#include "common/FileSetWriter.h"
#include "support/FolderSnapshot.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace
{

#ifdef Q_OS_WIN
class FileSetWriterWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QFile file(script());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }

    QString script() const { return dir.filePath(QStringLiteral("Скрипт 057.npc")); }
    std::wstring native() const { return QDir::toNativeSeparators(script()).toStdWString(); }
    bool readOnly() const { return GetFileAttributesW(native().c_str()) & FILE_ATTRIBUTE_READONLY; }

    QTemporaryDir dir;
};
#else
class FileSetWriterWindowsTest : public ::testing::Test
{
protected:
    void SetUp() override { GTEST_SKIP() << "the read-only attribute and sharing modes are Windows'"; }
};
#endif

} // namespace

TEST_F(FileSetWriterWindowsTest, AReadOnlyScriptIsRefusedAndKept)
{
#ifdef Q_OS_WIN
    ASSERT_TRUE(SetFileAttributesW(native().c_str(), FILE_ATTRIBUTE_READONLY));
    FileSetWriter writer;
    writer.write(script(), "new");
    EXPECT_FALSE(writer.commit());
    EXPECT_TRUE(writer.errorString().contains(QStringLiteral("только для чтения"))) << writer.errorString().toStdString();
    EXPECT_EQ(folderSnapshot(dir.path()), (QMap<QString, QByteArray>{{QStringLiteral("Скрипт 057.npc"), "old"}}));
    EXPECT_TRUE(readOnly());
    SetFileAttributesW(native().c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
}

TEST_F(FileSetWriterWindowsTest, AScriptHeldOpenByAnotherProgramIsReportedAndKept)
{
#ifdef Q_OS_WIN
    // As an editor holds a file it reads: others may read it, but not move it away.
    const HANDLE held = CreateFileW(native().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FileSetWriter writer;
    writer.write(script(), "new");
    EXPECT_FALSE(writer.commit());
    CloseHandle(held);
    EXPECT_TRUE(writer.errorString().contains(QDir::toNativeSeparators(script()))) << writer.errorString().toStdString();
    EXPECT_EQ(folderSnapshot(dir.path()), (QMap<QString, QByteArray>{{QStringLiteral("Скрипт 057.npc"), "old"}}));
#endif
}
