#include "common/IniFile.h"
#include "session/AppConfig.h"

#include <QDir>
#include <QFile>
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
    EXPECT_EQ(ini.value(QStringLiteral("Config"), QStringLiteral("WorkDir")),
              QStringLiteral("C:\\Games\\Korvan\\npc"));
    EXPECT_EQ(ini.intValue(QStringLiteral("Config"), QStringLiteral("FormWidth"), 0), 12);
    EXPECT_EQ(ini.intValue(QStringLiteral("Config"), QStringLiteral("AlertShow"), 5), 5);
    EXPECT_EQ(ini.intValue(QStringLiteral("Config"), QStringLiteral("Missing"), 3), 3);

    ini.setValue(QStringLiteral("Config"), QStringLiteral("WorkDir"), QStringLiteral("D:\\npc;x"));
    ini.setValue(QStringLiteral("Config"), QStringLiteral("EdtEditor"), QStringLiteral("e.exe"));
    ini.setValue(QStringLiteral("New"), QStringLiteral("Key"), QStringLiteral("1"));
    EXPECT_EQ(ini.serialize(), QByteArray("; comment\r\n[Other]\r\nWorkDir=elsewhere\r\n[config]\r\n"
                                          "WorkDir=D:\\npc;x\r\nFormWidth=12abc\r\nAlertShow=x\r\n"
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
