#pragma once

#include "editor/ForeignLinks.h"
#include "editor/ScriptChecks.h"

class FileSetWriter;

// The changes that the other scripts of the folder need because records of this one were
// cut, pasted, deleted or moved since it was last read or written. It follows where each
// record of the file on disk is now; the history keeps its ids with the records, so an
// undone operation takes its changes back with it.
class ForeignLinkFixes
{
public:
    // A script just read: slot i holds record i of the file.
    void reset();
    // The records as they stand were written: the other scripts' links lead to them now.
    void markSaved() { m_saved = m_now; }

    const RecordIds &ids() const { return m_now; }
    void setIds(const RecordIds &ids) { m_now = ids; }

    void removed(int slot) { m_now.remove(slot, m_nextId); }
    void inserted(int slot) { m_now.insert(slot, m_nextId); }
    void swapped(int a, int b) { m_now.swap(a, b); }

    // The slot of the file on disk whose record is in `slot` now; -1 for a record that
    // came in since.
    int savedSlotOf(int slot) const;

    QList<ForeignLinkFix> pending(const FolderLinks &folder) const;

    // The changes as the user is asked about them, a line each, the links that led to a
    // deleted record last; `ownName` names this script ("057").
    static QString describe(const QList<ForeignLinkFix> &fixes, const QString &ownName);

    // Saved without them: those links lead to the wrong record now, until their scripts
    // change or another script is taken.
    void declined(const QList<ForeignLinkFix> &fixes) { m_declined << fixes; }
    // A finding for each declined link that its script still holds as it was, at the
    // record it leads to now.
    QList<CheckFinding> declinedFindings(const FolderLinks &folder, const NpcRecords &records) const;
    // Reads each other script again and adds its fixed bytes to the writer. False with the
    // user's message, nothing added, when one can no longer be read or no longer holds a
    // link as planned.
    static bool addFiles(const QList<ForeignLinkFix> &fixes, quint8 ownNumber, FileSetWriter &writer,
                         QString &error);

private:
    RecordIds m_saved = RecordIds::numbered();
    RecordIds m_now = RecordIds::numbered();
    int m_nextId = RecordCount;
    QList<ForeignLinkFix> m_declined;
};
