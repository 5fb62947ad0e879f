#pragma once

#include "document/NpcRecord.h"

// An initialised record with an action that hands control to record `target` of NPC
// `npc` (none by default).
inline NpcRecord usedRecord(quint8 action, quint8 npc = NoneByte, quint8 target = NoneByte)
{
    NpcRecord record;
    record.initialise();
    record.Action = action;
    record.ControlNpc = npc;
    record.ControlRec = target;
    return record;
}
