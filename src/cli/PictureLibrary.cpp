#include "cli/PictureLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#ifndef SCRIVLET_PICTURES_FROM_BIN
#define SCRIVLET_PICTURES_FROM_BIN "../lib/scrivlet"
#define SCRIVLET_PICTURES_IN_BUILD "lib/scrivlet"
#endif

namespace PictureLibrary
{

namespace
{

struct Loaded {
    CreateApplication *create = nullptr;
    DrawMap *draw = nullptr;
    QString error;
};

Loaded &loaded()
{
    static Loaded library;
    return library;
}

bool drawingCommand(int argc, char **argv)
{
    return argc > 1 && qstrcmp(argv[1], "map") == 0;
}

// Installed first; a build folder keeps the same tree beside its binary.
void load(Loaded &library)
{
    const QDir program(QCoreApplication::applicationDirPath());
    for (const char *folder : {SCRIVLET_PICTURES_FROM_BIN, SCRIVLET_PICTURES_IN_BUILD}) {
        QLibrary file(QDir::cleanPath(program.filePath(QLatin1String(folder))) + QStringLiteral("/scrivlet-pictures"));
        if (!file.load()) {
            if (library.error.isEmpty())
                library.error = file.errorString();
            continue;
        }
        library.create = reinterpret_cast<CreateApplication *>(file.resolve(CreateApplicationName));
        library.draw = reinterpret_cast<DrawMap *>(file.resolve(DrawMapName));
        if (library.create && library.draw)
            return;
        library.error = file.errorString();
        library.create = nullptr;
        library.draw = nullptr;
    }
}

} // namespace

std::unique_ptr<QCoreApplication> application(int &argc, char **argv)
{
    // QtCore's application first: it knows where the program lies.
    auto app = std::make_unique<QCoreApplication>(argc, argv);
    if (!drawingCommand(argc, argv))
        return app;
    Loaded &library = loaded();
    load(library);
    if (!library.create)
        return app;
    app.reset();
    return std::unique_ptr<QCoreApplication>(library.create(&argc, argv));
}

bool drawMap(const ScriptGraph &graph, MapFormat format, int scale, QByteArray &picture, QString &error)
{
    const Loaded &library = loaded();
    if (!library.draw) {
        error = QStringLiteral("библиотека рисования не загружена: ") +
                (library.error.isEmpty() ? QStringLiteral("её не искали") : library.error);
        return false;
    }
    return library.draw(&graph, int(format), scale, &picture, &error);
}

} // namespace PictureLibrary
