#include "common/FileNameBytes.h"
#include "common/IniFile.h"
#include "session/AppConfig.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

void writeIni(const QTemporaryDir &dir, const QByteArray &bytes)
{
    QFile file(dir.filePath(QStringLiteral("scrivlet.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readIni(const QTemporaryDir &dir)
{
    QFile file(dir.filePath(QStringLiteral("scrivlet.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(IniFile, RawValuesKeysWithoutCaseAndOtherSections)
{
    IniFile ini;
    ini.parse(
        "; comment\r\n[Other]\r\nWorkDir=elsewhere\r\n[config]\r\n workdir = C:\\Games\\Korvan\\npc \r\n"
        "FormWidth=12abc\nAlertShow=x\n");
    EXPECT_EQ(ini.value("Config", "WorkDir"), QByteArray("C:\\Games\\Korvan\\npc"));
    EXPECT_EQ(ini.intValue("Config", "FormWidth", 0), 12);
    EXPECT_EQ(ini.intValue("Config", "AlertShow", 5), 5);
    EXPECT_EQ(ini.intValue("Config", "Missing", 3), 3);

    ini.setValue("Config", "WorkDir", "D:\\npc;x");
    ini.setValue("Config", "EdtEditor", "e.exe");
    ini.setValue("New", "Key", "1");
    EXPECT_EQ(ini.serialize(), QByteArray("; comment\r\n[Other]\r\nWorkDir=elsewhere\r\n[config]\r\n"
                                          "WorkDir=D:\\npc;x\r\nFormWidth=12abc\nAlertShow=x\n"
                                          "EdtEditor=e.exe\r\n[New]\r\nKey=1\r\n"));
}

TEST(AppConfig, FirstStartGivesDefaultsAndWritesAllButTheEditor)
{
    QTemporaryDir dir;
    const AppConfig config = AppConfig::IniRead(dir.path());
    EXPECT_EQ(config.WorkDir, dir.path());
    EXPECT_EQ(config.DataDir, QDir(dir.path()).filePath(QStringLiteral("Data")));
    EXPECT_EQ(config.FormWidth, 895);
    EXPECT_TRUE(config.warningsOn());
    ASSERT_TRUE(config.IniWrite());
    const QByteArray written = readIni(dir);
    EXPECT_TRUE(written.startsWith("[Config]\r\n"));
    for (const char *key : {"WorkDir=", "DataDir=", "FormWidth=895\r\n", "AlertShow=0\r\n"})
        EXPECT_TRUE(written.contains(key)) << key;
    EXPECT_FALSE(written.contains("EdtEditor"));
}

TEST(AppConfig, ValuesAndTheirFallbacks)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("mods"));
    const QString mods = dir.filePath(QStringLiteral("mods"));
    writeIni(dir, "[Config]\nWorkDir=/no/such/folder\nDataDir = " + mods.toUtf8() +
                      "\nEdtEditor=/opt/edt editor/edt\nFormWidth=699\nAlertShow=2\n");
    AppConfig config = AppConfig::IniRead(dir.path());
    EXPECT_EQ(config.WorkDir, dir.path());
    EXPECT_EQ(config.DataDir, mods);
    EXPECT_EQ(config.EdtEditor, QStringLiteral("/opt/edt editor/edt"));
    EXPECT_EQ(config.FormWidth, 895);
    EXPECT_EQ(config.AlertShow, 2);
    EXPECT_FALSE(config.warningsOn());

    writeIni(dir, "[Config]\r\nFormWidth=700\r\nAlertShow=256\r\n");
    config = AppConfig::IniRead(dir.path());
    EXPECT_EQ(config.FormWidth, 700);
    EXPECT_EQ(config.AlertShow, 0);

    writeIni(dir, QByteArray("\x00\xff garbage [Config\n=\n", 20));
    config = AppConfig::IniRead(dir.path());
    EXPECT_EQ(config.FormWidth, 895);
    EXPECT_EQ(config.DataDir, config.standardDataDir());
}

TEST(AppConfig, EmptiedEditorKeepsTheFormerValueInTheFile)
{
    QTemporaryDir dir;
    writeIni(dir, "[Config]\r\nEdtEditor=/bin/edt\r\nAlertShow=2\r\n");
    AppConfig config = AppConfig::IniRead(dir.path());
    config.EdtEditor.clear();
    ASSERT_TRUE(config.IniWrite());
    const QByteArray written = readIni(dir);
    EXPECT_TRUE(written.contains("EdtEditor=/bin/edt\r\n"));
    EXPECT_TRUE(written.contains("AlertShow=2\r\n"));
}

TEST(IniFile, LinesNotSetComeBackByteForByte)
{
    // Windows-1251 comments and sections, a stray NUL and CR, LF and CR LF ends, no end at the close.
    const QByteArray lines[] = {
        QByteArray("\xEF\xBB\xBF; \xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8\r\n"),
        QByteArray("[\xc8\xe3\xf0\xe0]\n"),
        QByteArray("\xcf\xf3\xf2\xfc=C:\\\xc8\xe3\xf0\xfb\r\n"),
        QByteArray("odd\0line\rstill=\xff\n", 17),
        QByteArray("[Config]\r\n"),
        QByteArray("DataDir=/old\r\n"),
        QByteArray("Extra=\x98\x81"),
    };
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line;
    IniFile ini;
    ini.parse(bytes);
    EXPECT_EQ(ini.serialize(), bytes);
    EXPECT_EQ(ini.value("\xc8\xe3\xf0\xe0", "\xcf\xf3\xf2\xfc"), QByteArray("C:\\\xc8\xe3\xf0\xfb"));
    EXPECT_EQ(ini.value("Config", "extra"), QByteArray("\x98\x81"));

    ini.setValue("Config", "DataDir", "/new");
    ini.setValue("Config", "AlertShow", "1");
    EXPECT_EQ(ini.serialize(), bytes.left(bytes.size() - lines[6].size() - lines[5].size()) +
                                   "DataDir=/new\r\n" + lines[6] + "\r\nAlertShow=1\r\n");
    // No line can hold a line break: such a value changes nothing.
    EXPECT_FALSE(ini.setValue("Config", "DataDir", "/a\nFormWidth=1"));
    EXPECT_EQ(ini.value("Config", "DataDir"), QByteArray("/new"));
}

TEST(AppConfig, PathsAreWrittenAsFileNamesAndOtherLinesKept)
{
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("Сценарии"));
    ASSERT_TRUE(QDir().mkdir(work));
    const QByteArray foreign =
        "; \xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8 \xe8\xe3\xf0\xfb\n[\xc8\xe3\xf0\xe0]\nPath=\xc4:\\\r\n";
    writeIni(dir, foreign + "[Config]\r\nWorkDir=/\xff\xfe\r\nFormWidth=800\r\n");
    AppConfig config = AppConfig::IniRead(dir.path());
    EXPECT_EQ(config.WorkDir, dir.path()); // no such folder
    EXPECT_EQ(config.FormWidth, 800);
    config.WorkDir = work;
    ASSERT_TRUE(config.IniWrite());
    const QByteArray written = readIni(dir);
    EXPECT_TRUE(written.startsWith(foreign + "[Config]\r\nWorkDir=" + FileNameBytes::from(work) + "\r\n"));
    EXPECT_EQ(AppConfig::IniRead(dir.path()).WorkDir, work);
}

TEST(AppConfig, AFolderWithANulFallsBackWithoutAWarning)
{
    static int messages = 0;
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) { ++messages; });
    QTemporaryDir dir;
    writeIni(dir, QByteArray("[Config]\r\nWorkDir=/tmp\0/x\r\nDataDir=\0\r\n", 38));
    const AppConfig config = AppConfig::IniRead(dir.path());
    qInstallMessageHandler(previous);
    EXPECT_EQ(config.WorkDir, dir.path());
    EXPECT_EQ(config.DataDir, config.standardDataDir());
    EXPECT_EQ(messages, 0);
}

TEST(AppConfig, SettingsThatWouldComeOutTheSameAreNotWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(AppConfig::IniRead(dir.path()).IniWrite());
    QFile file(dir.filePath(QStringLiteral("scrivlet.ini")));
    const QDateTime past = QDateTime::currentDateTime().addDays(-3);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.setFileTime(past, QFileDevice::FileModificationTime));
    file.close();

    AppConfig config = AppConfig::IniRead(dir.path());
    ASSERT_TRUE(config.IniWrite());
    EXPECT_EQ(QFileInfo(file.fileName()).lastModified(), past) << "nothing to write, nothing written";

    config.FormWidth = 700;
    ASSERT_TRUE(config.IniWrite());
    EXPECT_NE(QFileInfo(file.fileName()).lastModified(), past);
    EXPECT_EQ(AppConfig::IniRead(dir.path()).FormWidth, 700);
}

TEST(AppConfig, RecentFilesWithALineBreakAreNeitherReadNorWritten)
{
    QTemporaryDir dir;
    writeIni(dir, "[Config]\r\nRecentFile1=/a.npc\r\nRecentFile8=/mtp\rDataDir=x\r\n");
    AppConfig config = AppConfig::IniRead(dir.path());
    EXPECT_EQ(config.RecentFiles, QStringList{QStringLiteral("/a.npc")});

    config.addRecentFile(QStringLiteral("/odd\nname.npc"));
    config.addRecentFile(QStringLiteral("/b.npc"));
    ASSERT_TRUE(config.IniWrite());
    EXPECT_EQ(AppConfig::IniRead(dir.path()).RecentFiles,
              QStringList({QStringLiteral("/b.npc"), QStringLiteral("/a.npc")}))
        << "the others keep their order, with no gap and nothing stale";
}
