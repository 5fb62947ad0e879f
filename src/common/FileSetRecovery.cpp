#include "common/FileSetRecovery.h"

#include "common/FileStamp.h"
#include "common/RegularFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

namespace
{

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

FileSetSteps::Outcome failed(const QString &path, const QString &reason)
{
    return {FileSetSteps::Result::Failed, native(path) + QStringLiteral(": ") + reason};
}

FileSetSteps::Outcome leftAsIs(const QString &path, const QString &keptAt)
{
    return {FileSetSteps::Result::LeftAsIs,
            QStringLiteral("%1 изменён другой программой и оставлен как есть; прежнее содержимое в %2")
                .arg(native(path), native(keptAt))};
}

FileSetSteps::Outcome removed(FileOps &ops, const QString &path)
{
    if (path.isEmpty() || !ops.exists(path) || ops.remove(path))
        return {};
    return failed(path, QStringLiteral("не удалось удалить"));
}

bool holds(const QString &path, const QByteArray &hash)
{
    return FileSetSteps::hashOfFile(path) == hash;
}

QString canonical(const QString &path)
{
    const QFileInfo info(path);
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : resolved;
}

bool inside(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

bool related(const FileSetJournal &journal, const QStringList &folders)
{
    if (journal.folder.isEmpty())
        return true; // cut before it said where: nothing was touched anywhere
    for (const QString &folder : folders) {
        if (inside(folder, journal.folder) || inside(journal.folder, folder))
            return true;
        for (const FileSetStep &step : journal.steps) {
            if (inside(step.target, folder) || (!step.source.isEmpty() && inside(step.source, folder)))
                return true;
        }
    }
    return false;
}

QMutex activeLock;
QSet<QString> active;

} // namespace

namespace FileSetSteps
{

std::optional<QByteArray> hashOfFile(const QString &path)
{
    QFile file(path);
    QString error;
    if (!RegularFile::open(file, error))
        return std::nullopt;
    QCryptographicHash hash(FileStamp::HashAlgorithm);
    if (!hash.addData(&file))
        return std::nullopt;
    return hash.result();
}

Outcome takeBack(const FileSetStep &step, FileOps &ops)
{
    QString reason;
    if (!step.temp.isEmpty() && ops.exists(step.temp)) {
        // Never in place: the old file is still where it was.
        if (step.kind == FileSetStep::Kind::Replace) {
            if (const Outcome outcome = removed(ops, step.backup); outcome.result != Result::Done)
                return outcome;
        }
        return removed(ops, step.temp);
    }
    if (step.kind != FileSetStep::Kind::Replace) {
        // The plan made sure no file was there: one with the new bytes is this set's.
        if (ops.exists(step.target) && holds(step.target, step.newHash))
            return removed(ops, step.target);
        return {};
    }
    if (step.backup.isEmpty() || !ops.exists(step.backup))
        return {}; // taken back already
    if (ops.exists(step.target) && !holds(step.target, step.newHash))
        return leftAsIs(step.target, step.backup);
    if (!ops.putBack(step.backup, step.target, reason))
        return failed(step.target, reason);
    return {};
}

Outcome finish(const FileSetStep &step, FileOps &ops)
{
    if (const Outcome outcome = removed(ops, step.temp); outcome.result != Result::Done)
        return outcome;
    const QString &old = step.kind == FileSetStep::Kind::Move ? step.source : step.backup;
    if (old.isEmpty() || !ops.exists(old))
        return {};
    // A change made to the old file while it was replaced would go with it.
    if (!step.oldHash.isEmpty() && !holds(old, step.oldHash))
        return leftAsIs(step.target, old);
    return removed(ops, old);
}

} // namespace FileSetSteps

namespace FileSetActive
{

void add(const QString &journal)
{
    const QMutexLocker locker(&activeLock);
    active.insert(journal);
}

void remove(const QString &journal)
{
    const QMutexLocker locker(&activeLock);
    active.remove(journal);
}

bool contains(const QString &journal)
{
    const QMutexLocker locker(&activeLock);
    return active.contains(journal);
}

} // namespace FileSetActive

namespace
{

bool stillBeingWritten(const QString &path, const FileSetJournal &journal)
{
    // Cut before its owner line, a journal names its process only by its file name.
    const ProcessIdentity owner =
        journal.owner.pid > 0 ? journal.owner : ProcessIdentity{FileSetJournal::pidInName(path), 0};
    if (owner.pid == ProcessIdentity::current().pid)
        return FileSetActive::contains(path);
    return owner.isRunning();
}

void settle(const QString &path, const FileSetJournal &journal, FileOps &ops, InterruptedSets &sets)
{
    const QString folder = native(journal.folder);
    if (!journal.complete) {
        QFile::remove(path);
        const QString where = folder.isEmpty() ? QString() : QStringLiteral(" в папке ") + folder;
        sets.notes << QStringLiteral("Запись файлов%1 была прервана до замены первого файла; ничего не изменено.")
                          .arg(where);
        return;
    }
    QStringList left;
    QStringList failures;
    for (const FileSetStep &step : journal.steps) {
        const FileSetSteps::Outcome outcome =
            journal.committed ? FileSetSteps::finish(step, ops) : FileSetSteps::takeBack(step, ops);
        if (outcome.result == FileSetSteps::Result::LeftAsIs)
            left << outcome.message;
        else if (outcome.result == FileSetSteps::Result::Failed)
            failures << outcome.message;
    }
    if (!failures.isEmpty()) {
        sets.failures << QStringLiteral("Прерванную запись файлов в папке %1 не удалось %2: %3. Журнал %4 "
                                        "остаётся до следующего запуска.")
                             .arg(folder, journal.committed ? QStringLiteral("завершить") : QStringLiteral("отменить"),
                                  failures.join(QStringLiteral("; ")), native(path));
        return;
    }
    QFile::remove(path);
    QString note = journal.committed
                       ? QStringLiteral("Прерванная запись файлов (%1) в папке %2 завершена: все файлы новые.")
                       : QStringLiteral("Прерванная запись файлов (%1) в папке %2 отменена: все файлы прежние.");
    note = note.arg(journal.steps.size()).arg(folder);
    for (const QString &line : std::as_const(left))
        note += QStringLiteral("\r\n") + line;
    sets.notes << note;
}

} // namespace

InterruptedSets finishInterruptedSets(const QStringList &folders, FileOps &ops)
{
    InterruptedSets sets;
    QStringList wanted;
    for (const QString &folder : folders)
        wanted << canonical(folder);
    const QDir dir(FileSetJournal::folderPath());
    const QStringList names =
        dir.entryList({QStringLiteral("*") + QLatin1String(FileSetJournal::Suffix)}, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        QByteArray bytes;
        QString error;
        FileSetJournal journal;
        if (!RegularFile::readAll(path, FileSetJournal::MaxSize, bytes, error) || !journal.parse(bytes, error)) {
            sets.notes << QStringLiteral("Журнал записи файлов %1 не читается (%2); он оставлен как есть.")
                              .arg(native(path), error);
            continue;
        }
        if (!stillBeingWritten(path, journal) && related(journal, wanted))
            settle(path, journal, ops, sets);
    }
    return sets;
}
