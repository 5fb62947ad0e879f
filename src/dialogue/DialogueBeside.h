#pragma once

#include "dialogue/EdtText.h"

#include <QString>

class ScriptFolder;

// The dialogue file beside a script of a folder: the script's name with ".edt" in any
// letter case.
struct DialogueBeside {
    QString path; // empty when the folder has none
    EdtText text;
    QString error; // why it could not be read

    bool exists() const { return !path.isEmpty(); }
    bool read() const { return exists() && error.isEmpty(); }
};

DialogueBeside readDialogueBeside(const ScriptFolder &folder, const QString &scriptName);
