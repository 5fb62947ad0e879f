#include "common/FileSetWriter.h"

#include "common/FileMessages.h"
#include "common/RegularFile.h"

#include <QDir>
#include <QFileInfo>

namespace
{

constexpr qsizetype NamesShown = 10;

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

void FileSetWriter::write(const QString &path, const QByteArray &bytes)
{
    Entry &entry = entryFor(path);
    entry.hasBytes = true;
    entry.bytes = bytes;
}

void FileSetWriter::rename(const QString &from, const QString &to)
{
    entryFor(to).renamedFrom = from;
}

bool FileSetWriter::commit()
{
    m_error.clear();
    m_changed.clear();
    m_unchanged.clear();
    bool written = check();
    if (written && !prepare()) {
        cleanUp(true);
        written = false;
    }
    for (qsizetype i = 0; written && i < m_entries.size(); ++i) {
        if (!place(m_entries[i])) {
            rollBack();
            cleanUp(true);
            written = false;
        }
    }
    if (!written) {
        summarise();
        return false;
    }
    cleanUp(false);
    return true;
}

bool FileSetWriter::check()
{
    QStringList renamedAway;
    for (Entry &entry : m_entries) {
        Entry fresh;
        fresh.path = entry.path;
        fresh.renamedFrom = entry.renamedFrom;
        fresh.hasBytes = entry.hasBytes;
        fresh.bytes = entry.bytes;
        entry = std::move(fresh);
        if (!entry.renamedFrom.isEmpty())
            renamedAway << entry.renamedFrom;
    }
    for (Entry &entry : m_entries) {
        entry.target = entry.path;
        if (!entry.renamedFrom.isEmpty()) {
            entry.source = entry.renamedFrom;
            QString reason;
            if (!m_ops.exists(entry.source))
                reason = QStringLiteral("нет такого файла");
            else if (QFileInfo(entry.source).isDir())
                reason = RegularFile::folderText();
            else if (m_ops.exists(entry.target))
                reason = QStringLiteral("файл %1 уже есть").arg(native(entry.target));
            if (!reason.isEmpty()) {
                m_error = renameFailureText(entry.source, entry.target, reason);
                return false;
            }
            continue;
        }
        if (renamedAway.contains(entry.target)) {
            m_error = writeFailureText(entry.target, QStringLiteral("этот файл переименовывается"));
            return false;
        }
        const QFileInfo info(entry.target);
        if (info.isSymLink())
            entry.target = info.symLinkTarget();
        if (QFileInfo(entry.target).isDir()) {
            // Moved aside and put back like a file, a folder would end under another name.
            m_error = writeFailureText(entry.target, RegularFile::folderText());
            return false;
        }
        if (m_ops.exists(entry.target))
            entry.source = entry.target;
    }
    return true;
}

bool FileSetWriter::prepare()
{
    QStringList temps;
    QStringList targets;
    for (Entry &entry : m_entries) {
        if (!entry.hasBytes)
            continue;
        QString reason;
        if (!m_ops.writeTemp(entry.target, entry.bytes, entry.source, entry.temp, reason)) {
            m_error = writeFailureText(entry.target, reason);
            return false;
        }
        temps << entry.temp;
        targets << entry.target;
    }
    QString reason;
    if (!m_ops.sync(temps, reason)) {
        m_error = writeFailureText(targets.value(0), reason);
        return false;
    }
    return true;
}

bool FileSetWriter::place(Entry &entry)
{
    QString reason;
    if (!entry.hasBytes) {
        if (!m_ops.rename(entry.source, entry.target, reason)) {
            m_error = renameFailureText(entry.source, entry.target, reason);
            return false;
        }
        entry.done = Entry::Done::Placed;
        return true;
    }
    if (!entry.source.isEmpty()) {
        entry.backup = m_ops.freeNameBeside(entry.source);
        if (!m_ops.rename(entry.source, entry.backup, reason)) {
            m_error = writeFailureText(entry.target, reason);
            return false;
        }
        entry.done = Entry::Done::SourceAside;
    }
    if (!m_ops.rename(entry.temp, entry.target, reason)) {
        m_error = writeFailureText(entry.target, reason);
        return false;
    }
    entry.done = Entry::Done::Placed;
    return true;
}

bool FileSetWriter::putBack(Entry &entry, QString &keptAt)
{
    QString reason;
    if (entry.done == Entry::Done::Nothing)
        return true;
    if (!entry.hasBytes) {
        if (m_ops.rename(entry.target, entry.source, reason))
            return true;
        keptAt = entry.target;
        return false;
    }
    // The new file goes back to its temporary name first: the old one needs its place.
    if (entry.done == Entry::Done::Placed && !m_ops.rename(entry.target, entry.temp, reason)) {
        keptAt = entry.backup;
        return false;
    }
    if (!entry.source.isEmpty() && !m_ops.rename(entry.backup, entry.source, reason)) {
        if (entry.done == Entry::Done::Placed)
            m_ops.rename(entry.temp, entry.target, reason); // better the new file than none
        keptAt = entry.backup;
        return false;
    }
    return true;
}

void FileSetWriter::rollBack()
{
    for (qsizetype i = m_entries.size() - 1; i >= 0; --i) {
        Entry &entry = m_entries[i];
        if (putBack(entry, entry.keptAt))
            continue;
        entry.stayedChanged = true;
        entry.backup.clear(); // it may hold the only old copy: it stays
        entry.temp.clear();
    }
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
            keptAt << native(entry.source) + QStringLiteral(": прежнее содержимое в ") + native(entry.keptAt);
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

void FileSetWriter::cleanUp(bool failed)
{
    for (Entry &entry : m_entries) {
        if (failed && !entry.temp.isEmpty())
            m_ops.remove(entry.temp);
        if (!failed && !entry.backup.isEmpty())
            m_ops.remove(entry.backup);
        entry.temp.clear();
        entry.backup.clear();
        entry.done = Entry::Done::Nothing;
    }
}
