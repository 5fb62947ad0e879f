#include "translation/DialogueTemplate.h"

#include "common/Windows1251.h"
#include "dialogue/PhraseList.h"

#include <QSet>

#include <algorithm>

namespace
{

bool isBlank(const QByteArray &line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' '; });
}

QString headerText(const QString &generator)
{
    return QStringLiteral("Project-Id-Version: Korvan dialogue\n"
                          "Report-Msgid-Bugs-To: \n"
                          "PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\n"
                          "Last-Translator: FULL NAME <EMAIL@ADDRESS>\n"
                          "Language-Team: LANGUAGE <LL@li.org>\n"
                          "Language: \n"
                          "MIME-Version: 1.0\n"
                          "Content-Type: text/plain; charset=UTF-8\n"
                          "Content-Transfer-Encoding: 8bit\n"
                          "X-Generator: %1\n")
        .arg(generator);
}

// "#: 057.edt:3 057.edt:9", cut into lines of at most 79 columns.
QList<QByteArray> references(const QString &fileName, const QList<qsizetype> &lines)
{
    QList<QByteArray> out;
    QByteArray current = "#:";
    for (qsizetype line : lines) {
        const QByteArray one = fileName.toUtf8() + ':' + QByteArray::number(line);
        if (current.size() > 2 && current.size() + 1 + one.size() > 79) {
            out << current;
            current = "#:";
        }
        current += ' ' + one;
    }
    out << current;
    return out;
}

struct Gathered {
    QByteArray line;
    QList<qsizetype> numbers;
};

} // namespace

QString speakersNote(const QString &speaker, const QList<int> &records)
{
    const QString spoken = records.isEmpty() ? QString()
                                             : (records.size() == 1 ? QStringLiteral("запись ")
                                                                    : QStringLiteral("записи ")) +
                                                   PhraseList::speakersText(records);
    if (speaker.isEmpty() || spoken.isEmpty())
        return speaker + spoken;
    return speaker + QStringLiteral(": ") + spoken;
}

DialogueTemplate dialogueTemplate(const QList<DialogueSource> &sources, const QString &generator)
{
    DialogueTemplate result;
    PoEntry header;
    header.strings << headerText(generator);
    header.line = 1;
    result.catalogue.entries << header;
    for (const DialogueSource &source : sources) {
        QList<Gathered> gathered;
        QHash<QByteArray, qsizetype> indexOf;
        qsizetype number = 0;
        for (const QByteArray &line : source.text) {
            const qsizetype k = number++;
            if (isBlank(line))
                continue;
            if (line.contains('\0')) {
                ++result.leftOut;
                continue;
            }
            auto found = indexOf.constFind(line);
            if (found == indexOf.cend())
                found = indexOf.insert(line, gathered.size()), gathered.append({line, {}});
            gathered[*found].numbers << k;
        }
        for (const Gathered &one : std::as_const(gathered)) {
            PoEntry entry;
            entry.hasContext = true;
            entry.context = source.fileName;
            entry.id = fromWindows1251(one.line);
            entry.strings << QString();
            QList<int> records;
            if (source.records) {
                QSet<int> seen;
                for (qsizetype k : one.numbers)
                    for (int record : PhraseList::speakers(*source.records, k))
                        seen.insert(record);
                records = seen.values();
                std::sort(records.begin(), records.end());
            }
            if (const QString note = speakersNote(source.speaker, records); !note.isEmpty())
                entry.comments << "#. " + note.toUtf8();
            entry.comments << references(source.fileName, one.numbers);
            entry.line = 1; // laid out as gettext does, a blank line before each
            entry.before = "\n";
            result.catalogue.entries << entry;
        }
    }
    result.catalogue.index();
    return result;
}
