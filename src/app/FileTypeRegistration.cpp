#include "app/FileTypeRegistration.h"

#include "app/DesktopFileType.h"
#include "app/FileClassRegistry.h"
#include "app/WindowsClassesRegistry.h"

QString RegisterNpcFileType(const QString &extension, const QString &command)
{
#ifdef Q_OS_WIN
    WindowsClassesRegistry registry;
    return registerFileClass(registry, extension, command);
#else
    return DesktopFileType::registerFileType(DesktopFileType::dataHome(), extension, command);
#endif
}
