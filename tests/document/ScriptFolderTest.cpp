#include "document/ScriptFolder.h"
#include "document/NpcFile.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray scriptWith(quint8 fDay)
{
    NpcRecords records{};
    records[2].FDay = fDay;
    return NpcWriter::encode(records, NpcLayout::StandardLayout);
}

} // namespace

TEST(ScriptFolderTest, IndexesScriptsOfAnyCaseByTheNumberOfTheirNames)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("057.npc")), scriptWith(1));
    writeFile(dir.filePath(QStringLiteral("57.NPC")), scriptWith(2));  // the same number, later by name
    writeFile(dir.filePath(QStringLiteral("300.Npc")), scriptWith(3)); // 300 is 44 in 8 bits
    writeFile(dir.filePath(QStringLiteral("Shop.npc")), scriptWith(4));
    writeFile(dir.filePath(QStringLiteral("notes.txt")), "x");
    QDir(dir.path()).mkdir(QStringLiteral("sub.npc"));

    ScriptFolder folder(dir.path());
    EXPECT_EQ(folder.scriptNames(), utf8List({"057.npc", "300.Npc", "57.NPC", "Shop.npc"}));
    EXPECT_EQ(folder.scriptNameOf(57), QStringLiteral("057.npc"));
    EXPECT_EQ(folder.scriptNameOf(44), QStringLiteral("300.Npc"));
    EXPECT_EQ(folder.scriptNameOf(255), QString());

    const FolderScript found = folder.find(44);
    EXPECT_EQ(found.path, dir.filePath(QStringLiteral("300.Npc")));
    ASSERT_NE(found.records, nullptr);
    EXPECT_EQ((*found.records)[2].FDay, 3);
    EXPECT_EQ(folder.find(12).path, QString());
    // Read once: the same records come back.
    EXPECT_EQ(folder.find(44).records, found.records);
}

TEST(ScriptFolderTest, AScriptThatCannotBeReadIsFoundButHasNoRecords)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("112.npc")), "too short");
    ScriptFolder folder(dir.path());
    const FolderScript found = folder.find(112);
    EXPECT_EQ(found.path, dir.filePath(QStringLiteral("112.npc")));
    EXPECT_EQ(found.records, nullptr);
    EXPECT_FALSE(folder.load(QStringLiteral("112.npc")).read);
    EXPECT_EQ(folder.load(QStringLiteral("112.npc")).reason,
              notNpcScriptText() + QStringLiteral(" (размер файла 9, а нужно не меньше 1600 байт)"));
}

TEST(ScriptFolderTest, FindsTheDialogueFileInAnyCaseTheExactSpellingFirst)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("057.EDT")), {});
    writeFile(dir.filePath(QStringLiteral("112.edt")), {});
    writeFile(dir.filePath(QStringLiteral("112.Edt")), {});
    ScriptFolder folder(dir.path());
    EXPECT_EQ(folder.edtNameFor(QStringLiteral("057.npc")), QStringLiteral("057.EDT"));
    EXPECT_EQ(folder.edtNameFor(QStringLiteral("112.npc")), QStringLiteral("112.edt"));
    EXPECT_EQ(folder.edtNameFor(QStringLiteral("113.npc")), QString());
    EXPECT_EQ(ScriptFolder(QStringLiteral(".")).pathOf(QStringLiteral("a.npc")), QStringLiteral("a.npc"));
    EXPECT_EQ(ScriptFolder(QStringLiteral("dir/")).pathOf(QStringLiteral("a.npc")),
              QStringLiteral("dir/a.npc"));
}
