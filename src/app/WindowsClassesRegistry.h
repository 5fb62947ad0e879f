#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "app/FileClassRegistry.h"

// HKEY_CLASSES_ROOT itself.
class WindowsClassesRegistry : public ClassesRegistry
{
public:
    bool keyExists(const QString &key) override;
    bool setDefaultValue(const QString &key, const QString &value) override;
};

#endif
