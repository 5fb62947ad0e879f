#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes a file through a temporary one that replaces it only once every byte is on
// disk, so a failed write (a full disk included) never destroys the old file nor leaves
// anything beside it. The writer reports its own error; a failure to create, write out
// or rename gives the system's reason.
bool saveFile(const QString &path, QString &error, const std::function<bool(QIODevice *)> &write);
bool saveFile(const QString &path, const QByteArray &bytes, QString &error);
