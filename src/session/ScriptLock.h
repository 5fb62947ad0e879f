#pragma once

#include "common/ProcessIdentity.h"

#include <QString>

#include <optional>

// Says that this editor has a script open, so that a second editor does not write over
// it: a small file in the recovery folder, named from the script's path, naming the path
// and the process. A lock whose process has ended means nothing.
class ScriptLock
{
public:
    ScriptLock() = default;
    ~ScriptLock() { release(); }
    ScriptLock(const ScriptLock &) = delete;
    ScriptLock &operator=(const ScriptLock &) = delete;

    struct Holder {
        QString path;
        ProcessIdentity process;
    };
    // Another running editor that has the script open.
    static std::optional<Holder> heldByOther(const QString &scriptPath);

    // This editor has the script open now (and no longer the one before).
    void take(const QString &scriptPath);
    void release();
    QString lockedPath() const { return m_path; }

    static QString lockFileOf(const QString &scriptPath);

private:
    QString m_path;
    QString m_file;
};
