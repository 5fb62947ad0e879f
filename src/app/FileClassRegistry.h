#pragma once

#include <QString>

// The part of the Windows registry of file classes that a file-type registration needs:
// keys are looked for in HKEY_CLASSES_ROOT and written to the current user's part of it,
// HKEY_CURRENT_USER\Software\Classes; every value written is a key's default value of
// type REG_SZ.
class ClassesRegistry
{
public:
    virtual ~ClassesRegistry() = default;

    // Opens the key for reading without creating it.
    virtual bool keyExists(const QString &key) = 0;
    // Creates or opens the key, sets its default value and closes it; false when the
    // registry refuses either step.
    virtual bool setDefaultValue(const QString &key, const QString &value) = 0;
};

namespace FileClass
{
inline const QString Name = QStringLiteral("Scrivlet");
inline const QString Description = QStringLiteral("NPC-Script for Korvan");
// The shell's command that opens a file with the program.
QString openCommand(const QString &program);
} // namespace FileClass

// Names this program as the opener of files with the extension (without its dot), unless
// its file class is registered already; an existing registration is never touched.
// Returns the message to show when the registry refuses a step, else an empty text.
QString registerFileClass(ClassesRegistry &registry, const QString &extension, const QString &program);
