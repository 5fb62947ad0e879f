#pragma once

#include "dialogue/EdtReader.h"

#include <QByteArray>

#include <vector>

// One dialogue record of 480 bytes holding the units, padded with zero units.
inline QByteArray edtRecord(const std::vector<quint16> &units)
{
    QByteArray bytes(EdtReader::RecordSize, '\0');
    for (size_t i = 0; i < units.size(); ++i) {
        bytes[int(2 * i)] = char(units[i] & 0xFF);
        bytes[int(2 * i + 1)] = char(units[i] >> 8);
    }
    return bytes;
}
