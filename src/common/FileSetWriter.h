#pragma once

#include "common/FileOps.h"
#include "common/FileSetJournal.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Changes several files so that they end either all changed or all exactly as they were,
// even when the process is killed on the way: every new content is written to a file of
// its own beside its target first, a journal of the set is put on the disk, and only then
// are the old files replaced, each keeping its old copy until the whole set is in place.
// A later run finishes or takes back a set cut short (finishInterruptedSets).
class FileSetWriter
{
public:
    // What a file must be for the set to change it.
    struct Condition {
        // What the file holds now. Compared right before it is replaced and again before
        // its old copy is dropped: a change made by another program takes the set back.
        std::optional<QByteArray> before;
        // The folder the file must lie in, its links followed to their end.
        QString inside;
    };

    explicit FileSetWriter(FileOps &ops = FileOps::system());

    // The folder the set is made for: a later run touching it finishes the set if this
    // one is cut short. Without it, the folder of the first file.
    void setFolder(const QString &folder) { m_folder = folder; }

    // The file at `path`, as it is named after the renames, holds the bytes. A symbolic
    // link is followed, so that the file it leads to gets them.
    void write(const QString &path, const QByteArray &bytes, const Condition &condition = {});
    // The file at `from` is at `to` afterwards, with the bytes written to `to` if any;
    // no file may be at `to` yet. The condition is the one of `from`.
    void rename(const QString &from, const QString &to, const Condition &condition = {});

    bool commit();

    // The user's message after a failed commit: which step failed and why, which files
    // were changed and which were not.
    QString errorString() const { return m_error; }
    // After a failed commit. A file is changed only when putting back its old content
    // failed as well; the message then says where that content is kept.
    const QStringList &changedFiles() const { return m_changed; }
    const QStringList &unchangedFiles() const { return m_unchanged; }

private:
    struct Entry {
        QString path;        // as given
        QString renamedFrom; // as given
        bool hasBytes = false;
        QByteArray bytes;
        Condition condition;
        FileSetStep step;
        bool planned = false;
        bool stayedChanged = false; // putting it back failed
        QString keptAt;             // then where its old content is
    };

    Entry &entryFor(const QString &target);
    bool check();
    bool planMove(Entry &entry);
    bool planWrite(Entry &entry, QHash<QString, qsizetype> &byTarget, qsizetype index);
    bool outsideFolder(const Entry &entry, const QString &target);
    bool writeTemps();
    bool place(Entry &entry);
    bool verify();
    bool stillHolds(const QString &path, const QByteArray &hash);
    void rollBack();
    void finish();
    void summarise();

    FileOps &m_ops;
    QString m_folder;
    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_indexOf; // by path
    QString m_journal;
    QString m_error;
    QStringList m_changed;
    QStringList m_unchanged;
};
