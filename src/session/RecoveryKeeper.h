#pragma once

#include "session/RecoveryFile.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

// Keeps the unsaved state of the open script in a recovery file of this process, written
// shortly after each change, so that a crash or a kill loses at most the last second; and
// finds the recovery files that editors which ended without saving left behind.
class RecoveryKeeper : public QObject
{
    Q_OBJECT
public:
    // Changes arriving while a write waits join it; the write ends within the second.
    static constexpr int DelayMs = 900;

    // `snapshot` gives the state to keep, or nothing when there is nothing unsaved.
    using Snapshot = std::function<std::optional<RecoveryState>()>;
    explicit RecoveryKeeper(QObject *parent = nullptr);
    void setSnapshot(Snapshot snapshot) { m_snapshot = std::move(snapshot); }

    // The user's data folder for recovery files and script locks.
    static QString folder();
    QString ownFile() const;
    // The folder made, open to its owner alone (it holds unsaved work); false, with the
    // reason, when it cannot be.
    static bool prepareFolder(QString &error);
    // Writes a file of the folder, readable by its owner alone. A link planted at the
    // path is never followed nor replaced: refused, and said.
    static bool writePrivate(const QString &path, const QByteArray &bytes, QString &error);
    static QString linkRefusalText();

    // Off, nothing is kept (for measuring what keeping costs).
    void setEnabled(bool enabled) { m_enabled = enabled; }
    // Something changed: a write follows within the second.
    void noteChange();
    // Writes now whatever is pending.
    void flush();
    // Nothing unsaved is left (saved, discarded, undone, or a normal exit).
    void drop();
    bool isPending() const { return m_timer.isActive(); }

    struct Offer {
        QString file;
        RecoveryState state;
    };
    struct Found {
        QList<Offer> offers;     // of editors no longer running, oldest first
        QStringList unreadable;  // each said once: it is set aside, never deleted
    };
    static Found findLeftBehind();
    // The user declined the offer: the file goes.
    static bool discard(const QString &file);
    // The recovered state is kept in this process's own file before the old one goes.
    void adopt(const QString &file);

signals:
    // The recovery file could not be written: unsaved work is not being kept. Said once
    // until a write succeeds again.
    void keepingFailed(const QString &message);
    void keepingResumed();

private:
    void write();

    Snapshot m_snapshot;
    QTimer m_timer;
    ProcessIdentity m_self;
    bool m_failing = false;
    bool m_enabled = true;
    bool m_kept = false; // the own file is on disk
};
