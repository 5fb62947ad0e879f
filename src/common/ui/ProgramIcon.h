#pragma once

#include <QIcon>

// An icon of the program's resources: one per file, read when first painted, so that
// icons of windows and menus not yet shown cost nothing at start-up.
QIcon programIcon(const QString &resourcePath);
