#pragma once

#include "translation/PoCatalogue.h"

#include <QString>

class QIODevice;

// Reads a gettext PO (or POT) file in UTF-8 or Windows-1251, as its header declares.
// A file that gettext's own tools would refuse (broken quoting, an entry without its
// msgstr, the same context and text twice) is refused with the line and the reason.
class PoReader
{
public:
    // Far above the translation of every dialogue of the game.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    bool parse(const QByteArray &bytes);
    bool read(QIODevice *device);
    bool read(const QString &path);

    const PoCatalogue &catalogue() const { return m_catalogue; }
    PoCatalogue takeCatalogue() { return std::move(m_catalogue); }
    // "строка 12: ..." for a fault of the file's text; the system's reason otherwise.
    QString errorString() const { return m_error; }
    // The line of the fault; 0 when the file could not be read at all.
    int errorLine() const { return m_errorLine; }

private:
    bool fail(int line, const QString &reason);
    struct RawEntry;
    bool decode(const QList<RawEntry> &raw);
    bool checkDuplicates();

    PoCatalogue m_catalogue;
    QString m_error;
    int m_errorLine = 0;
};
