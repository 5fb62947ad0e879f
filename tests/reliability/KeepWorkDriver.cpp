// Drives an editing session for the reliability scripts.
//   edit SCRIPT SEED LOG   edits the script and its dialogue text at random until killed;
//                          after each edit a line "E <n> <ms since 1970> <hash of the records
//                          and the text>" is on disk in LOG
//   saves SCRIPT SEED LOG  the same, with a save now and then
//   nospace SCRIPT SEED    edits with no room on the disk for the recovery file (a file size
//   nofolder SCRIPT SEED   limit below its size), or with a file where its folder should be;
//                          then saves: "SAID <n>" (times it said work is not kept), "EDITS <n>",
//                          "SAVED ok|differs"
//   recover SCRIPT         what a fresh start finds: "OFFERS <n>", "UNREADABLE <n>",
//                          "RECOVERED <hash>" (the first offer taken) and "DISK <hash>" or
//                          "DISK BROKEN" for the script file and its dialogue file
// The recovery folder is found as the editor finds it (XDG_DATA_HOME).
#include "dialogue/EdtReader.h"
#include "dialogue/EdtPath.h"
#include "document/NpcFile.h"
#include "session/RecoveryKeeper.h"
#include "session/ScriptSession.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <random>

#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

namespace
{

QByteArray hashOf(const NpcRecords &records, const EdtText &text)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(NpcWriter::encode(records, NpcLayout::StandardLayout));
    for (const QByteArray &line : text.lines())
        hash.addData(QByteArray::number(line.size()) + ':' + line);
    return hash.result().toHex().left(16);
}

QByteArray hashOf(const ScriptSession &session)
{
    return hashOf(session.records(), session.dialogue().text());
}

// The script and its dialogue file as they are on disk; empty when either cannot be read.
QByteArray diskHashOf(const QString &script)
{
    NpcReader records;
    EdtReader text;
    const QString edt = withExtension(script, QStringLiteral(".edt"));
    if (!records.read(script) || (QFileInfo::exists(edt) && !text.read(edt)))
        return {};
    return hashOf(records.records(), text.takeText());
}

class Log
{
public:
    explicit Log(const QString &path) : m_file(std::fopen(QFile::encodeName(path).constData(), "a")) {}
    ~Log() { std::fclose(m_file); }
    // On disk before the next edit starts.
    void line(const QByteArray &text)
    {
        std::fputs(text.constData(), m_file);
        std::fputc('\n', m_file);
        std::fflush(m_file);
        fdatasync(fileno(m_file));
    }

private:
    std::FILE *m_file;
};

constexpr NpcField EditedFields[] = {NpcField::FDay, NpcField::LDay, NpcField::Leader, NpcField::Phrase,
                                     NpcField::PhraseCnt, NpcField::ItemOut};

qsizetype someLine(const ScriptSession &session, std::mt19937 &random)
{
    const qsizetype lines = session.dialogue().text().size();
    return lines > 0 ? qsizetype(random() % lines) : 0;
}

// One random step of a user's work; the phrase steps may be refused, as a user's may.
void edit(ScriptSession &session, std::mt19937 &random, bool saves, bool phrases = true)
{
    session.selectRecord(int(random() % RecordCount));
    // Steps 12 and up are those of the phrases.
    switch (random() % (phrases ? 17 : 12)) {
    case 0:
        session.cutRecord();
        break;
    case 1:
        session.pasteRecord();
        break;
    case 2:
        session.moveRecord(random() % 2 ? 1 : -1);
        break;
    case 3:
        session.undo();
        break;
    case 4:
        session.redo();
        break;
    case 5:
        session.copyRecord();
        break;
    case 12:
        session.editPhrase(someLine(session, random), QStringLiteral("line %1").arg(random() % 1000));
        break;
    case 13:
        session.insertPhrase(someLine(session, random));
        break;
    case 14:
        session.deletePhrase(someLine(session, random));
        break;
    case 15:
        session.movePhrase(someLine(session, random), random() % 2 ? 1 : -1);
        break;
    case 16:
        session.addPhrase();
        break;
    case 6:
        if (saves && random() % 16 == 0) {
            session.save();
            break;
        }
        [[fallthrough]];
    default:
        session.commitField(EditedFields[random() % std::size(EditedFields)], QString::number(random() % 40));
    }
}

int runEdits(const QString &script, unsigned seed, const QString &logPath, bool saves)
{
    ScriptSession session(QFileInfo(script).absolutePath());
    session.loadLists();
    if (!session.openScript(script, {}))
        return 2;
    Log log(logPath);
    log.line("E 0 " + QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' + hashOf(session));
    std::mt19937 random(seed);
    int n = 0;
    QTimer next;
    next.setSingleShot(true);
    QObject::connect(&next, &QTimer::timeout, [&] {
        edit(session, random, saves);
        log.line("E " + QByteArray::number(++n) + ' ' + QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' +
                 hashOf(session));
        next.start(int(2 + random() % 30));
    });
    next.start(0);
    return QCoreApplication::exec();
}

int runStarved(const QString &script, unsigned seed, bool noSpace)
{
    if (noSpace) {
        // Big enough for the script, too small for the recovery file: a full disk to it.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1650, 1650};
        setrlimit(RLIMIT_FSIZE, &limit);
    } else {
        QDir().mkpath(QFileInfo(RecoveryKeeper::folder()).path());
        QFile(RecoveryKeeper::folder()).open(QIODevice::WriteOnly);
    }
    ScriptSession session(QFileInfo(script).absolutePath());
    session.loadLists();
    if (!session.openScript(script, {}))
        return 2;
    int said = 0;
    QObject::connect(&session.recovery(), &RecoveryKeeper::keepingFailed, [&] { ++said; });
    std::mt19937 random(seed);
    int edits = 0;
    for (; edits < 60; ++edits) {
        edit(session, random, false, false); // the script alone fits below the size limit
        session.recovery().flush();
    }
    const QByteArray kept = hashOf(session);
    const bool same = session.save().ok && diskHashOf(script) == kept;
    std::printf("SAID %d\nEDITS %d\nSAVED %s\n", said, edits, same ? "ok" : "differs");
    return 0;
}

int runRecover(const QString &script)
{
    const RecoveryKeeper::Found found = RecoveryKeeper::findLeftBehind();
    std::printf("OFFERS %d\nUNREADABLE %d\n", int(found.offers.size()), int(found.unreadable.size()));
    {
        ScriptSession session(QFileInfo(script).absolutePath());
        if (!found.offers.isEmpty()) {
            session.recover(found.offers.first());
            std::printf("RECOVERED %s\n", hashOf(session).constData());
            std::printf("MODIFIED %d\n", int(session.isModified()));
        }
    } // a normal exit: the recovered work is let go, ready for the next round
    const QByteArray disk = diskHashOf(script);
    std::printf("DISK %s\n", disk.isEmpty() ? "BROKEN" : disk.constData());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Scrivlet"));
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("recover"))
        return runRecover(args[2]);
    if (args.size() == 4 && (args[1] == QLatin1String("nospace") || args[1] == QLatin1String("nofolder")))
        return runStarved(args[2], args[3].toUInt(), args[1] == QLatin1String("nospace"));
    if (args.size() == 5 && (args[1] == QLatin1String("edit") || args[1] == QLatin1String("saves")))
        return runEdits(args[2], args[3].toUInt(), args[4], args[1] == QLatin1String("saves"));
    std::fprintf(stderr, "usage: keep_work_driver edit|saves SCRIPT SEED LOG | recover SCRIPT\n");
    return 2;
}
