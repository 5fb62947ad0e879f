#include "app/WindowsClassesRegistry.h"

#ifdef Q_OS_WIN

#include <string>

#include <windows.h>

namespace
{

// The per-user part of HKEY_CLASSES_ROOT: a user without administrator rights may write
// it, and the shell reads it before the machine's.
std::wstring classKey(const QString &key)
{
    return (QStringLiteral("Software\\Classes\\") + key).toStdWString();
}

} // namespace

bool WindowsClassesRegistry::keyExists(const QString &key)
{
    // Where HKEY_CLASSES_ROOT reads from, the user's part and then the machine's, so that an
    // installation for all users counts too (Wine's own view shows the machine's only).
    // Read access is enough to see the key; asking for more could fail and make every
    // start register again.
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HKEY handle = nullptr;
        if (RegOpenKeyExW(root, classKey(key).c_str(), 0, KEY_READ, &handle) == ERROR_SUCCESS) {
            RegCloseKey(handle);
            return true;
        }
    }
    return false;
}

bool WindowsClassesRegistry::setDefaultValue(const QString &key, const QString &value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, classKey(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    const LSTATUS status =
        RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.utf16()), bytes);
    RegCloseKey(handle);
    return status == ERROR_SUCCESS;
}

#endif
