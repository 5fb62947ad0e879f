#include "app/DesktopFileType.h"

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
    const QString entry = DesktopFileType::desktopEntryPath(dataHome.path());
    QDir().mkpath(QFileInfo(entry).absolutePath());
    QFile(entry).open(QIODevice::WriteOnly);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
