#include "cli/Commands.h"
#include "cli/ScriptScan.h"
#include "dialogue/DialogueBeside.h"
#include "common/Windows1251.h"
#include "editor/ScriptChecks.h"
#include "editor/SpellingCheck.h"
#include "spelling/PersonalWords.h"
#include "spelling/SpellChecker.h"

#include <QDir>

namespace
{

// Fills the context's dialogue part: the lines of the .edt beside the script.
void addDialogue(const DialogueBeside &dialogue, CheckContext &check)
{
    if (dialogue.read())
        check.edtLines = dialogue.text.lines();
    else if (dialogue.exists())
        check.skipPhrases = true;
}

// The checker of --spelling; said once and nothing when the dictionary cannot be read.
std::shared_ptr<SpellChecker> spellChecker(CliContext &context)
{
    if (!context.args.has(QStringLiteral("--spelling")))
        return nullptr;
    QString error;
    QString warning;
    auto checker = openSpellChecker(context.args.value(QStringLiteral("--lang"), QStringLiteral("ru_RU")),
                                    context.lists(), PersonalWords::defaultPath(), error, warning);
    if (!warning.isEmpty())
        context.warn(warning);
    if (!checker)
        context.inputFailed(QStringLiteral("--spelling"), error);
    return checker;
}

QString spellingLine(const QString &path, const SpellingNote &note, bool json)
{
    const QString message = spellingNoteText(note);
    if (!json)
        return path + QStringLiteral(": phrase ") + QString::number(note.phrase) + QStringLiteral(": note: ") +
               message + QStringLiteral(" [spelling]");
    QStringList suggestions;
    for (const QString &s : note.suggestions)
        suggestions << jsonString(s);
    return QStringLiteral("{\"file\": %1, \"record\": null, \"phrase\": %2, \"level\": \"note\", "
                          "\"rule\": \"spelling\", \"message\": %3, \"word\": %4, \"suggestions\": [%5]}")
        .arg(jsonString(path))
        .arg(note.phrase)
        .arg(jsonString(message), jsonString(note.word), suggestions.join(QStringLiteral(", ")));
}

QString textLine(const QString &path, const CheckFinding &finding)
{
    const QString place = finding.record == CheckFinding::WholeScript
                              ? shownPath(path)
                              : shownPath(path) + QLatin1Char(':') + QString::number(finding.record);
    return place + QStringLiteral(": ") + checkLevelName(finding.level) + QStringLiteral(": ") +
           finding.message + QStringLiteral(" [") + finding.rule + QLatin1Char(']');
}

QString jsonItem(const QString &path, const CheckFinding &finding)
{
    const std::optional<qint64> record =
        finding.record == CheckFinding::WholeScript ? std::nullopt : std::optional<qint64>(finding.record);
    return QStringLiteral("{\"file\": %1, \"record\": %2, \"level\": %3, \"rule\": %4, \"message\": %5}")
        .arg(jsonString(path), jsonNumberOrNull(record), jsonString(checkLevelName(finding.level)),
             jsonString(finding.rule), jsonString(finding.message));
}

// The list lines that name no usable number: warnings of their own.
void checkLists(CliContext &context, bool json, QStringList &lines)
{
    for (const UnclearListLine &line : context.unclearListLines()) {
        const QString path = QDir::toNativeSeparators(line.path);
        const QString message = QStringLiteral("«") + fromWindows1251(line.text) + QStringLiteral("»: ") + line.reason;
        lines << (json ? QStringLiteral("{\"file\": %1, \"record\": null, \"line\": %2, \"level\": \"warning\", "
                                        "\"rule\": \"list-line\", \"message\": %3}")
                             .arg(jsonString(path), QString::number(line.line), jsonString(message))
                       : QStringLiteral("%1:%2: warning: %3 [list-line]").arg(path, QString::number(line.line), message));
    }
}

int run(CliContext &context)
{
    const bool withLists = context.args.has(QStringLiteral("--lists"));
    if (!withLists && context.args.positional.isEmpty()) {
        context.usageFailed(QStringLiteral("не хватает аргументов"));
        return ExitFailure;
    }
    const ReferenceLists &lists = context.lists();
    const bool json = context.args.value(QStringLiteral("--format")) == QLatin1String("json");
    const std::shared_ptr<SpellChecker> speller = spellChecker(context);
    if (context.args.has(QStringLiteral("--spelling")) && !speller)
        return ExitFailure;
    QStringList lines;
    if (withLists)
        checkLists(context, json, lines);
    bool serious = !lines.isEmpty();
    const ScriptScan scan(context, context.args.positional);
    for (const ScannedScript &scanned : scan.scripts()) {
        CheckContext check;
        check.ownNpcNumber = scanned.ownNpcNumber;
        check.lists = &lists;
        check.others = [folder = scanned.folder](quint8 npc) { return folder->find(npc); };
        const std::shared_ptr<const DialogueBeside> dialogue = scan.dialogueOf(context, scanned);
        addDialogue(*dialogue, check);
        for (const CheckFinding &finding : checkScript(scanned.script->records, check)) {
            serious = serious || finding.level != CheckLevel::Note;
            lines << (json ? jsonItem(scanned.path, finding) : textLine(scanned.path, finding));
        }
        if (speller && dialogue->read()) {
            for (const SpellingNote &note : SpellingScan::all(*speller, dialogue->text, true))
                lines << spellingLine(dialogue->path, note, json);
        }
    }
    if (json)
        context.out.line(jsonArray(lines));
    else
        for (const QString &line : std::as_const(lines))
            context.out.line(line);
    return context.exitCode(serious);
}

} // namespace

