#include "cli/CliFixture.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QFileInfo>

namespace
{

class CliDialogueCommandsTest : public CliFixture
{
protected:
    // 057.npc, whose record 0 speaks `spoken` of the lines of 057.edt, dumped as JSON
    // into 057.json and built back into out/057.npc.
    std::pair<Result, Result> dumpAndBuild(const QList<QByteArray> &lines, int spoken)
    {
        NpcRecords records{};
        records[0] = plain();
        records[0].Phrase = 0;
        records[0].PhraseCnt = quint8(spoken);
        writeScript(QStringLiteral("057.npc"), records);
        writeEdt(QStringLiteral("057.edt"), lines);
        const Result dump =
            run({QStringLiteral("dump"), QStringLiteral("057.npc"), QStringLiteral("--format=json")});
        writeFile(QStringLiteral("057.json"), dump.outBytes);
        QDir().mkpath(QStringLiteral("out"));
        return {dump, run({QStringLiteral("build"), QStringLiteral("057.json"), QStringLiteral("-o"),
                           QStringLiteral("out/057.npc")})};
    }
};

} // namespace

TEST_F(CliDialogueCommandsTest, Txt2EdtIsTheInverseOfEdt2Txt)
{
    // Leftovers after the end of a record and a tail are not part of the text: the file
    // written again has records that end with a 0 unit and use 0x0020 for blanks.
    writeEdt(QStringLiteral("057.edt"), {"Hi there", QByteArray("\xc4\xe0 \xff", 4), ""});
    run({QStringLiteral("edt2txt"), QStringLiteral("057.edt"), QStringLiteral("-o"),
         QStringLiteral("057.txt")});
    run({QStringLiteral("edt2txt"), QStringLiteral("057.edt"), QStringLiteral("--utf8"), QStringLiteral("-o"),
         QStringLiteral("utf8.txt")});

    Result result = run({QStringLiteral("txt2edt"), QStringLiteral("057.txt"), QStringLiteral("-o"),
                         QStringLiteral("back.edt")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.err, QString());
    EXPECT_EQ(fileBytes(QStringLiteral("back.edt")), fileBytes(QStringLiteral("057.edt")));
    result = run({QStringLiteral("txt2edt"), QStringLiteral("utf8.txt"), QStringLiteral("--utf8")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(fileBytes(QStringLiteral("utf8.edt")), fileBytes(QStringLiteral("057.edt")))
        << "FILE.edt by default";

    // The dialogue file beside it is replaced only when asked.
    writeFile(QStringLiteral("057.txt"), "#0\r\nnew\r\n\r\n");
    const QByteArray before = fileBytes(QStringLiteral("057.edt"));
    result = run({QStringLiteral("txt2edt"), QStringLiteral("057.txt")});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(
        result.err,
        QStringLiteral("scrivlet-cli: 057.edt: файл уже есть; ничего не записано (--force заменяет его)\n"));
    EXPECT_EQ(fileBytes(QStringLiteral("057.edt")), before);
    EXPECT_EQ(run({QStringLiteral("txt2edt"), QStringLiteral("057.txt"), QStringLiteral("--force")}).code, 0);
    EXPECT_EQ(fileBytes(QStringLiteral("057.edt")).left(8), QByteArray("o\0f\0x\0\0\0", 8));
}

TEST_F(CliDialogueCommandsTest, Txt2EdtNamesTheBadLineAndWritesNothing)
{
    writeFile(QStringLiteral("bad.txt"), "#0\r\nA\r\n\r\n#1\r\n" + QByteArray(241, 'b') + "\r\n\r\n");
    const Result result = run({QStringLiteral("txt2edt"), QStringLiteral("bad.txt")});
    EXPECT_EQ(result.code, 2);
    EXPECT_EQ(result.err,
              QStringLiteral("scrivlet-cli: bad.txt: строка 5: фраза 1: Фраза длиннее 240 знаков: 241.\n"));
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("bad.edt")));
}

TEST_F(CliDialogueCommandsTest, CheckFindsUnspokenEmptyAndUnshowableLines)
{
    NpcRecords records{};
    records[0] = plain();
    records[0].Phrase = 0;
    records[0].PhraseCnt = 2;
    records[3] = plain();
    records[3].Phrase = 1;
    records[3].PhraseCnt = 1;
    writeScript(QStringLiteral("057.npc"), records);
    writeEdt(QStringLiteral("057.edt"), {"", "a\x01", "c", "d"});
    const Result result = run({QStringLiteral("check"), QStringLiteral("057.npc")});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out,
              QStringLiteral("057.npc: note: Фразы 2–3 не произносит ни одна запись [unused-phrase]\n"
                             "057.npc:0: warning: Phrase=0, PhraseCnt=2: фраза 0 пуста [empty-phrase]\n"
                             "057.npc:0: warning: Phrase=0, PhraseCnt=2: в фразе 1 управляющий знак "
                             "(код 1), игра её не покажет [phrase-control-char]\n"
                             "057.npc:3: warning: Phrase=1, PhraseCnt=1: в фразе 1 управляющий знак "
                             "(код 1), игра её не покажет [phrase-control-char]\n"));
}

