#pragma once

#include <QIcon>

#include <functional>

// An icon that `make` makes when it is first painted or measured, so that icons of
// windows, menus and buttons not yet shown cost nothing at start-up.
QIcon deferredIcon(std::function<QIcon()> make);

// An SVG icon of the program's resources: one per file, read when first painted.
QIcon programIcon(const QString &resourcePath);
