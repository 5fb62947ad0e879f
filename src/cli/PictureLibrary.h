#pragma once

#include "editor/ScriptGraph.h"

#include <QByteArray>

#include <memory>

class QCoreApplication;

// What scrivlet-cli draws lives in a library of its own beside the program: only the
// commands that draw load it, and with it the graphical Qt modules and Graphviz, so that
// every other command starts on QtCore alone.
namespace PictureLibrary
{

// What the library exports, under these names.
using CreateApplication = QCoreApplication *(int *argc, char **argv);
using DrawMap = bool(const ScriptGraph *graph, int format, int scale, QByteArray *picture, QString *error);
inline constexpr const char *CreateApplicationName = "scrivletPictureApplication";
inline constexpr const char *DrawMapName = "scrivletDrawMap";

// The application the program runs in: for a command that draws, the library's offscreen
// one; else, or when the library cannot be loaded, QtCore's.
std::unique_ptr<QCoreApplication> application(int &argc, char **argv);

// The map as a picture; false, with the reason, when the library is not loaded or the
// picture cannot be made.
bool drawMap(const ScriptGraph &graph, MapFormat format, int scale, QByteArray &picture, QString &error);

} // namespace PictureLibrary
