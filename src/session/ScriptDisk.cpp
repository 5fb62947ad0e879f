#include "session/ScriptDisk.h"

#include <QDir>
#include <QFileInfo>

void WatchedFile::take(const QString &path, const FileStamp &stamp)
{
    m_path = path;
    m_known = m_seen = stamp;
}

WatchedFile::State WatchedFile::newChange()
{
    if (m_path.isEmpty())
        return State::Same;
    const FileStamp now = FileStamp::of(m_path);
    const bool known = now.sameContent(m_known) || now.sameContent(m_seen);
    m_seen = now;
    if (known)
        return State::Same;
    return now.exists ? State::Changed : State::Gone;
}

bool WatchedFile::changedBehindBack() const
{
    // Only a file holds another version; a write over anything else fails and says so.
    return !m_path.isEmpty() && QFileInfo(m_path).isFile() && !FileStamp::of(m_path).sameContent(m_known);
}

void ScriptDisk::takeScript(const QString &path, const FileStamp &stamp, bool readOnly)
{
    m_script.take(path, stamp);
    m_readOnly = readOnly;
    if (path.isEmpty() || readOnly)
        m_lock.release();
    else
        m_lock.take(path);
}

std::optional<ScriptLock::Holder> ScriptDisk::lockedByOther(const QString &path)
{
    return ScriptLock::heldByOther(path);
}

QString ScriptDisk::lockedText(const ScriptLock::Holder &holder)
{
    return QStringLiteral("Скрипт %1 уже открыт в другом окне Scrivlet (процесс %2).")
        .arg(QDir::toNativeSeparators(holder.path))
        .arg(holder.process.pid);
}
