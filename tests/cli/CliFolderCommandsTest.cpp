#include "cli/CliFixture.h"
#include "support/QtPrinters.h"

#include <QFile>

namespace
{

// scripts/057.npc links within itself and to 112 and 113; 112 has no dialogue text.
class CliFolderCommandsTest : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        NpcRecords smith{};
        for (int i = 0; i < 5; ++i)
            smith[i] = plain();
        smith[0].ControlNpc = 57;
        smith[0].ControlRec = 5; // empty
        smith[1].ControlNpc = 112;
        smith[1].ControlRec = 0;
        smith[1].TriggF = 5;
        smith[2].ControlNpc = 113; // no such script
        smith[2].ControlRec = 0;
        smith[3].Phrase = 2; // the text has lines 0 and 1
        smith[4].FDay = 5;
        smith[4].LDay = 5;
        smith[4].ControlNpc = 57;
        smith[4].ControlRec = 1;
        writeScript(QStringLiteral("scripts/057.npc"), smith);
        writeEdt(QStringLiteral("scripts/057.EDT"), {"a", "b"});

        NpcRecords guard{};
        guard[0] = plain();
        guard[0].Action = 1;
        guard[0].TriggT = 5;
        guard[1] = plain();
        guard[1].TriggT = 3; // not named
        writeScript(QStringLiteral("scripts/sub/112.NPC"), guard);
        writeScript(QStringLiteral("scripts/112.npc"), guard);
    }
};

} // namespace

TEST_F(CliFolderCommandsTest, CheckPrintsOneLinePerFindingSortedByPathAndRecord)
{
    const Result result = run({QStringLiteral("check"), QStringLiteral("scripts")});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, QString());
    EXPECT_EQ(
        result.out,
        QStringLiteral(
            "scripts/057.npc: note: Фразы 0–1 не произносит ни одна запись [unused-phrase]\n"
            "scripts/057.npc:0: error: ControlRec=5: запись 5 этого скрипта пуста [link-empty]\n"
            "scripts/057.npc:2: warning: ControlNpc=113: в папке нет скрипта NPC 113 [link-missing-script]\n"
            "scripts/057.npc:3: error: Phrase=2: фраза за концом текста (строк в .edt: 2) [phrase-range]\n"
            "scripts/057.npc:4: warning: FDay=5, LDay=5: первый день не раньше последнего [days]\n"
            "scripts/112.npc: note: рядом со скриптом нет файла .edt, фразы не проверены [edt-missing]\n"
            "scripts/112.npc:1: warning: TriggT=3: значение не названо в списке Trigg.txt [undocumented]\n"
            "scripts/sub/112.NPC: note: рядом со скриптом нет файла .edt, фразы не проверены [edt-missing]\n"
            "scripts/sub/112.NPC:1: warning: TriggT=3: значение не названо в списке Trigg.txt "
            "[undocumented]\n"));
}

