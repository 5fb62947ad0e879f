#pragma once

#include "document/NpcRecord.h"

#include <QString>

#include <array>

enum class NpcLayout { StandardLayout, VestaLayout };

constexpr int RecordCount = 50;
using NpcRecords = std::array<NpcRecord, RecordCount>;

// The one open script: its records, where it lives and who it belongs to.
struct NpcScriptDocument {
    NpcRecords records{};
    QString path;
    QString EdtPath;
    NpcLayout layout = NpcLayout::StandardLayout;
    quint8 OwnNpcNumber = NoneByte;

    bool IsRecEmpty(int index) const { return records.at(index).isEmpty(); }
    void ZeroRec(int index) { records.at(index) = NpcRecord{}; }
    void zeroAll() { records.fill(NpcRecord{}); }
};
