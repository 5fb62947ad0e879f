#pragma once

#include "gui/widgets/CommandContext.h"

#include <QObject>

class TForm3;

// The dialogue text of the open script: import, export, reload, viewer, external editor.
class DialogueCommands : public QObject
{
    Q_OBJECT
public:
    DialogueCommands(const CommandContext &context, TForm3 *viewer);

    void OpenEdtExecute();
    void ExportEdtExecute();
    void ReloadTxtExecute();
    void ShowEdtExecute();
    void RunEdtExecute();
    // A file that cannot be read leaves the dialogue text and its path as they were.
    void loadDroppedFile(const QString &path);
    // No text changes would be lost, or the user saved them or lets them go.
    bool mayReplaceText();

private:
    CommandContext m_context;
    ScriptSession &m_session;
    TForm3 *m_viewer = nullptr;
    bool m_editorStarted = false;
};
