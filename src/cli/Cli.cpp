#include "cli/Cli.h"

#include "cli/Commands.h"
#include "common/Interruption.h"

#include <QIODevice>

namespace
{

const QList<Command> &commands()
{
    static const QList<Command> list{dumpCommand(),    buildCommand(),    convertCommand(), checkCommand(),
                                     diffCommand(),    xrefCommand(),     findCommand(),    edt2txtCommand(),
                                     txt2edtCommand(), renumberCommand(), mergeCommand(),    mapCommand(),
                                     recoverCommand(), poCommand(),    replaceCommand()};
    return list;
}

const Command *commandNamed(const QString &name)
{
    for (const Command &command : commands()) {
        if (command.syntax.name == name)
            return &command;
    }
    return nullptr;
}

QString generalHelp()
{
    QString text = QStringLiteral("scrivlet-cli КОМАНДА [параметры] ...\n"
                                  "\n"
                                  "Пакетная работа со скриптами NPC (.npc) и файлами диалогов (.edt).\n"
                                  "\n"
                                  "Команды:\n");
    for (const Command &command : commands())
        text += QStringLiteral("  %1 %2\n").arg(command.syntax.name.leftJustified(8), command.summary);
    text += QStringLiteral("\n"
                           "Общие параметры:\n"
                           "  --data ПАПКА  папка списков; иначе Data в текущей папке (каждый список,\n"
                           "                которого нет в ПАПКЕ, берётся из Data, как в редакторе)\n"
                           "  --help        справка по команде: scrivlet-cli КОМАНДА --help\n"
                           "  --version     версия\n"
                           "\n"
                           "Коды выхода: 0 успех (или не о чем сообщить), 1 отрицательный ответ команды\n"
                           "(находки, различия, ничего не найдено, отказ перевода или перенумерации,\n"
                           "конфликты слияния), 2 неверный вызов или вход, который не удалось прочитать.");
    return text;
}

bool asksForHelp(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == QLatin1String("--"))
            return false;
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return true;
    }
    return false;
}

int runCommand(const Command &command, const QStringList &arguments, Console &out, Console &err)
{
    if (asksForHelp(arguments)) {
        out.line(command.help);
        return ExitOk;
    }
    // Every command also takes the lists' folder.
    CommandSyntax accepted = command.syntax;
    accepted.options << OptionSyntax{QStringLiteral("--data"), {}, {}};
    ArgumentReader reader(accepted);
    if (!reader.read(arguments)) {
        err.line(usageText(accepted.name, reader.errorString()));
        return ExitFailure;
    }
    CliContext context(accepted.name, out, err, reader.takeArguments());
    // A set of files cut short in a folder this command reads or writes is settled first.
    if (accepted.name != QLatin1String("recover") && !context.finishInterruptedWrites(context.touchedFolders(), err))
        return ExitFailure;
    Interruption::endIfRequested();
    return command.run(context);
}

} // namespace

int runCli(const QStringList &arguments, QIODevice &outDevice, QIODevice &errDevice)
{
    Console out(outDevice);
    Console err(errDevice);
    const QString first = arguments.value(0);
    if (arguments.isEmpty()) {
        err.line(usageText({}, QStringLiteral("не указана команда")));
        return ExitFailure;
    }
    if (first == QLatin1String("--version")) {
        out.line(QStringLiteral("scrivlet-cli " SCRIVLET_VERSION));
        return ExitOk;
    }
    if (first == QLatin1String("--help") || first == QLatin1String("-h") ||
        (first == QLatin1String("help") && arguments.size() == 1)) {
        out.line(generalHelp());
        return ExitOk;
    }
    if (first == QLatin1String("help")) {
        const Command *command = commandNamed(arguments.at(1));
        if (!command) {
            err.line(usageText({}, QStringLiteral("нет команды %1").arg(arguments.at(1))));
            return ExitFailure;
        }
        out.line(command->help);
        return ExitOk;
    }
    const Command *command = commandNamed(first);
    if (!command) {
        err.line(usageText({}, QStringLiteral("нет команды %1").arg(first)));
        return ExitFailure;
    }
    return runCommand(*command, arguments.mid(1), out, err);
}
