#pragma once

#include "editor/ScriptGraph.h"

#include <QByteArray>
#include <QSize>

class MapScene;

// The whole map as a file: SVG or PNG, one scene unit to `scale` pixels of a PNG, without
// the mark of the current record. The map window and scrivlet-cli write the same bytes for
// one graph.
namespace MapPicture
{

QSize pixelSize(const MapScene &scene);
QByteArray draw(MapScene &scene, MapFormat format, int scale = 1);
// The scales a PNG is offered in.
inline constexpr int Scales[] = {1, 2, 4};

} // namespace MapPicture