TEST_F(CliFolderCommandsTest, CheckJsonAndTheExitCodeOfNotesOnly)
{
    const Result json = run({QStringLiteral("check"), QStringLiteral("scripts/057.npc"),
                             QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_EQ(json.code, 1);
    EXPECT_TRUE(json.out.contains(
        QStringLiteral("\n  {\"file\": \"scripts/057.npc\", \"record\": 0, \"level\": \"error\", \"rule\": "
                       "\"link-empty\", \"message\": \"ControlRec=5: запись 5 этого скрипта пуста\"},\n")));
    EXPECT_EQ(json.out.count(QStringLiteral("\"file\"")), 5);

    NpcRecords quiet{};
    quiet[0] = plain();
    writeScript(QStringLiteral("quiet/9.npc"), quiet);
    const Result notes =
        run({QStringLiteral("check"), QStringLiteral("quiet"), QStringLiteral("--format=json")});
    EXPECT_EQ(notes.code, 0);
    EXPECT_EQ(notes.out,
              QStringLiteral("[\n  {\"file\": \"quiet/9.npc\", \"record\": null, \"level\": \"note\", "
                             "\"rule\": \"edt-missing\", \"message\": \"рядом со скриптом нет файла "
                             ".edt, фразы не проверены\"}\n]\n"));
}

TEST_F(CliFolderCommandsTest, CheckGoesOnPastInputsItCannotRead)
{
    writeFile(QStringLiteral("scripts/broken.npc"), "short");
    const Result result = run({QStringLiteral("check"), QStringLiteral("missing.npc"),
                               QStringLiteral("scripts/112.npc"), QStringLiteral("scripts/broken.npc")});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.err, QStringLiteral("scrivlet-cli: missing.npc: нет такого файла или папки\n"
                                         "scrivlet-cli: scripts/broken.npc: Выбранный файл не является "
                                         "NPC-скриптом (размер файла 5, а нужно не меньше 1600 байт)\n"));
    EXPECT_TRUE(result.out.contains(QStringLiteral("scripts/112.npc:1: warning")));
}

TEST_F(CliFolderCommandsTest, CheckListsNamesTheLinesItCannotUse)
{
    const Result clean = run({QStringLiteral("check"), QStringLiteral("--lists")});
    EXPECT_EQ(clean.code, 0);
    EXPECT_EQ(clean.out, QString());

    writeFile(QStringLiteral("other/Items.txt"), "1=coin\r\nabc\r\n2=\xd0\x9c\xd0\xb5\xd1\x87\r\n70000=big\r\n");
    const Result broken = run({QStringLiteral("check"), QStringLiteral("--lists"), QStringLiteral("--data"),
                               QStringLiteral("other")});
    EXPECT_EQ(broken.code, 1);
    const QString items = QDir::toNativeSeparators(QStringLiteral("other/Items.txt"));
    EXPECT_EQ(broken.out,
              items + QStringLiteral(":2: warning: «abc»: нет знака «=» [list-line]\n") + items +
                  QStringLiteral(":3: warning: «2=РњРµС‡»: имя записано в UTF-8 (кириллица), а списки пишутся в "
                                 "Windows-1251 [list-line]\n") +
                  items + QStringLiteral(":4: warning: «70000=big»: номер больше, чем вмещает поле (32767) [list-line]\n"));

    // Scripts and lists together; nothing to check at all is a usage error.
    const Result both = run({QStringLiteral("check"), QStringLiteral("scripts/112.npc"), QStringLiteral("--lists"),
                             QStringLiteral("--data=other")});
    EXPECT_TRUE(both.out.contains(QStringLiteral("[list-line]")));
    EXPECT_TRUE(both.out.contains(QStringLiteral("[undocumented]")));
    EXPECT_EQ(run({QStringLiteral("check")}).code, 2);
}

TEST_F(CliFolderCommandsTest, XrefListsLinksWithTheirState)
{
    const Result text = run({QStringLiteral("xref"), QStringLiteral("scripts/057.npc")});
    EXPECT_EQ(text.code, 0);
    EXPECT_EQ(text.out, QStringLiteral("scripts/057.npc:0 -> scripts/057.npc:5 empty-target\n"
                                       "scripts/057.npc:1 -> scripts/112.npc:0 ok\n"
                                       "scripts/057.npc:2 -> #113:0 missing-script\n"
                                       "scripts/057.npc:4 -> scripts/057.npc:1 ok\n"));

    const Result json = run({QStringLiteral("xref"), QStringLiteral("scripts/057.npc"),
                             QStringLiteral("--format"), QStringLiteral("json")});
    EXPECT_TRUE(json.out.contains(
        QStringLiteral("{\"file\": \"scripts/057.npc\", \"record\": 2, \"npc\": 113, \"target_file\": null, "
                       "\"target_record\": 0, \"local\": false, \"state\": \"missing-script\"}")));

    const Result dot = run({QStringLiteral("xref"), QStringLiteral("scripts/057.npc"),
                            QStringLiteral("--format"), QStringLiteral("dot")});
    // The map's graph: every used record with its conditions and phrase, the targets outside.
    EXPECT_EQ(dot.out, QStringLiteral("digraph scrivlet {\n"
                                      "  rankdir=TB;\n"
                                      "  node [shape=box];\n"
                                      "  subgraph cluster_0 {\n"
                                      "    label=\"scripts/057.npc\";\n"
                                      "    \"scripts/057.npc:0\" [label=\"0 · Подход\"];\n"
                                      "    \"scripts/057.npc:1\" [label=\"1 · Подход\\nне триггер Помощь\"];\n"
                                      "    \"scripts/057.npc:2\" [label=\"2 · Подход\"];\n"
                                      "    \"scripts/057.npc:3\" [label=\"3 · Подход\\nфраза 2\"];\n"
                                      "    \"scripts/057.npc:4\" [label=\"4 · Подход\\nдни 5–5\"];\n"
                                      "    \"scripts/057.npc:5\" [label=\"5\\nпустая запись\", color=\"#c62828\", "
                                      "fontcolor=\"#c62828\", style=dashed];\n"
                                      "  }\n"
                                      "  \"scripts/112.npc:0\" [label=\"#112 · 0\\nСтражник\", "
                                      "style=\"rounded,filled\", fillcolor=\"#e3ecf7\"];\n"
                                      "  \"#113:0\" [label=\"#113 · 0\\nГость\", style=\"rounded,filled\", "
                                      "fillcolor=\"#e3ecf7\"];\n"
                                      "  \"scripts/057.npc:0\" -> \"scripts/057.npc:5\" [color=\"#c62828\", "
                                      "style=dashed, tooltip=\"ControlRec=5: запись 5 этого скрипта пуста\"];\n"
                                      "  \"scripts/057.npc:1\" -> \"scripts/112.npc:0\";\n"
                                      "  \"scripts/057.npc:2\" -> \"#113:0\" [color=\"#c62828\", style=dashed, "
                                      "tooltip=\"ControlNpc=113: в папке нет скрипта NPC 113\"];\n"
                                      "  \"scripts/057.npc:4\" -> \"scripts/057.npc:1\";\n"
                                      "}\n"));
}

TEST_F(CliFolderCommandsTest, FindMatchesEveryConditionAndNamesTheValues)
{
    const Result fact = run(
        {QStringLiteral("find"), QStringLiteral("scripts"), QStringLiteral("--fact"), QStringLiteral("5")});
    EXPECT_EQ(fact.code, 0);
    EXPECT_EQ(fact.out, QStringLiteral("scripts/057.npc:1: TriggF=5 (Помощь)\n"
                                       "scripts/112.npc:0: TriggT=5 (Помощь)\n"
                                       "scripts/sub/112.NPC:0: TriggT=5 (Помощь)\n"));

    const Result both =
        run({QStringLiteral("find"), QStringLiteral("scripts/112.npc"), QStringLiteral("--fact=5"),
             QStringLiteral("--field"), QStringLiteral("Action=1")});
    EXPECT_EQ(both.out, QStringLiteral("scripts/112.npc:0: TriggT=5 (Помощь), Action=1 (Разговор)\n"));

    const Result none = run(
        {QStringLiteral("find"), QStringLiteral("scripts"), QStringLiteral("--npc"), QStringLiteral("-1")});
    EXPECT_EQ(none.code, 0);
    EXPECT_TRUE(none.out.startsWith(QStringLiteral("scripts/057.npc:3: ControlNpc=-1\n")));

    const Result nothing = run(
        {QStringLiteral("find"), QStringLiteral("scripts"), QStringLiteral("--quest"), QStringLiteral("7")});
    EXPECT_EQ(nothing.code, 1);
    EXPECT_EQ(nothing.out, QString());
}

TEST_F(CliFolderCommandsTest, FindRefusesConditionsThatCannotHold)
{
    const QStringList find{QStringLiteral("find"), QStringLiteral("scripts")};
    Result result = run(find + QStringList{QStringLiteral("--field"), QStringLiteral("FDey=1")});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.err,
              QStringLiteral("scrivlet-cli find: --field: ожидается ПОЛЕ=ЗНАЧЕНИЕ с полем записи, а не "
                             "«FDey=1»\nСправка: scrivlet-cli find --help\n"));
    result = run(find + QStringList{QStringLiteral("--quest"), QStringLiteral("256")});
    EXPECT_EQ(result.code, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("--quest: значение 256 не помещается в поле Q_was")));
    result = run(find + QStringList{QStringLiteral("--item"), QStringLiteral("x")});
    EXPECT_TRUE(result.err.contains(QStringLiteral("--item: «x» не число")));
    result = run(find);
    EXPECT_EQ(result.code, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("не задано ни одного условия")));
    EXPECT_EQ(result.out, QString());
}

