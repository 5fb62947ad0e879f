#pragma once

#include <QString>
#include <QStringList>

// The commands that scrivlet-cli's general help lists, one a line under "Команды:".
inline QStringList commandsListedIn(const QString &help)
{
    QStringList commands;
    bool inList = false;
    for (const QString &line : help.split(QLatin1Char('\n'))) {
        if (line == QStringLiteral("Команды:"))
            inList = true;
        else if (inList && line.trimmed().isEmpty())
            break;
        else if (inList)
            commands << line.simplified().section(QLatin1Char(' '), 0, 0);
    }
    return commands;
}
