#pragma once

#include <QtGlobal>

// A running process told apart from a later one that got the same id: the id and the
// moment the process started.
struct ProcessIdentity {
    qint64 pid = 0;
    // Linux: clock ticks since boot; Windows: the creation time in 100 ns steps since 1601;
    // 0 where the system does not say.
    quint64 started = 0;

    static ProcessIdentity current();
    // The process now running under the id, as far as the system says.
    static ProcessIdentity of(qint64 pid);
    // False for a process that has ended (or is only waiting to be reaped), and for one
    // whose id has since gone to another process.
    bool isRunning() const;
    // Whether the process runs a program of ours (its file's name begins "scrivlet").
    static bool isScrivlet(qint64 pid);

    bool operator==(const ProcessIdentity &) const = default;
};
