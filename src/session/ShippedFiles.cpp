#include "session/ShippedFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef SCRIVLET_SHARE_FROM_BIN
#define SCRIVLET_SHARE_FROM_BIN "../share"
#endif

namespace ShippedFiles
{

namespace
{

QString &programFolderOverride()
{
    static QString folder;
    return folder;
}

QString existing(const QString &path, bool folder)
{
    const QFileInfo info(path);
    return (folder ? info.isDir() : info.isFile()) ? info.absoluteFilePath() : QString();
}

} // namespace

QString programFolder()
{
    const QString &chosen = programFolderOverride();
    return chosen.isEmpty() ? QCoreApplication::applicationDirPath() : chosen;
}

QString shareFolder()
{
    const QDir program(programFolder());
    // Installed first; a build folder stages the same tree beside its binary.
    for (const QString &relative : {QStringLiteral(SCRIVLET_SHARE_FROM_BIN), QStringLiteral("share")}) {
        const QString share = QDir::cleanPath(program.filePath(relative));
        if (QFileInfo(share + QStringLiteral("/scrivlet")).isDir())
            return share;
    }
    return {};
}

// A folder that holds everything beside the program (the Windows program, unpacked or
// installed anywhere) comes before a share folder.
QString dataDir()
{
    if (const QString beside = existing(programFolder() + QStringLiteral("/Data"), true); !beside.isEmpty())
        return beside;
    const QString share = shareFolder();
    return share.isEmpty() ? QString() : existing(share + QStringLiteral("/scrivlet/Data"), true);
}

QString manualPath()
{
    const QString beside = existing(programFolder() + QStringLiteral("/doc/manual.html"), false);
    if (!beside.isEmpty())
        return beside;
    const QString share = shareFolder();
    return share.isEmpty() ? QString() : existing(share + QStringLiteral("/doc/scrivlet/manual.html"), false);
}

void setProgramFolder(const QString &folder)
{
    programFolderOverride() = folder;
}

} // namespace ShippedFiles
