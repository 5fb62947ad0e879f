#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The freedesktop counterpart of the file-type registration: a shared-mime-info package
// that gives the extension a type of its own, and a desktop entry naming the program as
// its opener, both in the user's data folder.
namespace DesktopFileType
{

// Starts a tool without a shell and without waiting for it.
using ToolStarter = std::function<void(const QString &tool, const QStringList &arguments)>;

// Runs the tool when it is found on the search path; nothing otherwise.
void startToolDetached(const QString &tool, const QStringList &arguments);

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
QString dataHome();

QString desktopEntryPath(const QString &dataHome);
QString mimePackagePath(const QString &dataHome, const QString &extension);
QString mimeType(const QString &extension);

// A program path as one argument of a desktop entry's Exec key.
QString execArgument(const QString &program);

QByteArray mimePackage(const QString &extension);
QByteArray desktopEntry(const QString &extension, const QString &program);

// Writes both files unless the desktop entry exists already, then asks the desktop to
// refresh its databases. Returns the message to show when a file cannot be written
// (the next start tries again), else an empty text.
QString registerFileType(const QString &dataHome, const QString &extension, const QString &program,
                         const ToolStarter &startTool = startToolDetached);

} // namespace DesktopFileType
