#pragma once

#include <QString>

// The path with the extension of its file name replaced (or appended when it has none);
// extension is given with its dot, as ".edt".
QString withExtension(const QString &path, const QString &extension);

// Whether the path names a dialogue file: extension .edt in any letter case.
bool isDialoguePath(const QString &path);

// The script that a dialogue file belongs to: the same name with the extension .npc,
// written so or else in any letter case (files copied from Windows keep theirs); empty
// when the folder has none.
QString scriptBeside(const QString &edtPath);
