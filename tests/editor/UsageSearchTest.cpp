#include "editor/UsageSearch.h"

#include "document/NpcFile.h"
#include "editor/UsageSummary.h"
#include "support/QtPrinters.h"
#include "support/TestFolder.h"
#include "support/UsedRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

class UsageSearchTest : public TestFolder
{
protected:
    // A script with the fact in TriggT of each of the records.
    void writeScript(const QString &name, std::initializer_list<int> records, quint16 fact = 5) const
    {
        write(name, NpcWriter::encode(withFact(records, fact), NpcLayout::StandardLayout));
    }
    static NpcRecords withFact(std::initializer_list<int> records, quint16 fact)
    {
        NpcRecords list{};
        for (int record : records) {
            list[record] = usedRecord(1);
            list[record].TriggT = fact;
        }
        return list;
    }
    static QList<Usage> runToEnd(UsageSearch &search, int batch, int *steps = nullptr)
    {
        QList<Usage> found;
        int count = 0;
        while (!search.isFinished()) {
            found << search.next(batch);
            ++count;
        }
        if (steps)
            *steps = count;
        return found;
    }
};

} // namespace

TEST_F(UsageSearchTest, ReadsTheScriptsBelowTheFolderInPathOrderABatchAtATime)
{
    writeScript(QStringLiteral("sub/deeper/c.Npc"), {4});
    writeScript(QStringLiteral("b.NPC"), {0, 3});
    writeScript(QStringLiteral("a.npc"), {1});
    writeScript(QStringLiteral("sub/none.npc"), {2}, 6);
    write(QStringLiteral("notes.txt"), "5");
    QDir(dir.path()).mkpath(QStringLiteral("folder.npc"));

    UsageSearch search(dir.path(), {SearchTerm::fact(5)});
    EXPECT_TRUE(search.next(2).isEmpty()); // the listing comes first
    EXPECT_FALSE(search.isListing());
    EXPECT_EQ(search.total(), 4);
    EXPECT_EQ(search.done(), 0);

    const QList<Usage> first = search.next(2);
    EXPECT_EQ(search.done(), 2);
    EXPECT_FALSE(search.isFinished());
    EXPECT_EQ(first, (QList<Usage>{{path(QStringLiteral("a.npc")), 1, NpcField::TriggT, 5},
                                   {path(QStringLiteral("b.NPC")), 0, NpcField::TriggT, 5},
                                   {path(QStringLiteral("b.NPC")), 3, NpcField::TriggT, 5}}));
    const QList<Usage> rest = search.next(2);
    EXPECT_TRUE(search.isFinished());
    EXPECT_FALSE(search.wasStopped());
    EXPECT_EQ(rest, (QList<Usage>{{path(QStringLiteral("sub/deeper/c.Npc")), 4, NpcField::TriggT, 5}}));
    EXPECT_TRUE(search.unread().isEmpty());
}

TEST_F(UsageSearchTest, AMatchInSeveralFieldsGivesARowForEachWithItsStoredValue)
{
    NpcRecords records{};
    records[7] = usedRecord(1);
    records[7].Q_was = 9;
    records[7].Q_Output = 9;
    records[8] = usedRecord(1);
    records[8].ItemOut = quint16(-3);
    write(QStringLiteral("112.npc"), NpcWriter::encode(records, NpcLayout::VestaLayout));

    UsageSearch quests(dir.path(), {SearchTerm::quest(9)});
    EXPECT_EQ(runToEnd(quests, 10),
              (QList<Usage>{{path(QStringLiteral("112.npc")), 7, NpcField::Q_was, 9},
                            {path(QStringLiteral("112.npc")), 7, NpcField::Q_Output, 9}}));
    UsageSearch items(dir.path(), {SearchTerm::item(-3)});
    EXPECT_EQ(runToEnd(items, 10),
              (QList<Usage>{{path(QStringLiteral("112.npc")), 8, NpcField::ItemOut, 65533}}));
}

TEST_F(UsageSearchTest, FilesThatCannotBeReadAreCountedWithTheirReasonAndSkipped)
{
    writeScript(QStringLiteral("057.npc"), {0});
    write(QStringLiteral("broken.npc"), "too short");
    writeScript(QStringLiteral("zz.npc"), {2});

    UsageSearch search(dir.path(), {SearchTerm::fact(5)});
    const QList<Usage> found = runToEnd(search, 1);
    ASSERT_EQ(found.size(), 2);
    EXPECT_EQ(found.at(1).path, path(QStringLiteral("zz.npc")));
    EXPECT_EQ(search.done(), 3);
    ASSERT_EQ(search.unread().size(), 1);
    EXPECT_EQ(search.unread().first().path, path(QStringLiteral("broken.npc")));
    EXPECT_EQ(search.unread().first().reason,
              notNpcScriptText() + QStringLiteral(" (размер файла 9, а нужно не меньше 1600 байт)"));
}

