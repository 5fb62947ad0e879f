#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class QIODevice;

// macros.mcr: one entry a line, in store order.
namespace MacroFile
{

// Far more macros than anyone keeps (the menu pages a hundred thousand); a larger file is
// refused unread, and one of more lines before they are taken apart.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
constexpr qsizetype MaxEntries = 1000000;

// Lines end at CR, LF or CR LF; every line is an entry, an empty one too; a NUL ends
// the text.
QList<QByteArray> parse(QByteArrayView bytes);
// Every entry followed by CR LF; no entries give no bytes.
QByteArray encode(const QList<QByteArray> &entries);

} // namespace MacroFile

class MacroReader
{
public:
    bool read(QIODevice *device, qint64 limit = MacroFile::MaxFileSize);
    bool read(const QString &path);

    const QList<QByteArray> &entries() const { return m_entries; }
    QString errorString() const { return m_error; }

private:
    QList<QByteArray> m_entries;
    QString m_error;
};

// The path overload replaces the file only once every byte is written.
class MacroWriter
{
public:
    bool write(const QList<QByteArray> &entries, QIODevice *device);
    bool write(const QList<QByteArray> &entries, const QString &path);

    QString errorString() const { return m_error; }

private:
    QString m_error;
};
