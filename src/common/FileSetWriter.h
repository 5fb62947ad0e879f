#pragma once

#include "common/FileOps.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Changes several files so that they end either all changed or all exactly as they were:
// every new content is written to a file of its own beside its target first, the old
// files are replaced only once all of them are written, and a failure on the way puts
// back what was already replaced.
class FileSetWriter
{
public:
    explicit FileSetWriter(FileOps &ops = FileOps::system());

    // The file at `path`, as it is named after the renames, holds the bytes. A symbolic
    // link is followed, so that the file it leads to gets them.
    void write(const QString &path, const QByteArray &bytes);
    // The file at `from` is at `to` afterwards, with the bytes written to `to` if any;
    // no file may be at `to` yet.
    void rename(const QString &from, const QString &to);

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
        QString target;      // the path, a link followed
        QString source;      // the file that goes away; empty when there is none
        bool hasBytes = false;
        QByteArray bytes;
        QString temp;
        QString backup; // where the old source waits until the set is written
        enum class Done { Nothing, SourceAside, Placed } done = Done::Nothing;
        bool stayedChanged = false; // putting it back failed
        QString keptAt;             // then where its old content is
    };

    Entry &entryFor(const QString &target);
    bool check();
    bool prepare();
    bool place(Entry &entry);
    bool putBack(Entry &entry, QString &keptAt);
    void rollBack();
    void summarise();
    void cleanUp(bool failed);

    FileOps &m_ops;
    QList<Entry> m_entries;
    QHash<QString, qsizetype> m_indexOf; // by path
    QString m_error;
    QStringList m_changed;
    QStringList m_unchanged;
};
