#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The freedesktop counterpart of the file-type registration: a shared-mime-info package
// that gives .npc files a type of their own, the program icon, and a desktop entry naming
// the program as their opener. The package installs the same files system-wide; a build
// that is not installed writes them into the user's data folder.
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

QString desktopEntryPath(const QString &dataDir);
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
// The installed desktop entry with the program named by its full path.
QByteArray desktopEntry(const QString &program);

// Does nothing when the system has the files or the user's desktop entry exists already;
// else writes the package, the icon and the entry, then asks the desktop to refresh its
// databases. Returns the message to show when a file cannot be written (the next start
// tries again), else an empty text.
QString registerFileType(const QString &dataHome, const QStringList &systemDataDirs, const QString &program,
                         const ToolStarter &startTool = startToolDetached);

} // namespace DesktopFileType
