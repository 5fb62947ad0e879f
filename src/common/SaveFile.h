#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Writes a file through a temporary one that replaces it only once every byte is
// written, so a failed write never destroys the old file. The writer reports its own
// error; a failure to create or rename gives the system's reason.
bool saveFile(const QString &path, QString &error, const std::function<bool(QIODevice *)> &write);
bool saveFile(const QString &path, const QByteArray &bytes, QString &error);
