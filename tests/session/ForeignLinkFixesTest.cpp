#include "session/SessionFixture.h"
#include "support/FailingFileOps.h"
#include "support/FolderSnapshot.h"
#include "support/KillingFileOps.h"

#include <random>

namespace
{

constexpr quint8 Own = 57;

NpcReader readBytes(const QByteArray &bytes)
{
    NpcReader reader;
    EXPECT_TRUE(reader.readBytes(bytes));
    return reader;
}

} // namespace

// 057.npc with records 0..9 and 49 told apart by their action, and scripts of its folder
// that link into it.
class ForeignLinkFixesTest : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        for (int i = 0; i < 10; ++i)
            m_own[i] = used(quint8(10 + i));
        m_own[49] = used(99);
        writeScript(QStringLiteral("npc/057.npc"), m_own);
    }

    // Another script whose record i links to record targets[i] of 057 (no link for -1).
    void writeLinking(const QString &name, const QList<int> &targets,
                      NpcLayout layout = NpcLayout::StandardLayout)
    {
        NpcRecords records{};
        for (int i = 0; i < targets.size(); ++i)
            records[i] = targets[i] < 0 ? used(1) : used(1, Own, quint8(targets[i]));
        records[20] = used(2, 112, 7); // a link elsewhere never changes
        writeScript(QStringLiteral("npc/") + name, records, layout);
    }
    void open() { ASSERT_TRUE(session().openScript(pathIn(QStringLiteral("npc/057.npc")), {})); }
    NpcRecords recordsOf(const QString &name)
    {
        return readBytes(readFile(QStringLiteral("npc/") + name)).records();
    }
    QString folder() { return pathIn(QStringLiteral("npc")); }

    NpcRecords m_own{};
};

TEST_F(ForeignLinkFixesTest, LinksFromOtherScriptsFollowTheirRecordsThroughAnyOperations)
{
    // After the save every link of the other scripts leads to the record it led to (told
    // apart by its action), or it is reported as leading to a deleted record and leads to
    // the one before it; nothing else in those files changes.
    std::mt19937 random(22);
    const QList<std::pair<QString, NpcLayout>> others{{QStringLiteral("Shop.npc"), NpcLayout::StandardLayout},
                                                      {QStringLiteral("112.npc"), NpcLayout::VestaLayout}};
    for (int round = 0; round < 40; ++round) {
        QList<int> targets;
        for (int i = 0; i < 12; ++i)
            targets << int(random() % 12) - 1;
        writeLinking(others[0].first, targets);
        writeLinking(others[1].first, {3, 49, 60, 0}, others[1].second);
        const QByteArray before[2]{readFile(QStringLiteral("npc/Shop.npc")),
                                   readFile(QStringLiteral("npc/112.npc"))};
        open();
        for (int step = 0; step < 6; ++step) {
            session().selectRecord(int(random() % 12));
            switch (random() % 5) {
            case 0:
                session().deleteRecord();
                break;
            case 1:
                session().cutRecord();
                break;
            case 2:
                session().copyRecord();
                session().pasteRecord();
                break;
            case 3:
                session().moveRecord(-1);
                break;
            default:
                session().moveRecord(+1);
                break;
            }
        }
        const QString asked = session().otherScriptChanges();
        ASSERT_TRUE(session().save(ScriptSession::OtherScripts::Fix)) << round;
        EXPECT_TRUE(session().otherScriptChanges().isEmpty());
        const NpcRecords own = recordsOf(QStringLiteral("057.npc"));
        for (int file = 0; file < 2; ++file) {
            const QString label = file == 0 ? QStringLiteral("Shop") : QStringLiteral("#112");
            const NpcReader old = readBytes(before[file]);
            NpcRecords expected = old.records();
            const NpcRecords after = recordsOf(others[file].first);
            for (int i = 0; i < RecordCount; ++i) {
                const int was = expected[i].ControlRec;
                if (expected[i].ControlNpc != Own || was >= RecordCount)
                    continue;
                const int now = after[i].ControlRec;
                const QString place =
                    QStringLiteral("%1: запись %2, ControlRec %3").arg(label).arg(i).arg(was);
                const bool deleted = asked.contains(QStringLiteral("%1: %2 → 057:%3 (запись %4 удалена)")
                                                        .arg(label)
                                                        .arg(i)
                                                        .arg(now)
                                                        .arg(was));
                if (now != was && !deleted) {
                    EXPECT_TRUE(asked.contains(place + QStringLiteral(" -> ") + QString::number(now)));
                }
                EXPECT_TRUE(own[now].Action == m_own[was].Action || deleted) << round << ' ' << i << '\n'
                                                                             << asked.toStdString();
                expected[i].ControlRec = quint8(now);
            }
            EXPECT_EQ(readFile(QStringLiteral("npc/") + others[file].first),
                      NpcWriter::encodeInto(before[file], expected, old.layout()))
                << round;
        }
        writeScript(QStringLiteral("npc/057.npc"), m_own);
    }
}

