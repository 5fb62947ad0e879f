#include "app/DesktopFileType.h"
#include "session/ShippedFiles.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM",
            qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen")).toLocal8Bit());
    // Every start of the program registers the file type with the desktop: keep that
    // inside a folder of this run, found registered already so no desktop tool runs.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    // Nor may a Scrivlet installed on this machine change what the tests see.
    QTemporaryDir systemData;
    qputenv("XDG_DATA_DIRS", QFile::encodeName(systemData.path()));
    const QString entry = DesktopFileType::desktopEntryPath(dataHome.path());
    QDir().mkpath(QFileInfo(entry).absolutePath());
    QFile(entry).open(QIODevice::WriteOnly);

    QApplication app(argc, argv);
    // The lists and the manual staged in the build folder would stand in for missing
    // ones: the tests that want shipped files make their own.
    QTemporaryDir programFolder;
    ShippedFiles::setProgramFolder(programFolder.filePath(QStringLiteral("bin")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
