#include "common/FileSetWriter.h"

#include "common/FileMessages.h"
#include "common/FileReplace.h"
#include "common/FileSetRecovery.h"
#include "common/FileStamp.h"
#include "common/Interruption.h"
#include "common/RegularFile.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace
{

constexpr qsizetype NamesShown = 10;
// A file that is only renamed is copied under its new name; far above any game file.
constexpr qint64 MaxRenamedSize = 1024 * 1024 * 1024;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString nameList(const QStringList &names)
{
    QStringList shown = names.mid(0, NamesShown);
    QString text = shown.join(QStringLiteral(", "));
    if (names.size() > NamesShown)
        text += QStringLiteral(" и ещё %1").arg(names.size() - NamesShown);
    return text;
}

QString absolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// The path with its folder's links resolved, the file itself taken as it is named.
QString resolvedFolderOf(const QString &path)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? absolute(path) : folder + QLatin1Char('/') + info.fileName();
}

QString changedText(const QString &path)
{
    return QStringLiteral("файл %1 изменён другой программой во время записи").arg(native(path));
}

QString readOnlyText()
{
    return QStringLiteral("файл только для чтения");
}

} // namespace

FileSetWriter::FileSetWriter(FileOps &ops) : m_ops(ops) {}

FileSetWriter::Entry &FileSetWriter::entryFor(const QString &path)
{
    if (const auto found = m_indexOf.constFind(path); found != m_indexOf.cend())
        return m_entries[*found];
    m_indexOf.insert(path, m_entries.size());
    m_entries.append(Entry{});
    m_entries.last().path = path;
    return m_entries.last();
}

void FileSetWriter::write(const QString &path, const QByteArray &bytes, const Condition &condition)
{
    Entry &entry = entryFor(path);
    entry.hasBytes = true;
    entry.bytes = bytes;
    if (entry.renamedFrom.isEmpty())
        entry.condition = condition;
}

void FileSetWriter::rename(const QString &from, const QString &to, const Condition &condition)
{
    Entry &entry = entryFor(to);
    entry.renamedFrom = from;
    entry.condition = condition;
}

bool FileSetWriter::commit()
{
    m_error.clear();
    m_changed.clear();
    m_unchanged.clear();
    m_journal.clear();
    if (!check()) {
        summarise();
        return false;
    }
    if (m_entries.isEmpty())
        return true;
    FileSetJournal journal;
    journal.owner = ProcessIdentity::current();
    const QString folder = QFileInfo(m_folder).canonicalFilePath();
    journal.folder = m_folder.isEmpty() ? QFileInfo(m_entries.constFirst().step.target).path()
                     : folder.isEmpty() ? absolute(m_folder)
                                        : folder;
    for (const Entry &entry : std::as_const(m_entries))
        journal.steps << entry.step;
    if (journal.toBytes().size() > FileSetJournal::MaxSize) {
        m_error = QStringLiteral("Слишком много файлов за один раз (%1).").arg(m_entries.size());
        summarise();
        return false;
    }
    // From the journal's first byte to the end, a Ctrl+C waits for the set.
    const Interruption::Shield shield;
    QString reason;
    if (!journal.create(m_journal, reason)) {
        m_error = writeFailureText(m_journal.isEmpty() ? FileSetJournal::folderPath() : m_journal, reason);
        summarise();
        return false;
    }
    // Taken off the list however this ends, a kill in a test included.
    const std::unique_ptr<const QString, void (*)(const QString *)> active(&m_journal, [](const QString *path) {
        FileSetActive::remove(*path);
    });
    FileSetActive::add(m_journal);
    bool written = writeTemps();
    for (qsizetype i = 0; written && i < m_entries.size(); ++i)
        written = place(m_entries[i]);
    written = written && verify();
    if (written && !FileSetJournal::markCommitted(m_journal, reason)) {
        m_error = writeFailureText(m_journal, reason);
        written = false;
    }
    if (written)
        finish();
    else
        rollBack();
    if (!written)
        summarise();
    return written;
}

bool FileSetWriter::check()
{
    QStringList renamedAway;
    for (Entry &entry : m_entries) {
        entry.step = {};
        entry.planned = false;
        entry.stayedChanged = false;
        entry.keptAt.clear();
        if (!entry.renamedFrom.isEmpty())
            renamedAway << entry.renamedFrom;
    }
    QHash<QString, qsizetype> byTarget;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        Entry &entry = m_entries[i];
        if (entry.renamedFrom.isEmpty() && renamedAway.contains(entry.path)) {
            m_error = writeFailureText(entry.path, QStringLiteral("этот файл переименовывается"));
            return false;
        }
        if (!(entry.renamedFrom.isEmpty() ? planWrite(entry, byTarget, i) : planMove(entry)))
            return false;
    }
    // A link and the file it leads to, both given the same bytes, are one file.
    m_entries.removeIf([](const Entry &entry) { return !entry.planned; });
    m_indexOf.clear();
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        m_indexOf.insert(m_entries[i].path, i);
    return true;
}

