#include "app/ui/HintStyle.h"
#include "common/ui/Prompts.h"
#include "app/ui/Startup.h"
#include "app/ui/TForm1.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    HintStyle::install();
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    auto windows = startUp();
    windows->main->show();
    return QApplication::exec();
}
