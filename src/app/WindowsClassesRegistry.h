#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "app/FileClassRegistry.h"

// The current user's file classes in the Windows registry.
class WindowsClassesRegistry : public ClassesRegistry
{
public:
    bool keyExists(const QString &key) override;
    bool setDefaultValue(const QString &key, const QString &value) override;
};

#endif
