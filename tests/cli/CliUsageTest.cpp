#include "cli/CliFixture.h"
#include "support/QtPrinters.h"

#include <QFileInfo>
#include <QProcess>

namespace
{

class CliUsageTest : public CliFixture
{
};

} // namespace

TEST_F(CliUsageTest, BadUsageSaysWhatIsWrongAndWhereTheHelpIs)
{
    struct Case {
        QStringList arguments;
        QString message;
    };
    const QList<Case> cases = {
        {{}, QStringLiteral("scrivlet-cli: не указана команда\nСправка: scrivlet-cli --help\n")},
        {{QStringLiteral("dupm")},
         QStringLiteral("scrivlet-cli: нет команды dupm\nСправка: scrivlet-cli --help\n")},
        {{QStringLiteral("dump")},
         QStringLiteral("scrivlet-cli dump: не хватает аргументов\n"
                        "Справка: scrivlet-cli dump --help\n")},
        {{QStringLiteral("dump"), QStringLiteral("a.npc"), QStringLiteral("b.npc")},
         QStringLiteral("scrivlet-cli dump: лишний аргумент\nСправка: scrivlet-cli dump --help\n")},
        {{QStringLiteral("dump"), QStringLiteral("a.npc"), QStringLiteral("--format"), QStringLiteral("xml")},
         QStringLiteral(
             "scrivlet-cli dump: --format: недопустимое значение «xml» (возможны: text, csv, json)\n"
             "Справка: scrivlet-cli dump --help\n")},
        {{QStringLiteral("dump"), QStringLiteral("a.npc"), QStringLiteral("--colour")},
         QStringLiteral(
             "scrivlet-cli dump: неизвестный параметр --colour\nСправка: scrivlet-cli dump --help\n")},
        {{QStringLiteral("build"), QStringLiteral("a.json")},
         QStringLiteral(
             "scrivlet-cli build: не указан параметр --output\nСправка: scrivlet-cli build --help\n")},
        {{QStringLiteral("convert"), QStringLiteral("a.npc"), QStringLiteral("--to")},
         QStringLiteral("scrivlet-cli convert: у параметра --to нет значения\n"
                        "Справка: scrivlet-cli convert --help\n")},
        {{QStringLiteral("diff"), QStringLiteral("a.npc"), QStringLiteral("--format=json"),
          QStringLiteral("--format=text"), QStringLiteral("b.npc")},
         QStringLiteral(
             "scrivlet-cli diff: параметр --format указан дважды\nСправка: scrivlet-cli diff --help\n")},
        {{QStringLiteral("edt2txt"), QStringLiteral("a.edt"), QStringLiteral("--utf8=yes")},
         QStringLiteral("scrivlet-cli edt2txt: параметр --utf8 не принимает значения\n"
                        "Справка: scrivlet-cli edt2txt --help\n")},
    };
    for (const Case &c : cases) {
        const Result result = run(c.arguments);
        EXPECT_EQ(result.code, 2) << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(result.err, c.message);
        EXPECT_EQ(result.out, QString());
    }
}

TEST_F(CliUsageTest, UnreadableInputsExitWith2NamingFileAndReason)
{
    QDir().mkdir(QStringLiteral("folder.npc"));
    writeFile(QStringLiteral("short.npc"), QByteArray(100, '\0'));
    writeFile(QStringLiteral("bad.json"), "{");
    struct Case {
        QStringList arguments;
        QString start;
    };
    const QList<Case> cases = {
        {{QStringLiteral("dump"), QStringLiteral("none.npc")}, QStringLiteral("scrivlet-cli: none.npc: ")},
        {{QStringLiteral("dump"), QStringLiteral("folder.npc")},
         QStringLiteral("scrivlet-cli: folder.npc: Это папка, а не файл\n")},
        {{QStringLiteral("dump"), QStringLiteral("short.npc")},
         QStringLiteral("scrivlet-cli: short.npc: Выбранный файл не является NPC-скриптом "
                        "(размер файла 100, а нужно не меньше 1600 байт)\n")},
        {{QStringLiteral("diff"), QStringLiteral("short.npc"), QStringLiteral("none.npc")},
         QStringLiteral("scrivlet-cli: short.npc: Выбранный файл не является NPC-скриптом "
                        "(размер файла 100, а нужно не меньше 1600 байт)\n"
                        "scrivlet-cli: none.npc: ")},
        {{QStringLiteral("convert"), QStringLiteral("--to=vesta"), QStringLiteral("short.npc")},
         QStringLiteral("scrivlet-cli: short.npc: Выбранный файл")},
        {{QStringLiteral("build"), QStringLiteral("bad.json"), QStringLiteral("-o"),
          QStringLiteral("out.npc")},
         QStringLiteral("scrivlet-cli: bad.json: ошибка JSON на смещении 1")},
        {{QStringLiteral("edt2txt"), QStringLiteral("none.edt"), QStringLiteral("-o"),
          QStringLiteral("out.txt")},
         QStringLiteral("scrivlet-cli: none.edt: ")},
        {{QStringLiteral("xref"), QStringLiteral("none")},
         QStringLiteral("scrivlet-cli: none: нет такого файла")},
    };
    for (const Case &c : cases) {
        const Result result = run(c.arguments);
        EXPECT_EQ(result.code, 2) << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(result.err.startsWith(c.start)) << result.err.toStdString();
        EXPECT_EQ(result.out, QString());
    }
    EXPECT_EQ(fileBytes(QStringLiteral("short.npc")), QByteArray(100, '\0'));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("out.npc")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("out.txt")));
}

