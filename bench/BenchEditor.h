#pragma once

#include "SilentPrompts.h"
#include "app/Startup.h"
#include "app/TForm1.h"
#include "session/ScriptSession.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

// The whole editor started in a start folder of its own, shown, with prompts that never
// wait for a user.
struct BenchEditor {
    QTemporaryDir start;
    QString previous = QDir::currentPath();
    std::unique_ptr<ScrivletWindows> windows;

    BenchEditor()
    {
        qputenv("XDG_DATA_HOME", QDir(start.path()).filePath(QStringLiteral("xdg")).toLocal8Bit());
        QDir::setCurrent(start.path());
        windows = startUp(std::make_unique<SilentPrompts>());
        windows->main->show();
    }
    ~BenchEditor()
    {
        windows.reset();
        QDir::setCurrent(previous);
    }
    ScriptSession &session() { return *windows->session; }
};
