#pragma once

#include "cli/CliContext.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// A dialogue file named on the command line, or found for a script or in a folder.
struct DialogueFile {
    QString path;
    QString name;   // its file name, the context of its translations
    QString script; // the script beside it; empty when there is none
};

// The dialogue files of the given paths: folders searched recursively for *.edt in any
// letter case, the file beside each script, other files as they are; sorted by path,
// each once. Paths that do not exist are failed inputs. Two files of one name cannot
// share a translation, whose entries tell files apart by name only: that is a bad call.
QList<DialogueFile> dialogueFiles(CliContext &context, const QStringList &paths);

// Whether a folder of the given paths holds a dialogue file of that name.
class DialogueNames
{
public:
    explicit DialogueNames(const QStringList &paths);
    bool contains(const QString &name) const { return m_names.contains(name.toCaseFolded()); }

private:
    QSet<QString> m_names;
};
