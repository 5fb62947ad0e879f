#include "session/ShippedFiles.h"
#include "session/AppConfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

class ShippedFilesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    // As the test program set it: the tests after this one run in the same process.
    void TearDown() override { ShippedFiles::setProgramFolder(m_previous); }

    QString path(const QString &relative) const { return QDir(m_dir.path()).filePath(relative); }
    void touch(const QString &relative) const
    {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    void install(const QString &prefix) const
    {
        QDir().mkpath(path(prefix + QStringLiteral("/bin")));
        touch(prefix + QStringLiteral("/share/scrivlet/Data/Action.txt"));
        touch(prefix + QStringLiteral("/share/doc/scrivlet/manual.html"));
    }

private:
    QTemporaryDir m_dir;
    const QString m_previous = ShippedFiles::programFolder();
};

} // namespace

TEST_F(ShippedFilesTest, FoundBesideTheProgramWhereverTheInstallWasMoved)
{
    install(QStringLiteral("usr"));
    ShippedFiles::setProgramFolder(path(QStringLiteral("usr/bin")));
    EXPECT_EQ(ShippedFiles::dataDir(), path(QStringLiteral("usr/share/scrivlet/Data")));
    EXPECT_EQ(ShippedFiles::manualPath(), path(QStringLiteral("usr/share/doc/scrivlet/manual.html")));

    ASSERT_TRUE(
        QDir(path(QStringLiteral("usr"))).rename(path(QStringLiteral("usr")), path(QStringLiteral("opt"))));
    ShippedFiles::setProgramFolder(path(QStringLiteral("opt/bin")));
    EXPECT_EQ(ShippedFiles::dataDir(), path(QStringLiteral("opt/share/scrivlet/Data")));
}

// The Windows program's folder, unpacked or installed anywhere: everything beside it, which
// comes before a share folder there may be too.
TEST_F(ShippedFilesTest, AFolderWithEverythingBesideTheProgramComesFirst)
{
    touch(QStringLiteral("Scrivlet/share/scrivlet/Data/Action.txt"));
    touch(QStringLiteral("Scrivlet/Data/Action.txt"));
    ShippedFiles::setProgramFolder(path(QStringLiteral("Scrivlet")));
    EXPECT_EQ(ShippedFiles::dataDir(), path(QStringLiteral("Scrivlet/Data")));
    EXPECT_EQ(ShippedFiles::manualPath(), QString());
    touch(QStringLiteral("Scrivlet/doc/manual.html"));
    EXPECT_EQ(ShippedFiles::manualPath(), path(QStringLiteral("Scrivlet/doc/manual.html")));

    ASSERT_TRUE(QDir(path(QString())).rename(QStringLiteral("Scrivlet"), QStringLiteral("USB stick")));
    ShippedFiles::setProgramFolder(path(QStringLiteral("USB stick")));
    EXPECT_EQ(ShippedFiles::dataDir(), path(QStringLiteral("USB stick/Data")));
}

TEST_F(ShippedFilesTest, ABuildFolderHoldsTheTreeBesideItsBinary)
{
    touch(QStringLiteral("build/share/scrivlet/Data/Action.txt"));
    ShippedFiles::setProgramFolder(path(QStringLiteral("build")));
    EXPECT_EQ(ShippedFiles::dataDir(), path(QStringLiteral("build/share/scrivlet/Data")));
    EXPECT_EQ(ShippedFiles::manualPath(), QString()); // no manual staged
}

TEST_F(ShippedFilesTest, NothingShippedGivesEmptyPaths)
{
    QDir().mkpath(path(QStringLiteral("bin")));
    QDir().mkpath(path(QStringLiteral("share/icons"))); // some other program's share folder
    ShippedFiles::setProgramFolder(path(QStringLiteral("bin")));
    EXPECT_EQ(ShippedFiles::shareFolder(), QString());
    EXPECT_EQ(ShippedFiles::dataDir(), QString());
    EXPECT_EQ(ShippedFiles::manualPath(), QString());
}

TEST_F(ShippedFilesTest, SettingsNameTheShippedListsAndHelpPrefersTheStartFoldersFile)
{
    install(QStringLiteral("usr"));
    ShippedFiles::setProgramFolder(path(QStringLiteral("usr/bin")));
    const QString start = path(QStringLiteral("start"));
    QDir().mkpath(start);

    AppConfig config = AppConfig::IniRead(start);
    EXPECT_EQ(config.shippedDataDir, path(QStringLiteral("usr/share/scrivlet/Data")));
    EXPECT_EQ(config.DataDir, config.standardDataDir()); // the setting itself is unchanged
    EXPECT_EQ(config.helpPath(), path(QStringLiteral("usr/share/doc/scrivlet/manual.html")));
    touch(QStringLiteral("start/scrivlet10.chm"));
    EXPECT_EQ(config.helpPath(), path(QStringLiteral("start/scrivlet10.chm")));

    QFile::remove(path(QStringLiteral("start/scrivlet10.chm")));
    ShippedFiles::setProgramFolder(path(QStringLiteral("start")));
    config = AppConfig::IniRead(start);
    EXPECT_EQ(config.shippedDataDir, QString());
    // Nothing to open: the start folder's help file all the same, as before.
    EXPECT_EQ(config.helpPath(), path(QStringLiteral("start/scrivlet10.chm")));
}
