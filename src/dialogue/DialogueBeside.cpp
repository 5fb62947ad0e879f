#include "dialogue/DialogueBeside.h"

#include "dialogue/EdtReader.h"
#include "document/ScriptFolder.h"

DialogueBeside readDialogueBeside(const ScriptFolder &folder, const QString &scriptName)
{
    DialogueBeside dialogue;
    const QString name = folder.edtNameFor(scriptName);
    if (name.isEmpty())
        return dialogue;
    dialogue.path = folder.pathOf(name);
    EdtReader reader;
    if (reader.read(dialogue.path))
        dialogue.text = reader.takeText();
    else
        dialogue.error = reader.errorString();
    return dialogue;
}
