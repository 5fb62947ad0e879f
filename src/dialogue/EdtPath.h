#pragma once

#include <QString>

// The path with the extension of its file name replaced (or appended when it has none);
// extension is given with its dot, as ".edt".
QString withExtension(const QString &path, const QString &extension);
