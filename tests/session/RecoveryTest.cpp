#include "session/SessionFixture.h"

#include "dialogue/EdtWriter.h"
#include "session/RecoveryFile.h"
#include "session/RecoveryKeeper.h"
#include "session/ScriptLock.h"
#include "support/FileLimits.h"
#include "support/OtherEditor.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <random>

namespace
{

// An id beyond any the system gives out: a process that has ended.
constexpr qint64 EndedPid = 4'000'000'000LL;

RecoveryState sampleState(std::mt19937 &random)
{
    RecoveryState state;
    state.scriptPath = QStringLiteral("/игра/npc/%1.npc").arg(random() % 1000);
    state.layout = random() % 2 ? NpcLayout::VestaLayout : NpcLayout::StandardLayout;
    for (NpcRecord &record : state.records) {
        quint8 bytes[NpcRecord::Size];
        for (quint8 &byte : bytes)
            byte = quint8(random());
        record = NpcRecord::decode(bytes);
    }
    if (random() % 2) {
        EdtText text;
        for (int line = int(random() % 5); line > 0; --line)
            text.insertLine(0, QByteArray(int(random() % 30), char('a' + random() % 26)));
        state.dialogue = text;
        state.dialoguePath = QStringLiteral("/игра/npc/x.edt");
    }
    state.process = {qint64(random()), quint64(random())};
    state.written = QDateTime::fromMSecsSinceEpoch(qint64(random()) * 1000, Qt::UTC);
    return state;
}

} // namespace

TEST(RecoveryFileTest, EveryStateComesBackAsItWasAndNoDamagedFileIsTaken)
{
    std::mt19937 random(21);
    for (int round = 0; round < 40; ++round) {
        const RecoveryState state = sampleState(random);
        const QByteArray bytes = RecoveryFile::encode(state);
        RecoveryFile file;
        ASSERT_TRUE(file.decode(bytes)) << qPrintable(file.errorString());
        EXPECT_EQ(file.state(), state);

        // Cut short, grown or with a byte changed anywhere: refused, never half taken.
        for (const qsizetype cut : {qsizetype(0), qsizetype(7), bytes.size() / 2, bytes.size() - 1})
            EXPECT_FALSE(file.decode(bytes.first(cut)));
        EXPECT_FALSE(file.decode(bytes + 'x'));
        QByteArray changed = bytes;
        changed[qsizetype(random() % bytes.size())] ^= char(1 + random() % 255);
        EXPECT_FALSE(file.decode(changed));
        EXPECT_FALSE(file.errorString().isEmpty());
    }
}

class RecoveryTest : public SessionFixture
{
protected:
    void SetUp() override
    {
        QDir(RecoveryKeeper::folder()).removeRecursively();
        SessionFixture::SetUp();
        NpcRecords records{};
        records[0] = used(3);
        script = writeScript(QStringLiteral("npc/057.npc"), records);
        writeFile(QStringLiteral("npc/057.edt"), edtBytes({"one", "two"}));
        ASSERT_TRUE(session().openScript(script, {}));
    }
    void TearDown() override { QDir(RecoveryKeeper::folder()).removeRecursively(); }

    bool kept() const { return QFileInfo::exists(m_keeperFile()); }
    QString m_keeperFile() const { return const_cast<RecoveryTest *>(this)->session().recovery().ownFile(); }
    // What a recovery file left by an editor that has ended holds.
    QString leaveBehind(RecoveryState state, const QString &name = QStringLiteral("left.recovery"))
    {
        state.process = {EndedPid, 1};
        state.written = QDateTime::currentDateTimeUtc();
        QDir().mkpath(RecoveryKeeper::folder());
        const QString path = RecoveryKeeper::folder() + QLatin1Char('/') + name;
        RecoveryFile file;
        EXPECT_TRUE(file.write(state, path));
        return path;
    }
    void waitForWrite()
    {
        // A loop of its own: Wine's waiting for more events never hears the timer.
        while (session().recovery().isPending()) {
            QEventLoop loop;
            QTimer::singleShot(20, &loop, &QEventLoop::quit);
            loop.exec();
        }
    }

