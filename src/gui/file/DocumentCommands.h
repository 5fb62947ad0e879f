#pragma once

#include "gui/widgets/CommandContext.h"
#include "gui/widgets/Prompts.h"
#include "session/ScriptSession.h"

#include <QObject>

// The life of the open script: new, open, drop, save, save as and the layout switch.
class DocumentCommands : public QObject
{
    Q_OBJECT
public:
    explicit DocumentCommands(const CommandContext &context);

    void NewExecute();
    void OpenExecute();
    void SaveExecute();
    void SaveAsExecute();
    void F_VestaExecute();
    void F_StandartExecute();
    void Check_VestaClick(bool checked);
    // The first file of a drop on the window.
    void FilesDropped(const QString &path);
    void FollowLinkExecute();
    // Goes where a link leads, as FollowLink does for the current record's.
    void followLink(const LinkNavigation::LinkTarget &link);
    void GoBackExecute();
    // A script picked from the recent files; one that is gone leaves the list.
    void openRecentFile(const QString &path);
    // A file named on the command line, as the file manager passes it: a script, or a
    // dialogue file, which brings the script of the same name beside it when there is
    // one and is shown alone otherwise.
    void openNamedFile(const QString &path);
    // Opens a script as Open does once the file is chosen; false when it was refused.
    bool openScript(const QString &path, ScriptSession::OpenOptions options);
    // Shows a record of a script, opening the script first unless it is the open one
    // (after the unsaved-changes question); false when the user declined or the file
    // was refused. A record of -1 leaves the current one as it is.
    bool openScriptAt(const QString &path, int record);
    // At start-up: the unsaved work of editors that ended without saving, one question
    // per script.
    void offerRecovery();
    // The user is asked about unsaved changes; true when they may be left behind.
    bool mayDiscardChanges(const QString &question, QMessageBox::StandardButtons buttons);

signals:
    // A dialogue file was dropped on the window, to be taken as the script's text.
    void dialogueFileDropped(const QString &path);
    // An opened script has no dialogue file and the user wants to pick one: the import
    // runs before opening goes on.
    void dialogueFileWanted();
    // A dialogue file was opened without its script: its text is to be shown.
    void dialogueViewWanted();

private:
    // A script is shown with its lists, which a start-up without one reads only once the
    // window is first painted.
    void readListsIfUnread();
    FileDialogOptions npcDialog(const QString &title) const;
    bool mayDropLastRecord();
    // Files changed by another program since they were read are written over only
    // when the user agrees.
    bool mayWriteOver(const QString &scriptPath);

    CommandContext m_context;
    ScriptSession &m_session;
};
