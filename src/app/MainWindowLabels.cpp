#include "app/MainWindowLabels.h"

#include "common/Windows1251.h"
#include "document/NpcName.h"
#include "session/ScriptSession.h"

#include <QDir>

namespace MainWindowLabels
{

QString title(const ScriptSession &session)
{
    const bool modified = session.isModified();
    const QString &path = session.document().path;
    if (path.isEmpty() && !modified)
        return QStringLiteral("Scrivlet");
    return QStringLiteral("Scrivlet - ") + QDir::toNativeSeparators(path) + (modified ? QStringLiteral("*") : QString()) +
           (session.disk().isReadOnly() ? QStringLiteral(" [только чтение]") : QString());
}

QString RecLabelPrefix(const ScriptSession &session)
{
    return session.recordShownEmpty() ? QStringLiteral("Пустая запись:") : QStringLiteral("Запись:");
}

QString recordLabel(const ScriptSession &session)
{
    return RecLabelPrefix(session) + QLatin1Char(' ') + QString::number(session.CurRec());
}

QString npcName(const ScriptSession &session)
{
    const QString &path = session.document().path;
    if (path.isEmpty())
        return {};
    const NpcName name = parseNpcName(path);
    return name.numeric ? QString::number(name.number) + QStringLiteral(". ") +
                              fromWindows1251(session.lists().Npc.nameOf(name.number))
                        : name.rest;
}

} // namespace MainWindowLabels
