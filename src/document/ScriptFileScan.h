#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QDirIterator;

// The scripts below a folder: *.npc in any letter case, in every subfolder (links to
// folders are not followed), sorted by path. It lists a bounded number of entries a
// step, so that a window can list a large tree and stay responsive.
class ScriptFileScan
{
public:
    explicit ScriptFileScan(const QString &folder);
    ~ScriptFileScan();

    // Visits up to `entries` entries of the tree; true once all of it is listed.
    bool step(int entries);
    bool isDone() const { return !m_iterator; }
    // The scripts found so far; sorted once the listing is done.
    const QStringList &paths() const { return m_paths; }
    // Scripts and folders whose names the system's encoding cannot read, shown with
    // their bytes as \xNN: nothing in them can be reached, and nothing may skip them
    // unsaid.
    const QStringList &undecodable() const { return m_undecodable; }

    // The whole listing at once; with `undecodable`, what it could not list goes there.
    static QStringList all(const QString &folder, QStringList *undecodable = nullptr);

private:
    void lookForUndecodable(const QString &folder);

    std::unique_ptr<QDirIterator> m_iterator;
    QStringList m_paths;
    QStringList m_undecodable;
};
