#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN

#include <QString>

#include <string>

#include <windows.h>

// What the Windows file steps share: wide paths, the system's own words for an error,
// and patience with files another program holds for a moment.
namespace WindowsFiles
{

std::wstring nativePath(const QString &path);

QString systemMessage(DWORD code);

// Held for a moment by another program (an antivirus scanning the new file, an indexer,
// an editor reading the old one): worth a few more tries before giving up.
bool passing(DWORD code);

// Tries the step until it succeeds or fails for good, a second in all; the last error
// code goes to `code`.
template <typename Step> bool withRetries(Step step, DWORD &code)
{
    constexpr int Tries = 10;
    for (int attempt = 1; attempt <= Tries; ++attempt) {
        if (step())
            return true;
        code = GetLastError();
        if (!passing(code) || attempt == Tries)
            break;
        Sleep(DWORD(20 * attempt));
    }
    return false;
}

// Clears the read-only attribute, which Windows lets neither a move nor a deletion pass;
// returns the attributes as they were (INVALID_FILE_ATTRIBUTES for no file).
DWORD clearReadOnly(const std::wstring &path);

// Deletes a file of ours, read-only or held for a moment by another program.
bool removeFile(const std::wstring &path);

// The file's bytes on the disk. Flushing needs write access, which a file marked
// read-only lacks for the moment.
bool flush(const std::wstring &path, DWORD &code);

} // namespace WindowsFiles

#endif
