#include "app/DesktopFileType.h"
#include "app/FileClassRegistry.h"
#include "app/WindowsClassesRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#ifdef Q_OS_WIN
#include <QCoreApplication>

#include <windows.h>
#endif

namespace
{

// HKEY_CLASSES_ROOT in memory: keys exist once written, and chosen keys refuse writes.
class FakeRegistry : public ClassesRegistry
{
public:
    QStringList refused;
    QStringList calls;
    QMap<QString, QString> values;

    bool keyExists(const QString &key) override
    {
        calls << QStringLiteral("open ") + key;
        return values.contains(key);
    }
    bool setDefaultValue(const QString &key, const QString &value) override
    {
        calls << QStringLiteral("set ") + key + QStringLiteral(" = ") + value;
        if (refused.contains(key))
            return false;
        values[key] = value;
        return true;
    }
};

const QString WindowsProgram = QStringLiteral("C:\\Program Files\\Korvan Tools\\scrivlet.exe");

} // namespace

TEST(FileClassRegistry, FirstStartWritesTheThreeKeysInOrderAndLaterStartsNothing)
{
    FakeRegistry registry;
    EXPECT_EQ(registerFileClass(registry, QStringLiteral("npc"), WindowsProgram), QString());
    // Quoted, since the path has blanks, and with the file to open.
    EXPECT_EQ(registry.calls, (QStringList{
                                  QStringLiteral("open Scrivlet"),
                                  QStringLiteral("set .npc = Scrivlet"),
                                  QStringLiteral("set Scrivlet = NPC-Script for Korvan"),
                                  QStringLiteral("set Scrivlet\\Shell\\Open\\Command = \"C:\\Program Files\\Korvan "
                                                 "Tools\\scrivlet.exe\" \"%1\""),
                              }));

    registry.calls.clear();
    EXPECT_EQ(registerFileClass(registry, QStringLiteral("npc"), QStringLiteral("D:\\moved\\scrivlet.exe")),
              QString());
    EXPECT_EQ(registry.calls, QStringList{QStringLiteral("open Scrivlet")});
    EXPECT_EQ(registry.values.value(QStringLiteral("Scrivlet\\Shell\\Open\\Command")),
              FileClass::openCommand(WindowsProgram));
}

TEST(FileClassRegistry, ExistingClassKeyIsNeverTouched)
{
    FakeRegistry registry;
    registry.values[QStringLiteral("Scrivlet")] = QStringLiteral("Someone else's");
    EXPECT_EQ(registerFileClass(registry, QStringLiteral("npc"), WindowsProgram), QString());
    EXPECT_EQ(registry.calls, QStringList{QStringLiteral("open Scrivlet")});
    EXPECT_EQ(registry.values.size(), 1);
}

TEST(FileClassRegistry, RefusedWriteSkipsTheRemainingStepsAndTheNextStartTriesAgain)
{
    FakeRegistry registry;
    registry.refused << QStringLiteral("Scrivlet");
    EXPECT_EQ(registerFileClass(registry, QStringLiteral("npc"), WindowsProgram),
              QStringLiteral("Failed to set data for ''"));
    EXPECT_EQ(registry.calls, (QStringList{
                                  QStringLiteral("open Scrivlet"),
                                  QStringLiteral("set .npc = Scrivlet"),
                                  QStringLiteral("set Scrivlet = NPC-Script for Korvan"),
                              }));
    EXPECT_FALSE(registry.values.contains(QStringLiteral("Scrivlet\\Shell\\Open\\Command")));

    registry.refused.clear();
    registry.calls.clear();
    EXPECT_EQ(registerFileClass(registry, QStringLiteral("npc"), WindowsProgram), QString());
    EXPECT_EQ(registry.calls.size(), 4);
}

