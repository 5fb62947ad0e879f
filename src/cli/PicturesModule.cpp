// The module scrivlet-cli loads for the commands that draw: the one part of the command
// line that sits on the windows' drawing code.
#include "cli/PictureLibrary.h"
#include "gui/map/MapPicture.h"
#include "gui/map/MapScene.h"

#include <QApplication>

#include <type_traits>

extern "C" Q_DECL_EXPORT QCoreApplication *scrivletPictureApplication(int *argc, char **argv)
{
    // A picture needs no display, and comes out the same wherever it is drawn.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // What a desktop session would have (a runtime folder, say) is no concern of a
    // command that draws into a file: Qt's warnings about it while starting are not
    // printed; its errors are.
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            previous(type, context, text);
    });
    auto *app = new QApplication(*argc, argv);
    qInstallMessageHandler(previous);
    return app;
}

extern "C" Q_DECL_EXPORT bool scrivletDrawMap(const ScriptGraph *graph, int format, int scale,
                                              QByteArray *picture, QString *error)
{
    MapScene scene;
    scene.setGraph(*graph);
    return MapPicture::draw(scene, MapFormat(format), scale, *picture, *error);
}

static_assert(std::is_same_v<decltype(scrivletPictureApplication), PictureLibrary::CreateApplication>);
static_assert(std::is_same_v<decltype(scrivletDrawMap), PictureLibrary::DrawMap>);
