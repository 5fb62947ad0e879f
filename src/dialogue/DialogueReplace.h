#pragma once

#include "dialogue/TextReplace.h"

#include <QList>
#include <QString>
#include <QStringList>

class FileSetWriter;

// The dialogue files a replace goes through: for a folder, the file beside each script
// below it; for a script, the file beside it; a dialogue file as it is. Sorted, each once.
// Paths that do not exist are listed in `missing`.
QStringList dialogueFilesAt(const QStringList &paths, QStringList *missing = nullptr);

// The lines of one dialogue file that a replace changes.
struct FileReplacements {
    QString path;
    EdtText text; // as read
    QList<LineReplacement> lines;

    bool anyRefused() const;
};

// Reads the file and finds its lines; false with the reason when it cannot be read.
bool planReplacements(const TextReplacer &replacer, const QString &path, FileReplacements &file,
                      QString &error);
// Whether the file still holds the text it was planned from.
bool replacementsStillHold(const FileReplacements &file);
// Every file with a line to change, to be written together.
void queueReplacements(const QList<FileReplacements> &files, FileSetWriter &writer);
