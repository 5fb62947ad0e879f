#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Opens only regular files: a FIFO or device would block the open or never end. The
// reason is the system's words, or says that the path is a folder or no plain file.
bool openForReading(QFile &file, QString &reason);

// Reads a whole file of at most maxSize bytes.
bool readWholeFile(const QString &path, qint64 maxSize, QByteArray &bytes, QString &reason);
