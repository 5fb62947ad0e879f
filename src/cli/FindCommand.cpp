#include "cli/Commands.h"
#include "cli/ScriptScan.h"
#include "common/Windows1251.h"
#include "dialogue/DialogueBeside.h"
#include "dialogue/PhraseLine.h"
#include "dialogue/PhraseSearch.h"
#include "editor/RecordSearch.h"
#include "editor/ReferenceList.h"

#include <algorithm>

namespace
{

struct Shortcut {
    const char *option;
    SearchTerm (*term)(qint64);
};

constexpr Shortcut Shortcuts[] = {
    {"--fact", SearchTerm::fact}, {"--item", SearchTerm::item},     {"--quest", SearchTerm::quest},
    {"--npc", SearchTerm::npc},   {"--action", SearchTerm::action},
};

// A term whose value fits every one of its fields; the message says what is wrong.
std::optional<SearchTerm> checkedTerm(const QString &option, const QString &text, SearchTerm term,
                                      QString &error)
{
    for (NpcField field : std::as_const(term.fields)) {
        if (!storedValue(field, term.value)) {
            error = QStringLiteral("%1: значение %2 не помещается в поле %3")
                        .arg(option, text, NpcRecord::fieldName(field));
            return std::nullopt;
        }
    }
    return term;
}

std::optional<qint64> number(const QString &option, const QString &text, QString &error)
{
    const std::optional<qint64> value = readDecimal(text.toLatin1());
    if (!value)
        error = QStringLiteral("%1: «%2» не число").arg(option, text);
    return value;
}

std::optional<QList<SearchTerm>> terms(const ParsedArguments &args, QString &error)
{
    QList<SearchTerm> list;
    for (const QString &condition : args.values(QStringLiteral("--field"))) {
        const qsizetype eq = condition.indexOf(QLatin1Char('='));
        const auto field = NpcRecord::fieldNamed(QStringView(condition).left(eq));
        if (eq < 0 || !field) {
            error =
                QStringLiteral("--field: ожидается ПОЛЕ=ЗНАЧЕНИЕ с полем записи, а не «%1»").arg(condition);
            return std::nullopt;
        }
        const auto value = number(QStringLiteral("--field"), condition.mid(eq + 1), error);
        const auto term = value ? checkedTerm(QStringLiteral("--field"), condition.mid(eq + 1),
                                              SearchTerm::field(*field, *value), error)
                                : std::nullopt;
        if (!term)
            return std::nullopt;
        list << *term;
    }
    for (const Shortcut &shortcut : Shortcuts) {
        const QString option = QLatin1String(shortcut.option);
        for (const QString &text : args.values(option)) {
            const auto value = number(option, text, error);
            const auto term = value ? checkedTerm(option, text, shortcut.term(*value), error) : std::nullopt;
            if (!term)
                return std::nullopt;
            list << *term;
        }
    }
    if (list.isEmpty())
        error =
            QStringLiteral("не задано ни одного условия (--field, --fact, --item, --quest, --npc, --action)");
    return list.isEmpty() ? std::nullopt : std::optional(list);
}

// One hit stays one line, and nothing in it reaches a terminal as a command.
QString shownLine(const QByteArray &line)
{
    return fromWindows1251(controlBytesShown(line));
}

int runText(CliContext &context)
{
    const QString words = context.args.value(QStringLiteral("--text"));
    if (words.isEmpty() || context.args.has(QStringLiteral("--field")) ||
        std::any_of(std::begin(Shortcuts), std::end(Shortcuts),
                    [&](const Shortcut &s) { return context.args.has(QLatin1String(s.option)); })) {
        context.usageFailed(words.isEmpty() ? QStringLiteral("--text: пустой текст")
                                            : QStringLiteral("--text ищет в фразах, без условий на поля"));
        return ExitFailure;
    }
    if (const qsizetype bad = firstUnencodable1251(words); bad >= 0) {
        context.usageFailed(QStringLiteral("--text: ") + PhraseLine::unencodableText(words, bad));
        return ExitFailure;
    }
    const PhraseTextMatcher matcher(toWindows1251(words));
    const ScriptScan scan(context, context.args.positional);
    bool found = false;
    for (const ScannedScript &scanned : scan.scripts()) {
        const auto dialogue = scan.dialogueOf(context, scanned);
        if (!dialogue->read())
            continue;
        const auto hits = findPhraseText(matcher, scanned.path, dialogue->path, scanned.script->records,
                                         dialogue->text.lines());
        for (const PhraseHit &hit : hits) {
            const QString rest = QStringLiteral(": phrase %1: %2").arg(hit.phrase).arg(shownLine(hit.line));
            if (hit.records.isEmpty())
                context.out.line(shownPath(hit.edtPath) + rest);
            for (int record : hit.records)
                context.out.line(shownPath(hit.scriptPath) + QLatin1Char(':') + QString::number(record) + rest);
            found = true;
        }
    }
    return context.exitCode(!found);
}

int run(CliContext &context)
{
    if (context.args.has(QStringLiteral("--text")))
        return runText(context);
    QString error;
    const auto search = terms(context.args, error);
    if (!search) {
        context.usageFailed(error);
        return ExitFailure;
    }
    const ReferenceLists &lists = context.lists();
    const ScriptScan scan(context, context.args.positional);
    bool found = false;
    for (const ScannedScript &scanned : scan.scripts()) {
        const NpcRecords &records = scanned.script->records;
        for (const SearchMatch &match : findRecords(records, *search)) {
            QStringList fields;
            for (NpcField field : match.fields)
                fields << NpcRecord::fieldName(field) + QLatin1Char('=') +
                              valueWithName(field, records[match.record].value(field), lists);
            context.out.line(shownPath(scanned.path) + QLatin1Char(':') + QString::number(match.record) +
                             QStringLiteral(": ") + fields.join(QStringLiteral(", ")));
            found = true;
        }
    }
    return context.exitCode(!found);
}

OptionSyntax repeatable(const char *name)
{
    return {QLatin1String(name), {}, {}, true, true};
}

} // namespace

