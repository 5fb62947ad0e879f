// Replace from any bytes: options, pattern, replacement and line taken from the input.
// Whatever the pattern, it is refused with a reason or gives only lines that can be
// phrases (a refused line keeps its text); the text keeps every line not replaced. And
// the personal word list read from any bytes gives words of one line each.
#include "FuzzCheck.h"
#include "common/Windows1251.h"
#include "dialogue/PhraseLine.h"
#include "dialogue/TextReplace.h"
#include "spelling/PersonalWords.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace
{

void replace(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    const auto flags = static_cast<quint8>(bytes.at(0));
    const QList<QByteArray> parts = bytes.mid(1).split('\x01');
    ReplaceOptions options;
    options.text = QString::fromUtf8(parts.value(0));
    options.with = QString::fromUtf8(parts.value(1));
    options.regex = flags & 1;
    options.ignoreCase = flags & 2;
    options.yo = flags & 4;
    const TextReplacer replacer(options);
    const EdtText text(parts.mid(2));
    const QList<LineReplacement> lines = replacer.replaceAll(text);
    if (!replacer.problem().isEmpty()) {
        FUZZ_CHECK(lines.isEmpty());
        return;
    }
    for (const LineReplacement &line : lines) {
        FUZZ_CHECK(line.before == text.at(line.phrase));
        if (line.refused())
            FUZZ_CHECK(line.after.isEmpty());
        else
            FUZZ_CHECK(PhraseLine::problem(line.after).isEmpty() && line.after != line.before);
    }
    const EdtText after = withReplacements(text, lines);
    FUZZ_CHECK(after.size() == text.size());
    qsizetype next = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const bool replaced = next < lines.size() && lines.at(next).phrase == k;
        FUZZ_CHECK(after.at(k) == (replaced && !lines.at(next).refused() ? lines.at(next).after : text.at(k)));
        next += replaced ? 1 : 0;
    }
}

void personalWords(const QByteArray &bytes)
{
    static QTemporaryDir folder;
    const QString path = QDir(folder.path()).filePath(QStringLiteral("words.txt"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    }
    QStringList words;
    QString error;
    FUZZ_CHECK(PersonalWords::read(path, words, error));
    for (const QString &word : std::as_const(words))
        FUZZ_CHECK(!word.contains(u'\n') && !word.isEmpty() && word == word.trimmed());
    FUZZ_CHECK(PersonalWords::add(path, QStringLiteral("слово"), error));
    QStringList again;
    FUZZ_CHECK(PersonalWords::read(path, again, error));
    FUZZ_CHECK(again.value(again.size() - 1) == QStringLiteral("слово"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const char *data, size_t size)
{
    const QByteArray bytes(data, qsizetype(size));
    replace(bytes);
    personalWords(bytes);
    return 0;
}
