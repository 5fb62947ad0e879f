#include "app/FileTypeRegistration.h"

#include "app/DesktopFileType.h"
#include "app/FileClassRegistry.h"
#include "app/WindowsClassesRegistry.h"
#include "gui/widgets/Prompts.h"

#include <QCoreApplication>

QString RegisterNpcFileType(const QString &extension, const QString &command)
{
#ifdef Q_OS_WIN
    WindowsClassesRegistry registry;
    return registerFileClass(registry, extension, command);
#else
    // The desktop files describe .npc alone, as the package installs them.
    Q_UNUSED(extension);
    return DesktopFileType::registerFileType(DesktopFileType::dataHome(), DesktopFileType::systemDataDirs(),
                                             command, DesktopFileType::installationOf(command));
#endif
}

void associateNpcFiles(Prompts &prompts, QWidget *parent)
{
    const QString failure =
        RegisterNpcFileType(QStringLiteral("npc"), QCoreApplication::applicationFilePath());
    if (!failure.isEmpty())
        prompts.error(parent, failure);
}