Command findCommand()
{
    QList<OptionSyntax> options{repeatable("--field"), {QStringLiteral("--text"), {}, {}}};
    for (const Shortcut &shortcut : Shortcuts)
        options << repeatable(shortcut.option);
    return {
        {QStringLiteral("find"), options, 1, -1},
        QStringLiteral("записи, в которых поля имеют заданные значения, и фразы с текстом"),
        QStringLiteral("scrivlet-cli find ПУТЬ... --field ПОЛЕ=ЗНАЧЕНИЕ ... [--data ПАПКА]\n"
                       "scrivlet-cli find ПУТЬ... --text ТЕКСТ\n"
                       "\n"
                       "Ищет непустые записи, в которых выполнены все условия:\n"
                       "  --field ПОЛЕ=N  поле записи (FDay, ControlRec, ...) равно N\n"
                       "  --fact N        TriggT, TriggF или Trigg2T\n"
                       "  --item N        ItemIn или ItemOut\n"
                       "  --quest N       Q_was, Q_Input или Q_Output\n"
                       "  --npc N         ControlNpc\n"
                       "  --action N      Action\n"
                       "-1 означает «не задано». Условия можно повторять.\n"
                       "Строка на запись: ПУТЬ:ЗАПИСЬ: ПОЛЕ=ЗНАЧЕНИЕ (название).\n"
                       "\n"
                       "--text ищет ТЕКСТ в любом регистре в фразах файлов .edt рядом со скриптами.\n"
                       "Строка на каждую запись, которая произносит найденную фразу:\n"
                       "ПУТЬ:ЗАПИСЬ: phrase N: фраза; для фразы, которую не произносит ни одна\n"
                       "запись: ПУТЬ.edt: phrase N: фраза.\n"
                       "Код 1, если ничего не найдено."),
        run,
    };
}