TEST_F(ForeignLinkFixesTest, QuestionsNameTheOtherScriptsAndNoSavesOnlyThisScript)
{
    writeLinking(QStringLiteral("Shop.npc"), {-1, -1, 1});
    writeLinking(QStringLiteral("112.npc"), {-1, -1, -1, -1, 3});
    open();
    session().selectRecord(1);
    EXPECT_EQ(session().linksToCurrent(), QStringLiteral("Shop: 2"));
    session().deleteRecord();
    // The record that was 3 is 2 now, and the status bar says who leads to it.
    session().selectRecord(2);
    EXPECT_EQ(session().analysis().incomingLinks(session().CurRec()).text,
              QStringLiteral("Ссылки на запись 2: #112: 4"));
    EXPECT_EQ(session().otherScriptLinksToCurrent(), QStringLiteral("#112: 4"));
    EXPECT_EQ(
        session().otherScriptChanges(),
        QStringLiteral("Ссылки других скриптов на сдвинутые записи:\r\n"
                       "#112: запись 4, ControlRec 3 -> 2\r\n"
                       "Ссылки других скриптов на удалённые записи (поведут в запись перед удалённой):\r\n"
                       "Shop: 2 → 057:0 (запись 1 удалена)"));

    const auto others = [this] {
        auto files = folderSnapshot(folder());
        files.remove(QStringLiteral("057.npc"));
        return files;
    };
    const auto untouched = others();
    ASSERT_TRUE(session().save());
    EXPECT_EQ(others(), untouched);
    EXPECT_EQ(recordsOf(QStringLiteral("057.npc"))[2].Action, 13);
    EXPECT_TRUE(session().otherScriptChanges().isEmpty()) << "the folder is as saved now";
    EXPECT_FALSE(session().isModified());

    // The links left as they were are problems now, at the records they lead to.
    const auto stale = [this] {
        QStringList found;
        for (const CheckFinding &finding : session().analysis().findings()) {
            if (finding.rule == QStringLiteral("foreign-link-stale"))
                found << QString::number(finding.record) + QLatin1Char(' ') + finding.message;
        }
        return found;
    };
    EXPECT_EQ(
        stale(),
        (QStringList{QStringLiteral("1 ссылка Shop: 2 ведёт в запись 1, а не туда, куда вела до сохранения: "
                                    "та запись удалена, ей следовало вести в 0"),
                     QStringLiteral("3 ссылка #112: 4 ведёт в запись 3, а не туда, куда вела до сохранения: "
                                    "та запись теперь 2")}));
    // Fixed in its script by hand, a link is no problem any more.
    writeLinking(QStringLiteral("Shop.npc"), {-1, -1, 0});
    ASSERT_TRUE(session().save()); // reads the folder again
    ASSERT_EQ(stale().size(), 1);
    EXPECT_TRUE(stale().constFirst().startsWith(QStringLiteral("3 ссылка #112")));
}

TEST_F(ForeignLinkFixesTest, ALinkToADeletedRecordIsFixedToTheRecordBeforeIt)
{
    writeLinking(QStringLiteral("Shop.npc"), {-1, -1, 1});
    open();
    session().selectRecord(1);
    session().deleteRecord();
    ASSERT_TRUE(session().save(ScriptSession::OtherScripts::Fix));
    EXPECT_EQ(recordsOf(QStringLiteral("Shop.npc"))[2].ControlRec, 0);
}

TEST_F(ForeignLinkFixesTest, UndoTakesThePendingChangesBackAlsoPastASave)
{
    writeLinking(QStringLiteral("Shop.npc"), {5});
    open();
    session().selectRecord(2);
    session().moveRecord(+1);
    EXPECT_TRUE(session().otherScriptChanges().isEmpty()) << "5 did not move";
    session().selectRecord(4);
    session().pasteRecord(); // an empty clipboard record pushes 5 down
    EXPECT_TRUE(session().otherScriptChanges().contains(QStringLiteral("Shop: запись 0, ControlRec 5 -> 6")));
    session().undo();
    EXPECT_TRUE(session().otherScriptChanges().isEmpty());
    session().redo();
    ASSERT_TRUE(session().save(ScriptSession::OtherScripts::Fix));
    EXPECT_EQ(recordsOf(QStringLiteral("Shop.npc"))[0].ControlRec, 6);
    session().undo();
    EXPECT_EQ(
        session().otherScriptChanges(),
        QStringLiteral("Ссылки других скриптов на сдвинутые записи:\r\nShop: запись 0, ControlRec 6 -> 5"));

    // Opening the script again forgets what was pending.
    open();
    EXPECT_TRUE(session().otherScriptChanges().isEmpty());
}

