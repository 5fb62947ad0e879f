#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The freedesktop counterpart of the file-type registration: a shared-mime-info package
// that gives .npc and .edt files types of their own, the program icon, and a desktop entry
// naming the program as their opener. The package installs the same files system-wide; a
// build that is not installed writes them into the user's data folder.
namespace DesktopFileType
{

// Starts a tool without a shell and without waiting for it.
using ToolStarter = std::function<void(const QString &tool, const QStringList &arguments)>;

// Runs the tool when it is found on the search path; nothing otherwise.
void startToolDetached(const QString &tool, const QStringList &arguments);

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
QString dataHome();
// The absolute folders of $XDG_DATA_DIRS, else /usr/local/share and /usr/share.
QStringList systemDataDirs();

// Which entry a program registers: an installed one under the program's own id, a build
// that is not installed under an id of its own, so that it never shadows the package.
enum class Installation { Installed, Build };
// Installed when the program's own tree holds the desktop entry (<prefix>/share/applications
// beside <prefix>/bin), as the package and cmake --install lay it out.
Installation installationOf(const QString &program);

QString desktopEntryPath(const QString &dataDir, Installation installation = Installation::Installed);
QString mimePackagePath(const QString &dataDir);
QString iconPath(const QString &dataDir);
QString mimeType();

// True when the system folders hold both the desktop entry and the MIME package.
bool installedOnSystem(const QStringList &systemDataDirs);

// A program path as one argument of a desktop entry's Exec key.
QString execArgument(const QString &program);

// The installed files, as shipped.
QByteArray mimePackage();
QByteArray icon();
// The installed desktop entry with the program named by its full path; a build's entry says
// in its name that it is one.
QByteArray desktopEntry(const QString &program, Installation installation = Installation::Installed);
// The program a desktop entry's Exec key starts; empty when it has none.
QString programOfEntry(const QByteArray &entry);

// First removes a user entry of the installed id that would start a build instead of the
// installed program (written before builds had an id of their own): the installed program
// removes one naming a build that is still there, a build one naming itself. Then does nothing when the system has the files
// or the user's entry exists already; else writes the package, the icon and the entry, then
// asks the desktop to refresh its databases. Returns the message to show when a file cannot
// be written or removed (the next start tries again), else an empty text.
QString registerFileType(const QString &dataHome, const QStringList &systemDataDirs, const QString &program,
                         Installation installation, const ToolStarter &startTool = startToolDetached);

} // namespace DesktopFileType
