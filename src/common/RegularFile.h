#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QFile;
class QIODevice;

// Reading only from regular files: opening a FIFO blocks until a writer comes, and a
// device such as /dev/zero never ends, so both are refused before a byte is read.
namespace RegularFile
{

// Opens the file's path for reading; error gets the system's reason, or says that
// the path is not a regular file.
bool open(QFile &file, QString &error);

// All that is left on the device, refused when it is more than limit bytes.
bool readAtMost(QIODevice &device, qint64 limit, QByteArray &bytes, QString &error);

// The whole file, refused when it holds more than limit bytes.
bool readAll(const QString &path, qint64 limit, QByteArray &bytes, QString &error);

QString notRegularText();
QString folderText();
QString tooLargeText(qint64 limit);

// How many times c occurs in the bytes; counted a block at a time, as lists run to
// millions of lines.
qsizetype countOf(QByteArrayView bytes, char c);

// Whether the text has at most `limit` lines (ended by CR LF, CR or LF); the reason when
// it has more. Readers of files a mod ships check this before taking each line apart.
bool withinLines(QByteArrayView bytes, qsizetype limit, QString &error);

} // namespace RegularFile
