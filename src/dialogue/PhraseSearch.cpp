#include "dialogue/PhraseSearch.h"

#include "common/Windows1251.h"
#include "dialogue/DialogueBeside.h"
#include "dialogue/PhraseList.h"
#include "document/NpcFile.h"
#include "document/ScriptFolder.h"

#include <QFileInfo>

namespace
{

void foldAsShown(QByteArrayView bytes, QByteArray &folded)
{
    foldCase1251(bytes, folded);
    folded.replace('\0', ' ');
}

} // namespace

PhraseTextMatcher::PhraseTextMatcher(QByteArrayView words)
{
    foldAsShown(words, m_words);
}

bool PhraseTextMatcher::matches(QByteArrayView line) const
{
    if (line.size() < m_words.size())
        return false;
    foldAsShown(line, m_folded);
    return m_folded.contains(m_words);
}

QList<PhraseHit> findPhraseText(const PhraseTextMatcher &matcher, const QString &scriptPath,
                                const QString &edtPath, const NpcRecords &records,
                                const QList<QByteArray> &lines)
{
    QList<PhraseHit> hits;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (matcher.matches(lines.at(k)))
            hits.append({scriptPath, edtPath, k, PhraseList::speakers(records, k), lines.at(k)});
    }
    return hits;
}

PhraseSearch::PhraseSearch(const QString &folder, QByteArrayView words)
    : FolderSearch(folder), m_matcher(words)
{
}

PhraseSearch::~PhraseSearch() = default;

void PhraseSearch::setOpenScript(const QString &path, const NpcRecords &records, const QString &edtPath,
                                 const EdtText &text)
{
    setOpenPath(path);
    m_openRecords = records;
    m_openEdtPath = edtPath;
    m_openLines = text.lines();
}

QList<PhraseHit> PhraseSearch::next(int maxFiles)
{
    QList<PhraseHit> found;
    step(maxFiles, [&](const QString &path, bool open) {
        if (open)
            found << findPhraseText(m_matcher, path, m_openEdtPath, m_openRecords, m_openLines);
        else
            search(path, found);
    });
    return found;
}

void PhraseSearch::search(const QString &path, QList<PhraseHit> &found)
{
    const QFileInfo info(path);
    if (!m_folder || m_folder->folder() != info.path())
        m_folder = std::make_unique<ScriptFolder>(info.path());
    const DialogueBeside dialogue = readDialogueBeside(*m_folder, info.fileName());
    if (!dialogue.read()) {
        if (dialogue.exists())
            addUnread(dialogue.path, dialogue.error);
        return;
    }
    // The script is read only for lines that hold the words: most files hold none.
    const NpcRecords none{};
    QList<PhraseHit> hits = findPhraseText(m_matcher, path, dialogue.path, none, dialogue.text.lines());
    if (hits.isEmpty())
        return;
    NpcReader script;
    if (!script.read(path))
        addUnread(path, script.reason());
    for (PhraseHit &hit : hits)
        hit.records = PhraseList::speakers(script.records(), hit.phrase);
    found << hits;
}
