#pragma once

#include "gui/widgets/CommandContext.h"
#include "gui/widgets/OnDemand.h"

#include <QObject>

struct AppConfig;
class FindUsagesDialog;
class RenumberDialog;
class ReplaceDialog;
class ProblemsWindow;
class TForm2;
class TForm4;
class View_Map;

// The commands of the program as a whole: quit, help, the About box, the configuration,
// undo and redo, and the windows that look at the whole script and its folder.
class AppCommands : public QObject
{
    Q_OBJECT
public:
    // The windows that only these commands open are made when first asked for.
    struct Windows {
        OnDemand<TForm2> *about = nullptr;
        OnDemand<TForm4> *config = nullptr;
        OnDemand<ProblemsWindow> *problems = nullptr;
        OnDemand<FindUsagesDialog> *findUsages = nullptr;
        OnDemand<View_Map> *map = nullptr;
        OnDemand<RenumberDialog> *renumber = nullptr;
        OnDemand<ReplaceDialog> *replace = nullptr;
    };
    AppCommands(const CommandContext &context, const Windows &windows);

    void QuitExecute();
    void HelpExecute();
    void AboutExecute();
    void ConfigExecute();
    void UndoExecute();
    void RedoExecute();
    void CheckScriptExecute();
    void FindUsagesExecute();
    void ShowMapExecute();
    void RenumberExecute();
    void ReplaceTextExecute();

private:
    CommandContext m_context;
    Windows m_windows;
};

// Opens the manual with the desktop's viewer; says where it is when that cannot be done.
void showManual(const AppConfig &config, Prompts &prompts, QWidget *parent);
