#pragma once

#include "document/NpcScriptDocument.h"

#include <QString>

#include <array>

// Columns 1 and 2 of the record grid. The list operations move these texts with their
// records instead of recomputing them.
struct RecordGridTexts {
    std::array<QString, RecordCount> action;
    std::array<QString, RecordCount> link;

    bool operator==(const RecordGridTexts &) const = default;
};

// True when the record hands control to a record of this script. An empty record
// never does, even in a script whose own number is 0.
bool linksIntoScript(const NpcRecord &record, quint8 ownNpcNumber);

// The list operations on the 50 records of a script and their grid texts, always at
// the current record. Links into the script are rewritten so that they keep pointing
// at the record they pointed at, as far as the fixed 50 slots allow.
class RecordList
{
public:
    RecordList(NpcRecords &records, RecordGridTexts &grid, int curRec, quint8 ownNpcNumber);

    int CurRec() const { return m_curRec; }

    // Indexes of the records that link to the current record, as "3, 7, 12".
    QString CheckLinkDel() const;

    // Before a record is inserted at CurRec (+1) or removed from it (-1).
    void ChangeLink2Rec(int delta);
    // Before the current record swaps with the one above (-1) or below (+1).
    void ChangeLinksPlace(int delta);

    // Cut and delete: the records below move up, the last slot becomes empty.
    void removeRecord();
    // Paste: the records from CurRec on move down and the last one is lost; the
    // record is placed unchanged. Its grid row keeps the texts it had.
    void insertRecord(const NpcRecord &record);
    // Swaps the current record with its neighbour above (-1) or below (+1); CurRec
    // follows the record. False, with nothing changed, at either end of the list.
    bool moveRecord(int delta);

private:
    void setLinkText(int row);

    NpcRecords &m_records;
    RecordGridTexts &m_grid;
    int m_curRec;
    quint8 m_own;
};
