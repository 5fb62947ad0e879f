#pragma once

#include <QObject>

class TForm1;
class TForm3;

// The dialogue text of the open script: loading, the phrase memo, viewer, export.
class DialogueCommands : public QObject
{
    Q_OBJECT
public:
    explicit DialogueCommands(TForm1 &window);

    // Reads the dialogue file beside a script just opened, or asks for another.
    void attachDialogueFile();
    // Forgets the dialogue text, as a new script does.
    void clearDialogue();
    // Replaces the text with the file's; on failure reports it and changes nothing.
    bool LoadEdt(const QString &path);
    void ShowPhraseText();

    void setViewer(TForm3 *viewer) { m_viewer = viewer; }

    void OpenEdtExecute();
    void ExportEdtExecute();
    void ReloadTxtExecute();
    void ShowEdtExecute();
    void RunEdtExecute();

private:
    bool chooseAndLoadEdt();

    TForm1 &m_window;
    TForm3 *m_viewer = nullptr;
};
