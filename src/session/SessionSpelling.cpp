#include "session/SessionSpelling.h"

#include "editor/SpellingCheck.h"
#include "session/AppSettings.h"
#include "spelling/PersonalWords.h"
#include "spelling/SpellChecker.h"
#include "spelling/SpellDictionary.h"

SessionSpelling::SessionSpelling(AppSettings &settings, const ReferenceLists &lists, QObject *parent)
    : QObject(parent), m_settings(settings), m_lists(lists), m_personalPath(PersonalWords::defaultPath())
{
}

SessionSpelling::~SessionSpelling() = default;

bool SessionSpelling::isOn() const
{
    return m_settings.config().SpellCheck;
}

QString SessionSpelling::language() const
{
    return m_settings.config().SpellLang;
}

void SessionSpelling::setOn(bool on)
{
    if (on == isOn())
        return;
    m_settings.config().SpellCheck = on;
    emit changed();
}

void SessionSpelling::setLanguage(const QString &language)
{
    if (language == this->language())
        return;
    m_settings.config().SpellLang = language;
    forget();
}

void SessionSpelling::setPersonalPath(const QString &path)
{
    m_personalPath = path;
    forget();
}

void SessionSpelling::forget()
{
    m_checker.reset();
    m_otherLanguages.clear();
    m_tried = false;
    m_problemSaid = false;
    emit changed();
}

const SpellChecker *SessionSpelling::checker()
{
    if (!isOn())
        return nullptr;
    if (!m_tried) {
        m_tried = true;
        QString warning;
        m_problem.clear();
        m_checker = openSpellChecker(language(), m_lists, m_personalPath, m_problem, warning);
        if (m_problem.isEmpty())
            m_problem = warning;
    }
    return m_checker.get();
}

const SpellChecker *SessionSpelling::checkerFor(const QString &language)
{
    if (language.isEmpty() || !isOn())
        return checker();
    // A PO file names a language, a dictionary a language and a country. The folders are
    // looked at once per language, not at every cell painted.
    auto found = m_otherLanguages.constFind(language);
    if (found == m_otherLanguages.cend()) {
        OtherLanguage other;
        const QString dictionary = SpellDictionary::nameFor(language);
        other.sameAsText = dictionary == this->language();
        if (!other.sameAsText) {
            QString error;
            QString warning;
            other.checker = openSpellChecker(dictionary, m_lists, m_personalPath, error, warning);
        }
        found = m_otherLanguages.insert(language, other);
    }
    return found->sameAsText ? checker() : found->checker.get();
}

QString SessionSpelling::takeProblem()
{
    checker();
    if (m_problemSaid || m_problem.isEmpty())
        return {};
    m_problemSaid = true;
    return m_problem;
}

SessionResult SessionSpelling::addWord(const QString &word)
{
    QString error;
    if (!PersonalWords::add(m_personalPath, word, error))
        return SessionResult::failure(
            QStringLiteral("Слово не добавлено в личный словарь %1: %2").arg(m_personalPath, error));
    if (m_checker)
        m_checker->addKnownWords({word});
    emit changed();
    return {};
}
