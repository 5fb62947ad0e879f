#include "cli/Commands.h"
#include "dialogue/DialogueBeside.h"
#include "document/ScriptFolder.h"
#include "editor/NpcJson.h"

#include <QFileInfo>

namespace
{

QStringList fieldNames()
{
    QStringList names{QStringLiteral("index")};
    for (int f = 0; f < NpcFieldCount; ++f)
        names << NpcRecord::fieldName(static_cast<NpcField>(f));
    return names;
}

void dumpText(CliContext &context, const NpcReader &script, bool all)
{
    const ReferenceLists &lists = context.lists();
    context.out.line(QStringLiteral("layout: ") + layoutName(script.layout()));
    for (int i = 0; i < RecordCount; ++i) {
        const NpcRecord &record = script.records()[i];
        if (!all && record.isEmpty())
            continue;
        context.out.line({});
        context.out.line(QStringLiteral("record %1").arg(i));
        for (int f = 0; f < NpcFieldCount; ++f) {
            const auto field = static_cast<NpcField>(f);
            context.out.line(QStringLiteral("    ") + NpcRecord::fieldName(field) + QLatin1Char('=') +
                             valueWithName(field, record.value(field), lists));
        }
    }
}

void dumpCsv(CliContext &context, const NpcReader &script, bool all)
{
    context.out.line(fieldNames().join(QLatin1Char(',')));
    for (int i = 0; i < RecordCount; ++i) {
        const NpcRecord &record = script.records()[i];
        if (!all && record.isEmpty())
            continue;
        QStringList row{QString::number(i)};
        for (int f = 0; f < NpcFieldCount; ++f)
            row << QString::number(record.value(static_cast<NpcField>(f)));
        context.out.line(row.join(QLatin1Char(',')));
    }
}

// The lines of the dialogue file beside the script; nothing when there is none, or when
// it could not be read, which is said.
std::optional<QList<QByteArray>> phrasesBeside(CliContext &context)
{
    const QFileInfo script(context.args.positional.at(0));
    const DialogueBeside dialogue = readDialogueBeside(ScriptFolder(script.path()), script.fileName());
    if (dialogue.read())
        return dialogue.text.lines();
    if (dialogue.exists())
        context.inputFailed(dialogue.path, dialogue.error);
    return std::nullopt;
}

int run(CliContext &context)
{
    const auto script = context.readScript(context.args.positional.at(0));
    if (!script)
        return context.exitCode(false);
    const QString format = context.args.value(QStringLiteral("--format"), QStringLiteral("text"));
    const bool all = context.args.has(QStringLiteral("--all"));
    if (format == QLatin1String("json"))
        context.out.bytes(npcToJson(script->records(), script->layout(), phrasesBeside(context)));
    else if (format == QLatin1String("csv"))
        dumpCsv(context, *script, all);
    else
        dumpText(context, *script, all);
    return context.exitCode(false);
}

} // namespace

Command dumpCommand()
{
    return {
        {QStringLiteral("dump"),
         {formatOption({QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json")}),
          flagOption(QStringLiteral("--all"))},
         1,
         1},
        QStringLiteral("записи скрипта текстом, в CSV или JSON"),
        QStringLiteral("scrivlet-cli dump ФАЙЛ.npc [--format text|csv|json] [--all] [--data ПАПКА]\n"
                       "\n"
                       "Выводит записи скрипта.\n"
                       "  text (по умолчанию): непустые записи блоками, каждое поле с его значением\n"
                       "        и названием из списка; подходит для git diff (textconv).\n"
                       "  csv:  заголовок index и 22 поля, строка на непустую запись, числа без знака.\n"
                       "  json: формат и все 50 записей, значения как в редакторе (-1 — не задано,\n"
                       "        предметы и реакция со знаком), и фразы (phrases) файла .edt рядом\n"
                       "        со скриптом, если он есть; build собирает из него скрипт.\n"
                       "  --all  выводить и пустые записи (text, csv)."),
        run,
    };
}
