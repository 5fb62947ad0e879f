#include "app/WindowsClassesRegistry.h"

#ifdef Q_OS_WIN

#include <windows.h>

namespace
{

LPCWSTR wide(const QString &text)
{
    return reinterpret_cast<LPCWSTR>(text.utf16());
}

} // namespace

bool WindowsClassesRegistry::keyExists(const QString &key)
{
    // Read access is enough to see the key; asking for more would fail without
    // administrator rights and make every start register again.
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, wide(key), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

bool WindowsClassesRegistry::setDefaultValue(const QString &key, const QString &value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, wide(key), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    const LSTATUS status =
        RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.utf16()), bytes);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

#endif