TEST_F(UsageSearchTest, TheOpenScriptIsMatchedAsItIsBeingEdited)
{
    writeScript(QStringLiteral("057.npc"), {0});
    writeScript(QStringLiteral("112.npc"), {1});

    UsageSearch search(dir.path(), {SearchTerm::fact(5)});
    // Reached through another spelling of its path: still the same file.
    search.setOpenScript(dir.path() + QStringLiteral("/./112.npc"), withFact({6, 9}, 5));
    const QList<Usage> found = runToEnd(search, 5);
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found.at(0).record, 0);
    EXPECT_EQ(found.at(1), (Usage{path(QStringLiteral("112.npc")), 6, NpcField::TriggT, 5}));
    EXPECT_EQ(found.at(2).record, 9);
}

TEST_F(UsageSearchTest, StoppingEndsTheSearchWhereItIs)
{
    for (int i = 0; i < 5; ++i)
        writeScript(QStringLiteral("%1.npc").arg(i), {0});
    UsageSearch search(dir.path(), {SearchTerm::fact(5)});
    search.next(2);
    EXPECT_EQ(search.next(2).size(), 2);
    search.stop();
    EXPECT_TRUE(search.isFinished());
    EXPECT_TRUE(search.wasStopped());
    EXPECT_TRUE(search.next(2).isEmpty());
    EXPECT_EQ(search.done(), 2);
    EXPECT_EQ(search.total(), 5);

    UsageSearch finished(dir.path(), {SearchTerm::fact(5)});
    runToEnd(finished, 10);
    finished.stop(); // too late to stop what has ended
    EXPECT_FALSE(finished.wasStopped());
}

TEST_F(UsageSearchTest, ALargeTreeIsListedInBoundedSteps)
{
    for (int i = 0; i < 30; ++i)
        QDir(dir.path()).mkpath(QStringLiteral("empty/%1").arg(i));
    writeScript(QStringLiteral("empty/7/a.npc"), {0});

    ScriptFileScan scan(dir.path());
    int steps = 0;
    while (!scan.step(4))
        ++steps;
    EXPECT_GT(steps, 5);
    EXPECT_EQ(scan.paths(), QStringList{path(QStringLiteral("empty/7/a.npc"))});

    UsageSearch search(dir.path(), {SearchTerm::fact(5)});
    EXPECT_EQ(runToEnd(search, 1, &steps).size(), 1);
    EXPECT_GT(steps, 1);
    EXPECT_EQ(ScriptFileScan::all(path(QStringLiteral("missing"))), QStringList());
}

TEST(UsageSummaryTest, CountsTakeTheirRussianWord)
{
    const auto records = [](int n) { return counted(n, "запись", "записи", "записей"); };
    EXPECT_EQ(records(1), QStringLiteral("1 запись"));
    EXPECT_EQ(records(3), QStringLiteral("3 записи"));
    EXPECT_EQ(records(5), QStringLiteral("5 записей"));
    EXPECT_EQ(records(11), QStringLiteral("11 записей"));
    EXPECT_EQ(records(14), QStringLiteral("14 записей"));
    EXPECT_EQ(records(21), QStringLiteral("21 запись"));
    EXPECT_EQ(records(112), QStringLiteral("112 записей"));
    EXPECT_EQ(records(122), QStringLiteral("122 записи"));
    EXPECT_EQ(records(0), QStringLiteral("0 записей"));
}

TEST_F(UsageSearchTest, TheOutcomeSaysWhatWasFoundStoppedOrUnread)
{
    UsageSearch empty(dir.path(), {SearchTerm::fact(5)});
    runToEnd(empty, 5);
    EXPECT_EQ(usageOutcomeText(empty, 0, 0), QStringLiteral("В папке нет NPC-скриптов."));

    writeScript(QStringLiteral("057.npc"), {0}, 6);
    write(QStringLiteral("broken.npc"), "x");
    UsageSearch search(dir.path(), {SearchTerm::fact(5)});
    runToEnd(search, 5);
    EXPECT_EQ(usageOutcomeText(search, 0, 0),
              QStringLiteral("Ничего не найдено в 1 скрипте. Не удалось прочитать: 1 файл."));
    EXPECT_EQ(usageOutcomeText(search, 3, 1),
              QStringLiteral("Найдено: 3 записи в 1 скрипте. Не удалось прочитать: 1 файл."));
    EXPECT_EQ(unreadListText(search.unread()), QDir::toNativeSeparators(path(QStringLiteral("broken.npc"))) +
                                                   QStringLiteral(": ") + notNpcScriptText() +
                                                   QStringLiteral(" (размер файла 1, а нужно не меньше 1600 байт)"));

    UsageSearch stopped(dir.path(), {SearchTerm::fact(5)});
    stopped.next(1);
    stopped.stop();
    EXPECT_EQ(usageOutcomeText(stopped, 0, 0),
              QStringLiteral("Поиск остановлен (просмотрено скриптов: 0 из 2). Ничего не найдено."));

    const QList<UnreadScript> many(25, UnreadScript{QStringLiteral("x.npc"), QStringLiteral("r")});
    EXPECT_TRUE(unreadListText(many).endsWith(QStringLiteral("\nи ещё 5")));
    EXPECT_EQ(unreadListText(many).count(QLatin1Char('\n')), 20);
}