TEST_F(ForeignLinkFixesTest, AFailedWriteOrAScriptChangedOnDiskLeavesEveryFileAsItWas)
{
    for (const QString &name : {QStringLiteral("100.npc"), QStringLiteral("101.npc"),
                                QStringLiteral("102.npc"), QStringLiteral("103.npc")})
        writeLinking(name, {4, 7});
    open();
    session().selectRecord(0);
    session().deleteRecord();
    const auto before = folderSnapshot(folder());
    for (int n = 1; n <= 10; ++n) {
        FailingFileOps ops;
        ops.failWrite = n <= 5 ? n : 0;
        ops.failRename = n > 5 ? n - 5 : 0;
        SessionTester::setFileOps(session(), ops);
        const SessionResult saved = session().save(ScriptSession::OtherScripts::Fix);
        ASSERT_FALSE(saved) << n;
        EXPECT_TRUE(saved.message.contains(QStringLiteral("103.npc")) ||
                    saved.message.contains(QStringLiteral("057.npc")))
            << saved.message.toStdString();
        EXPECT_EQ(folderSnapshot(folder()), before) << n;
        EXPECT_TRUE(session().isModified());
    }

    // Another program changed a planned link since the folder was read: nothing is written.
    writeLinking(QStringLiteral("102.npc"), {4, 8});
    const auto changed = folderSnapshot(folder());
    FileOps &system = FileOps::system();
    SessionTester::setFileOps(session(), system);
    const SessionResult saved = session().save(ScriptSession::OtherScripts::Fix);
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.message.contains(QStringLiteral("102.npc")));
    EXPECT_TRUE(saved.message.contains(QStringLiteral("запись 1 больше не ведёт в запись 7")));
    EXPECT_EQ(folderSnapshot(folder()), changed);
    EXPECT_TRUE(session().isModified());
}

TEST_F(ForeignLinkFixesTest, ASaveKilledOnTheWayIsSettledWhenAScriptOfTheFolderIsOpened)
{
    for (const QString &name : {QStringLiteral("100.npc"), QStringLiteral("101.npc")})
        writeLinking(name, {4, 7});
    const auto before = folderSnapshot(folder());
    bool tookBack = false;
    bool finished = false;
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        open();
        session().selectRecord(0);
        session().deleteRecord();
        KillingFileOps ops;
        ops.killAt = n;
        SessionTester::setFileOps(session(), ops);
        bool killed = false;
        try {
            session().save(ScriptSession::OtherScripts::Fix);
        } catch (const KillingFileOps::Killed &) {
            killed = true;
        }
        SessionTester::setFileOps(session(), FileOps::system());
        if (!killed)
            break;
        const auto cut = folderSnapshot(folder());
        const OpenResult opened = session().openScript(pathIn(QStringLiteral("npc/100.npc")), {});
        ASSERT_TRUE(opened);
        EXPECT_FALSE(opened.interruptedWriteFailed);
        const auto now = folderSnapshot(folder());
        // The script and both linking scripts change together or not at all.
        qsizetype same = 0;
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            same += now.value(it.key()) == it.value();
        EXPECT_EQ(now.keys(), before.keys());
        EXPECT_TRUE(same == before.size() || same == 0) << same;
        if (cut != now || !opened.interruptedWrite.isEmpty()) {
            EXPECT_TRUE(opened.interruptedWrite.startsWith(QStringLiteral("Прерванная запись файлов (3) в папке ")))
                << opened.interruptedWrite.toStdString();
        }
        (same == 0 ? finished : tookBack) = true;
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            writeScript(QStringLiteral("npc/") + it.key(), readBytes(it.value()).records());
    }
    EXPECT_TRUE(tookBack);
    EXPECT_TRUE(finished);
}

// Qt does not list a name of bytes the system's encoding cannot read: the links from such
// a script are unknown, and the problems say so by name.
TEST_F(ForeignLinkFixesTest, AScriptNamedOutsideTheSystemEncodingIsNamedAmongTheProblems)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows names are UTF-16";
#else
    writeLinking(QStringLiteral("Shop.npc"), {4});
    const QByteArray odd = QFile::encodeName(folder()) + "/\xcf\xf0\xee.npc";
    const QByteArray bytes = readFile(QStringLiteral("npc/Shop.npc"));
    FILE *file = fopen(odd.constData(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(fwrite(bytes.constData(), 1, size_t(bytes.size()), file), size_t(bytes.size()));
    fclose(file);
    open();
    QStringList named;
    for (const CheckFinding &finding : session().analysis().findings()) {
        if (finding.rule == QStringLiteral("folder-undecodable-name"))
            named << finding.message.section(QLatin1Char(':'), 0, 0);
    }
    EXPECT_EQ(named, QStringList{folder() + QStringLiteral("/\\xCF\\xF0\\xEE.npc")});
    EXPECT_EQ(session().analysis().incomingLinks(4).others, QStringLiteral("Shop: 0")) << "the other links are seen";
#endif
}
