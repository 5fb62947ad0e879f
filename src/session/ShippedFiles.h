#pragma once

#include <QString>

// The files that come with the program: the reference lists and the manual. They are
// found relative to the executable, so that an install moved elsewhere still finds
// them: Data/ and doc/ beside the program (the Windows program's folder), else
// <prefix>/bin/scrivlet beside <prefix>/share, or a build folder that holds share/ next
// to the binary.
namespace ShippedFiles
{

// The share folder in use; empty when there is none.
QString shareFolder();
// Data/ beside the program, or share/scrivlet/Data; empty when not shipped.
QString dataDir();
// doc/manual.html beside the program, or share/doc/scrivlet/manual.html; empty when not
// shipped.
QString manualPath();

// The folder looked beside: the executable's unless another was set.
QString programFolder();
// Looks beside this folder instead of the executable's; an empty text goes back to the
// executable. Lets a test start the program with or without shipped files.
void setProgramFolder(const QString &folder);

} // namespace ShippedFiles
