#pragma once

#include <QString>

// How a session command ended: on failure, the message the user is shown; on success,
// a note for the status bar when the command did more than was asked.
struct SessionResult {
    bool ok = true;
    QString message;

    explicit operator bool() const { return ok; }
    static SessionResult failure(QString message) { return {false, std::move(message)}; }
};

// Opening a script: whether the file was taken, and what became of its dialogue file.
struct OpenResult : SessionResult {
    // No dialogue file beside the script; the dialogue text is cleared. The user may pick one.
    bool dialogueMissing = false;
    // The dialogue file beside the script could not be read; the dialogue text is cleared.
    QString dialogueError;
    // A change of several files in the folder, cut short by an earlier run, was taken back
    // or finished before the script was read: what became of it.
    QString interruptedWrite;
    bool interruptedWriteFailed = false;
};