TEST_F(CliUsageTest, ListsComeFromDataOrTheFolderGivenEachWithItsFallback)
{
    NpcRecords records{};
    records[0] = plain();
    records[0].Action = 1;
    writeScript(QStringLiteral("1.npc"), records);
    writeFile(QStringLiteral("mine/Action.txt"), "1=mine\r\n");
    const QStringList dump{QStringLiteral("dump"), QStringLiteral("1.npc")};
    EXPECT_TRUE(run(dump).out.contains(QStringLiteral("Action=1 (Разговор)")));
    Result result = run(dump + QStringList{QStringLiteral("--data"), QStringLiteral("mine")});
    EXPECT_TRUE(result.out.contains(QStringLiteral("Action=1 (mine)")));
    EXPECT_TRUE(result.out.contains(QStringLiteral("Mode=0 (Всегда)")));
    EXPECT_EQ(result.err, QString());

    QFile::remove(QStringLiteral("Data/Modes.txt"));
    result = run(dump);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.err,
              QStringLiteral("scrivlet-cli: предупреждение: Проблема чтения файла ") +
                  QDir::toNativeSeparators(QDir::current().filePath(QStringLiteral("Data/Modes.txt"))) +
                  QLatin1Char('\n'));
    EXPECT_TRUE(result.out.contains(QStringLiteral("    Mode=0\n")));

    QDir(QStringLiteral("Data")).removeRecursively();
    result = run(dump);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.err, QStringLiteral("scrivlet-cli: предупреждение: нет папки списков ") +
                              QDir::toNativeSeparators(QDir::current().filePath(QStringLiteral("Data"))) +
                              QStringLiteral(", названия не выводятся и не проверяются (--data ПАПКА)\n"));
}

TEST_F(CliUsageTest, HelpAndVersion)
{
    Result result = run({QStringLiteral("--version")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, QStringLiteral("scrivlet-cli " SCRIVLET_VERSION "\n"));
    result = run({QStringLiteral("--help")});
    EXPECT_EQ(result.code, 0);
    for (const char *command : {"dump", "build", "convert", "check", "diff", "xref", "find", "edt2txt", "map"}) {
        EXPECT_TRUE(result.out.contains(QStringLiteral("\n  ") + QLatin1String(command))) << command;
        const Result own = run({QLatin1String(command), QStringLiteral("--help")});
        EXPECT_EQ(own.code, 0);
        EXPECT_TRUE(own.out.startsWith(QStringLiteral("scrivlet-cli ") + QLatin1String(command))) << command;
        EXPECT_EQ(run({QStringLiteral("help"), QLatin1String(command)}).out, own.out);
    }
}

TEST_F(CliUsageTest, TheProgramRunsAsAProcess)
{
    NpcRecords records{};
    records[2] = plain();
    writeScript(QStringLiteral("2.npc"), records);
    QProcess process;
    process.start(QStringLiteral(SCRIVLET_CLI),
                  {QStringLiteral("dump"), QStringLiteral("2.npc"), QStringLiteral("--format=csv")});
    ASSERT_TRUE(process.waitForFinished(-1));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().endsWith(
        "\n2,0,0,65535,65535,255,0,255,0,0,255,1,255,255,255,255,0,65535,0,65535,0,0,0\n"));

    process.start(QStringLiteral(SCRIVLET_CLI), {QStringLiteral("check"), QStringLiteral("none")});
    ASSERT_TRUE(process.waitForFinished(-1));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()),
              QStringLiteral("scrivlet-cli: none: нет такого файла или папки\n"));
}
