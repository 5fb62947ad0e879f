#include "editor/ReferenceLists.h"

#include <QDir>
#include <QFileInfo>

QStringList ReferenceLists::load(const QString &dataDir, const QString &standardDir)
{
    const std::pair<ReferenceList *, const char *> files[] = {
        {&Action, "Action.txt"}, {&Items, "Items.txt"},       {&Npc, "Npc.txt"},
        {&React, "React.txt"},   {&Trigg, "Trigg.txt"},       {&Q_Input, "Q_Input.txt"},
        {&Q_Output, "Q_Output.txt"}, {&Modes, "Modes.txt"},
    };
    QStringList failed;
    for (const auto &[list, name] : files) {
        QString path = QDir(dataDir).filePath(QLatin1String(name));
        if (!QFileInfo(path).isFile())
            path = QDir(standardDir).filePath(QLatin1String(name));
        if (!list->readFile(path))
            failed << path;
    }
    return failed;
}
