#include "cli/Commands.h"

#include <QFileInfo>

namespace
{

int run(CliContext &context)
{
    const QString folder = context.args.positional.at(0);
    if (!QFileInfo(folder).isDir()) {
        context.inputFailed(folder, QFileInfo::exists(folder) ? QStringLiteral("это не папка")
                                                              : QStringLiteral("нет такой папки"));
        return ExitFailure;
    }
    if (!context.finishInterruptedWrites({folder}, context.out))
        return ExitFailure;
    return ExitOk;
}

} // namespace

Command recoverCommand()
{
    return {
        {QStringLiteral("recover"), {}, 1, 1},
        QStringLiteral("доводит до конца или отменяет прерванную запись файлов"),
        QStringLiteral("scrivlet-cli recover ПАПКА\n"
                       "\n"
                       "Запись многих файлов сразу (renumber, build, сохранение скрипта со ссылками\n"
                       "других скриптов) ведёт журнал. Если её прервали (сигнал, сбой питания),\n"
                       "recover отменяет её, и все файлы становятся прежними, или, если все новые\n"
                       "файлы уже были на месте, завершает её; оставшиеся рядом временные и\n"
                       "прежние копии удаляются. Файл, который другая программа изменила за это\n"
                       "время, остаётся как есть; сообщение говорит, где его прежнее содержимое.\n"
                       "То же делает сама любая команда с файлами или папками этой папки и редактор,\n"
                       "открывая скрипт из неё. Выводит, что сделано; ничего, если делать нечего.\n"
                       "Код 2, если запись не удалось ни отменить, ни завершить (журнал остаётся)."),
        run,
    };
}
