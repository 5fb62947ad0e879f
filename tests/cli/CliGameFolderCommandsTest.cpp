// renumber and merge: the commands that change files.
#include "cli/CliFixture.h"
#include "common/Windows1251.h"
#include "editor/RenumberApply.h"
#include "editor/RenumberPlanner.h"
#include "support/FileLimits.h"
#include "support/FolderSnapshot.h"
#include "support/KillingFileOps.h"
#include "support/QtPrinters.h"

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif


namespace
{

class CliGameFolderCommandsTest : public CliFixture
{
protected:
    void SetUp() override
    {
        CliFixture::SetUp();
        smith[0] = plain();
        smith[0].ItemIn = 2;
        smith[0].ControlNpc = 57;
        smith[0].ControlRec = 1;
        smith[1] = plain();
        writeScript(QStringLiteral("game/057.npc"), smith);
        writeEdt(QStringLiteral("game/057.edt"), {"a"});
        NpcRecords guard{};
        guard[3] = plain();
        guard[3].ItemOut = 2;
        guard[3].ControlNpc = 57;
        writeScript(QStringLiteral("game/sub/Guard.npc"), guard);
    }

    NpcRecords read(const QString &path) const
    {
        NpcReader reader;
        EXPECT_TRUE(reader.read(path)) << path.toStdString();
        return reader.records();
    }

    NpcRecords smith{};
};

} // namespace

TEST_F(CliGameFolderCommandsTest, RenumberPrintsThePlanAndAppliesItUnlessDryRun)
{
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
    const QStringList arguments{QStringLiteral("renumber"), QStringLiteral("item"), QStringLiteral("2=5"),
                                QStringLiteral("game")};
    const Result dry = run(arguments + QStringList{QStringLiteral("--dry-run")});
    const QString plan = QStringLiteral("game/057.npc:0: ItemIn 2 -> 5\n"
                                        "game/sub/Guard.npc:3: ItemOut 2 -> 5\n"
                                        "Data/Items.txt:2: 2=Хлеб -> 5=Хлеб\n");
    EXPECT_EQ(dry.code, 0);
    EXPECT_EQ(dry.out, plan);
    EXPECT_EQ(dry.err, QString());
    EXPECT_EQ(folderSnapshot(dir.path()), before);

    const Result applied = run(arguments);
    EXPECT_EQ(applied.code, 0) << applied.err.toStdString();
    EXPECT_EQ(applied.out, plan);
    EXPECT_EQ(read(QStringLiteral("game/057.npc"))[0].ItemIn, 5);
    EXPECT_EQ(read(QStringLiteral("game/sub/Guard.npc"))[3].ItemOut, 5);
    EXPECT_EQ(fileBytes(QStringLiteral("Data/Items.txt")),
              toWindows1251(QStringLiteral("1=Монета\r\n5=Хлеб\r\n")));

    const Result character = run(
        {QStringLiteral("renumber"), QStringLiteral("npc"), QStringLiteral("57=58"), QStringLiteral("game")});
    EXPECT_EQ(character.code, 0) << character.err.toStdString();
    EXPECT_EQ(character.out, QStringLiteral("game/057.npc:0: ControlNpc 57 -> 58\n"
                                            "game/sub/Guard.npc:3: ControlNpc 57 -> 58\n"
                                            "game/057.npc -> game/058.npc\n"
                                            "game/057.edt -> game/058.edt\n"
                                            "Data/Npc.txt:1: 57=Кузнец -> 58=Кузнец\n"));
    EXPECT_EQ(read(QStringLiteral("game/058.npc"))[0].ControlNpc, 58);
}

TEST_F(CliGameFolderCommandsTest, RenumberExitsOneWhenRefusedAndTwoForBadUsageOrUnreadableInput)
{
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
    struct Case {
        QStringList arguments;
        int code;
        QString err;
    };
    const Case cases[] = {
        {{QStringLiteral("item"), QStringLiteral("2=1"), QStringLiteral("game")},
         1,
         QStringLiteral("scrivlet-cli renumber: номер 1 уже занят: Data/Items.txt:1\n")},
        {{QStringLiteral("npc"), QStringLiteral("57=112"), QStringLiteral("game")},
         1,
         QStringLiteral("scrivlet-cli renumber: номер 112 уже занят: Data/Npc.txt:2\n")},
        {{QStringLiteral("item"), QStringLiteral("2=5"), QStringLiteral("none")},
         2,
         QStringLiteral("scrivlet-cli: none: нет такой папки\n")},
        {{QStringLiteral("things"), QStringLiteral("2=5"), QStringLiteral("game")},
         2,
         QStringLiteral("scrivlet-cli renumber: неизвестный вид «things» (возможны: item, fact, quest, "
                        "quest-close, action, "
                        "reaction, mode, npc)\nСправка: scrivlet-cli renumber --help\n")},
        {{QStringLiteral("item"), QStringLiteral("2-5"), QStringLiteral("game")},
         2,
         QStringLiteral("scrivlet-cli renumber: ожидается СТАРЫЙ=НОВЫЙ, два целых числа, а не «2-5»\n"
                        "Справка: scrivlet-cli renumber --help\n")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Result result = run(QStringList{QStringLiteral("renumber")} + c.arguments);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.out, QString());
        EXPECT_EQ(result.err, c.err);
    }
    writeFile(QStringLiteral("game/broken.npc"), "no script");
    const Result unreadable = run(
        {QStringLiteral("renumber"), QStringLiteral("item"), QStringLiteral("2=5"), QStringLiteral("game")});
    EXPECT_EQ(unreadable.code, 2);
    QFile::remove(QStringLiteral("game/broken.npc"));
    EXPECT_EQ(folderSnapshot(dir.path()), before);
}

