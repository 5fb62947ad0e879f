#include "cli/Commands.h"
#include "common/FileSetWriter.h"
#include "common/Windows1251.h"
#include "dialogue/DialogueReplace.h"

namespace
{

// One line stays one line, and nothing in it reaches a terminal as a command.
QString shown(const QByteArray &line)
{
    return fromWindows1251(controlBytesShown(line));
}

QString shownText(const QString &text)
{
    return shown(toWindows1251(text));
}

int run(CliContext &context)
{
    const ParsedArguments &args = context.args;
    const TextReplacer replacer({args.value(QStringLiteral("--text")), args.value(QStringLiteral("--with")),
                                 args.has(QStringLiteral("--regex")), args.has(QStringLiteral("--ignore-case")),
                                 args.has(QStringLiteral("--yo"))});
    if (!replacer.problem().isEmpty()) {
        context.usageFailed(QStringLiteral("--text: ") + replacer.problem());
        return ExitFailure;
    }
    QStringList missing;
    const QStringList paths = dialogueFilesAt(args.positional, &missing);
    for (const QString &path : std::as_const(missing))
        context.inputFailed(path, QStringLiteral("нет такого файла или папки"));
    QList<FileReplacements> files;
    bool refused = false;
    for (const QString &path : paths) {
        FileReplacements file;
        QString error;
        if (!planReplacements(replacer, path, file, error)) {
            context.inputFailed(path, error);
            continue;
        }
        refused = refused || file.anyRefused();
        if (!file.lines.isEmpty())
            files << std::move(file);
    }
    if (context.anyInputFailed()) {
        context.err.line(QLatin1String(CliContext::Program) + QStringLiteral(": ничего не записано"));
        return ExitFailure;
    }
    for (const FileReplacements &file : std::as_const(files)) {
        for (const LineReplacement &line : file.lines) {
            const QString where = file.path + QLatin1Char(':') + QString::number(line.phrase) + QStringLiteral(": ");
            if (line.refused())
                context.err.line(QLatin1String(CliContext::Program) + QStringLiteral(": ") + where + line.refusal +
                                 QStringLiteral(" (") + shownText(line.afterText) + QLatin1Char(')'));
            else if (!refused)
                context.out.line(where + shown(line.before) + QStringLiteral(" → ") + shown(line.after));
        }
    }
    if (refused) {
        context.err.line(QLatin1String(CliContext::Program) + QStringLiteral(": ничего не записано"));
        return ExitNegative;
    }
    if (files.isEmpty())
        context.err.line(QLatin1String(CliContext::Program) + QStringLiteral(": совпадений нет; ничего не записано"));
    if (!files.isEmpty() && !args.has(QStringLiteral("--dry-run"))) {
        FileSetWriter writer;
        queueReplacements(files, writer);
        context.writeFiles(writer);
    }
    return context.exitCode(files.isEmpty());
}

} // namespace

Command replaceCommand()
{
    return {
        {QStringLiteral("replace"),
         {{QStringLiteral("--text"), {}, {}, true, false, true},
          {QStringLiteral("--with"), {}, {}, true, false, true},
          flagOption(QStringLiteral("--regex")),
          flagOption(QStringLiteral("--ignore-case")),
          flagOption(QStringLiteral("--yo")),
          flagOption(QStringLiteral("--dry-run"))},
         1,
         -1},
        QStringLiteral("замена текста во фразах файлов .edt"),
        QStringLiteral(
            "scrivlet-cli replace --text СТАРОЕ --with НОВОЕ [--regex] [--ignore-case] [--yo]\n"
            "                     [--dry-run] ПУТЬ...\n"
            "\n"
            "Заменяет СТАРОЕ на НОВОЕ во всех фразах файлов диалогов: для папки — файлы .edt\n"
            "рядом со всеми скриптами в ней и во вложенных папках, для скрипта — файл рядом\n"
            "с ним, файл .edt — он сам. Строка на каждую изменённую фразу:\n"
            "ФАЙЛ:N: было → стало.\n"
            "  --regex        СТАРОЕ — регулярное выражение Qt; \\1 в НОВОМ — первая группа\n"
            "  --ignore-case  в любом регистре, кириллица тоже\n"
            "  --yo           «е» и «ё» совпадают друг с другом\n"
            "  --dry-run      только показать, ничего не записывать\n"
            "Если фраза после замены не годится (длиннее 240 знаков, знак не из\n"
            "Windows-1251, управляющий знак или перевод строки), такие фразы перечисляются\n"
            "и ничего не записывается. Файлы записываются все вместе или ни один.\n"
            "Код 0, если фразы изменены; 1, если ничего не совпало или замена отклонена;\n"
            "2 — неверный вызов (в том числе выражение, которое не разобрать или которое\n"
            "совпадает с пустой строкой) или файл, который не удалось прочитать."),
        run,
    };
}
