#include "session/ShippedFiles.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    // No test may write into the user's desktop folders.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    QTemporaryDir systemData;
    qputenv("XDG_DATA_DIRS", QFile::encodeName(systemData.path()));
    QCoreApplication app(argc, argv);
    // The lists staged in the build folder would stand in for missing ones.
    QTemporaryDir programFolder;
    ShippedFiles::setProgramFolder(programFolder.filePath(QStringLiteral("bin")));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
