#pragma once

#include "common/FileOps.h"
#include "session/ScriptSession.h"

// Puts a session into a state directly, as a script just read would be, for tests that
// build records in place instead of through a file.
class SessionTester
{
public:
    static NpcRecords &records(ScriptSession &session) { return session.m_document.records; }
    static NpcRecord &record(ScriptSession &session, int index) { return records(session).at(index); }

    // The records as they stand become the opened script: captions filled in, nothing
    // to undo, not modified; the current record is shown again.
    static void takeAsOpened(ScriptSession &session, quint8 ownNpcNumber)
    {
        session.m_document.OwnNpcNumber = ownNpcNumber;
        session.fillCaptions();
        session.m_history.clear();
        session.showRec();
        session.notify(ScriptSession::Records | ScriptSession::Shown | ScriptSession::State);
    }

    // Shows the current record again, as after any change of it.
    static void showAgain(ScriptSession &session)
    {
        session.showRec();
        session.notify(ScriptSession::Records | ScriptSession::Shown | ScriptSession::State);
    }

    // Whether a count of the lists' unclear lines was ever begun.
    static bool unclearCountBegun(const ScriptSession &session) { return session.m_unclearCounting.valid(); }

    // A grid caption of a row: column 1 the action name, column 2 the link.
    static void setCaption(ScriptSession &session, int row, int column, const QString &text)
    {
        (column == 1 ? session.m_captions.texts().action : session.m_captions.texts().link).at(row) = text;
        session.notify(ScriptSession::Records);
    }

    // The record label in its empty-record form ("Пустая запись:", red) or not.
    static void setLabelEmptyForm(ScriptSession &session, bool empty)
    {
        session.m_labelEmptyForm = empty;
        session.notify(ScriptSession::State);
    }

    // The history point of the moment becomes the saved one.
    static void markSaved(ScriptSession &session)
    {
        session.m_history.markSaved();
        session.notify(ScriptSession::State);
    }

    // The text as if read from the dialogue file: nothing to save.
    static void setDialogueText(ScriptSession &session, const EdtText &text)
    {
        session.m_dialogue.setText(text);
        session.takeReadText();
        session.notify(ScriptSession::Dialogue);
    }

    // The file steps of a save that writes several files, for a test that fails one.
    static void setFileOps(ScriptSession &session, FileOps &ops) { session.m_fileOps = &ops; }
};