TEST_F(CliGameFolderCommandsTest, RenumberWritesNothingOutsideTheFolderNorAReadOnlyScript)
{
    SKIP_WITHOUT_UNIX_FILES();
    const QTemporaryDir outside;
    const QString away = outside.filePath(QStringLiteral("away.npc"));
    ASSERT_TRUE(QFile::copy(QStringLiteral("game/sub/Guard.npc"), away));
    const QStringList renumber{QStringLiteral("renumber"), QStringLiteral("item"), QStringLiteral("2=5"),
                               QStringLiteral("game")};
    // A link out of the folder, alone and at the end of a chain of links inside it.
    struct Case {
        QStringList links; // pairs: target, link
        QString named;
    };
    const Case refused[] = {
        {{away, QStringLiteral("game/link.npc")}, QStringLiteral("game/link.npc")},
        {{away, QStringLiteral("game/b/hop"), QStringLiteral("b/hop"), QStringLiteral("game/chain.npc")},
         QStringLiteral("game/chain.npc")},
    };
    for (const Case &c : refused) {
        SCOPED_TRACE(c.named.toStdString());
        QDir().mkpath(QStringLiteral("game/b"));
        for (qsizetype i = 0; i < c.links.size(); i += 2)
            ASSERT_TRUE(QFile::link(c.links[i], c.links[i + 1]));
        const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
        const Result result = run(renumber);
        EXPECT_EQ(result.code, 2);
        EXPECT_TRUE(result.err.contains(c.named + QStringLiteral(":\nссылка ведёт за пределы папки game")))
            << result.err.toStdString();
        EXPECT_EQ(folderSnapshot(dir.path()), before);
        QDir(QStringLiteral("game/b")).removeRecursively();
        for (qsizetype i = 1; i < c.links.size(); i += 2)
            QFile::remove(c.links[i]);
    }
    EXPECT_EQ(read(away)[3].ItemOut, 2);

    // A chain that leaves the folder and comes back ends on a script inside: written there.
    ASSERT_TRUE(QFile::link(QDir::current().absoluteFilePath(QStringLiteral("game/sub/Guard.npc")),
                            outside.filePath(QStringLiteral("back"))));
    ASSERT_TRUE(QFile::link(outside.filePath(QStringLiteral("back")), QStringLiteral("game/round.npc")));
    QFile::setPermissions(QStringLiteral("game/057.npc"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
    const Result readOnly = run(renumber);
    EXPECT_EQ(readOnly.code, 2);
    EXPECT_TRUE(readOnly.err.contains(QStringLiteral("game/057.npc:\nфайл только для чтения"))) << readOnly.err.toStdString();
    EXPECT_EQ(folderSnapshot(dir.path()), before);
    QFile::setPermissions(QStringLiteral("game/057.npc"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const Result written = run(renumber);
    EXPECT_EQ(written.code, 0) << written.err.toStdString();
    EXPECT_EQ(read(QStringLiteral("game/sub/Guard.npc"))[3].ItemOut, 5);
    EXPECT_TRUE(QFileInfo(QStringLiteral("game/round.npc")).isSymLink());
    EXPECT_TRUE(QFileInfo(outside.filePath(QStringLiteral("back"))).isSymLink());
}

TEST_F(CliGameFolderCommandsTest, ARenumberingCutShortIsTakenBackByRecoverOrTheNextFolderCommand)
{
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
    const auto cutShort = [] {
        RenumberRequest request{QStringLiteral("game"), RenumberKind::Npc, 57, 58, {}};
        const RenumberPlan plan = std::get<RenumberPlan>(RenumberPlanner::planAll(request));
        KillingFileOps ops;
        ops.killAt = 6; // the files written, one replaced
        QString error;
        EXPECT_THROW(applyRenumbering(plan, error, ops), KillingFileOps::Killed);
    };
    cutShort();
    EXPECT_NE(folderSnapshot(dir.path()), before);
    const Result recovered = run({QStringLiteral("recover"), QStringLiteral("game")});
    EXPECT_EQ(recovered.code, 0) << recovered.err.toStdString();
    EXPECT_TRUE(recovered.out.startsWith(QStringLiteral("scrivlet-cli: Прерванная запись файлов (3) в папке ")))
        << recovered.out.toStdString();
    EXPECT_TRUE(recovered.out.endsWith(QStringLiteral("game отменена: все файлы прежние.\n")));
    EXPECT_EQ(folderSnapshot(dir.path()), before);
    EXPECT_EQ(run({QStringLiteral("recover"), QStringLiteral("game")}).out, QString());

    cutShort();
    const Result found = run({QStringLiteral("find"), QStringLiteral("game/sub"), QStringLiteral("--npc"),
                              QStringLiteral("57")});
    EXPECT_EQ(found.code, 0);
    EXPECT_TRUE(found.err.contains(QStringLiteral("отменена: все файлы прежние."))) << found.err.toStdString();
    EXPECT_TRUE(found.out.startsWith(QStringLiteral("game/sub/Guard.npc:3: ControlNpc=57"))) << found.out.toStdString();
    EXPECT_EQ(folderSnapshot(dir.path()), before);
}

TEST_F(CliGameFolderCommandsTest, NoCommandWritesADialogueFileTheReadersWouldRefuse)
{
    constexpr qsizetype Lines = 64 * 1024 * 1024 / 480 + 1;
    QByteArray json = "{\"records\": [], \"phrases\": [\"a\"";
    QByteArray text;
    for (qsizetype k = 0; k < Lines; ++k) {
        json += k ? ", \"a\"" : "";
        text += '#' + QByteArray::number(k) + "\r\na\r\n\r\n";
    }
    writeFile(QStringLiteral("big.json"), json + "]}");
    writeFile(QStringLiteral("big.txt"), text);
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
    for (const QStringList &arguments :
         {QStringList{QStringLiteral("build"), QStringLiteral("big.json"), QStringLiteral("-o"), QStringLiteral("big.npc")},
          QStringList{QStringLiteral("txt2edt"), QStringLiteral("big.txt")}}) {
        const Result result = run(arguments);
        EXPECT_EQ(result.code, 2);
        EXPECT_TRUE(result.err.contains(QStringLiteral("не больше 139810 (Файл слишком велик: больше 64 МБ); ничего не записано")))
            << result.err.toStdString();
    }
    EXPECT_EQ(folderSnapshot(dir.path()), before);
}

TEST_F(CliGameFolderCommandsTest, MergeWritesOursOrTheOutputAndListsEveryConflict)
{
    NpcRecords ours = smith;
    ours[0].FDay = 5;
    ours[1].LDay = 9;
    NpcRecords theirs = smith;
    theirs[0].FDay = 6;
    theirs[1].Leader = 30;
    theirs[4] = plain();
    writeScript(QStringLiteral("base"), smith);
    writeScript(QStringLiteral("ours"), ours);
    writeScript(QStringLiteral("theirs"), theirs);

    const Result merged = run({QStringLiteral("merge"), QStringLiteral("base"), QStringLiteral("ours"),
                               QStringLiteral("theirs"), QStringLiteral("-o"), QStringLiteral("out.npc")});
    EXPECT_EQ(merged.code, 1);
    EXPECT_EQ(merged.out, QString());
    EXPECT_EQ(merged.err, QStringLiteral("0 FDay: base 0, ours 5, theirs 6\n"));
    NpcRecords expected = ours;
    expected[1].Leader = 30;
    expected[4] = plain();
    EXPECT_EQ(read(QStringLiteral("out.npc")), expected);

    writeScript(QStringLiteral("theirs"), smith);
    const Result clean = run(
        {QStringLiteral("merge"), QStringLiteral("base"), QStringLiteral("theirs"), QStringLiteral("ours")});
    EXPECT_EQ(clean.code, 0);
    EXPECT_EQ(clean.err, QString());
    EXPECT_EQ(read(QStringLiteral("theirs")), ours); // written in place of ours, as git expects

    writeEdt(QStringLiteral("b.edt"), {"hello", "how"});
    writeEdt(QStringLiteral("o.edt"), {"hello", "what"});
    writeEdt(QStringLiteral("t.edt"), {"hello", "who", "new"});
    const Result dialogue = run(
        {QStringLiteral("merge"), QStringLiteral("b.edt"), QStringLiteral("o.edt"), QStringLiteral("t.edt")});
    EXPECT_EQ(dialogue.code, 1);
    EXPECT_EQ(dialogue.err, QStringLiteral("1: base \"how\", ours \"what\", theirs \"who\"\n"
                                           "2: base нет, ours нет, theirs \"new\"\n"));

    const Result missing = run(
        {QStringLiteral("merge"), QStringLiteral("none"), QStringLiteral("o.edt"), QStringLiteral("t.edt")});
    EXPECT_EQ(missing.code, 2);
}

// Git's temporary files have no extension: the name git passes or all three inputs decide
// the kind, an input of neither kind is refused, and a script's trailing bytes are one block.
TEST_F(CliGameFolderCommandsTest, MergeNeverTakesAScriptForADialogueFile)
{
    const auto script = [&](const NpcRecords &records, const QByteArray &tail) {
        return NpcWriter::encode(records, NpcLayout::StandardLayout) + tail;
    };
    NpcRecords theirs = smith;
    theirs[47] = plain();
    NpcRecords ours = smith;
    ours[0].FDay = 3;
    const QByteArray tail(320, '\x11'); // 1920 bytes: whole dialogue records too
    writeFile(QStringLiteral("base"), script(smith, tail));
    writeFile(QStringLiteral("theirs"), script(theirs, tail));
    const QStringList merge{QStringLiteral("merge"), QStringLiteral("base"), QStringLiteral("ours"),
                            QStringLiteral("theirs")};

    writeFile(QStringLiteral("ours"), script(ours, tail));
    Result result = run(merge);
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    NpcRecords both = ours;
    both[47] = plain();
    EXPECT_EQ(fileBytes(QStringLiteral("ours")), script(both, tail));

    writeFile(QStringLiteral("ours"), script(ours, QByteArray(320, '\x22')));
    writeFile(QStringLiteral("theirs"), script(theirs, QByteArray(320, '\x33')));
    result = run(merge);
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, QStringLiteral("tail: base 320 B, ours 320 B, theirs 320 B\n"));
    EXPECT_EQ(fileBytes(QStringLiteral("ours")), script(both, QByteArray(320, '\x22')));

    const QByteArray unreadable = "A" + QByteArray(1919, '\0');
    for (const QStringList &name : {QStringList{}, QStringList{QStringLiteral("--name"), QStringLiteral("-x.npc")}}) {
        writeFile(QStringLiteral("ours"), unreadable);
        result = run(merge + name);
        EXPECT_EQ(result.code, 2) << name.join(u' ').toStdString();
        EXPECT_TRUE(result.err.startsWith(QStringLiteral("scrivlet-cli: ours: "))) << result.err.toStdString();
        EXPECT_EQ(fileBytes(QStringLiteral("ours")), unreadable);
    }
}

// A name in Windows-1251 bytes, as names from Windows zips often are, is not valid UTF-8:
// Qt does not list it at all. Every folder command names it instead of skipping it, and
// renumber changes nothing, the lists included.
TEST_F(CliGameFolderCommandsTest, ScriptsNamedOutsideTheSystemEncodingAreRefusedByName)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows names are UTF-16";
#else
    const QByteArray script = NpcWriter::encode(smith, NpcLayout::StandardLayout);
    for (const QByteArray &name : {QByteArray("game/\xcf\xf0\xee.npc"), QByteArray("game/\xd1")}) {
        const QByteArray path = QFile::encodeName(dir.path()) + '/' + name;
        if (!name.endsWith(".npc")) {
            ASSERT_EQ(mkdir(path.constData(), 0755), 0);
            continue;
        }
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, script.constData(), size_t(script.size())), script.size());
        ::close(fd);
    }
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());
    const QList<QStringList> commands = {
        {QStringLiteral("check"), QStringLiteral("game")},
        {QStringLiteral("find"), QStringLiteral("game"), QStringLiteral("--item"), QStringLiteral("2")},
        {QStringLiteral("xref"), QStringLiteral("game")},
        {QStringLiteral("renumber"), QStringLiteral("item"), QStringLiteral("2=5"), QStringLiteral("game")},
    };
    for (const QStringList &command : commands) {
        const Result result = run(command);
        EXPECT_EQ(result.code, 2) << command.first().toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("game/\\xCF\\xF0\\xEE.npc: имя не читается")))
            << command.first().toStdString() << ": " << result.err.toStdString();
        if (command.first() != QLatin1String("renumber")) {
            EXPECT_TRUE(result.err.contains(QStringLiteral("game/\\xD1: имя не читается")))
                << result.err.toStdString();
        }
    }
    EXPECT_EQ(folderSnapshot(dir.path()), before);
#endif
}
