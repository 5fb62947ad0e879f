#include "cli/Commands.h"
#include "editor/FieldCatalogue.h"
#include "editor/NpcJson.h"

namespace
{

struct Change {
    int record;
    NpcField field;
    quint16 before;
    quint16 after;
};

QList<Change> changes(const NpcRecords &a, const NpcRecords &b)
{
    QList<Change> list;
    for (int i = 0; i < RecordCount; ++i) {
        for (int f = 0; f < NpcFieldCount; ++f) {
            const auto field = static_cast<NpcField>(f);
            if (a[i].value(field) != b[i].value(field))
                list.append({i, field, a[i].value(field), b[i].value(field)});
        }
    }
    return list;
}

void printText(CliContext &context, const NpcReader &a, const NpcReader &b, const QList<Change> &list)
{
    if (a.layout() != b.layout())
        context.out.line(QStringLiteral("layout: ") + layoutName(a.layout()) + QStringLiteral(" -> ") +
                         layoutName(b.layout()));
    const ReferenceLists &lists = context.lists();
    for (const Change &change : list)
        context.out.line(QStringLiteral("record %1: %2 %3 -> %4")
                             .arg(QString::number(change.record), NpcRecord::fieldName(change.field),
                                  valueWithName(change.field, change.before, lists),
                                  valueWithName(change.field, change.after, lists)));
}

void printJson(CliContext &context, const NpcReader &a, const NpcReader &b, const QList<Change> &list)
{
    const QString layout = a.layout() == b.layout() ? QStringLiteral("null")
                                                    : QStringLiteral("[%1, %2]")
                                                          .arg(jsonString(layoutName(a.layout())),
                                                               jsonString(layoutName(b.layout())));
    QStringList items;
    for (const Change &change : list)
        items << QStringLiteral("{\"record\": %1, \"field\": %2, \"old\": %3, \"new\": %4}")
                     .arg(QString::number(change.record), jsonString(NpcRecord::fieldName(change.field)),
                          QString::number(shownValue(change.field, change.before)),
                          QString::number(shownValue(change.field, change.after)));
    QString changes = jsonArray(items);
    changes.replace(QLatin1Char('\n'), QStringLiteral("\n  "));
    context.out.line(QStringLiteral("{\n  \"layout\": %1,\n  \"changes\": %2\n}").arg(layout, changes));
}

int run(CliContext &context)
{
    const auto a = context.readScript(context.args.positional.at(0));
    const auto b = context.readScript(context.args.positional.at(1));
    if (!a || !b)
        return context.exitCode(false);
    const QList<Change> list = changes(a->records(), b->records());
    if (context.args.value(QStringLiteral("--format")) == QLatin1String("json"))
        printJson(context, *a, *b, list);
    else
        printText(context, *a, *b, list);
    return context.exitCode(!list.isEmpty() || a->layout() != b->layout());
}

} // namespace

Command diffCommand()
{
    return {
        {QStringLiteral("diff"), {formatOption({QStringLiteral("text"), QStringLiteral("json")})}, 2, 2},
        QStringLiteral("различия двух скриптов, поле за полем"),
        QStringLiteral("scrivlet-cli diff A.npc B.npc [--format text|json] [--data ПАПКА]\n"
                       "\n"
                       "Перечисляет различающиеся поля записей (record 3: FDay 0 -> 5), с названиями\n"
                       "из списков в текстовом виде; различие форматов идёт первым. JSON:\n"
                       "{\"layout\": [a, b] или null, \"changes\": [{record, field, old, new}]}, значения\n"
                       "как в редакторе (-1 — не задано, предметы и реакция со знаком).\n"
                       "Код 1, если скрипты различаются."),
        run,
    };
}
