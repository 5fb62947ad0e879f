#include "cli/CliArguments.h"

namespace
{

const OptionSpec *findOption(const CommandSpec &spec, const QString &name)
{
    for (const OptionSpec &option : spec.options) {
        if (option.name == name || (!option.shortName.isEmpty() && option.shortName == name))
            return &option;
    }
    return nullptr;
}

QString countError(const CommandSpec &spec, qsizetype count)
{
    if (count < spec.minPositional)
        return QStringLiteral("не хватает аргументов");
    return QStringLiteral("лишний аргумент");
}

} // namespace

QString ParsedArguments::value(const QString &name, const QString &fallback) const
{
    const QStringList list = m_values.value(name);
    return list.isEmpty() ? fallback : list.constLast();
}

std::optional<ParsedArguments> parseArguments(const CommandSpec &spec, const QStringList &arguments,
                                              QString &error)
{
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool looksLikeOption =
            argument.startsWith(QLatin1Char('-')) && argument.size() > 1 && !(argument.at(1).isDigit());
        if (optionsEnded || !looksLikeOption) {
            parsed.positional << argument;
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype eq =
            argument.startsWith(QLatin1String("--")) ? argument.indexOf(QLatin1Char('=')) : -1;
        const QString name = eq < 0 ? argument : argument.left(eq);
        const OptionSpec *option = findOption(spec, name);
        if (!option) {
            error = QStringLiteral("неизвестный параметр %1").arg(name);
            return std::nullopt;
        }
        QString value;
        if (option->takesValue) {
            if (eq >= 0) {
                value = argument.mid(eq + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments.at(++i);
            } else {
                error = QStringLiteral("у параметра %1 нет значения").arg(name);
                return std::nullopt;
            }
            if (!option->choices.isEmpty() && !option->choices.contains(value)) {
                error = QStringLiteral("%1: недопустимое значение «%2» (возможны: %3)")
                            .arg(option->name, value, option->choices.join(QStringLiteral(", ")));
                return std::nullopt;
            }
        } else if (eq >= 0) {
            error = QStringLiteral("параметр %1 не принимает значения").arg(option->name);
            return std::nullopt;
        }
        if (parsed.has(option->name) && !option->repeatable) {
            error = QStringLiteral("параметр %1 указан дважды").arg(option->name);
            return std::nullopt;
        }
        parsed.add(option->name, value);
    }
    for (const OptionSpec &option : spec.options) {
        if (option.required && !parsed.has(option.name)) {
            error = QStringLiteral("не указан параметр %1").arg(option.name);
            return std::nullopt;
        }
    }
    const qsizetype count = parsed.positional.size();
    if (count < spec.minPositional || (spec.maxPositional >= 0 && count > spec.maxPositional)) {
        error = countError(spec, count);
        return std::nullopt;
    }
    return parsed;
}
