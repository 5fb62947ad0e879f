#pragma once

#include <QString>

// Registers the file type with the desktop once: on Windows in the registry, elsewhere
// through the freedesktop files. Returns the message to show on failure, else an empty text.
QString RegisterNpcFileType(const QString &extension, const QString &command);

class Prompts;
class QWidget;

// Registers .npc files with this program, at every start and from the configuration
// dialog; a failure is said in a message box.
void associateNpcFiles(Prompts &prompts, QWidget *parent);
