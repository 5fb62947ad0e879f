#pragma once

#include "editor/RecordList.h"
#include "editor/ReferenceLists.h"

// The grid's caption of every row: the name of the record's action (column 1) and where it
// hands control (column 2). They follow rules of their own: written when a record is shown
// or its action set, moved with their rows, and brought back as they stood by undo, so a
// caption may name what a record held before.
class GridCaptions
{
public:
    explicit GridCaptions(const ReferenceLists &lists) : m_lists(lists) {}

    const RecordGridTexts &texts() const { return m_texts; }
    // For the record list operations and undo, which move and restore rows whole.
    RecordGridTexts &texts() { return m_texts; }
    QString action(int row) const { return m_texts.action.at(row); }
    QString link(int row) const { return m_texts.link.at(row); }

    // Name of the Action list entry numbered with the text, decoded for display.
    QString actionName(const QByteArray &numberText) const;
    // What the record's row says once the record is shown; an empty record says nothing.
    void showAction(int row, const NpcRecord &record);
    void showLink(int row, const NpcRecord &record, quint8 ownNpcNumber);
    void setAction(int row, const QByteArray &numberText) { m_texts.action.at(row) = actionName(numberText); }
    void fill(const NpcRecords &records, quint8 ownNpcNumber);

    // The captions changed since the views last heard of them; true once per change.
    bool takeNews();

private:
    const ReferenceLists &m_lists;
    RecordGridTexts m_texts;
    RecordGridTexts m_shown; // as the views last heard of them
};
