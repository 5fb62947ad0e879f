#include "session/RecoveryKeeper.h"

#include "common/FileMessages.h"
#include "common/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace
{

const QString Suffix = QStringLiteral(".recovery");
const QString SetAside = QStringLiteral(".unreadable");

} // namespace

RecoveryKeeper::RecoveryKeeper(QObject *parent) : QObject(parent), m_self(ProcessIdentity::current())
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(DelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::write);
}

QString RecoveryKeeper::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

bool RecoveryKeeper::prepareFolder(QString &error)
{
    const QString path = folder();
    const QFileInfo info(path);
    if (info.isSymLink()) {
        error = linkRefusalText();
        return false;
    }
    constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    if (!info.isDir() && !(QDir().mkpath(info.absolutePath()) && QDir().mkdir(path, OwnerOnly))) {
        error = QStringLiteral("не удалось создать папку");
        return false;
    }
    // Made by an earlier version, it may be open to others: closed now.
    QFile::setPermissions(path, OwnerOnly);
    return true;
}

QString RecoveryKeeper::linkRefusalText()
{
    return QStringLiteral("на этом месте символьная ссылка, а не файл; по ней ничего не пишется");
}

bool RecoveryKeeper::writePrivate(const QString &path, const QByteArray &bytes, QString &error)
{
    if (!prepareFolder(error))
        return false;
    if (QFileInfo(path).isSymLink()) {
        error = linkRefusalText();
        return false;
    }
    if (!saveFile(path, bytes, error))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

QString RecoveryKeeper::ownFile() const
{
    return folder() + QStringLiteral("/%1-%2").arg(m_self.pid).arg(m_self.started) + Suffix;
}

void RecoveryKeeper::noteChange()
{
    if (m_enabled && !m_timer.isActive())
        m_timer.start();
}

void RecoveryKeeper::flush()
{
    if (m_timer.isActive()) {
        m_timer.stop();
        write();
    }
}

void RecoveryKeeper::write()
{
    std::optional<RecoveryState> state = m_snapshot ? m_snapshot() : std::nullopt;
    if (!state) {
        drop();
        return;
    }
    state->process = m_self;
    state->written = QDateTime::currentDateTimeUtc();
    const QString path = ownFile();
    QString error;
    const bool written = writePrivate(path, RecoveryFile::encode(*state), error);
    m_kept = m_kept || written;
    if (written && std::exchange(m_failing, false))
        emit keepingResumed();
    if (!written && !std::exchange(m_failing, true))
        emit keepingFailed(writeFailureText(path, error));
}

void RecoveryKeeper::drop()
{
    m_timer.stop();
    // Asked after most commands: only a file once written is looked for.
    if (std::exchange(m_kept, false))
        QFile::remove(ownFile());
}

RecoveryKeeper::Found RecoveryKeeper::findLeftBehind()
{
    Found found;
    const QDir dir(folder());
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*") + Suffix}, QDir::Files, QDir::Time | QDir::Reversed);
    const ProcessIdentity self = ProcessIdentity::current();
    for (const QFileInfo &info : files) {
        RecoveryFile file;
        if (info.isSymLink()) {
            found.unreadable << info.filePath(); // not followed; said, and left where it is
            continue;
        }
        if (!file.read(info.filePath())) {
            // Kept for whoever can still make something of it, but offered no more.
            const QString aside = info.filePath() + SetAside;
            found.unreadable << (QFile::rename(info.filePath(), aside) ? aside : info.filePath());
            continue;
        }
        const ProcessIdentity &owner = file.state().process;
        if (owner == self || owner.isRunning())
            continue;
        found.offers.append({info.filePath(), file.state()});
    }
    std::stable_sort(found.offers.begin(), found.offers.end(),
                     [](const Offer &a, const Offer &b) { return a.state.written < b.state.written; });
    return found;
}

bool RecoveryKeeper::discard(const QString &file)
{
    return QFile::remove(file);
}

void RecoveryKeeper::adopt(const QString &file)
{
    m_timer.stop();
    write();
    // Until this process keeps the work, the old file is its only copy.
    if (!m_failing && QFile::exists(ownFile()))
        QFile::remove(file);
}
