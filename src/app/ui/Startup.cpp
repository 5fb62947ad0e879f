#include "app/ui/Startup.h"

#include "common/ui/Prompts.h"
#include "app/ui/TForm1.h"
#include "app/ui/TForm2.h"
#include "app/ui/TForm4.h"
#include "dialogue/ui/DialogueCommands.h"
#include "dialogue/ui/TForm3.h"
#include "macros/ui/MacroCommands.h"
#include "macros/ui/TForm5.h"
#include "macros/ui/TForm6.h"

#include <QCoreApplication>

// The icons are compiled into a static library, whose linker would drop them unasked.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

ScrivletWindows::~ScrivletWindows()
{
    main.reset(); // writes the settings; the dialogs go with it
}

std::unique_ptr<ScrivletWindows> startUp(std::unique_ptr<Prompts> prompts)
{
    initResources();
    QCoreApplication::setApplicationName(QStringLiteral("Scrivlet"));
    auto windows = std::make_unique<ScrivletWindows>();
    windows->prompts = prompts ? std::move(prompts) : std::make_unique<QtPrompts>();
    windows->main = std::make_unique<TForm1>(*windows->prompts);
    TForm1 &main = *windows->main;

    auto *about = new TForm2(main);
    main.setAboutBox(about);
    windows->about = about;

    auto *viewer = new TForm3(main);
    main.dialogueCommands().setViewer(viewer);
    windows->viewer = viewer;

    auto *config = new TForm4(main);
    main.setConfigDialog(config);
    windows->config = config;

    auto *saveMacro = new TForm5(main);
    auto *macroManager = new TForm6(main);
    main.macroCommands().setDialogs(saveMacro, macroManager);
    windows->saveMacro = saveMacro;
    windows->macroManager = macroManager;
    return windows;
}