    QString script;
};

TEST_F(RecoveryTest, UnsavedChangesAreKeptWithinTheSecondAndGoWhenNothingIsUnsaved)
{
    EXPECT_FALSE(kept());
    session().commitField(NpcField::FDay, QStringLiteral("5"));
    EXPECT_TRUE(session().recovery().isPending());
    EXPECT_FALSE(kept()); // not on the keystroke itself
    session().commitField(NpcField::LDay, QStringLiteral("9"));
    waitForWrite();
    ASSERT_TRUE(kept());
    RecoveryFile file;
    ASSERT_TRUE(file.read(m_keeperFile()));
    EXPECT_EQ(file.state().records, session().records());
    EXPECT_EQ(file.state().scriptPath, script);
    EXPECT_EQ(file.state().process, ProcessIdentity::current());

    // Undone back to the saved point: nothing unsaved, nothing kept.
    session().undo();
    EXPECT_TRUE(kept());
    session().undo();
    EXPECT_FALSE(kept());

    session().redo();
    waitForWrite();
    EXPECT_TRUE(kept());
    ASSERT_TRUE(session().save());
    EXPECT_FALSE(kept());

    session().commitField(NpcField::FDay, QStringLiteral("6"));
    session().recovery().flush();
    EXPECT_TRUE(kept());
    session().newScript(); // the user let the changes go
    EXPECT_FALSE(kept());

    session().commitField(NpcField::FDay, QStringLiteral("6"));
    session().recovery().flush();
    const QString own = m_keeperFile();
    restart(); // a normal exit
    EXPECT_FALSE(QFileInfo::exists(own));
}

TEST_F(RecoveryTest, WorkLeftBehindIsOfferedAndComesBackModified)
{
    RecoveryState state;
    state.scriptPath = script;
    state.records[4] = used(7);
    state.layout = NpcLayout::VestaLayout;
    state.written = QDateTime::currentDateTimeUtc();
    const QString left = leaveBehind(state);
    // A file of an editor still running is not offered: this one's own.
    session().commitField(NpcField::FDay, QStringLiteral("6"));
    session().recovery().flush();
    session().newScript();

    RecoveryKeeper::Found found = RecoveryKeeper::findLeftBehind();
    ASSERT_EQ(found.offers.size(), 1);
    EXPECT_TRUE(found.unreadable.isEmpty());
    EXPECT_EQ(found.offers.first().file, left);

    const OpenResult recovered = session().recover(found.offers.first());
    ASSERT_TRUE(recovered);
    EXPECT_EQ(session().records(), state.records);
    EXPECT_EQ(session().document().layout, NpcLayout::VestaLayout);
    EXPECT_TRUE(session().isModified());
    EXPECT_EQ(session().document().path, script);
    EXPECT_TRUE(session().isModified());
    EXPECT_EQ(session().dialogue().text().size(), 2); // read from beside the script
    // Kept now in this editor's own file; the old one is gone.
    EXPECT_FALSE(QFileInfo::exists(left));
    EXPECT_TRUE(kept());
    EXPECT_TRUE(RecoveryKeeper::findLeftBehind().offers.isEmpty());
}