// A file name can hold escape sequences that would retitle or clear the terminal: every
// path printed shows its control characters as \xNN.
TEST_F(CliFolderCommandsTest, PathsArePrintedWithTheirControlCharactersShown)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows allows no control characters in file names";
#endif
    NpcRecords records{};
    records[0] = plain();
    records[0].ItemIn = 2;
    records[0].ControlNpc = 113;
    records[0].ControlRec = 0;
    writeScript(QStringLiteral("odd/\x1b]0;x\x07\n.npc"), records);
    const QString shown = QStringLiteral("odd/\\x1B]0;x\\x07\\x0A.npc");
    const QList<QStringList> commands = {
        {QStringLiteral("check"), QStringLiteral("odd")},
        {QStringLiteral("find"), QStringLiteral("odd"), QStringLiteral("--item"), QStringLiteral("2")},
        {QStringLiteral("xref"), QStringLiteral("odd")},
        {QStringLiteral("renumber"), QStringLiteral("item"), QStringLiteral("2=5"), QStringLiteral("odd"),
         QStringLiteral("--dry-run")},
        {QStringLiteral("dump"), QStringLiteral("odd/\x1b[2J.npc")},
    };
    for (const QStringList &command : commands) {
        const Result result = run(command);
        const QString printed = result.out + result.err;
        EXPECT_FALSE(printed.contains(QChar(0x1b)) || printed.contains(QChar(0x07))) << command.first().toStdString();
        EXPECT_TRUE(printed.contains(shown) || printed.contains(QStringLiteral("odd/\\x1B[2J.npc")))
            << command.first().toStdString() << ": " << printed.toStdString();
    }
}
