#include "dialogue/DialogueReplace.h"

#include "common/FileSetWriter.h"
#include "dialogue/EdtReader.h"
#include "dialogue/EdtWriter.h"
#include "document/ScriptFileScan.h"
#include "document/ScriptFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <memory>

namespace
{

// Each folder is listed once, however many scripts it holds.
class Beside
{
public:
    QString dialogueOf(const QString &scriptPath)
    {
        const QFileInfo info(scriptPath);
        auto &folder = m_folders[info.path()];
        if (!folder)
            folder = std::make_shared<ScriptFolder>(info.path());
        const QString name = folder->edtNameFor(info.fileName());
        return name.isEmpty() ? QString() : folder->pathOf(name);
    }

private:
    QHash<QString, std::shared_ptr<ScriptFolder>> m_folders;
};

} // namespace

QStringList dialogueFilesAt(const QStringList &paths, QStringList *missing)
{
    Beside beside;
    QStringList found;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            for (const QString &script : ScriptFileScan::all(path))
                found << beside.dialogueOf(script);
        } else if (!info.exists()) {
            if (missing)
                *missing << path;
        } else if (info.suffix().compare(QLatin1String("edt"), Qt::CaseInsensitive) == 0) {
            found << QDir::cleanPath(path);
        } else {
            found << beside.dialogueOf(path);
        }
    }
    found.removeAll(QString());
    std::sort(found.begin(), found.end());
    QSet<QString> seen;
    QStringList files;
    for (const QString &path : std::as_const(found)) {
        const QString absolute = QFileInfo(path).absoluteFilePath();
        if (!seen.contains(absolute)) {
            seen.insert(absolute);
            files << path;
        }
    }
    return files;
}

bool FileReplacements::anyRefused() const
{
    return std::any_of(lines.begin(), lines.end(), [](const LineReplacement &line) { return line.refused(); });
}

bool planReplacements(const TextReplacer &replacer, const QString &path, FileReplacements &file, QString &error)
{
    EdtReader reader;
    if (!reader.read(path)) {
        error = reader.errorString();
        return false;
    }
    file.path = path;
    file.text = reader.takeText();
    file.lines = replacer.replaceAll(file.text);
    return true;
}

bool replacementsStillHold(const FileReplacements &file)
{
    EdtReader reader;
    return reader.read(file.path) && reader.text() == file.text;
}

void queueReplacements(const QList<FileReplacements> &files, FileSetWriter &writer)
{
    for (const FileReplacements &file : files) {
        if (!file.lines.isEmpty())
            writer.write(file.path, EdtWriter::encode(withReplacements(file.text, file.lines)));
    }
}
