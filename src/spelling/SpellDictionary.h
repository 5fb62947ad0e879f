#pragma once

#include <QString>
#include <QStringList>

#include <memory>

struct Hunhandle;

// One Hunspell dictionary (LANG.aff and LANG.dic, UTF-8), from the folders where the
// system's dictionary packages put them.
class SpellDictionary
{
public:
    SpellDictionary();
    ~SpellDictionary();

    // Where dictionaries are looked for: Debian's folders, and a "dictionaries" folder
    // beside the program (the Windows program carries its own there).
    static QStringList standardFolders();
    // The Debian package that holds the language's dictionary: "hunspell-ru", "hunspell-en-us".
    static QString packageFor(const QString &language);
    // The languages whose dictionaries the folders hold ("en_US", "ru_RU"), sorted.
    static QStringList installed(const QStringList &folders = standardFolders());
    // The dictionary of a language named without its country, as PO files name it ("en"
    // finds "en_US"); a name with a country, or one no folder has, as it is.
    static QString nameFor(const QString &language, const QStringList &folders = standardFolders());

    // The first folder holding both files; false with the reason (and the package to
    // install) when none does or they cannot be read.
    bool load(const QString &language, const QStringList &folders = standardFolders());
    bool isLoaded() const { return m_hunspell != nullptr; }
    QString errorString() const { return m_error; }
    QString language() const { return m_language; }

    bool spell(const QString &word) const;
    QStringList suggest(const QString &word) const;
    // Known from now on, for this run.
    void add(const QString &word);

private:
    struct Close {
        void operator()(Hunhandle *handle) const;
    };
    std::unique_ptr<Hunhandle, Close> m_hunspell;
    QString m_language;
    QString m_error;
};
