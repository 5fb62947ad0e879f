#pragma once

#include "session/SessionResult.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <memory>

class AppSettings;
class SpellChecker;
struct ReferenceLists;

// Spell checking of the dialogue text while it is written: on or off and the language
// (settings), the dictionary read on first use, the personal word list.
class SessionSpelling : public QObject
{
    Q_OBJECT
public:
    SessionSpelling(AppSettings &settings, const ReferenceLists &lists, QObject *parent = nullptr);
    ~SessionSpelling() override;

    bool isOn() const;
    QString language() const;
    void setOn(bool on);
    void setLanguage(const QString &language);

    // The checker when spelling is on and the dictionary could be read; null otherwise.
    const SpellChecker *checker();
    // The same for text in another language ("en" finds the dictionary en_US); empty is
    // the language of the dialogue. A missing dictionary underlines nothing.
    const SpellChecker *checkerFor(const QString &language);
    // Why the dictionary could not be read, once: empty on every later call.
    QString takeProblem();

    // Known from now on, and kept in the personal list for the next runs.
    SessionResult addWord(const QString &word);
    QString personalPath() const { return m_personalPath; }
    void setPersonalPath(const QString &path);

    // The names of the lists changed: they are known words.
    void listsChanged() { forget(); }

signals:
    // What is underlined may have changed.
    void changed();

private:
    void forget();

    AppSettings &m_settings;
    const ReferenceLists &m_lists;
    QString m_personalPath;
    std::shared_ptr<SpellChecker> m_checker;
    struct OtherLanguage {
        bool sameAsText = false;
        std::shared_ptr<SpellChecker> checker; // null when its dictionary cannot be read
    };
    QHash<QString, OtherLanguage> m_otherLanguages; // by the name given
    bool m_tried = false;
    QString m_problem;
    bool m_problemSaid = false;
};
