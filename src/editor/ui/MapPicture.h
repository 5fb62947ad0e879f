#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

class MapScene;

// The whole map as a file: SVG or PNG, one scene unit to a pixel, without the mark of the
// current record. The map window and scrivlet-cli write the same bytes for one graph.
namespace MapPicture
{

enum class Format { Svg, Png };

// By the file's extension, in any letter case; nothing for any other.
std::optional<Format> formatOf(const QString &path);
QSize pixelSize(const MapScene &scene);
QByteArray draw(MapScene &scene, Format format);
// The message for a path of another extension.
QString unknownFormatText(const QString &path);

} // namespace MapPicture
