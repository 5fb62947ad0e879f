#include "app/FileClassRegistry.h"

#include <utility>

QString registerFileClass(ClassesRegistry &registry, const QString &extension, const QString &command)
{
    if (registry.keyExists(FileClass::Name))
        return {};
    // The command stays exactly as given, unquoted and without an argument placeholder:
    // the program reads no command line.
    const std::pair<QString, QString> steps[] = {
        {QLatin1Char('.') + extension, FileClass::Name},
        {FileClass::Name, FileClass::Description},
        {FileClass::Name + QStringLiteral("\\Shell\\Open\\Command"), command},
    };
    for (const auto &[key, value] : steps) {
        if (!registry.setDefaultValue(key, value))
            return QStringLiteral("Failed to set data for ''");
    }
    return {};
}