Command checkCommand()
{
    return {
        {QStringLiteral("check"),
         {formatOption({QStringLiteral("text"), QStringLiteral("json")}), flagOption(QStringLiteral("--lists")),
          flagOption(QStringLiteral("--spelling")), {QStringLiteral("--lang"), {}, {}}},
         0,
         -1},
        QStringLiteral("проверка скриптов: ссылки, дни, фразы, значения списков"),
        QStringLiteral(
            "scrivlet-cli check ПУТЬ... [--lists] [--format text|json] [--spelling [--lang ru_RU]] [--data ПАПКА]\n"
            "scrivlet-cli check --lists [--data ПАПКА]\n"
            "\n"
            "Проверяет скрипты (файлы и папки, в папках рекурсивно *.npc в любом регистре).\n"
            "С --lists проверяет и списки: строки без номера или с номером, который не число,\n"
            "меньше нуля или больше, чем вмещает поле, и имена в UTF-8; строка на находку:\n"
            "ФАЙЛ:СТРОКА: warning: «ТЕКСТ»: ПРИЧИНА [list-line].\n"
            "Строка на находку: ПУТЬ:ЗАПИСЬ: УРОВЕНЬ: СООБЩЕНИЕ [ПРАВИЛО]; --format json даёт\n"
            "массив {file, record, level, rule, message}. Код 1, если найдена ошибка или\n"
            "предупреждение.\n"
            "Правила:\n"
            "  link-empty           error    ссылка на пустую запись этого скрипта\n"
            "  link-range           error    ControlRec больше 49\n"
            "  link-missing-script  warning  в папке нет скрипта NPC из ControlNpc\n"
            "  link-empty-remote    error    ссылка на пустую запись другого скрипта\n"
            "  days                 warning  FDay не меньше заданного LDay\n"
            "  phrase-range         error    Phrase за концом текста .edt\n"
            "  phrase-count         warning  последняя фраза (Phrase + PhraseCnt - 1) за концом текста\n"
            "  edt-missing          note     рядом нет .edt, фразы не проверены\n"
            "  unused-phrase        note     строки .edt, которые не произносит ни одна запись\n"
            "  empty-phrase         warning  запись произносит пустую строку .edt\n"
            "  phrase-control-char  warning  в произносимой строке знак с кодом меньше 32\n"
            "  undocumented         warning  значение не названо в списке\n"
            "  above-list           warning  значение больше последнего номера списка\n"
            "  above-limit          warning  значение больше предела поля (Leader 100, Phrase 142...)\n"
            "  spare                note     запасное поле не равно нулю\n"
            "  list-line            warning  строка списка не понята (с --lists)\n"
            "  spelling             note     с --spelling: слово фразы, которого нет в словаре\n"
            "                                (ФАЙЛ.edt: phrase N: note: ... [spelling])\n"
            "\n"
            "--spelling проверяет орфографию фраз словарём Hunspell языка --lang (по умолчанию\n"
            "ru_RU; словари из пакетов hunspell-ru, hunspell-en-us). Не отмечаются числа,\n"
            "слова из латинских и русских букв вместе, имена персонажей и предметов из\n"
            "списков и слова личного словаря редактора; «е» и «ё» — одна буква. Нет словаря —\n"
            "код 2 и сообщение, какой пакет установить."),
        run,
    };
}