bool FileSetWriter::planMove(Entry &entry)
{
    const QString source = absolute(entry.renamedFrom);
    const QString target = resolvedFolderOf(entry.path);
    const QFileInfo info(source);
    QString reason;
    if (!m_ops.exists(source))
        reason = QStringLiteral("нет такого файла");
    else if (info.isSymLink())
        reason = QStringLiteral("это символическая ссылка");
    else if (info.isDir())
        reason = RegularFile::folderText();
    else if (m_ops.exists(target))
        reason = QStringLiteral("файл %1 уже есть").arg(native(target));
    else if (!FileReplace::isWritable(source))
        reason = readOnlyText();
    QByteArray old;
    if (reason.isEmpty() && !RegularFile::readAll(source, MaxRenamedSize, old, reason))
        reason = reason.isEmpty() ? QStringLiteral("не читается") : reason;
    if (reason.isEmpty() && entry.condition.before && old != *entry.condition.before)
        reason = changedText(source);
    if (!reason.isEmpty()) {
        m_error = renameFailureText(entry.renamedFrom, entry.path, reason);
        return false;
    }
    if (outsideFolder(entry, resolvedFolderOf(source)) || outsideFolder(entry, target))
        return false;
    if (!entry.hasBytes)
        entry.bytes = old;
    entry.hasBytes = true;
    entry.step.kind = FileSetStep::Kind::Move;
    entry.step.source = source;
    entry.step.target = target;
    entry.step.temp = m_ops.freeNameBeside(target);
    entry.step.newHash = FileStamp::hashOf(entry.bytes);
    entry.step.oldHash = FileStamp::hashOf(old);
    entry.planned = true;
    return true;
}

bool FileSetWriter::planWrite(Entry &entry, QHash<QString, qsizetype> &byTarget, qsizetype index)
{
    const QFileInfo info(entry.path);
    QString target = resolvedFolderOf(entry.path);
    if (info.isSymLink()) {
        target = info.canonicalFilePath();
        if (target.isEmpty()) {
            m_error = writeFailureText(entry.path, QStringLiteral("ссылка ведёт на файл, которого нет"));
            return false;
        }
    }
    if (QFileInfo(target).isDir()) {
        // Replaced like a file, a folder would end under another name.
        m_error = writeFailureText(target, RegularFile::folderText());
        return false;
    }
    if (outsideFolder(entry, target))
        return false;
    if (const auto same = byTarget.constFind(target); same != byTarget.cend()) {
        if (m_entries[*same].bytes == entry.bytes)
            return true;
        m_error = writeFailureText(entry.path, QStringLiteral("этот же файл записывается и под именем %1")
                                                   .arg(native(m_entries[*same].path)));
        return false;
    }
    const bool exists = m_ops.exists(target);
    if (exists && !FileReplace::isWritable(target)) {
        m_error = writeFailureText(target, readOnlyText());
        return false;
    }
    byTarget.insert(target, index);
    entry.step.kind = exists ? FileSetStep::Kind::Replace : FileSetStep::Kind::Create;
    entry.step.target = target;
    entry.step.temp = m_ops.freeNameBeside(target);
    if (exists)
        entry.step.backup = m_ops.freeNameBeside(target);
    entry.step.newHash = FileStamp::hashOf(entry.bytes);
    if (exists && entry.condition.before)
        entry.step.oldHash = FileStamp::hashOf(*entry.condition.before);
    entry.planned = true;
    return true;
}

