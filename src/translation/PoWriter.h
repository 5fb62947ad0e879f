#pragma once

#include "translation/PoCatalogue.h"

#include <QString>

// Writes a PO file: an entry read and not changed since as the bytes it was read from,
// any other as gettext writes one, in the charset of the catalogue.
class PoWriter
{
public:
    static QByteArray encode(const PoCatalogue &catalogue);
    static QByteArray encodeEntry(const PoEntry &entry, PoCatalogue::Charset charset);

    // Replaces the file only once every byte is written.
    bool write(const PoCatalogue &catalogue, const QString &path);
    QString errorString() const { return m_error; }

private:
    QString m_error;
};
