#include "app/Startup.h"

#include "app/AppCommands.h"
#include "app/FileTypeRegistration.h"
#include "app/TForm1.h"
#include "app/TForm2.h"
#include "app/TForm4.h"
#include "common/StartupSteps.h"
#include "gui/dialogue/DialogueCommands.h"
#include "gui/dialogue/PhraseCommands.h"
#include "gui/dialogue/PhrasesWindow.h"
#include "gui/dialogue/TForm3.h"
#include "gui/dialogue/TranslationCommands.h"
#include "gui/file/DiskWatch.h"
#include "gui/file/DocumentCommands.h"
#include "gui/folder/FindUsagesDialog.h"
#include "gui/folder/ProblemsWindow.h"
#include "gui/folder/RenumberDialog.h"
#include "gui/folder/ReplaceDialog.h"
#include "gui/macros/MacroCommands.h"
#include "gui/macros/TForm5.h"
#include "gui/macros/TForm6.h"
#include "gui/map/View_Map.h"
#include "gui/records/RecordCommands.h"
#include "gui/records/RecordGrid.h"
#include "gui/widgets/CommandContext.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStatusBar>
#include <QToolButton>

// The icons are compiled into a static library, whose linker would drop them unasked.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

// The windows made when first opened, each wired up as it is made.
static void setMakers(ScrivletWindows &windows, DocumentCommands &document, const PhraseCommands &phraseCommands)
{
    ScriptSession &session = *windows.session;
    Prompts &asker = *windows.prompts;
    TForm1 &main = *windows.main;
    windows.problems.setMaker([&session, &main] {
        auto *problems = new ProblemsWindow(session, main);
        QObject::connect(problems, &ProblemsWindow::recordPicked, &main, &TForm1::selectGridRow);
        return problems;
    });
    windows.map.setMaker([&session, &asker, &main, &document] {
        auto *map = new View_Map(session, asker, main);
        QObject::connect(map, &View_Map::recordPicked, &main, &TForm1::selectGridRow);
        QObject::connect(map, &View_Map::linkPicked, &document, &DocumentCommands::followLink);
        return map;
    });
    OnDemand<PhrasesWindow> &phrases = windows.phrases;
    phrases.setMaker([&session, &asker, &main, &phraseCommands] {
        auto *window = new PhrasesWindow(session, asker, main);
        window->addCommands(phraseCommands.windowCommands());
        QObject::connect(window, &PhrasesWindow::recordPicked, &main, &TForm1::selectGridRow);
        return window;
    });
    windows.findUsages.setMaker([&session, &asker, &main, &document, &phrases] {
        auto *findUsages = new FindUsagesDialog(session, asker, main);
        QObject::connect(findUsages, &FindUsagesDialog::openRequested, &document, &DocumentCommands::openScriptAt);
        QObject::connect(findUsages, &FindUsagesDialog::phraseRequested, findUsages,
                         [&document, &phrases](const QString &path, qsizetype line) {
                             if (document.openScriptAt(path, -1))
                                 phrases.get()->showLine(line);
                         });
        return findUsages;
    });
    windows.renumber.setMaker([&session, &asker, &main] { return new RenumberDialog(session, asker, main); });
    windows.replace.setMaker([&session, &asker, &main] { return new ReplaceDialog(session, asker, main); });
    windows.macroManager.setMaker(
        [&session, &asker, &main] { return new TForm6(session.macroLibrary(), asker, main); });
    windows.saveMacro.setMaker(
        [&session, &asker, &main] { return new TForm5(session.macroLibrary(), asker, main); });
    windows.about.setMaker([&main] { return new TForm2(main); });
    windows.config.setMaker([&main] { return new TForm4(main); });
    windows.viewer.setMaker([&session, &main] { return new TForm3(session, main); });
}

ScrivletWindows::~ScrivletWindows()
{
    main.reset(); // writes the settings; the dialogs go with it
}

std::unique_ptr<ScrivletWindows> startUp(std::unique_ptr<Prompts> prompts, const QStringList &arguments)
{
    initResources();
    QCoreApplication::setApplicationName(QStringLiteral("Scrivlet"));
    auto windows = std::make_unique<ScrivletWindows>();
    windows->prompts = prompts ? std::move(prompts) : std::make_unique<QtPrompts>();
    windows->session = std::make_unique<ScriptSession>(QDir::currentPath());
    ScriptSession &session = *windows->session;
    // A script named to open is shown with its lists, read beside the window's building;
    // without one they wait until the window is first painted.
    if (!arguments.isEmpty())
        session.prefetchLists();
    Prompts &asker = *windows->prompts;
    windows->main = std::make_unique<TForm1>(session, asker);
    TForm1 &main = *windows->main;

    associateNpcFiles(asker, &main);
    StartupSteps::done("file type");

    const CommandContext context{session, asker, main};
    auto *document = new DocumentCommands(context);
    auto *dialogue = new DialogueCommands(context, windows->viewer);
    const AppCommands::Windows opened{&windows->about,      &windows->config, &windows->problems,
                                      &windows->findUsages, &windows->map,    &windows->renumber,
                                      &windows->replace};
    main.setCommands(
        {new AppCommands(context, opened), document, new RecordCommands(context), dialogue,
         new MacroCommands(context, main.Btn_Macr()->menu(), windows->saveMacro, windows->macroManager)});
    QObject::connect(document, &DocumentCommands::dialogueFileWanted, dialogue, &DialogueCommands::OpenEdtExecute);
    QObject::connect(document, &DocumentCommands::dialogueViewWanted, dialogue, &DialogueCommands::ShowEdtExecute);
    QObject::connect(document, &DocumentCommands::dialogueFileDropped, dialogue, &DialogueCommands::loadDroppedFile);
    QObject::connect(main.Check_Vesta(), &QCheckBox::clicked, document, &DocumentCommands::Check_VestaClick);
    QObject::connect(main.StringGrid(), &RecordGrid::linkDoubleClicked, document,
                     &DocumentCommands::FollowLinkExecute);
    OnDemand<PhrasesWindow> &phrases = windows->phrases;
    auto *phraseCommands = new PhraseCommands(context, phrases);
    main.addCloseGuard(
        [&phrases] { return !phrases.isMade() || phrases.get()->translationCommands().mayDropChanges(); });
    setMakers(*windows, *document, *phraseCommands);
    StartupSteps::done("commands");

    // The status bar's message covers the links label for a while, then gives it back.
    auto *diskWatch = new DiskWatch(context);
    QObject::connect(diskWatch, &DiskWatch::said, main.statusBar(), [&main](const QString &text) {
        main.statusBar()->showMessage(text, 15000);
    });
    QObject::connect(phraseCommands, &PhraseCommands::said, main.statusBar(), [&main](const QString &text) {
        main.statusBar()->showMessage(text, 15000);
    });
    QObject::connect(&session.recovery(), &RecoveryKeeper::keepingFailed, main.statusBar(), [&main](const QString &why) {
        main.statusBar()->showMessage(
            why + QStringLiteral(" Несохранённые изменения сейчас не сохраняются для восстановления после сбоя."),
            30000);
    });
    QObject::connect(&session.recovery(), &RecoveryKeeper::keepingResumed, main.statusBar(), &QStatusBar::clearMessage);
    StartupSteps::done("watch");
    document->offerRecovery();
    StartupSteps::done("recovery");

    // A file named on the command line, as the file manager passes it.
    if (!arguments.isEmpty())
        document->openNamedFile(QFileInfo(arguments.first()).absoluteFilePath());
    StartupSteps::done("named file");
    return windows;
}