bool FileSetWriter::outsideFolder(const Entry &entry, const QString &target)
{
    if (entry.condition.inside.isEmpty())
        return false;
    QString folder = QFileInfo(entry.condition.inside).canonicalFilePath();
    if (folder.isEmpty())
        folder = absolute(entry.condition.inside);
    if (target.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/')))
        return false;
    m_error = writeFailureText(entry.renamedFrom.isEmpty() ? entry.path : entry.renamedFrom,
                               QStringLiteral("ссылка ведёт за пределы папки %1: %2; ничего не записано")
                                   .arg(native(entry.condition.inside), native(target)));
    return true;
}

bool FileSetWriter::writeTemps()
{
    QStringList temps;
    for (Entry &entry : m_entries) {
        QString reason;
        if (Interruption::requested()) {
            m_error = QStringLiteral("Запись прервана.");
            return false;
        }
        const QString rightsFrom = entry.step.kind == FileSetStep::Kind::Move ? entry.step.source : entry.step.target;
        if (!m_ops.writeNew(entry.step.temp, entry.bytes, rightsFrom, reason)) {
            m_error = writeFailureText(entry.path, reason);
            // The name may be another program's now: it is not this set's to remove.
            if (m_ops.exists(entry.step.temp))
                entry.step.temp.clear();
            return false;
        }
        temps << entry.step.temp;
    }
    QString reason;
    if (!m_ops.sync(temps, reason)) {
        m_error = writeFailureText(m_entries.constFirst().step.target, reason);
        return false;
    }
    return true;
}

bool FileSetWriter::place(Entry &entry)
{
    FileSetStep &step = entry.step;
    QString reason;
    if (Interruption::requested()) {
        m_error = QStringLiteral("Запись прервана.");
        return false;
    }
    switch (step.kind) {
    case FileSetStep::Kind::Replace: {
        // Compared at the last moment: a change made a second ago is not lost.
        const std::optional<QByteArray> now = FileSetSteps::hashOfFile(step.target);
        if (!now || (!step.oldHash.isEmpty() && *now != step.oldHash)) {
            m_error = writeFailureText(step.target, changedText(step.target));
            return false;
        }
        step.oldHash = *now; // the old copy must still hold it when dropped
        if (!m_ops.replace(step.target, step.temp, step.backup, reason)) {
            m_error = writeFailureText(step.target, reason);
            step.backup.clear(); // not made, or another program's
            return false;
        }
        return true;
    }
    case FileSetStep::Kind::Move:
        if (!stillHolds(step.source, step.oldHash))
            return false;
        break;
    case FileSetStep::Kind::Create:
        break;
    }
    if (!m_ops.place(step.temp, step.target, reason)) {
        m_error = step.kind == FileSetStep::Kind::Move ? renameFailureText(step.source, step.target, reason)
                                                        : writeFailureText(step.target, reason);
        return false;
    }
    return true;
}

bool FileSetWriter::stillHolds(const QString &path, const QByteArray &hash)
{
    if (FileSetSteps::hashOfFile(path) == hash)
        return true;
    m_error = writeFailureText(path, changedText(path));
    return false;
}

bool FileSetWriter::verify()
{
    QStringList placed;
    for (const Entry &entry : std::as_const(m_entries)) {
        const FileSetStep &step = entry.step;
        if (step.kind == FileSetStep::Kind::Replace && !stillHolds(step.backup, step.oldHash))
            return false;
        if (step.kind == FileSetStep::Kind::Move && !stillHolds(step.source, step.oldHash))
            return false;
        placed << step.target;
    }
    QString reason;
    if (!m_ops.sync(placed, reason)) {
        m_error = writeFailureText(placed.value(0), reason);
        return false;
    }
    return true;
}

void FileSetWriter::finish()
{
    bool clean = true;
    for (const Entry &entry : std::as_const(m_entries))
        clean = FileSetSteps::finish(entry.step, m_ops).result == FileSetSteps::Result::Done && clean;
    // What could not be removed is the next run's to look at again.
    if (clean)
        m_ops.remove(m_journal);
}

void FileSetWriter::rollBack()
{
    bool clean = true;
    for (qsizetype i = m_entries.size() - 1; i >= 0; --i) {
        Entry &entry = m_entries[i];
        const FileSetSteps::Outcome outcome = FileSetSteps::takeBack(entry.step, m_ops);
        if (outcome.result == FileSetSteps::Result::Done)
            continue;
        entry.stayedChanged = true;
        entry.keptAt = entry.step.kind == FileSetStep::Kind::Replace ? entry.step.backup : entry.step.source;
        clean = clean && outcome.result != FileSetSteps::Result::Failed;
    }
    if (clean)
        m_ops.remove(m_journal);
}

void FileSetWriter::summarise()
{
    QStringList keptAt;
    for (const Entry &entry : std::as_const(m_entries)) {
        const QString name = entry.renamedFrom.isEmpty()
                                 ? native(entry.path)
                                 : native(entry.renamedFrom) + QStringLiteral(" → ") + native(entry.path);
        if (!entry.stayedChanged) {
            m_unchanged << name;
            continue;
        }
        m_changed << name;
        if (!entry.keptAt.isEmpty())
            keptAt << native(entry.step.target) + QStringLiteral(": прежнее содержимое в ") + native(entry.keptAt);
    }
    if (m_changed.isEmpty()) {
        m_error +=
            QStringLiteral("\r\n\r\nНи один файл не изменён: ") + nameList(m_unchanged) + QLatin1Char('.');
        return;
    }
    m_error += QStringLiteral("\r\n\r\nВернуть прежнее не удалось, изменены: ") + nameList(m_changed) +
               QLatin1Char('.');
    for (const QString &kept : std::as_const(keptAt))
        m_error += QStringLiteral("\r\n") + kept;
    if (!m_unchanged.isEmpty())
        m_error += QStringLiteral("\r\nОстались прежними: ") + nameList(m_unchanged) + QLatin1Char('.');
}
