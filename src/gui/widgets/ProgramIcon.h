#pragma once

#include <QIcon>
#include <QImage>

#include <functional>

// An icon that `make` makes when it is first painted or measured, so that icons of
// windows, menus and buttons not yet shown cost nothing at start-up.
QIcon deferredIcon(std::function<QIcon()> make);

// An SVG icon of the program's resources: one per file, read when first painted.
QIcon programIcon(const QString &resourcePath);

// A PNG picture, read by Qt's own PNG reader: left to guess, a reader loads every image
// format plugin of the system (the SVG one with Qt's SVG module) to ask them first.
QImage readPng(const QString &path);
