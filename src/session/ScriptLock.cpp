#include "session/ScriptLock.h"

#include "common/RegularFile.h"
#include "common/SaveFile.h"
#include "session/RecoveryKeeper.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

// The same file reached by another name locks the same.
QString identityOf(const QString &scriptPath)
{
    const QFileInfo info(scriptPath);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

} // namespace

QString ScriptLock::lockFileOf(const QString &scriptPath)
{
    const QByteArray hash =
        QCryptographicHash::hash(identityOf(scriptPath).toUtf8(), QCryptographicHash::Sha1).toHex().left(20);
    return RecoveryKeeper::folder() + QLatin1Char('/') + QString::fromLatin1(hash) + QStringLiteral(".lock");
}

std::optional<ScriptLock::Holder> ScriptLock::heldByOther(const QString &scriptPath)
{
    const QString file = lockFileOf(scriptPath);
    QByteArray bytes;
    QString error;
    if (QFileInfo(file).isSymLink() || !RegularFile::readAll(file, 64 * 1024, bytes, error))
        return std::nullopt;
    // path, process id, process start: one a line.
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < 3)
        return std::nullopt;
    Holder holder;
    holder.path = QString::fromUtf8(lines.at(0));
    holder.process.pid = lines.at(1).toLongLong();
    holder.process.started = lines.at(2).toULongLong();
    // Only another editor holds a script: a lock naming any other process, or one whose
    // start cannot be told, would keep the script read-only for good.
    if (holder.process == ProcessIdentity::current() || holder.process.started == 0 ||
        !holder.process.isRunning() || !ProcessIdentity::isScrivlet(holder.process.pid) ||
        holder.path != identityOf(scriptPath))
        return std::nullopt;
    return holder;
}

void ScriptLock::take(const QString &scriptPath)
{
    if (!m_path.isEmpty() && identityOf(m_path) == identityOf(scriptPath))
        return;
    release();
    const ProcessIdentity self = ProcessIdentity::current();
    const QByteArray bytes = identityOf(scriptPath).toUtf8() + '\n' + QByteArray::number(self.pid) + '\n' +
                             QByteArray::number(self.started) + '\n';
    QString error;
    m_path = scriptPath;
    m_file = lockFileOf(scriptPath);
    // Without a lock the editor still works; only a second editor will not be warned.
    if (!RecoveryKeeper::writePrivate(m_file, bytes, error))
        m_file.clear();
}

void ScriptLock::release()
{
    if (!m_file.isEmpty())
        QFile::remove(m_file);
    m_file.clear();
    m_path.clear();
}
