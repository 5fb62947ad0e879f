#include "dialogue/PhraseSearch.h"
#include "dialogue/EdtWriter.h"
#include "document/NpcFile.h"
#include "support/QtPrinters.h"
#include "support/TestFolder.h"
#include "support/UsedRecord.h"

#include <gtest/gtest.h>

namespace
{

class PhraseSearchTest : public TestFolder
{
protected:
    // A script whose record i speaks line `speaks[i]` alone (-1: nothing), with its text.
    void writeScript(const QString &name, const QList<int> &speaks, const QString &edtName,
                     const QList<QByteArray> &lines) const
    {
        write(name, NpcWriter::encode(records(speaks), NpcLayout::StandardLayout));
        write(edtName, EdtWriter::encode(EdtText(lines)));
    }
    static NpcRecords records(const QList<int> &speaks)
    {
        NpcRecords list{};
        for (int i = 0; i < speaks.size(); ++i) {
            list[i] = usedRecord(1);
            if (speaks[i] >= 0)
                list[i].Phrase = quint8(speaks[i]);
        }
        return list;
    }
    static QList<PhraseHit> runToEnd(PhraseSearch &search)
    {
        QList<PhraseHit> found;
        while (!search.isFinished())
            found << search.next(1);
        return found;
    }
};

} // namespace

TEST(PhraseTextMatcherTest, AnyLetterCaseAsTheUserReadsTheLine)
{
    const PhraseTextMatcher matcher("\xC4\xC0 \xF5");              // "ДА х"
    EXPECT_TRUE(matcher.matches("\xe4\xe0 \xd5\xf0\xe0\xed\xe8")); // "да Храни"
    EXPECT_TRUE(matcher.matches(QByteArray("\xe4\xe0\0\xf5", 4))) << "a byte 0 shows as a blank";
    EXPECT_FALSE(matcher.matches("\xe4\xe0\xf5"));
    EXPECT_TRUE(PhraseTextMatcher("\xa8").matches("\xb8")) << "Ё and ё";
    EXPECT_TRUE(PhraseTextMatcher("Gold").matches("some GOLD here"));
}

TEST_F(PhraseSearchTest, HitsOfEveryDialogueFileBelowTheFolderWithTheRecordsThatSpeakThem)
{
    writeScript(QStringLiteral("057.npc"), {0, 2, 0}, QStringLiteral("057.EDT"), {"gold here", "no", "Gold"});
    writeScript(QStringLiteral("sub/112.npc"), {-1}, QStringLiteral("sub/112.edt"), {"silver", "old gold"});
    write(QStringLiteral("none.npc"), NpcWriter::encode(records({0}), NpcLayout::StandardLayout));
    writeScript(QStringLiteral("stray.npc"), {}, QStringLiteral("stray.edt"), {"gold"});
    write(QStringLiteral("stray.npc"), "not a script");

    PhraseSearch search(dir.path(), "gold");
    const QList<PhraseHit> hits = runToEnd(search);
    const QString script = path(QStringLiteral("057.npc"));
    const QString edt = path(QStringLiteral("057.EDT"));
    EXPECT_EQ(
        hits,
        (QList<PhraseHit>{
            {script, edt, 0, {0, 2}, "gold here"},
            {script, edt, 2, {1}, "Gold"},
            {path(QStringLiteral("stray.npc")), path(QStringLiteral("stray.edt")), 0, {}, "gold"},
            {path(QStringLiteral("sub/112.npc")), path(QStringLiteral("sub/112.edt")), 1, {}, "old gold"},
        }));
    EXPECT_EQ(search.total(), 4);
    ASSERT_EQ(search.unread().size(), 1) << "the script whose phrase holds the words";
    EXPECT_EQ(search.unread().at(0).path, path(QStringLiteral("stray.npc")));
}

TEST_F(PhraseSearchTest, TheOpenScriptIsSearchedAsEditedNotAsSaved)
{
    writeScript(QStringLiteral("057.npc"), {0}, QStringLiteral("057.edt"), {"gold"});

    PhraseSearch search(dir.path(), "gold");
    search.setOpenScript(path(QStringLiteral("057.npc")), records({-1, 1}),
                         QStringLiteral("/elsewhere/x.edt"), EdtText{"no", "more gold"});
    EXPECT_EQ(
        runToEnd(search),
        (QList<PhraseHit>{
            {path(QStringLiteral("057.npc")), QStringLiteral("/elsewhere/x.edt"), 1, {1}, "more gold"}}));
}
