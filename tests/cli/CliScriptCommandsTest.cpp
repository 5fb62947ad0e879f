#include "cli/Cli.h"
#include "cli/CliFixture.h"
#include "editor/NpcJson.h"
#include "support/QtPrinters.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace
{

class CliScriptCommandsTest : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        records[3] = plain();
        records[3].Action = 1;
        records[3].TriggT = 1;
        records[3].React = 65533;
        records[3].Spare28 = 9;
        writeScript(QStringLiteral("057.npc"), records);
    }

    NpcRecords records{};
};

} // namespace

TEST_F(CliScriptCommandsTest, DumpTextListsTheNonEmptyRecordsWithTheirNames)
{
    const Result result = run({QStringLiteral("dump"), QStringLiteral("057.npc")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.err, QString());
    EXPECT_EQ(result.out, QStringLiteral("layout: standard\n"
                                         "\n"
                                         "record 3\n"
                                         "    Mode=0 (Всегда)\n"
                                         "    ItemIn=0\n"
                                         "    TriggT=1 (Ссора)\n"
                                         "    TriggF=-1\n"
                                         "    Q_was=-1\n"
                                         "    FDay=0\n"
                                         "    LDay=-1\n"
                                         "    Action=1 (Разговор)\n"
                                         "    Leader=0\n"
                                         "    Phrase=-1\n"
                                         "    PhraseCnt=1\n"
                                         "    Q_Input=-1\n"
                                         "    Q_Output=-1\n"
                                         "    ControlNpc=-1\n"
                                         "    ControlRec=-1\n"
                                         "    Spare19=0\n"
                                         "    Trigg2T=-1\n"
                                         "    ItemOut=0\n"
                                         "    GoSect=-1\n"
                                         "    React=-3 (Улыбка)\n"
                                         "    Spare28=9\n"
                                         "    Spare30=0\n"));
    const Result all = run({QStringLiteral("dump"), QStringLiteral("--all"), QStringLiteral("057.npc")});
    EXPECT_EQ(all.out.count(QStringLiteral("\nrecord ")), 50);
}

TEST_F(CliScriptCommandsTest, DumpCsvHasRawValuesOneRowPerRecord)
{
    const Result result =
        run({QStringLiteral("dump"), QStringLiteral("057.npc"), QStringLiteral("--format=csv")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(
        result.out,
        QStringLiteral("index,Mode,ItemIn,TriggT,TriggF,Q_was,FDay,LDay,Action,Leader,Phrase,"
                       "PhraseCnt,Q_Input,Q_Output,ControlNpc,ControlRec,Spare19,Trigg2T,ItemOut,"
                       "GoSect,React,Spare28,Spare30\n"
                       "3,0,0,1,65535,255,0,255,1,0,255,1,255,255,255,255,0,65535,0,65535,65533,9,0\n"));
    const Result all = run({QStringLiteral("dump"), QStringLiteral("057.npc"), QStringLiteral("--format"),
                            QStringLiteral("csv"), QStringLiteral("--all")});
    EXPECT_EQ(all.out.count(QLatin1Char('\n')), 51);
    EXPECT_TRUE(all.out.contains(QStringLiteral("\n0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n")));
}

TEST_F(CliScriptCommandsTest, DumpJsonThenBuildGivesBackTheFile)
{
    const Result json = run({QStringLiteral("dump"), QStringLiteral("057.npc"), QStringLiteral("--format"),
                             QStringLiteral("json")});
    EXPECT_EQ(json.code, 0);
    EXPECT_EQ(json.outBytes, npcToJson(records, NpcLayout::StandardLayout));
    writeFile(QStringLiteral("057.json"), json.outBytes);
    const Result build = run({QStringLiteral("build"), QStringLiteral("057.json"), QStringLiteral("-o"),
                              QStringLiteral("out/copy.npc")});
    EXPECT_EQ(build.code, 2); // the folder does not exist
    EXPECT_TRUE(build.err.contains(QStringLiteral("не удалось записать файл ") +
                                   QDir::toNativeSeparators(QStringLiteral("out/copy.npc"))));
    const Result again = run({QStringLiteral("build"), QStringLiteral("057.json"), QStringLiteral("-o"),
                              QStringLiteral("copy.npc")});
    EXPECT_EQ(again.code, 0);
    EXPECT_EQ(again.out + again.err, QString());
    EXPECT_EQ(fileBytes(QStringLiteral("copy.npc")), fileBytes(QStringLiteral("057.npc")));

    const Result vesta = run({QStringLiteral("build"), QStringLiteral("057.json"), QStringLiteral("-o"),
                              QStringLiteral("v.npc"), QStringLiteral("--layout"), QStringLiteral("vesta")});
    EXPECT_EQ(vesta.code, 0);
    EXPECT_EQ(fileBytes(QStringLiteral("v.npc")), NpcWriter::encode(records, NpcLayout::VestaLayout));
}

TEST_F(CliScriptCommandsTest, BuildRefusesABadFileAndWritesNothing)
{
    writeFile(QStringLiteral("old.npc"), "keep me");
    writeFile(QStringLiteral("bad.json"), R"({"records": [{"index": 3, "FDay": 300}]})");
    const Result result = run({QStringLiteral("build"), QStringLiteral("bad.json"), QStringLiteral("-o"),
                               QStringLiteral("old.npc")});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.err, QStringLiteral("scrivlet-cli: bad.json: запись 3, поле FDay: значение 300 не "
                                         "помещается в поле (-128–255)\n"));
    EXPECT_EQ(fileBytes(QStringLiteral("old.npc")), "keep me");

    const Result missing = run({QStringLiteral("build"), QStringLiteral("none.json"), QStringLiteral("-o"),
                                QStringLiteral("new.npc")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(missing.err.startsWith(QStringLiteral("scrivlet-cli: none.json: ")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("new.npc")));

    // Record 49 has no place in a Vesta file.
    writeFile(QStringLiteral("49.json"), R"({"layout": "vesta", "records": [{"index": 49, "Spare19": 1}]})");
    const Result dropped = run({QStringLiteral("build"), QStringLiteral("49.json"), QStringLiteral("-o"),
                                QStringLiteral("new.npc")});
    EXPECT_EQ(dropped.code, 1);
    EXPECT_TRUE(dropped.err.contains(QStringLiteral("запись 49 не пуста")));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("new.npc")));
}

// One rule for every command that writes game files: an existing file is replaced only
// with --force, and build never writes a script under a dialogue file's name.
TEST_F(CliScriptCommandsTest, GameFilesAreReplacedOnlyWithForce)
{
    writeFile(QStringLiteral("j.json"), R"({"records": [], "phrases": ["ok"]})");
    writeFile(QStringLiteral("t.txt"), "#0\r\nok\r\n\r\n");
    struct Case {
        QStringList arguments;
        QString existing;
        QString created; // must not appear when refused
    };
    const QString convert = QStringLiteral("convert");
    const Case cases[] = {
        {{QStringLiteral("build"), QStringLiteral("j.json"), QStringLiteral("-o"), QStringLiteral("a.npc")},
         QStringLiteral("a.npc"), QStringLiteral("a.edt")},
        {{QStringLiteral("build"), QStringLiteral("j.json"), QStringLiteral("-o"), QStringLiteral("b.npc")},
         QStringLiteral("b.edt"), QStringLiteral("b.npc")},
        {{convert, QStringLiteral("--to"), QStringLiteral("vesta"), QStringLiteral("057.npc"), QStringLiteral("-o"),
          QStringLiteral("c.npc")},
         QStringLiteral("c.npc"), {}},
        {{QStringLiteral("txt2edt"), QStringLiteral("t.txt"), QStringLiteral("-o"), QStringLiteral("d.edt")},
         QStringLiteral("d.edt"), {}},
    };
    for (const Case &c : cases) {
        writeFile(c.existing, "keep me");
        const Result refused = run(c.arguments);
        EXPECT_EQ(refused.code, 1) << c.existing.toStdString();
        EXPECT_EQ(refused.err, QStringLiteral("scrivlet-cli: ") + c.existing +
                                   QStringLiteral(": файл уже есть; ничего не записано (--force заменяет его)\n"));
        EXPECT_EQ(fileBytes(c.existing), "keep me");
        EXPECT_TRUE(c.created.isEmpty() || !QFileInfo::exists(c.created)) << c.created.toStdString();
        const Result forced = run(c.arguments + QStringList{QStringLiteral("--force")});
        EXPECT_EQ(forced.code, 0) << forced.err.toStdString();
        EXPECT_NE(fileBytes(c.existing), "keep me");
    }

    writeScript(QStringLiteral("out.edt"), records);
    const QByteArray dialogue = fileBytes(QStringLiteral("out.edt"));
    for (const char *name : {"out.edt", "out"}) {
        const Result wrongName = run({QStringLiteral("build"), QStringLiteral("j.json"), QStringLiteral("-o"),
                                      QLatin1String(name), QStringLiteral("--force")});
        EXPECT_EQ(wrongName.code, 2) << name;
        EXPECT_TRUE(wrongName.err.contains(QStringLiteral("только в файл .npc"))) << wrongName.err.toStdString();
    }
    EXPECT_EQ(fileBytes(QStringLiteral("out.edt")), dialogue);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("out")));
}

