#include "app/FileClassRegistry.h"

#include <QDir>

#include <utility>

QString FileClass::openCommand(const QString &program)
{
    // Quoted, or a path with blanks would be cut at the first one; "%1" hands over the
    // file opened from the shell, which the program opens.
    return QLatin1Char('"') + QDir::toNativeSeparators(program) + QStringLiteral("\" \"%1\"");
}

QString registerFileClass(ClassesRegistry &registry, const QString &extension, const QString &program)
{
    if (registry.keyExists(FileClass::Name))
        return {};
    const std::pair<QString, QString> steps[] = {
        {QLatin1Char('.') + extension, FileClass::Name},
        {FileClass::Name, FileClass::Description},
        {FileClass::Name + QStringLiteral("\\Shell\\Open\\Command"), FileClass::openCommand(program)},
    };
    for (const auto &[key, value] : steps) {
        if (!registry.setDefaultValue(key, value))
            return QStringLiteral("Failed to set data for ''");
    }
    return {};
}
