#pragma once

#include "editor/ScriptGraph.h"

#include <QByteArray>
#include <QSize>

class MapScene;

// The whole map as a file: SVG or PNG, one scene unit to `scale` pixels of a PNG, without
// the mark of the current record; the SVG's description holds in full the lines cut short
// in the boxes. The map window and scrivlet-cli write the same bytes for one graph.
namespace MapPicture
{

// A PNG beyond this many pixels is refused: SVG holds any map.
inline constexpr qint64 MaxPngPixels = 64 * 1000 * 1000;

QSize pixelSize(const MapScene &scene);
// False, with the reason, when the picture cannot be made.
bool draw(MapScene &scene, MapFormat format, int scale, QByteArray &picture, QString &error);
// The scales a PNG is offered in.
inline constexpr int Scales[] = {1, 2, 4};

} // namespace MapPicture
