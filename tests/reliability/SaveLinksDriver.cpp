// Drives the editor's saves that fix the other scripts' links, for file_set_kill_test.py.
//   save SCRIPT  swaps records 0 and 1 of the script and saves it with the links of the
//                other scripts of its folder fixed; "SAVED" or the message
//   open SCRIPT  opens the script as the editor does: a set cut short in its folder is
//                taken back or finished first; "NOTE <text>" for each, "FAILED" if one failed
#include "session/ScriptSession.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Scrivlet"));
    const QStringList args = app.arguments();
    if (args.size() != 3 || (args[1] != QLatin1String("save") && args[1] != QLatin1String("open"))) {
        std::fprintf(stderr, "usage: save_links_driver save|open SCRIPT\n");
        return 2;
    }
    const QString script = args[2];
    ScriptSession session(QFileInfo(script).absolutePath());
    const OpenResult opened = session.openScript(script, {});
    if (!opened.interruptedWrite.isEmpty())
        std::printf("NOTE %s\n", qPrintable(opened.interruptedWrite.simplified()));
    if (opened.interruptedWriteFailed)
        std::printf("FAILED\n");
    if (!opened) {
        std::printf("OPEN %s\n", qPrintable(opened.message.simplified()));
        return 1;
    }
    if (args[1] == QLatin1String("open"))
        return opened.interruptedWriteFailed ? 1 : 0;
    session.selectRecord(0);
    session.moveRecord(1);
    const SessionResult saved = session.save(ScriptSession::OtherScripts::Fix);
    std::printf("%s\n", saved ? "SAVED" : qPrintable(saved.message.simplified()));
    return saved ? 0 : 1;
}
