#include "cli/Commands.h"
#include "cli/PictureLibrary.h"
#include "cli/ScriptScan.h"

#include <QFileInfo>

namespace
{

int run(CliContext &context)
{
    const QString script = context.args.positional.first();
    const QString output = context.args.value(QStringLiteral("--output"));
    const std::optional<MapFormat> format = mapFormatOf(output);
    if (!format) {
        context.usageFailed(QStringLiteral("-o %1: схема пишется в файл .svg или .png").arg(output));
        return context.exitCode(false);
    }
    if (QFileInfo(script).isDir()) {
        context.usageFailed(QStringLiteral("%1 — папка; map рисует один скрипт").arg(script));
        return context.exitCode(false);
    }
    const ScriptScan scan(context, {script});
    if (scan.scripts().isEmpty())
        return context.exitCode(false);
    const ScannedScript &scanned = scan.scripts().first();
    const ScriptGraph graph = scannedGraph(context, scanned, *scan.dialogueOf(context, scanned));
    QByteArray picture;
    QString error;
    const int scale = context.args.value(QStringLiteral("--scale"), QStringLiteral("1")).toInt();
    if (!PictureLibrary::drawMap(graph, *format, scale, picture, error)) {
        context.inputFailed(output, error);
        return context.exitCode(false);
    }
    context.writeFile(output, picture);
    return context.exitCode(false);
}

} // namespace

Command mapCommand()
{
    return {
        {QStringLiteral("map"),
         {outputOption(true), OptionSyntax{QStringLiteral("--scale"), {}, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")}}},
         1,
         1},
        QStringLiteral("карта диалога скрипта рисунком SVG или PNG"),
        QStringLiteral("scrivlet-cli map ФАЙЛ.npc -o СХЕМА.svg|СХЕМА.png [--scale 1|2|4] [--data ПАПКА]\n"
                       "\n"
                       "Рисует карту диалога так же, как окно «Карта диалога» редактора: запись с\n"
                       "действием, условиями и первой фразой из .edt рядом со скриптом, ссылки\n"
                       "между записями и на записи других персонажей, битые ссылки красным\n"
                       "пунктиром, записи других скриптов, которые ссылаются на этот. Формат по\n"
                       "расширению выхода; --scale 2 или 4 рисует PNG вдвое или вчетверо крупнее.\n"
                       "Дисплей не нужен."),
        run,
    };
}
