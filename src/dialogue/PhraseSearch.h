#pragma once

#include "dialogue/EdtText.h"
#include "document/FolderSearch.h"
#include "document/NpcScriptDocument.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

class ScriptFolder;

// A line of a script's dialogue text that holds the words looked for.
struct PhraseHit {
    QString scriptPath;
    QString edtPath;
    qsizetype phrase = 0;
    QList<int> records; // those that speak the line; often none
    QByteArray line;

    bool operator==(const PhraseHit &) const = default;
};

// Whether a line holds the words in any letter case, compared as the user reads the
// line: Windows-1251, a byte 0 as a blank.
class PhraseTextMatcher
{
public:
    explicit PhraseTextMatcher(QByteArrayView words);
    bool matches(QByteArrayView line) const;

private:
    QByteArray m_words;
    mutable QByteArray m_folded; // reused from line to line
};

// The lines of one script's dialogue text that hold the words, in line order.
QList<PhraseHit> findPhraseText(const PhraseTextMatcher &matcher, const QString &scriptPath,
                                const QString &edtPath, const NpcRecords &records,
                                const QList<QByteArray> &lines);

// The phrases that hold the words in the dialogue files of the scripts below a folder, a
// batch of scripts at a time. A script's dialogue file is the one beside it with its
// name and ".edt" in any letter case; a script without one is passed over.
class PhraseSearch : public FolderSearch
{
public:
    PhraseSearch(const QString &folder, QByteArrayView words);
    ~PhraseSearch();

    // The open script as it is being edited, with the dialogue text it has now.
    void setOpenScript(const QString &path, const NpcRecords &records, const QString &edtPath,
                       const EdtText &text);

    // One step (FolderSearch::step); the hits of the scripts looked at, in path order.
    QList<PhraseHit> next(int maxFiles);

private:
    void search(const QString &path, QList<PhraseHit> &found);

    PhraseTextMatcher m_matcher;
    NpcRecords m_openRecords{};
    QString m_openEdtPath;
    QList<QByteArray> m_openLines;
    std::unique_ptr<ScriptFolder> m_folder; // the folder of the script last looked at
};
