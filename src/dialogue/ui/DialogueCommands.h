#pragma once

#include <QObject>

class TForm1;

// The dialogue text of the open script: loading, the phrase memo, viewer, export.
class DialogueCommands : public QObject
{
    Q_OBJECT
public:
    explicit DialogueCommands(TForm1 &window);

    // After a script was opened (by the dialog, or by a drop when afterDrop).
    void attachDialogueFile(bool afterDrop);
    // Forgets the dialogue text, as a new script does.
    void clearDialogue();
    void LoadEdt(const QString &path);
    void ShowPhraseText();

private:
    TForm1 &m_window;
};
