#pragma once

#include "common/FileOps.h"
#include "common/FileSetJournal.h"

#include <QStringList>

#include <optional>

// Taking back or finishing one file of a set. Each step may itself be cut short by a
// kill and run again: it looks at what is on the disk, not at what it did before.
namespace FileSetSteps
{

enum class Result {
    Done,
    LeftAsIs, // another program changed the file meanwhile: nothing of it is deleted
    Failed,   // a file step failed: the journal stays for the next run
};

struct Outcome {
    Result result = Result::Done;
    QString message;
};

// Before the commit: the file as it was.
Outcome takeBack(const FileSetStep &step, FileOps &ops);
// After it: the old copy and anything left beside the file removed.
Outcome finish(const FileSetStep &step, FileOps &ops);

// The content hash of a regular file; nothing when there is none or it cannot be read.
std::optional<QByteArray> hashOfFile(const QString &path);

} // namespace FileSetSteps

// The journals of sets that this process is writing now: no other run may touch them.
namespace FileSetActive
{
void add(const QString &journal);
void remove(const QString &journal);
bool contains(const QString &journal);
} // namespace FileSetActive

// What a run did with the sets that an earlier one left unfinished.
struct InterruptedSets {
    QStringList notes;    // what was taken back or finished, and what was left for the user
    QStringList failures; // what could not be done: the folder may be half changed
};

// Takes back, or finishes when every new file was in place, each set left by a process no
// longer running whose files or folder lie in one of the folders, or whose folder holds one.
InterruptedSets finishInterruptedSets(const QStringList &folders, FileOps &ops = FileOps::system());
