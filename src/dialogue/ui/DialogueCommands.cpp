#include "dialogue/ui/DialogueCommands.h"

#include "app/ui/TForm1.h"

DialogueCommands::DialogueCommands(TForm1 &window) : QObject(&window), m_window(window)
{
}

void DialogueCommands::attachDialogueFile(bool)
{
}

void DialogueCommands::clearDialogue()
{
    m_window.document().EdtPath.clear();
    m_window.edtText().clear();
}

void DialogueCommands::LoadEdt(const QString &)
{
}

void DialogueCommands::ShowPhraseText()
{
}