TEST_F(CliDialogueCommandsTest, FindTextNamesEveryRecordThatSpeaksTheLine)
{
    NpcRecords records{};
    records[0] = plain();
    records[0].Phrase = 0;
    records[0].PhraseCnt = 2;
    records[4] = plain();
    records[4].Phrase = 1;
    writeScript(QStringLiteral("game/057.npc"), records);
    writeEdt(QStringLiteral("game/057.edt"),
             {"\xc7\xee\xeb\xee\xf2\xee", "\xe7\xee\xeb\xee\xf2\xee\n!", "x", "\xc7\xce\xcb\xce\xd2\xce"});
    writeScript(QStringLiteral("game/112.npc"), records); // no dialogue file

    Result result = run(
        {QStringLiteral("find"), QStringLiteral("game"), QStringLiteral("--text"), QStringLiteral("зОлОт")});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, QStringLiteral("game/057.npc:0: phrase 0: Золото\n"
                                         "game/057.npc:0: phrase 1: золото\\x0A!\n"
                                         "game/057.npc:4: phrase 1: золото\\x0A!\n"
                                         "game/057.edt: phrase 3: ЗОЛОТО\n"));
    result = run({QStringLiteral("find"), QStringLiteral("game"), QStringLiteral("--text"),
                  QStringLiteral("серебро")});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.out, QString());
    result = run({QStringLiteral("find"), QStringLiteral("game"), QStringLiteral("--text"),
                  QStringLiteral("x"), QStringLiteral("--npc"), QStringLiteral("5")});
    EXPECT_EQ(result.code, 2);
    EXPECT_TRUE(result.err.startsWith(
        QStringLiteral("scrivlet-cli find: --text ищет в фразах, без условий на поля\n")));
}

TEST_F(CliDialogueCommandsTest, AWholeCharacterRoundTripsThroughJson)
{
    const auto [dump, build] = dumpAndBuild({"\xc4\xe0 \"\\", "", "\xb8\x85"}, 2);
    EXPECT_EQ(dump.code, 0);
    EXPECT_TRUE(dump.out.endsWith(
        QStringLiteral("  ],\n  \"phrases\": [\n    \"Да \\\"\\\\\",\n    \"\",\n    \"ё…\"\n  ]\n}\n")))
        << dump.out.right(80).toStdString();
    EXPECT_EQ(build.code, 0);
    EXPECT_EQ(build.err, QString());
    EXPECT_EQ(fileBytes(QStringLiteral("out/057.npc")), fileBytes(QStringLiteral("057.npc")));
    EXPECT_EQ(fileBytes(QStringLiteral("out/057.edt")), fileBytes(QStringLiteral("057.edt")));

    // Without a dialogue file there are no phrases, and build writes none.
    QDir().mkpath(QStringLiteral("solo"));
    QFile::copy(QStringLiteral("057.npc"), QStringLiteral("solo/112.npc"));
    const Result solo =
        run({QStringLiteral("dump"), QStringLiteral("solo/112.npc"), QStringLiteral("--format=json")});
    EXPECT_FALSE(solo.out.contains(QStringLiteral("phrases")));
    writeFile(QStringLiteral("solo.json"), solo.outBytes);
    run({QStringLiteral("build"), QStringLiteral("solo.json"), QStringLiteral("-o"),
         QStringLiteral("solo/113.npc")});
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("solo/113.edt")));
}

