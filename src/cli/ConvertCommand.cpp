#include "cli/Commands.h"
#include "editor/NpcJson.h"

namespace
{

int run(CliContext &context)
{
    const QString input = context.args.positional.at(0);
    const QString output = context.args.value(QStringLiteral("--output"), input);
    const NpcLayout target = *layoutNamed(context.args.value(QStringLiteral("--to")));
    const auto script = context.readScript(input);
    if (!script)
        return context.exitCode(false);
    if (output != input && !context.mayReplace({output}))
        return ExitNegative;
    if (vestaLosesLastRecord(script->records(), target) && !context.args.has(QStringLiteral("--force"))) {
        context.err.line(vestaDropRefusal(input));
        return ExitNegative;
    }
    if (script->layout() == target && !context.args.has(QStringLiteral("--output"))) {
        // Writing it again would only cut bytes beyond the records.
        context.err.line(QLatin1String(CliContext::Program) + QStringLiteral(": ") + input +
                         QStringLiteral(": уже в формате ") + layoutName(target));
        return ExitOk;
    }
    context.writeFile(output, NpcWriter::encode(script->records(), target));
    return context.exitCode(false);
}

} // namespace

Command convertCommand()
{
    return {
        {QStringLiteral("convert"),
         {layoutOption(QStringLiteral("--to"), true), outputOption(false),
          flagOption(QStringLiteral("--force"))},
         1,
         1},
        QStringLiteral("перевод скрипта в формат standard или vesta"),
        QStringLiteral("scrivlet-cli convert --to standard|vesta ФАЙЛ.npc [-o ВЫХОД.npc] [--force]\n"
                       "\n"
                       "Записывает скрипт в другом формате: в ВЫХОД, без -o на место файла.\n"
                       "Существующий ВЫХОД заменяется только с --force, иначе код 1.\n"
                       "В формате vesta нет места для записи 49: если она не пуста, перевод\n"
                       "отказывается (код 1) и ничего не пишет; --force переводит без неё."),
        run,
    };
}
