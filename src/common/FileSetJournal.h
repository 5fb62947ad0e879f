#pragma once

#include "common/ProcessIdentity.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One file of a change of several files, as its journal keeps it.
struct FileSetStep {
    enum class Kind { Replace, Create, Move };
    Kind kind = Kind::Replace;
    QString target;
    QString source; // Move: the file that goes away once the set is done
    QString temp;   // the new bytes wait here until they take the target's place
    QString backup; // Replace: the old file waits here until the set is done
    QByteArray newHash;
    QByteArray oldHash; // Move always; Replace when the caller said what it must hold

    bool operator==(const FileSetStep &) const = default;
};

// What a change of several files records, and puts on the disk, before it replaces the
// first file, so that a later run can take it back or finish it after a kill. Text lines,
// paths percent-encoded as the system's bytes.
struct FileSetJournal {
    static constexpr int Version = 1;
    // Far above the thousands of files of a game folder; a larger journal is not read,
    // so a set that would need one is refused.
    static constexpr qint64 MaxSize = 64 * 1024 * 1024;
    static constexpr const char *Suffix = ".journal";

    ProcessIdentity owner;
    QString folder; // the folder the set was made for
    QList<FileSetStep> steps;
    // Every step is recorded: only then may any file have been touched.
    bool complete = false;
    // Every new file is in place: the set goes forward.
    bool committed = false;

    // Header, steps and the end line; the commit line is added later.
    QByteArray toBytes() const;
    static QByteArray commitLine();
    bool parse(const QByteArray &bytes, QString &error);

    // Where the journals of this user live.
    static QString folderPath();
    // The process that made the journal, as its file name says; 0 for a name not ours.
    static qint64 pidInName(const QString &path);
    // A new journal there, on the disk before it returns.
    bool create(QString &path, QString &error) const;
    static bool markCommitted(const QString &path, QString &error);
};
