#include "app/EditorMain.h"

#include "app/FontPrefetch.h"
#include "app/ProgramStyle.h"
#include "app/QtTranslations.h"
#include "app/Startup.h"
#include "app/TForm1.h"
#include "common/StartupSteps.h"
#include "gui/widgets/Prompts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>

int editorMain(int argc, char *argv[], const std::function<void(ScrivletWindows &)> &shown)
{
    FontPrefetch::begin();
    QApplication app(argc, argv);
    ProgramStyle::install();
    // Dates, sizes and the dialogs' words in Russian, as the rest of the program speaks.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QtTranslations qtTranslations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    qtTranslations.install();
    StartupSteps::done("toolkit");

    // Without QApplication's own options; on Windows taken from the wide command line,
    // since argv holds names in the ANSI code page, where Cyrillic may not fit.
    auto windows = startUp(nullptr, QCoreApplication::arguments().mid(1));
    windows->main->show();
    StartupSteps::done("show");
    if (shown)
        shown(*windows);
    return QApplication::exec();
}
