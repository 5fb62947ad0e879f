#pragma once

#include "document/NpcRecord.h"

#include <QString>

// What a script's file name says about the character it belongs to.
struct NpcName {
    bool numeric = false;
    quint8 number = NoneByte; // the script's own NPC number, 255 when the name is no number
    qint64 value = 0;         // the number as written, before it is cut to 8 bits
    QString rest;             // the file name without ".npc"
};

NpcName parseNpcName(const QString &path);

// Link column of a non-empty record: blank, the record number, or "#" and the NPC.
QString linkText(const NpcRecord &record, quint8 ownNpcNumber);
