#pragma once

#include <QString>

class ScriptSession;

// What the main window's title and labels say about the open script.
namespace MainWindowLabels
{

// "Scrivlet", "Scrivlet - path", with "*" while modified and a note when only shown.
QString title(const ScriptSession &session);
// "Запись:" or "Пустая запись:", as the record was last shown or marked.
QString RecLabelPrefix(const ScriptSession &session);
QString recordLabel(const ScriptSession &session);
// "57. name", "Shop", or empty for a new script.
QString npcName(const ScriptSession &session);

} // namespace MainWindowLabels
