#include "session/SessionFixture.h"

#include "support/FailingFileOps.h"

#include <QFileInfo>

#include <random>

namespace
{

NpcRecords speaking()
{
    NpcRecords records{};
    records[0] = SessionFixture::used(1);
    records[0].Phrase = 0;
    records[0].PhraseCnt = 2;
    records[1] = SessionFixture::used(2);
    records[1].Phrase = 2;
    records[1].PhraseCnt = 1;
    records[2] = SessionFixture::used(3); // speaks nothing
    records[2].Phrase = NoneByte;
    records[2].PhraseCnt = 1; // as showing it would make it
    return records;
}

SpokenText seen(const ScriptSession &session)
{
    return {session.records(), session.dialogue().text()};
}

} // namespace

class PhraseSessionTest : public SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        writeFile(QStringLiteral("npc/057.edt"), edtBytes({"hello", "how are you", "bye", "spare"}));
        m_script = writeScript(QStringLiteral("npc/057.npc"), speaking());
        ASSERT_TRUE(session().openScript(m_script, {}));
    }
    QString m_script;
};

TEST_F(PhraseSessionTest, RecordAndPhraseStepsShareOneHistoryThatUndoesToTheSameState)
{
    std::mt19937 random(20);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        QList<SpokenText> states{seen(session())};
        QStringList names;
        for (int step = 0; step < 12; ++step) {
            const qsizetype lines = session().dialogue().text().size();
            const auto line = qsizetype(random() % std::max<qsizetype>(lines, 1));
            switch (random() % 6) {
            case 0:
                session().editPhrase(line, QStringLiteral("line %1").arg(step));
                break;
            case 1:
                session().insertPhrase(line);
                break;
            case 2:
                session().deletePhrase(line);
                break;
            case 3:
                session().movePhrase(line, random() % 2 ? 1 : -1);
                break;
            case 4:
                session().selectRecord(int(random() % 4));
                session().addPhrase();
                break;
            default:
                session().selectRecord(int(random() % 3));
                session().commitField(NpcField::Leader, QString::number(session().currentRecord().Leader % 8 + 1));
            }
            if (seen(session()) != states.last()) {
                states << seen(session());
                names << session().commandState().undoName;
            }
        }
        EXPECT_EQ(session().isModified(), states.size() > 1);
        for (qsizetype i = states.size() - 1; i > 0; --i) {
            EXPECT_EQ(session().commandState().undoName, names[i - 1]);
            session().undo();
            ASSERT_EQ(seen(session()), states[i - 1]) << "undoing " << names[i - 1].toStdString();
        }
        EXPECT_FALSE(session().isModified());
        for (qsizetype i = 1; i < states.size(); ++i) {
            session().redo();
            ASSERT_EQ(seen(session()), states[i]);
        }
        while (session().commandState().undo)
            session().undo();
    }
}

TEST_F(PhraseSessionTest, StepsAreNamedForTheMenuAndRefusalsChangeNothing)
{
    ASSERT_TRUE(session().editPhrase(2, QStringLiteral("farewell")));
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("изменение фразы 2"));
    ASSERT_TRUE(session().insertPhrase(1));
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("вставка фразы 1"));
    EXPECT_EQ(session().record(0).PhraseCnt, 3) << "the block holding the new line grows";
    EXPECT_EQ(session().record(1).Phrase, 3);

    const SpokenText before = seen(session());
    const SessionResult tooLong = session().editPhrase(0, QString(241, QLatin1Char('a')));
    EXPECT_FALSE(tooLong);
    EXPECT_FALSE(tooLong.message.isEmpty());
    EXPECT_FALSE(session().movePhrase(0, -1));
    EXPECT_EQ(seen(session()), before);
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("вставка фразы 1"));

    // The same text again is no step.
    ASSERT_TRUE(session().editPhrase(0, QStringLiteral("hello")));
    EXPECT_EQ(session().commandState().undoName, QStringLiteral("вставка фразы 1"));
}

TEST_F(PhraseSessionTest, ATextChangeAloneIsUnsavedAndUndoingItIsNot)
{
    ASSERT_TRUE(session().editPhrase(3, QStringLiteral("extra")));
    EXPECT_TRUE(session().hasUnsavedChanges());
    EXPECT_TRUE(session().hasUnsavedText());
    EXPECT_TRUE(session().isModified());
    session().undo();
    EXPECT_FALSE(session().hasUnsavedChanges());
    EXPECT_FALSE(session().hasUnsavedText());
}

