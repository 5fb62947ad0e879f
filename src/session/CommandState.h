#pragma once

#include <QString>

// What each command of the window may do now. The session works it out whole from the
// script, the current record, the clipboard, the history and its rooms; a window maps it
// onto its actions and keeps no state of its own.
struct CommandState {
    bool save = false;
    bool paste = false;
    bool moveUp = false;
    bool moveDown = false;
    bool saveAsMacro = false;
    bool macroManager = false; // and the macro menu
    bool dialogue = false;     // showing, reloading and exporting the dialogue text
    bool runEditor = false;
    bool undo = false;
    bool redo = false;
    QString undoName; // the step, for the menu; empty when there is none
    QString redoName;
    bool followLink = false;
    bool goBack = false;
    bool renumber = false;
    bool editPhrases = false; // the phrases window
    bool importPhrases = false;
    bool addPhrase = false;
    bool appendPhrase = false;
    bool insertPhrase = false; // before the line the phrases window stands on
    bool deletePhrase = false;
    bool movePhraseUp = false;
    bool movePhraseDown = false;

    bool operator==(const CommandState &) const = default;
};