TEST_F(CliScriptCommandsTest, ConvertInPlaceOrToAnotherFile)
{
    const QByteArray standard = fileBytes(QStringLiteral("057.npc"));
    Result result = run({QStringLiteral("convert"), QStringLiteral("--to"), QStringLiteral("vesta"),
                         QStringLiteral("057.npc")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(fileBytes(QStringLiteral("057.npc")), NpcWriter::encode(records, NpcLayout::VestaLayout));

    result = run({QStringLiteral("convert"), QStringLiteral("--to"), QStringLiteral("standard"),
                  QStringLiteral("057.npc"), QStringLiteral("-o"), QStringLiteral("back.npc")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(fileBytes(QStringLiteral("back.npc")), standard);

    // Already in that layout: nothing to write.
    result = run({QStringLiteral("convert"), QStringLiteral("--to"), QStringLiteral("standard"),
                  QStringLiteral("back.npc")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.err, QStringLiteral("scrivlet-cli: back.npc: уже в формате standard\n"));
}

TEST_F(CliScriptCommandsTest, ConvertRefusesToDropRecord49UnlessForced)
{
    records[49] = plain();
    writeScript(QStringLiteral("full.npc"), records);
    const QByteArray before = fileBytes(QStringLiteral("full.npc"));
    const QStringList convert{QStringLiteral("convert"), QStringLiteral("--to"), QStringLiteral("vesta"),
                              QStringLiteral("full.npc")};
    const Result refused = run(convert);
    EXPECT_EQ(refused.code, 1);
    EXPECT_EQ(refused.err,
              QStringLiteral("scrivlet-cli: full.npc: запись 49 не пуста, а в формате vesta для неё "
                             "нет места; ничего не записано (--force записывает без неё)\n"));
    EXPECT_EQ(fileBytes(QStringLiteral("full.npc")), before);

    const Result forced = run(convert + QStringList{QStringLiteral("--force")});
    EXPECT_EQ(forced.code, 0);
    EXPECT_EQ(fileBytes(QStringLiteral("full.npc")), NpcWriter::encode(records, NpcLayout::VestaLayout));
}

TEST_F(CliScriptCommandsTest, DiffListsChangedFieldsLayoutFirst)
{
    NpcRecords changed = records;
    changed[3].TriggT = 5;
    changed[7].FDay = 4;
    writeScript(QStringLiteral("b.npc"), changed, NpcLayout::VestaLayout);
    const Result text = run({QStringLiteral("diff"), QStringLiteral("057.npc"), QStringLiteral("b.npc")});
    EXPECT_EQ(text.code, 1);
    EXPECT_EQ(text.out, QStringLiteral("layout: standard -> vesta\n"
                                       "record 3: TriggT 1 (Ссора) -> 5 (Помощь)\n"
                                       "record 7: FDay 0 -> 4\n"));
    const Result json = run({QStringLiteral("diff"), QStringLiteral("057.npc"), QStringLiteral("b.npc"),
                             QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_EQ(json.code, 1);
    EXPECT_EQ(json.out, QStringLiteral("{\n"
                                       "  \"layout\": [\"standard\", \"vesta\"],\n"
                                       "  \"changes\": [\n"
                                       "    {\"record\": 3, \"field\": \"TriggT\", \"old\": 1, \"new\": 5},\n"
                                       "    {\"record\": 7, \"field\": \"FDay\", \"old\": 0, \"new\": 4}\n"
                                       "  ]\n"
                                       "}\n"));
    const Result same = run({QStringLiteral("diff"), QStringLiteral("057.npc"), QStringLiteral("057.npc"),
                             QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_EQ(same.code, 0);
    EXPECT_EQ(same.out, QStringLiteral("{\n  \"layout\": null,\n  \"changes\": []\n}\n"));
}

TEST_F(CliScriptCommandsTest, Edt2TxtWritesTheEditorsExport)
{
    writeEdt(QStringLiteral("057.edt"), {"Hi there", QByteArray("\xc4\xe0", 2)});
    const QByteArray expected = QByteArray("#0\r\nHi there\r\n\r\n#1\r\n\xc4\xe0\r\n\r\n");
    Result result = run({QStringLiteral("edt2txt"), QStringLiteral("057.edt")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.outBytes, expected);

    result = run({QStringLiteral("edt2txt"), QStringLiteral("057.edt"), QStringLiteral("--utf8"),
                  QStringLiteral("-o"), QStringLiteral("057.txt")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.outBytes, QByteArray());
    EXPECT_EQ(fileBytes(QStringLiteral("057.txt")),
              QStringLiteral("#0\r\nHi there\r\n\r\n#1\r\nДа\r\n\r\n").toUtf8());
}

TEST_F(CliScriptCommandsTest, Edt2TxtShowsControlBytesOnATerminalOnly)
{
    // Not a dialogue file: an escape sequence that would clear the screen, a bell, a tab.
    writeEdt(QStringLiteral("x.edt"), {QByteArray("\x1b[2J\x07" "a\tb\x7f", 9)});
    const QByteArray raw("#0\r\n\x1b[2J\x07" "a\tb\x7f\r\n\r\n");
    EXPECT_EQ(run({QStringLiteral("edt2txt"), QStringLiteral("x.edt")}).outBytes, raw) << "a pipe takes the bytes";
    ASSERT_EQ(run({QStringLiteral("edt2txt"), QStringLiteral("x.edt"), QStringLiteral("-o"), QStringLiteral("x.txt")})
                  .code,
              0);
    EXPECT_EQ(fileBytes(QStringLiteral("x.txt")), raw);

#ifndef Q_OS_WIN
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(slave, 0);
    termios mode{};
    tcgetattr(slave, &mode);
    cfmakeraw(&mode); // the bytes as written, no CR added
    tcsetattr(slave, TCSANOW, &mode);
    {
        QFile terminal;
        ASSERT_TRUE(terminal.open(slave, QIODevice::WriteOnly | QIODevice::Unbuffered));
        QBuffer err;
        err.open(QIODevice::WriteOnly);
        EXPECT_EQ(runCli({QStringLiteral("edt2txt"), QStringLiteral("x.edt"), QStringLiteral("--utf8")}, terminal,
                         err),
                  0);
    }
    QByteArray shown(256, '\0');
    const ssize_t got = read(master, shown.data(), shown.size());
    ASSERT_GT(got, 0);
    shown.truncate(got);
    EXPECT_EQ(shown, QByteArray("#0\r\n\\x1B[2J\\x07a\tb\\x7F\r\n\r\n"));
    close(slave);
    close(master);
#endif
}