TEST_F(RecoveryTest, ANeverSavedScriptComesBackNewAndAnUnreadableFileIsSaidOnce)
{
    RecoveryState state;
    state.records[0] = used(9);
    state.dialogue = EdtText{"hello"};
    leaveBehind(state, QStringLiteral("a.recovery"));
    QDir().mkpath(RecoveryKeeper::folder());
    QFile broken(RecoveryKeeper::folder() + QStringLiteral("/b.recovery"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("SCRVRCV1 cut short");
    broken.close();

    RecoveryKeeper::Found found = RecoveryKeeper::findLeftBehind();
    ASSERT_EQ(found.offers.size(), 1);
    ASSERT_EQ(found.unreadable.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(found.unreadable.first())); // kept, set aside
    EXPECT_TRUE(RecoveryKeeper::findLeftBehind().unreadable.isEmpty());

    ASSERT_TRUE(session().recover(found.offers.first()));
    EXPECT_FALSE(session().hasPath());
    EXPECT_TRUE(session().document().path.isEmpty());
    EXPECT_TRUE(session().isModified());
    EXPECT_EQ(session().record(0), state.records[0]);
    EXPECT_EQ(session().dialogue().text(), *state.dialogue);

    // Declined: the file goes.
    const QString other = leaveBehind(state, QStringLiteral("c.recovery"));
    EXPECT_TRUE(RecoveryKeeper::discard(other));
    EXPECT_TRUE(RecoveryKeeper::findLeftBehind().offers.isEmpty());
}

TEST_F(RecoveryTest, AFolderThatCannotBeWrittenIsSaidOnceAndLosesNothing)
{
    // A file where the folder should be: no write succeeds, whatever the user's rights.
    QDir(RecoveryKeeper::folder()).removeRecursively();
    QDir().mkpath(QFileInfo(RecoveryKeeper::folder()).path());
    QFile blocker(RecoveryKeeper::folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    int failed = 0;
    int resumed = 0;
    QObject::connect(&session().recovery(), &RecoveryKeeper::keepingFailed, [&] { ++failed; });
    QObject::connect(&session().recovery(), &RecoveryKeeper::keepingResumed, [&] { ++resumed; });
    for (int day = 1; day <= 3; ++day) {
        session().commitField(NpcField::FDay, QString::number(day));
        session().recovery().flush();
    }
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(session().currentRecord().FDay, 3);
    EXPECT_TRUE(session().isModified());

    QFile::remove(RecoveryKeeper::folder());
    session().commitField(NpcField::FDay, QStringLiteral("4"));
    session().recovery().flush();
    EXPECT_EQ(resumed, 1);
    EXPECT_TRUE(kept());
    ASSERT_TRUE(session().save());
    EXPECT_EQ(readFile(QStringLiteral("npc/057.npc")), NpcWriter::encode(session().records(), NpcLayout::StandardLayout));
}

TEST_F(RecoveryTest, AnEditedDialogueTextIsKeptAndComesBackUnsaved)
{
    ASSERT_TRUE(session().editPhrase(1, QStringLiteral("second")));
    waitForWrite();
    ASSERT_TRUE(kept());
    RecoveryFile file;
    ASSERT_TRUE(file.read(m_keeperFile()));
    ASSERT_TRUE(file.state().dialogue.has_value());
    EXPECT_EQ(file.state().dialogue->lines(), (QList<QByteArray>{"one", "second"}));

    RecoveryState state = file.state();
    const QString left = leaveBehind(state);
    session().undo(); // back to the saved point: this editor keeps nothing
    EXPECT_FALSE(kept());
    const RecoveryKeeper::Found found = RecoveryKeeper::findLeftBehind();
    ASSERT_EQ(found.offers.size(), 1);
    ASSERT_TRUE(session().recover(found.offers.first()));
    EXPECT_EQ(session().dialogue().text().lines(), (QList<QByteArray>{"one", "second"}));
    EXPECT_TRUE(session().hasUnsavedWork());
    ASSERT_TRUE(session().save());
    EXPECT_EQ(readFile(QStringLiteral("npc/057.edt")), edtBytes({"one", "second"}));
    EXPECT_FALSE(QFileInfo::exists(left));
}

// The recovery folder holds the user's unsaved work: its owner's alone. A link planted at
// a recovery or lock path is never followed.
TEST_F(RecoveryTest, KeptWorkIsPrivateAndPlantedLinksAreNotFollowed)
{
    SKIP_WITHOUT_UNIX_FILES();
    session().commitField(NpcField::FDay, QStringLiteral("6"));
    waitForWrite();
    ASSERT_TRUE(kept());
    const auto mode = [](const QString &path) { return QFileInfo(path).permissions() & 0x0777; };
    EXPECT_EQ(mode(RecoveryKeeper::folder()), QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
    EXPECT_EQ(mode(m_keeperFile()), QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(mode(ScriptLock::lockFileOf(script)), QFile::ReadUser | QFile::WriteUser);

    const QString outside = pathIn(QStringLiteral("outside.txt"));
    writeFile(QStringLiteral("outside.txt"), "theirs");
    QFile::remove(m_keeperFile());
    ASSERT_TRUE(QFile::link(outside, m_keeperFile()));
    QString said;
    QObject guard;
    QObject::connect(&session().recovery(), &RecoveryKeeper::keepingFailed, &guard,
                     [&said](const QString &message) { said = message; });
    session().commitField(NpcField::FDay, QStringLiteral("7"));
    waitForWrite();
    EXPECT_TRUE(said.contains(RecoveryKeeper::linkRefusalText())) << said.toStdString();
    EXPECT_EQ(readFile(QStringLiteral("outside.txt")), "theirs");
    EXPECT_TRUE(QFileInfo(m_keeperFile()).isSymLink());

    // Another editor's lock reached through a link is no lock, and taking it writes nothing.
    const QString other = writeScript(QStringLiteral("npc/058.npc"), {});
    ASSERT_TRUE(QFile::link(outside, ScriptLock::lockFileOf(other)));
    EXPECT_FALSE(ScriptLock::heldByOther(other));
    ASSERT_TRUE(session().openScript(other, {}));
    EXPECT_EQ(readFile(QStringLiteral("outside.txt")), "theirs");
}

// Only a running editor holds a script: not process 1, not a lock whose start time cannot
// be told apart.
TEST_F(RecoveryTest, ALockIsHeldOnlyByAnotherRunningEditor)
{
    const OtherEditor editor(pathIn(QStringLiteral(".")));
    if (!editor.isRunning())
        GTEST_SKIP() << "no sleep program to stand for another editor";
    const QString other = writeScript(QStringLiteral("npc/058.npc"), {});
    const QByteArray canonical = QFileInfo(other).canonicalFilePath().toUtf8();
    const ProcessIdentity init = ProcessIdentity::of(1);
    const ProcessIdentity live = editor.identity();
    struct Case {
        ProcessIdentity process;
        bool held;
    };
    const Case cases[] = {{live, true}, {{live.pid, 0}, false}, {{1, 0}, false}, {init, false}, {{live.pid, live.started + 1}, false}};
    for (const Case &c : cases) {
        QFile lock(ScriptLock::lockFileOf(other));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(canonical + '\n' + QByteArray::number(c.process.pid) + '\n' +
                   QByteArray::number(c.process.started) + '\n');
        lock.close();
        EXPECT_EQ(ScriptLock::heldByOther(other).has_value(), c.held) << c.process.pid << " " << c.process.started;
    }
}

// A recovery file names the dialogue file its text came from: only one beside the script
// is taken, else the text goes beside the script.
TEST_F(RecoveryTest, TheRecoveredDialogueTextGoesOnlyBesideTheScript)
{
    writeFile(QStringLiteral("elsewhere.edt"), edtBytes({"keep"}));
    RecoveryState state;
    state.scriptPath = script;
    state.records[0] = used(3);
    EdtText text;
    text.insertLine(0, "recovered");
    state.dialogue = text;
    for (const QString &named : {pathIn(QStringLiteral("elsewhere.edt")), pathIn(QStringLiteral("npc/057.edt"))}) {
        state.dialoguePath = named;
        leaveBehind(state);
        session().newScript();
        const RecoveryKeeper::Found found = RecoveryKeeper::findLeftBehind();
        ASSERT_EQ(found.offers.size(), 1);
        ASSERT_TRUE(session().recover(found.offers.first()));
        EXPECT_EQ(QFileInfo(session().dialogue().path()).absoluteFilePath(),
                  QFileInfo(pathIn(QStringLiteral("npc/057.edt"))).absoluteFilePath());
        ASSERT_TRUE(session().save());
        EXPECT_EQ(readFile(QStringLiteral("elsewhere.edt")), edtBytes({"keep"}));
        EXPECT_EQ(readFile(QStringLiteral("npc/057.edt")), edtBytes({"recovered"}));
        writeFile(QStringLiteral("npc/057.edt"), edtBytes({"one", "two"}));
    }
}
