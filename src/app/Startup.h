#pragma once

#include "gui/widgets/OnDemand.h"
#include "gui/widgets/Prompts.h"

#include <QStringList>

#include <memory>

class FindUsagesDialog;
class PhrasesWindow;
class ProblemsWindow;
class RenumberDialog;
class ReplaceDialog;
class ScriptSession;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class View_Map;
class QWidget;

// The session and every window of the program; the main window owns the others.
struct ScrivletWindows {
    std::unique_ptr<Prompts> prompts;
    std::unique_ptr<ScriptSession> session;
    std::unique_ptr<TForm1> main;
    // Made when first opened.
    OnDemand<TForm2> about;
    OnDemand<TForm3> viewer;
    OnDemand<TForm4> config;
    OnDemand<TForm5> saveMacro;
    OnDemand<TForm6> macroManager;
    OnDemand<PhrasesWindow> phrases;
    OnDemand<ProblemsWindow> problems;
    OnDemand<FindUsagesDialog> findUsages;
    OnDemand<View_Map> map;
    OnDemand<RenumberDialog> renumber;
    OnDemand<ReplaceDialog> replace;

    ~ScrivletWindows();
};

// The start-up sequence up to the message loop, with the current directory as the
// start folder. Without prompts the real message boxes and file dialogs are used. The
// first argument, when there is one, is a script or a dialogue file to open.
std::unique_ptr<ScrivletWindows> startUp(std::unique_ptr<Prompts> prompts = nullptr,
                                         const QStringList &arguments = {});