TEST_F(PhraseSessionTest, SaveWritesTheDialogueFileOnlyWhenItsTextChanged)
{
    const QString edt = pathIn(QStringLiteral("npc/057.edt"));
    const QByteArray oldText = readFile(QStringLiteral("npc/057.edt"));
    {
        QFile file(edt);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime);
    }
    const QDateTime stamp = QFileInfo(edt).lastModified();

    session().commitField(NpcField::Leader, QStringLiteral("4"));
    ASSERT_TRUE(session().save());
    EXPECT_EQ(readFile(QStringLiteral("npc/057.edt")), oldText);
    EXPECT_EQ(QFileInfo(edt).lastModified(), stamp);

    ASSERT_TRUE(session().insertPhrase(0));
    ASSERT_TRUE(session().save());
    EXPECT_FALSE(session().isModified());
    const QByteArray written = readFile(QStringLiteral("npc/057.edt"));
    EXPECT_EQ(written, edtBytes({"", "hello", "how are you", "bye", "spare"}));
    NpcReader reader;
    ASSERT_TRUE(reader.read(m_script));
    EXPECT_EQ(reader.records()[1].Phrase, 3);
}

TEST_F(PhraseSessionTest, SaveAsTakesTheTextBesideTheNewScript)
{
    const QString copy = pathIn(QStringLiteral("npc/058.npc"));
    EXPECT_TRUE(session().dialogueFileToReplace(copy).isEmpty());
    writeFile(QStringLiteral("npc/058.edt"), edtBytes({"other"}));
    EXPECT_EQ(session().dialogueFileToReplace(copy), pathIn(QStringLiteral("npc/058.edt")));

    ASSERT_TRUE(session().saveAs(copy));
    EXPECT_EQ(readFile(QStringLiteral("npc/058.edt")), readFile(QStringLiteral("npc/057.edt")));
    EXPECT_EQ(session().dialogue().path(), pathIn(QStringLiteral("npc/058.edt")));

    // Later saves write the new script's own text, never the old one.
    ASSERT_TRUE(session().editPhrase(0, QStringLiteral("hi")));
    ASSERT_TRUE(session().save());
    EXPECT_EQ(readFile(QStringLiteral("npc/057.edt")), edtBytes({"hello", "how are you", "bye", "spare"}));
    EXPECT_EQ(readFile(QStringLiteral("npc/058.edt")), edtBytes({"hi", "how are you", "bye", "spare"}));
}

TEST_F(PhraseSessionTest, AFailedDialogueWriteLeavesBothFilesAndKeepsTheChanges)
{
    FailingFileOps ops;
    ops.failWrite = 2; // the dialogue file's, after the script's
    SessionTester::setFileOps(session(), ops);
    const QByteArray oldScript = readFile(QStringLiteral("npc/057.npc"));
    const QByteArray oldText = readFile(QStringLiteral("npc/057.edt"));
    ASSERT_TRUE(session().insertPhrase(0));

    const SessionResult saved = session().save();
    ASSERT_FALSE(saved);
    EXPECT_TRUE(saved.message.contains(QStringLiteral("057.edt")));
    EXPECT_TRUE(saved.message.contains(QStringLiteral("Ни один файл не изменён")));
    EXPECT_EQ(readFile(QStringLiteral("npc/057.npc")), oldScript);
    EXPECT_EQ(readFile(QStringLiteral("npc/057.edt")), oldText);
    EXPECT_TRUE(session().isModified());
    EXPECT_TRUE(session().hasUnsavedText());

    ops.failWrite = 0;
    ASSERT_TRUE(session().save());
    EXPECT_FALSE(session().hasUnsavedText());
    EXPECT_EQ(readFile(QStringLiteral("npc/057.edt")).size(), 5 * 480);
}

TEST_F(PhraseSessionTest, ATextReadAnewCannotBeUndoneIntoButRecordStepsStay)
{
    session().commitField(NpcField::Leader, QStringLiteral("4"));
    writeFile(QStringLiteral("npc/057.edt"), edtBytes({"changed outside"}));
    ASSERT_TRUE(session().dialogue().reload());
    ASSERT_TRUE(session().commandState().undo) << "no step changed the text";
    session().undo();
    EXPECT_EQ(session().dialogue().text(), EdtText({"changed outside"}));

    ASSERT_TRUE(session().editPhrase(0, QStringLiteral("edited")));
    ASSERT_TRUE(session().dialogue().reload());
    EXPECT_FALSE(session().commandState().undo);
    EXPECT_FALSE(session().hasUnsavedText());
}
