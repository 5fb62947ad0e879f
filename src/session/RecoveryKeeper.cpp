#include "session/RecoveryKeeper.h"

#include "common/FileMessages.h"

#include <QDir>
#include <QFile>
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
    RecoveryFile file;
    const QString path = ownFile();
    const bool written = QDir().mkpath(folder()) && file.write(*state, path);
    m_kept = m_kept || written;
    if (written && std::exchange(m_failing, false))
        emit keepingResumed();
    if (!written && !std::exchange(m_failing, true))
        emit keepingFailed(writeFailureText(path, file.errorString()));
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
