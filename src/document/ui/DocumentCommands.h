#pragma once

#include "common/ui/Prompts.h"
#include "document/NpcScriptDocument.h"

#include <QMessageBox>
#include <QObject>

class TForm1;

// The life of the open script: new, open, drop, save, save as and the layout switch.
class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    explicit DocumentCommands(TForm1 &window);

    void NewExecute();
    void OpenExecute();
    void SaveExecute();
    void SaveAsExecute();
    void F_VestaExecute();
    void F_StandartExecute();
    void Check_VestaClick(bool checked);
    // The first file of a drop on the window.
    void FilesDropped(const QString &path);

    bool NpcRead(const QString &path);
    bool NpcWrite(const QString &path);
    void ShowNpcName(const QString &path);

private:
    FileDialogOptions npcDialog(const QString &title) const;
    bool mayDiscardChanges(const QString &question, QMessageBox::StandardButtons buttons);
    void showLayout(NpcLayout layout);
    void selectFirstRecord();

    TForm1 &m_window;
};
