#pragma once

#include "common/FileStamp.h"
#include "session/ScriptLock.h"

#include <QString>
#include <QStringList>

#include <optional>

// One file the editor read or wrote: what it was then, and the last version on disk the
// user was told or asked about, so that each change made by another program is reported
// once.
class WatchedFile
{
public:
    enum class State { Same, Changed, Gone };

    QString path() const { return m_path; }
    // Read or written here just now, as the stamp says; an empty stamp for a file that
    // could not be read.
    void take(const QString &path, const FileStamp &stamp);
    void forget() { take({}, {}); }
    // A change not yet reported, or a disappearance.
    State newChange();
    // The user keeps the editor's version of what is on disk now.
    void acknowledge() { m_seen = FileStamp::of(m_path); }
    // Another version than the one read or written here lies at the path.
    bool changedBehindBack() const;

private:
    QString m_path;
    FileStamp m_known; // as last read or written here
    FileStamp m_seen;  // the last version the user was told or asked about
};

// Where the open script and its dialogue text live on disk: the two watched files, the
// lock that keeps a second editor from writing over the script, and whether this editor
// may write it at all.
class ScriptDisk
{
public:
    enum class Part { Script, Dialogue };

    WatchedFile &file(Part part) { return part == Part::Script ? m_script : m_dialogue; }
    const WatchedFile &file(Part part) const { return part == Part::Script ? m_script : m_dialogue; }
    WatchedFile &script() { return m_script; }
    WatchedFile &dialogue() { return m_dialogue; }

    // The script was read or written here: watched, and locked unless only shown.
    void takeScript(const QString &path, const FileStamp &stamp, bool readOnly);
    // Opened while another editor had it: it may be saved only under another name.
    bool isReadOnly() const { return m_readOnly; }

    // Another running editor that has the script open, and how to say so.
    static std::optional<ScriptLock::Holder> lockedByOther(const QString &path);
    static QString lockedText(const ScriptLock::Holder &holder);

private:
    WatchedFile m_script;
    WatchedFile m_dialogue;
    ScriptLock m_lock;
    bool m_readOnly = false;
};
