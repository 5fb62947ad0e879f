#pragma once

#include <QString>

// Registers the file type with the desktop once: on Windows in the registry, elsewhere
// through the freedesktop files. Returns the message to show on failure, else an empty text.
QString RegisterNpcFileType(const QString &extension, const QString &command);
