#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One entry of a gettext PO file. An entry read and not changed since is written back as
// the bytes it was read from.
struct PoEntry {
    bool hasContext = false;
    QString context;
    QString id;
    bool plural = false;
    QString idPlural;
    QStringList strings; // msgstr, or msgstr[0], msgstr[1], ...
    QStringList flags;   // from the "#," line, each as its bytes (Latin-1)
    // Every other comment line, as its bytes ("#. ...", "#: ...", "# ...", "#| ...").
    QList<QByteArray> comments;
    // Only comments, such as the "#~" lines of entries gettext keeps as obsolete.
    bool commentsOnly = false;

    int line = 0;       // where it begins in the file, counting from 1
    int stringLine = 0; // its msgstr
    QByteArray before;  // the blank lines before it
    QByteArray read;    // its bytes as read; empty once it changed or when it is new

    bool isHeader() const { return !commentsOnly && !hasContext && id.isEmpty(); }
    bool isFuzzy() const { return flags.contains(QLatin1String("fuzzy")); }
    QString translation() const { return strings.value(0); }
};

// A PO file: its entries in file order, and how to find one by context and text.
class PoCatalogue
{
public:
    enum class Charset { Utf8, Windows1251 };

    // The header's "Language" ("en", "en_US"); empty when it names none.
    QString language() const;

    QList<PoEntry> entries;
    QByteArray prefix;  // a byte order mark
    QByteArray trailer; // blank lines after the last entry
    Charset charset = Charset::Utf8;

    // The entry of that context and text; -1 when there is none. Contexts are file names,
    // matched without regard to letter case.
    qsizetype find(const QString &context, const QString &id) const;
    // After entries were added or read.
    void index();

    // The translation replaces the entry's; a fuzzy mark, and the earlier text that came
    // with it, go.
    void setTranslation(qsizetype entry, const QString &text);
    qsizetype append(PoEntry entry);

    static QString key(const QString &context, const QString &id);

private:
    QHash<QString, qsizetype> m_index;
};
