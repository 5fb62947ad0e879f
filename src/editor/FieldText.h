#pragma once

#include "document/NpcRecord.h"
#include "editor/ReferenceLists.h"

#include <QByteArray>
#include <QString>

// Any of the 22 fields written as the editor shows it: "-1" for a none value, negatives
// where the editor shows them; the spare fields as plain numbers.
QString fieldValueText(NpcField field, quint16 value);

// The name that the field's list gives the value, as the editor's combo box picks it;
// empty when it names none.
QByteArray fieldValueName(NpcField field, quint16 value, const ReferenceLists &lists);

// "57 (name)", or "57" when the field's list names no such value; the name decoded.
QString valueWithName(NpcField field, quint16 value, const ReferenceLists &lists);

// The caption of the field's edit without its colon ("Первый день"); empty for a spare
// field.
QString fieldCaption(NpcField field);