// The real registry: written to the user's part, seen in HKEY_CLASSES_ROOT, the command
// quoted with backslashes and Cyrillic intact.
TEST(WindowsClassesRegistry, WritesTheUsersClassesAndSeesThemInTheMergedView)
{
#ifndef Q_OS_WIN
    GTEST_SKIP() << "the Windows registry exists on Windows only";
#else
    const QString key = QStringLiteral("ScrivletTest%1").arg(QCoreApplication::applicationPid());
    const std::wstring userKey = (QStringLiteral("Software\\Classes\\") + key).toStdWString();
    const auto removeKey = qScopeGuard([&] { RegDeleteTreeW(HKEY_CURRENT_USER, userKey.c_str()); });
    WindowsClassesRegistry registry;
    EXPECT_FALSE(registry.keyExists(key));
    ASSERT_TRUE(registry.setDefaultValue(key + QStringLiteral("\\Shell\\Open\\Command"),
                                         FileClass::openCommand(QStringLiteral("C:/Игры/Korvan Tools/scrivlet.exe"))));
    EXPECT_TRUE(registry.keyExists(key));

    wchar_t value[512];
    DWORD bytes = sizeof value;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, (userKey + L"\\Shell\\Open\\Command").c_str(), nullptr,
                           RRF_RT_REG_SZ, nullptr, value, &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(QString::fromWCharArray(value), QStringLiteral("\"C:\\Игры\\Korvan Tools\\scrivlet.exe\" \"%1\""));
#endif
}

class DesktopFileTypeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
#ifdef Q_OS_WIN
        GTEST_SKIP() << "shared-mime-info and .desktop files are the Linux desktop's; Windows has the registry";
#endif
        ASSERT_TRUE(m_home.isValid());
        ASSERT_TRUE(m_system.isValid());
    }

    QString home() const { return m_home.path(); }
    QString path(const char *relative) const { return QDir(home()).filePath(QLatin1String(relative)); }
    QString systemPath(const char *relative) const
    {
        return QDir(m_system.path()).filePath(QLatin1String(relative));
    }
    QByteArray read(const char *relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const char *relative, const QByteArray &bytes) const { writeAt(path(relative), bytes); }
    static void writeAt(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString registerProgram(const QString &program,
                            DesktopFileType::Installation installation = DesktopFileType::Installation::Installed)
    {
        const QStringList systemDirs{QStringLiteral("/nonexistent/share"), m_system.path()};
        return DesktopFileType::registerFileType(
            home(), systemDirs, program, installation, [this](const QString &tool, const QStringList &arguments) {
                started << tool + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
            });
    }

    QStringList started;

private:
    QTemporaryDir m_home;
    QTemporaryDir m_system;
};

