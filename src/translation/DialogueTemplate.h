#pragma once

#include "dialogue/EdtText.h"
#include "document/NpcScriptDocument.h"
#include "translation/PoCatalogue.h"

#include <QList>
#include <QString>

// One dialogue file to translate, with the script beside it when there is one.
struct DialogueSource {
    QString fileName; // "057.edt", the context of its entries
    EdtText text;
    const NpcRecords *records = nullptr;
    QString speaker; // the character's name from the Npc list; empty when unnamed
};

// The translation template of dialogue files: for each file, one entry per distinct
// line that is not blank, in the order the lines first come, with a reference to every
// phrase holding it and a note naming the records that speak it and the character.
// Lines holding a zero byte, which no PO string can carry, are left out and counted.
struct DialogueTemplate {
    PoCatalogue catalogue;
    int leftOut = 0;
};

DialogueTemplate dialogueTemplate(const QList<DialogueSource> &sources, const QString &generator);

// "Ольга: записи 3, 7", for the note of an entry.
QString speakersNote(const QString &speaker, const QList<int> &records);
