#pragma once

#include <QByteArray>
#include <QString>

// The game's files are Windows-1251 on every platform; only display decodes them.
QString fromWindows1251(const QByteArray &bytes);
QByteArray toWindows1251(const QString &text);