TEST_F(DesktopFileTypeTest, FirstStartWritesThePackageTheIconAndTheEntryThenRefreshesTheDatabases)
{
    EXPECT_EQ(registerProgram(QStringLiteral("/opt/scrivlet/scrivlet")), QString());

    const QByteArray package = read("mime/packages/scrivlet-npc.xml");
    EXPECT_TRUE(package.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<mime-info "));
    EXPECT_TRUE(package.contains("<mime-type type=\"application/x-korvan-npc\">"));
    EXPECT_TRUE(package.contains("<comment>NPC-Script for Korvan</comment>"));
    EXPECT_TRUE(package.contains("<glob pattern=\"*.npc\"/>"));
    EXPECT_TRUE(package.contains("<mime-type type=\"application/x-korvan-edt\">"));
    EXPECT_TRUE(package.contains("<glob pattern=\"*.edt\"/>"));
    EXPECT_TRUE(read("icons/hicolor/scalable/apps/scrivlet.svg").startsWith("<svg "));

    // The installed entry but for the program, named by its full path, still given the file.
    const QByteArray entry = read("applications/scrivlet.desktop");
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\nType=Application\nName=Scrivlet\n")) << entry.constData();
    EXPECT_TRUE(entry.contains("\nExec=/opt/scrivlet/scrivlet %f\n")) << entry.constData();
    EXPECT_EQ(entry.count("Exec="), 1);
    EXPECT_TRUE(entry.contains("\nName[ru]=")) << entry.constData();
    EXPECT_TRUE(entry.contains("\nComment[ru]=Редактор NPC-скриптов для Korvan\n")) << entry.constData();
    EXPECT_TRUE(entry.contains("\nIcon=scrivlet\n")) << entry.constData();
    EXPECT_TRUE(entry.contains("\nMimeType=application/x-korvan-npc;application/x-korvan-edt;\n"))
        << entry.constData();
    EXPECT_EQ(started, (QStringList{QStringLiteral("update-mime-database ") + path("mime"),
                                    QStringLiteral("update-desktop-database ") + path("applications")}));
}

TEST_F(DesktopFileTypeTest, InstalledSystemLeavesTheUsersFoldersAlone)
{
    writeAt(systemPath("applications/scrivlet.desktop"),
            DesktopFileType::desktopEntry(QStringLiteral("scrivlet")));
    // The entry alone is not enough: .npc files would have no type.
    EXPECT_EQ(registerProgram(QStringLiteral("/opt/scrivlet/scrivlet")), QString());
    EXPECT_TRUE(QFile::exists(path("applications/scrivlet.desktop")));
    QDir(home()).removeRecursively();
    QDir().mkpath(home());
    started.clear();

    writeAt(systemPath("mime/packages/scrivlet-npc.xml"), DesktopFileType::mimePackage());
    EXPECT_EQ(registerProgram(QStringLiteral("/opt/scrivlet/scrivlet")), QString());
    EXPECT_TRUE(QDir(home()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_TRUE(started.isEmpty());
}

TEST(DesktopFileTypeSystemDirs, AbsoluteXdgDataDirsOrTheDefault)
{
    const QByteArray saved = qgetenv("XDG_DATA_DIRS");
    auto restore = qScopeGuard([&] { qputenv("XDG_DATA_DIRS", saved); });
    qputenv("XDG_DATA_DIRS", "/opt/kde/share:relative/share::/usr/share/");
    EXPECT_EQ(DesktopFileType::systemDataDirs(),
              (QStringList{QStringLiteral("/opt/kde/share"), QStringLiteral("/usr/share/")}));
    qputenv("XDG_DATA_DIRS", "");
    EXPECT_EQ(DesktopFileType::systemDataDirs(),
              (QStringList{QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")}));
}

TEST_F(DesktopFileTypeTest, LaterStartWritesNothing)
{
    ASSERT_EQ(registerProgram(QStringLiteral("/opt/scrivlet/scrivlet")), QString());
    writeFile("mime/packages/scrivlet-npc.xml", "edited by the user");
    started.clear();

    EXPECT_EQ(registerProgram(QStringLiteral("/moved/scrivlet")), QString());
    EXPECT_EQ(read("mime/packages/scrivlet-npc.xml"), QByteArray("edited by the user"));
    EXPECT_TRUE(read("applications/scrivlet.desktop").contains("Exec=/opt/scrivlet/scrivlet %f\n"));
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(DesktopFileTypeTest, ExecQuotesPathsAsTheDesktopEntryFormatRequires)
{
    using DesktopFileType::execArgument;
    EXPECT_EQ(execArgument(QStringLiteral("/opt/scrivlet/scrivlet")),
              QStringLiteral("/opt/scrivlet/scrivlet"));
    EXPECT_EQ(execArgument(QStringLiteral("/home/me/Korvan Tools/scrivlet")),
              QStringLiteral("\"/home/me/Korvan Tools/scrivlet\""));
    // Inside quotes \ " ` $ take a backslash, then the key file doubles every backslash.
    EXPECT_EQ(execArgument(QStringLiteral("/a b/$x\"y`z\\w")),
              QStringLiteral("\"/a b/\\\\$x\\\\\"y\\\\`z\\\\\\\\w\""));
    EXPECT_EQ(execArgument(QStringLiteral("/opt/100%/scrivlet")), QStringLiteral("/opt/100%%/scrivlet"));
    // A line break in the path cannot start a key of its own.
    EXPECT_EQ(execArgument(QStringLiteral("/a\nExec=evil")), QStringLiteral("\"/a\\nExec=evil\""));

    ASSERT_EQ(registerProgram(QStringLiteral("/home/me/Korvan Tools/scrivlet")), QString());
    EXPECT_TRUE(
        read("applications/scrivlet.desktop").contains("\nExec=\"/home/me/Korvan Tools/scrivlet\" %f\n"));
}

TEST_F(DesktopFileTypeTest, UnwritableFolderNamesTheFileAndTheNextStartTriesAgain)
{
    writeFile("mime", "a file where the folder belongs");
    const QString failure = registerProgram(QStringLiteral("/opt/scrivlet/scrivlet"));
    EXPECT_TRUE(failure.startsWith(QStringLiteral("Не удалось записать файл ") +
                                   QDir::toNativeSeparators(path("mime/packages/scrivlet-npc.xml")) +
                                   QStringLiteral(":\r\n")))
        << failure.toStdString();
    EXPECT_GT(failure.size(), failure.indexOf(QStringLiteral(":\r\n")) + 3) << "no reason given";
    EXPECT_FALSE(QFile::exists(path("applications/scrivlet.desktop")));
    EXPECT_TRUE(started.isEmpty());

    QFile::remove(path("mime"));
    writeFile("applications", "a file where the folder belongs");
    EXPECT_TRUE(registerProgram(QStringLiteral("/opt/scrivlet/scrivlet"))
                    .contains(QDir::toNativeSeparators(path("applications/scrivlet.desktop"))));
    EXPECT_TRUE(started.isEmpty());

    QFile::remove(path("applications"));
    EXPECT_EQ(registerProgram(QStringLiteral("/opt/scrivlet/scrivlet")), QString());
    EXPECT_TRUE(QFile::exists(path("applications/scrivlet.desktop")));
}

TEST_F(DesktopFileTypeTest, ABuildRegistersUnderAnIdOfItsOwnAndTheInstalledProgramRemovesWhatShadowsIt)
{
    using DesktopFileType::Installation;
    QTemporaryDir builds;
    ASSERT_TRUE(builds.isValid());
    auto makeBuild = [&](const QString &folder) {
        const QString program = builds.filePath(folder + QStringLiteral("/scrivlet"));
        writeAt(program, "a build");
        return program;
    };
    const QString build = makeBuild(QStringLiteral("build"));
    ASSERT_EQ(registerProgram(build, Installation::Build), QString());
    EXPECT_FALSE(QFile::exists(path("applications/scrivlet.desktop")));
    const QByteArray entry = read("applications/scrivlet-build.desktop");
    EXPECT_TRUE(entry.contains("\nName=Scrivlet (build)\n")) << entry.constData();
    EXPECT_TRUE(entry.contains(QStringLiteral("\nName[ru]=Scrivlet (сборка)\n").toUtf8()));
    EXPECT_EQ(DesktopFileType::programOfEntry(entry), build);

    // Entries of the installed id left by older builds, one of them at an awkward path.
    for (const QString &program : {build, makeBuild(QStringLiteral("a b/100%/\"q\"$`"))}) {
        writeFile("applications/scrivlet.desktop", DesktopFileType::desktopEntry(program));
        EXPECT_EQ(DesktopFileType::programOfEntry(read("applications/scrivlet.desktop")), program);
        started.clear();
        EXPECT_EQ(registerProgram(QStringLiteral("/usr/bin/scrivlet")), QString());
        EXPECT_EQ(DesktopFileType::programOfEntry(read("applications/scrivlet.desktop")),
                  QStringLiteral("/usr/bin/scrivlet"))
            << "the shadowing entry is replaced by the installed program's own";
        EXPECT_TRUE(started.contains(QStringLiteral("update-desktop-database ") + path("applications")));
    }
    // Its own entry stays, and so does a build's own one.
    EXPECT_EQ(registerProgram(QStringLiteral("/usr/bin/scrivlet")), QString());
    EXPECT_TRUE(QFile::exists(path("applications/scrivlet.desktop")));
    EXPECT_TRUE(QFile::exists(path("applications/scrivlet-build.desktop")));

    // A build that finds its own leftover under the installed id takes it away.
    writeFile("applications/scrivlet.desktop", DesktopFileType::desktopEntry(build));
    EXPECT_EQ(registerProgram(build, Installation::Build), QString());
    EXPECT_FALSE(QFile::exists(path("applications/scrivlet.desktop")));
}

TEST(DesktopFileTypeInstallation, InstalledWhenItsOwnTreeHoldsTheEntry)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString program = prefix.filePath(QStringLiteral("bin/scrivlet"));
    EXPECT_EQ(DesktopFileType::installationOf(program), DesktopFileType::Installation::Build);
    QDir().mkpath(prefix.filePath(QStringLiteral("share/applications")));
    QFile entry(prefix.filePath(QStringLiteral("share/applications/scrivlet.desktop")));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.close();
    EXPECT_EQ(DesktopFileType::installationOf(program), DesktopFileType::Installation::Installed);
}

TEST(DesktopFileTypeDataHome, AbsoluteXdgDataHomeOrTheDefault)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const bool wasSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    auto restore = qScopeGuard([&] {
        if (wasSet)
            qputenv("XDG_DATA_HOME", saved);
        else
            qunsetenv("XDG_DATA_HOME");
    });
    const QString fallback = QDir::homePath() + QStringLiteral("/.local/share");

    qputenv("XDG_DATA_HOME", "/tmp/xdg-elsewhere");
    EXPECT_EQ(DesktopFileType::dataHome(), QStringLiteral("/tmp/xdg-elsewhere"));
    qputenv("XDG_DATA_HOME", "relative/share");
    EXPECT_EQ(DesktopFileType::dataHome(), fallback);
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(DesktopFileType::dataHome(), fallback);
}