// The game shows nothing for control characters, but files hold them: what dump writes,
// build writes back as it was, and check is where they are said.
TEST_F(CliDialogueCommandsTest, ControlCharactersGoBackThroughJsonAndCheckWarnsOfThem)
{
    const Result build = dumpAndBuild({QByteArray("a\x10\n\0\x98\x1e", 6), "\x01"}, 1).second;
    EXPECT_EQ(build.code, 0) << build.err.toStdString();
    EXPECT_EQ(fileBytes(QStringLiteral("out/057.edt")), fileBytes(QStringLiteral("057.edt")));
    const Result check = run({QStringLiteral("check"), QStringLiteral("out/057.npc")});
    EXPECT_TRUE(check.out.contains(QStringLiteral("управляющий знак (код 16)"))) << check.out.toStdString();
}

TEST_F(CliDialogueCommandsTest, BuildRefusesAPhraseItCannotWriteAndWritesNothing)
{
    struct Bad {
        std::string json;
        const char *error;
    };
    const Bad cases[] = {
        {R"({"records": [], "phrases": ["ok", "a\u001fb"]})",
         "phrases[1]: Знак 2 фразы (код 31) файл диалогов не хранит: он читается как пробел."},
        {R"({"records": [], "phrases": [")" + std::string(241, 'x') + R"("]})",
         "phrases[0]: Фраза длиннее 240 знаков: 241."},
        {R"({"records": [], "phrases": ["日"]})",
         "phrases[0]: Знака «日» (U+65E5) нет в кодировке Windows-1251: в фразу его не записать."},
        {R"({"records": [], "phrases": [1]})", "phrases[0]: ожидается строка, а не 1"},
        {R"({"records": [], "phrases": "a"})", "phrases: ожидается массив строк"},
    };
    for (const Bad &bad : cases) {
        writeFile(QStringLiteral("bad.json"), QByteArray::fromStdString(bad.json));
        const Result result = run({QStringLiteral("build"), QStringLiteral("bad.json"), QStringLiteral("-o"),
                                   QStringLiteral("bad.npc")});
        EXPECT_EQ(result.code, 2);
        EXPECT_EQ(result.err,
                  QStringLiteral("scrivlet-cli: bad.json: ") + QString::fromUtf8(bad.error) + u'\n');
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("bad.npc")));
        EXPECT_FALSE(QFileInfo::exists(QStringLiteral("bad.edt")));
    }
}

TEST_F(CliDialogueCommandsTest, BuildWritesTheScriptAndItsDialogueFileOrNeither)
{
    writeFile(QStringLiteral("one.json"), R"({"records": [], "phrases": ["ok"]})");
    QDir().mkpath(QStringLiteral("one.edt")); // the dialogue file cannot be written
    const Result result = run({QStringLiteral("build"), QStringLiteral("one.json"), QStringLiteral("-o"),
                               QStringLiteral("one.npc"), QStringLiteral("--force")});
    EXPECT_EQ(result.code, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("one.edt"))) << result.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral("one.npc")));
}

// Case variants of one name share one dialogue file: each command reads it once, and says
// once that it cannot.
TEST_F(CliDialogueCommandsTest, ADialogueFileSharedByCaseVariantsIsReadOnce)
{
    NpcRecords records{};
    records[0] = plain();
    for (const char *name : {"v/a.npc", "v/A.npc", "v/a.Npc"})
        writeScript(QLatin1String(name), records);
    QFile big(QStringLiteral("v/a.edt"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(65 * 1024 * 1024)); // sparse: above what the reader takes
    big.close();
    const QList<QStringList> commands = {
        {QStringLiteral("check"), QStringLiteral("v")},
        {QStringLiteral("find"), QStringLiteral("v"), QStringLiteral("--text"), QStringLiteral("x")},
        {QStringLiteral("xref"), QStringLiteral("v"), QStringLiteral("--format"), QStringLiteral("dot")},
    };
    for (const QStringList &command : commands) {
        const Result result = run(command);
        EXPECT_EQ(result.code, 2) << command.first().toStdString();
        EXPECT_EQ(result.err.count(QStringLiteral("v/a.edt")), 1) << result.err.toStdString();
    }
}
