#include "cli/Commands.h"
#include "common/Windows1251.h"
#include "editor/ListFolders.h"
#include "editor/RenumberInputs.h"
#include "editor/RenumberApply.h"
#include "editor/RenumberPlanner.h"
#include "session/ShippedFiles.h"

#include <QDir>
#include <QFileInfo>

namespace
{

QString kindNames()
{
    QStringList names;
    for (const RenumberKindInfo &kind : renumberKinds())
        names << QLatin1String(kind.name);
    return names.join(QStringLiteral(", "));
}

std::optional<std::pair<qint64, qint64>> numbers(const QString &text)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    const auto from = readDecimal(text.left(eq).toLatin1());
    const auto to = readDecimal(text.mid(eq + 1).toLatin1());
    if (!from || !to)
        return std::nullopt;
    return std::pair(*from, *to);
}

// Each list as the other commands read it.
RenumberListFile listFile(CliContext &context, ListId id)
{
    // The current folder's Data as the user names it, so that the plan names it so too.
    const QString dataDir = context.args.value(QStringLiteral("--data"));
    return renumberListFile({dataDir, QStringLiteral("Data"), ShippedFiles::dataDir()}, id);
}

void print(CliContext &context, const RenumberPlan &plan)
{
    for (const RenumberFieldChange &change : plan.fields)
        context.out.line(QStringLiteral("%1:%2: %3 %4 -> %5")
                             .arg(shownPath(change.path), QString::number(change.record),
                                  NpcRecord::fieldName(change.field),
                                  fieldValueText(change.field, change.before),
                                  fieldValueText(change.field, change.after)));
    for (const RenumberFileRename &rename : plan.renames)
        context.out.line(shownPath(rename.from) + QStringLiteral(" -> ") + shownPath(rename.to));
    for (const RenumberListChange &change : plan.lists)
        context.out.line(QStringLiteral("%1:%2: %3 -> %4")
                             .arg(shownPath(change.path), QString::number(change.line.line),
                                  fromWindows1251(change.line.before), fromWindows1251(change.line.after)));
}

int run(CliContext &context)
{
    const QStringList &args = context.args.positional;
    const std::optional<RenumberKind> kind = renumberKindNamed(args.at(0));
    if (!kind) {
        context.usageFailed(
            QStringLiteral("неизвестный вид «%1» (возможны: %2)").arg(args.at(0), kindNames()));
        return ExitFailure;
    }
    const auto pair = numbers(args.at(1));
    if (!pair) {
        context.usageFailed(
            QStringLiteral("ожидается СТАРЫЙ=НОВЫЙ, два целых числа, а не «%1»").arg(args.at(1)));
        return ExitFailure;
    }
    const QString folder = args.at(2);
    if (!QFileInfo(folder).isDir()) {
        context.inputFailed(folder, QFileInfo::exists(folder) ? QStringLiteral("это не папка")
                                                              : QStringLiteral("нет такой папки"));
        return ExitFailure;
    }
    context.lists(); // says which lists are missing or unreadable, as the other commands do
    RenumberRequest request{folder, *kind, pair->first, pair->second, {}};
    for (ListId id : renumberKindInfo(*kind).lists)
        request.lists.insert(id, listFile(context, id));

    const auto result = RenumberPlanner::planAll(request);
    if (const auto *refusal = std::get_if<RenumberRefusal>(&result)) {
        context.err.line(QLatin1String(CliContext::Program) + QStringLiteral(" renumber: ") +
                         refusal->reason);
        return refusal->unreadable ? ExitFailure : ExitNegative;
    }
    const RenumberPlan &plan = std::get<RenumberPlan>(result);
    print(context, plan);
    if (context.args.has(QStringLiteral("--dry-run")))
        return ExitOk;
    QString error;
    if (!applyRenumbering(plan, error)) {
        context.err.line(QLatin1String(CliContext::Program) + QStringLiteral(" renumber: ") +
                         error.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        return ExitFailure;
    }
    return ExitOk;
}

} // namespace

Command renumberCommand()
{
    return {
        {QStringLiteral("renumber"), {flagOption(QStringLiteral("--dry-run"))}, 3, 3},
        QStringLiteral("другой номер предмета, факта, квеста, NPC... во всей папке"),
        QStringLiteral("scrivlet-cli renumber ВИД СТАРЫЙ=НОВЫЙ ПАПКА [--dry-run] [--data ПАПКА]\n"
                       "\n"
                       "Меняет номер во всех скриптах папки (рекурсивно *.npc в любом регистре) и в\n"
                       "списке, который его называет. Виды:\n"
                       "  item      ItemIn, ItemOut; Items.txt\n"
                       "  fact      TriggT, TriggF, Trigg2T; Trigg.txt\n"
                       "  quest     Q_was, Q_Input; Q_Input.txt\n"
                       "  quest-close  Q_Output (что значит закрытие квеста); Q_Output.txt\n"
                       "  action    Action; Action.txt\n"
                       "  reaction  React (отрицательная реакция остаётся отрицательной); React.txt\n"
                       "  mode      Mode; Modes.txt\n"
                       "  npc       ControlNpc; Npc.txt; скрипт СТАРЫЙ.npc и его .edt получают имя\n"
                       "            с новым номером\n"
                       "Строка на изменение: ПУТЬ:ЗАПИСЬ: ПОЛЕ СТАРОЕ -> НОВОЕ, затем переименования\n"
                       "(ПУТЬ -> ПУТЬ), затем строки списков (ПУТЬ:СТРОКА: до -> после). Файлы\n"
                       "записываются все или ни один; --dry-run только показывает изменения.\n"
                       "Список, поставляемый с программой, не меняется: его копия с новым номером\n"
                       "ложится в папку списков (--data или Data).\n"
                       "Код 1 и причина, если новый номер уже занят, не помещается в поле или старый\n"
                       "нигде не используется; код 2, если файл не читается или не записывается."),
        run,
    };
}
