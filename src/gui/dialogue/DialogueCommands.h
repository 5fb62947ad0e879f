#pragma once

#include "gui/widgets/CommandContext.h"
#include "gui/widgets/OnDemand.h"

#include <QObject>

class TForm3;

// The dialogue text of the open script: import, export, reload, viewer, external editor.
class DialogueCommands : public QObject
{
    Q_OBJECT
public:
    DialogueCommands(const CommandContext &context, OnDemand<TForm3> &viewer);

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
    OnDemand<TForm3> &m_viewer;
    bool m_editorStarted = false;
};
