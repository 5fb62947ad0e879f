#include "editor/SpellingCheck.h"

#include "common/Windows1251.h"
#include "editor/ReferenceLists.h"
#include "spelling/PersonalWords.h"
#include "spelling/SpellChecker.h"
#include "spelling/SpellDictionary.h"

QStringList spellingKnownNames(const ReferenceLists &lists)
{
    QStringList names;
    for (const ReferenceList *list : {&lists.Npc, &lists.Items}) {
        for (int i = 0; i < list->count(); ++i)
            names << fromWindows1251(list->name(i));
    }
    return names;
}

std::shared_ptr<SpellChecker> openSpellChecker(const QString &language, const ReferenceLists &lists,
                                               const QString &personalPath, QString &error, QString &warning)
{
    auto dictionary = std::make_shared<SpellDictionary>();
    if (!dictionary->load(language)) {
        error = dictionary->errorString();
        return nullptr;
    }
    auto checker = std::make_shared<SpellChecker>(dictionary);
    checker->addKnownWords(spellingKnownNames(lists));
    QStringList personal;
    QString reason;
    if (PersonalWords::read(personalPath, personal, reason))
        checker->addKnownWords(personal);
    else
        warning = QStringLiteral("Личный словарь %1 не прочитан: %2").arg(personalPath, reason);
    return checker;
}

QString spellingNoteText(const SpellingNote &note)
{
    QString text = QStringLiteral("неизвестное слово «%1»").arg(note.word);
    if (!note.suggestions.isEmpty())
        text += QStringLiteral("; может быть: ") + note.suggestions.join(QStringLiteral(", "));
    return text;
}

SpellingScan::SpellingScan(const SpellChecker &checker, EdtText text, bool suggest)
    : m_checker(checker), m_text(std::move(text)), m_suggest(suggest)
{
}

bool SpellingScan::step(qsizetype lines)
{
    const qsizetype end = std::min(m_text.size(), m_next + lines);
    for (; m_next < end; ++m_next) {
        for (const Misspelling &word : m_checker.check(fromWindows1251(m_text.at(m_next)))) {
            m_notes.append(
                {m_next, word.word, m_suggest ? m_checker.suggestions(word.word).mid(0, 3) : QStringList()});
        }
    }
    return isDone();
}

QList<SpellingNote> SpellingScan::all(const SpellChecker &checker, const EdtText &text, bool suggest)
{
    SpellingScan scan(checker, text, suggest);
    scan.step(text.size());
    return scan.notes();
}
